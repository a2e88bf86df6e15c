// How the input field shows a long line.
#include "window/qt/long_line_view.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionFrame>

namespace {

QStringView viewOf(const std::u16string& line)
{
    return {line.data(), static_cast<qsizetype>(line.size())};
}

} // namespace

LongLineView::LongLineView(const LineModel& model, const QLineEdit& shortForm, QWidget* field)
    : QWidget(field), m_model(model), m_short(shortForm)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void LongLineView::follow()
{
    m_layout.keepVisible(viewOf(m_model.line()), m_model.cursor(), font(), textLine().width());
    m_cursorShown = true; // after any change the cursor shows at once, then blinks
    const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    if (parentWidget()->hasFocus() && flashTime >= 2)
        m_blink.start(flashTime / 2, this);
    else
        m_blink.stop();
    update();
}

int LongLineView::positionAt(QPoint point) const
{
    return m_layout.positionAt(point.x() - textLine().left());
}

std::optional<QRect> LongLineView::characterRect(int position, int next) const
{
    const std::optional<qreal> left = m_layout.xOf(position);
    const std::optional<qreal> right = m_layout.xOf(next);
    if (!left || !right)
        return std::nullopt;
    const QRect line = textLine();
    return QRect(line.left() + qRound(*left), line.top(), qRound(*right - *left), line.height());
}

QStyleOptionFrame LongLineView::frameOption() const
{
    QStyleOptionFrame option;
    option.initFrom(parentWidget());
    option.rect = rect();
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    return option;
}

QRect LongLineView::textLine() const
{
    // Where the toolkit's line edit starts its text, so that the text stays put at the switch between the
    // two forms: its cursor rectangle, which is centred on its cursor, asked while it is empty (as it is
    // while the line is long). The same margin on the right, and the text centred in the height.
    const QStyleOptionFrame option = frameOption();
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QRectF cursor = m_short.inputMethodQuery(Qt::ImCursorRectangle).toRectF();
    const int cursorWidth = style()->pixelMetric(QStyle::PM_TextCursorWidth, &option, this);
    const int inset = qRound(cursor.center().x() - (cursorWidth - 1) / 2.0) - contents.x();
    const int height = fontMetrics().height();
    return {contents.x() + inset, contents.y() + (contents.height() - height + 1) / 2, contents.width() - 2 * inset,
            height};
}

void LongLineView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QStyleOptionFrame option = frameOption();
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setClipRect(style()->subElementRect(QStyle::SE_LineEditContents, &option, this));
    const QRect line = textLine();
    // Lays out again if the font or the size changed.
    m_layout.keepVisible(viewOf(m_model.line()), m_model.cursor(), font(), line.width());
    const bool cursorShown =
        parentWidget()->hasFocus() && m_cursorShown &&
        (!m_model.hasSelection() || style()->styleHint(QStyle::SH_BlinkCursorWhenTextSelected, &option, this));
    m_layout.draw(painter, line.topLeft(), m_model.selectionStart(), m_model.selectionEnd(), palette(),
                  cursorShown ? std::optional(m_model.cursor()) : std::nullopt,
                  style()->pixelMetric(QStyle::PM_TextCursorWidth, &option, this));
}

void LongLineView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_blink.timerId())
        return QWidget::timerEvent(event);
    m_cursorShown = !m_cursorShown;
    update();
}
