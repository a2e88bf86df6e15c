// Room for captions.
#include "window/qt/caption_fit.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

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

QRect grownToFit(const QRect& design, const QSize& needed, const QSize& clientArea)
{
    const int width = std::max(design.width(), std::min(needed.width(), clientArea.width() - design.left()));
    const int height = std::max(design.height(), std::min(needed.height(), clientArea.height() - design.top()));
    return {design.topLeft(), QSize(width, height)};
}
