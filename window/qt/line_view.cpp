// The part of a long line that the input field shows.
#include "window/qt/line_view.h"

#include <QPainter>
#include <QTextLine>

#include <algorithm>

namespace {

constexpr int kFirstWindow = 256;       // characters laid out at first; most views need fewer
constexpr int kLargestWindow = 1 << 16; // so that a run of zero-width characters cannot lay out it all
constexpr int kLead = 2;                // characters laid out left of the view, for a glyph in the margin
constexpr int kMargins = 8;             // pixels laid out right of the view

// Lays text out on one line, with control characters shown as spaces as the toolkit's line edit does.
void layOutLine(QTextLayout& layout, QStringView text, const QFont& font)
{
    QString shown = text.toString();
    for (QChar& c : shown) {
        if ((c.unicode() < 0x20 && c != u'\t') || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    }
    layout.setText(shown);
    layout.setFont(font);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
}

// A window never starts between the two halves of a surrogate pair.
int characterStart(QStringView text, int position)
{
    return position > 0 && position < text.size() && text[position].isLowSurrogate() ? position - 1 : position;
}

} // namespace

void LineView::layOut(QStringView text)
{
    const int available = static_cast<int>(text.size()) - m_start;
    for (int length = std::min(available, kFirstWindow);; length = std::min(available, length * 4)) {
        layOutLine(m_layout, text.sliced(m_start, length), m_font);
        if (length == available || length >= kLargestWindow ||
            m_layout.lineAt(0).naturalTextWidth() > m_offset + m_width + kMargins)
            break;
    }
    m_laidOut = true;
}

void LineView::placeAt(QStringView text, int position, qreal x)
{
    QTextLayout measure; // the stretch left of position, widened until it covers x
    int from = position;
    qreal needed = 0;
    for (int reach = kFirstWindow;; reach *= 4) {
        from = characterStart(text, std::max(0, position - reach));
        layOutLine(measure, text.sliced(from, position - from), m_font);
        needed = measure.lineAt(0).cursorToX(position - from);
        if (needed >= x || from == 0 || reach >= kLargestWindow)
            break;
    }
    // The view's left edge falls on a whole pixel, so that glyphs keep their shapes as they scroll.
    const qreal left = std::max<qreal>(0, qRound(needed) - x);
    const QTextLine line = measure.lineAt(0);
    int first = line.xToCursor(left, QTextLine::CursorBetweenCharacters);
    if (line.cursorToX(first) > left)
        first = measure.previousCursorPosition(first);
    m_start = from + first;
    for (int lead = 0; lead < kLead && m_start > 0; ++lead)
        m_start = characterStart(text, m_start - 1);
    m_offset = 0;
    layOut(text);
    m_offset = m_layout.lineAt(0).cursorToX(from + first - m_start) + left - line.cursorToX(first);
    if (m_layout.lineAt(0).naturalTextWidth() <= m_offset + m_width + kMargins)
        layOut(text);
}

void LineView::keepVisible(QStringView text, int cursor, const QFont& font, int width)
{
    const int size = static_cast<int>(text.size());
    if (!m_laidOut || font != m_font || width != m_width || m_start > size) {
        m_font = font;
        m_width = width;
        m_offset = m_start > size ? 0 : m_offset;
        m_start = characterStart(text, std::min(m_start, size));
        layOut(text);
    }
    const auto x = xOf(cursor);
    if (x ? *x < 0 : cursor < m_start)
        placeAt(text, cursor, 0);
    else if (!x || *x >= width)
        placeAt(text, cursor, width - 1);
    // The end of the text at the right edge, with the cursor's pixel.
    const QTextLine line = m_layout.lineAt(0);
    if (m_start + m_layout.text().size() == size && (m_start > 0 || m_offset > 0) &&
        line.naturalTextWidth() - m_offset < width - 1)
        placeAt(text, size, width - 1);
}

int LineView::positionAt(qreal x) const
{
    return m_laidOut ? m_start + m_layout.lineAt(0).xToCursor(x + m_offset, QTextLine::CursorBetweenCharacters)
                     : m_start;
}

std::optional<qreal> LineView::xOf(int position) const
{
    const int relative = position - m_start;
    if (!m_laidOut || relative < 0 || relative > m_layout.text().size())
        return std::nullopt;
    return m_layout.lineAt(0).cursorToX(relative) - m_offset;
}

void LineView::draw(QPainter& painter, QPointF topLeft, int selectionStart, int selectionEnd, const QPalette& palette,
                    std::optional<int> cursor, int cursorWidth) const
{
    if (!m_laidOut)
        return;
    const int laidOut = static_cast<int>(m_layout.text().size());
    QTextLayout::FormatRange selected;
    selected.start = std::clamp(selectionStart - m_start, 0, laidOut);
    selected.length = std::clamp(selectionEnd - m_start, 0, laidOut) - selected.start;
    selected.format.setBackground(palette.brush(QPalette::Highlight));
    selected.format.setForeground(palette.brush(QPalette::HighlightedText));
    const QPointF origin = topLeft - QPointF(m_offset, 0);
    m_layout.draw(&painter, origin, selected.length > 0 ? QList{selected} : QList<QTextLayout::FormatRange>());
    if (cursor && xOf(*cursor))
        m_layout.drawCursor(&painter, origin, *cursor - m_start, cursorWidth);
}
