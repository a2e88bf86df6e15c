// The part of a long line that the input field shows.
#include "window/qt/line_view.h"

#include <QList>
#include <QPainter>
#include <QTextLine>
#include <QTextOption>

#include <algorithm>

namespace {

constexpr int kFirstWindow = 256;       // characters laid out at first; most views need fewer
constexpr int kLargestWindow = 1 << 16; // so that a run of zero-width characters cannot lay out it all
constexpr int kLead = 2;                // characters laid out left of the view
constexpr int kMargins = 8;             // pixels laid out right of the view

// Lays text out on one line, with control characters shown as spaces as the toolkit's line edit does.
void layOutLine(QTextLayout& layout, QStringView text, const QFont& font, Qt::LayoutDirection direction)
{
    QString shown = text.toString();
    for (QChar& c : shown) {
        if ((c.unicode() < 0x20 && c.unicode() != u'\t') || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    }
    layout.setText(shown);
    layout.setFont(font);
    QTextOption option;
    option.setTextDirection(direction);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
}

// A window never starts between the two halves of a surrogate pair.
int characterStart(const QString& text, int position)
{
    return position > 0 && position < text.size() && text[position].isLowSurrogate() ? position - 1 : position;
}

} // namespace

void LineView::layOut(const QString& text, int width)
{
    const int available = static_cast<int>(text.size()) - m_start;
    int length = std::min(available, kFirstWindow);
    for (;;) {
        layOutLine(m_layout, QStringView(text).sliced(m_start, length), m_font, m_direction);
        if (length == available || length >= kLargestWindow ||
            m_layout.lineAt(0).naturalTextWidth() > m_offset + width + kMargins)
            break;
        length = std::min(available, length * 4);
    }
    m_laidOut = true;
}

void LineView::showFrom(const QString& text, int position, qreal within, int width)
{
    // A few characters more on the left, for the glyph that shows in the field's margin.
    m_start = position;
    for (int lead = 0; lead < kLead && m_start > 0; ++lead)
        m_start = characterStart(text, m_start - 1);
    m_offset = 0;
    layOut(text, width);
    m_offset = m_layout.lineAt(0).cursorToX(position - m_start) + within;
    if (m_layout.lineAt(0).naturalTextWidth() <= m_offset + width + kMargins)
        layOut(text, width);
}

void LineView::placeAt(const QString& text, int position, qreal target, int width)
{
    QTextLayout measure;
    int from = position;
    qreal needed = 0;
    for (int reach = kFirstWindow;; reach *= 4) {
        from = characterStart(text, std::max(0, position - reach));
        layOutLine(measure, QStringView(text).sliced(from, position - from), m_font, m_direction);
        needed = measure.lineAt(0).cursorToX(position - from);
        if (needed >= target || from == 0 || reach >= kLargestWindow)
            break;
    }
    if (needed <= target) {
        showFrom(text, from, 0, width);
        return;
    }
    const qreal left = qRound(needed) - target; // whole pixels, so that glyphs keep their shapes as they scroll
    const QTextLine line = measure.lineAt(0);
    int first = line.xToCursor(left, QTextLine::CursorBetweenCharacters);
    if (line.cursorToX(first) > left)
        first = measure.previousCursorPosition(first);
    showFrom(text, from + first, left - line.cursorToX(first), width);
}

void LineView::keepVisible(const QString& text, int cursor, const QFont& font, Qt::LayoutDirection direction, int width)
{
    if (font != m_font || direction != m_direction) {
        m_font = font;
        m_direction = direction;
        m_laidOut = false;
    }
    const int size = static_cast<int>(text.size());
    if (m_start > size) {
        m_start = size;
        m_offset = 0;
        m_laidOut = false;
    }
    if (!m_laidOut) {
        m_start = characterStart(text, m_start);
        layOut(text, width);
    }

    const auto x = xOf(cursor);
    if ((!x && cursor < m_start) || (x && *x < 0))
        showFrom(text, cursor, 0, width);
    else if (!x || *x >= width)
        placeAt(text, cursor, width - 1, width);

    // The end of the text at the right edge, with the cursor's pixel.
    const int end = m_start + static_cast<int>(m_layout.text().size());
    if (end == size && (m_start > 0 || m_offset > 0) && m_layout.lineAt(0).naturalTextWidth() - m_offset < width - 1)
        placeAt(text, size, width - 1, width);
}

int LineView::positionAt(const QString& text, qreal x) const
{
    if (!m_laidOut)
        return m_start;
    const qreal inLayout = x + m_offset;
    if (inLayout < 0)
        return characterStart(text, std::max(0, m_start - 1));
    const QTextLine line = m_layout.lineAt(0);
    const int laidOut = static_cast<int>(m_layout.text().size());
    const int position = line.xToCursor(inLayout, QTextLine::CursorBetweenCharacters);
    if (position == laidOut && inLayout > line.naturalTextWidth() && m_start + laidOut < text.size()) {
        const int beyond = m_start + laidOut + 1;
        return beyond < text.size() && text[beyond].isLowSurrogate() ? beyond + 1 : beyond;
    }
    return m_start + position;
}

std::optional<qreal> LineView::xOf(int position) const
{
    const int relative = position - m_start;
    if (!m_laidOut || relative < 0 || relative > m_layout.text().size())
        return std::nullopt;
    return m_layout.lineAt(0).cursorToX(relative) - m_offset;
}

void LineView::draw(QPainter& painter, const Paint& paint) const
{
    if (!m_laidOut)
        return;
    const int laidOut = static_cast<int>(m_layout.text().size());
    QList<QTextLayout::FormatRange> selections;
    const int from = std::clamp(paint.selectionStart - m_start, 0, laidOut);
    const int to = std::clamp(paint.selectionEnd - m_start, 0, laidOut);
    if (from < to) {
        QTextLayout::FormatRange selected;
        selected.start = from;
        selected.length = to - from;
        selected.format.setBackground(paint.palette.brush(QPalette::Highlight));
        selected.format.setForeground(paint.palette.brush(QPalette::HighlightedText));
        selections.append(selected);
    }
    const QPointF origin = paint.topLeft - QPointF(m_offset, 0);
    m_layout.draw(&painter, origin, selections, paint.clip);
    if (paint.cursor && *paint.cursor >= m_start && *paint.cursor - m_start <= laidOut)
        m_layout.drawCursor(&painter, origin, *paint.cursor - m_start, paint.cursorWidth);
}
