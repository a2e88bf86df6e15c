// Room for captions.
#include "window/qt/caption_fit.h"

#include "window/grown_to_fit.h"

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

QRect grownToFit(const QRect& design, const QSize& needed, const QSize& clientArea)
{
    const PixelRect grown =
        grownToFit(PixelRect{design.left(), design.top(), design.width(), design.height()},
                   PixelSize{needed.width(), needed.height()}, PixelSize{clientArea.width(), clientArea.height()});
    return {grown.left, grown.top, grown.width, grown.height};
}
