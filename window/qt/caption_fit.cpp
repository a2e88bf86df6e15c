// Room for captions.
#include "window/qt/caption_fit.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

QSize captionSize(const QLabel& label)
{
    return label.sizeHint(); // the text plus the label's margins and frame
}

QSize captionSize(const QPushButton& button)
{
    // Not sizeHint(): styles give buttons a minimum width of their own, more than the text needs.
    const QStyle* style = button.style();
    const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &button);
    const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button);
    const QSize text = button.fontMetrics().size(Qt::TextShowMnemonic, button.text());
    return text + QSize(2 * (frame + margin), 2 * frame);
}
