// Room for captions. The design was drawn for a small 8-point font; the platform's default font is
// wider, so a caption may need more room than the design gives its control.
#pragma once

#include <QSize>

class QLabel;
class QPushButton;

// The smallest size that shows the control's caption whole in its current font and style.
[[nodiscard]] QSize captionSize(const QLabel& label);
[[nodiscard]] QSize captionSize(const QPushButton& button);
