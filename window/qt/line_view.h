// The part of a long line that the input field shows. Only a window of the text around the visible
// stretch is laid out, so drawing, scrolling and hit-testing cost the same for a megabyte as for a word.
#pragma once

#include <QFont>
#include <QPalette>
#include <QTextLayout>

#include <optional>

class LineView
{
public:
    // The text changed: lay it out again before the next use.
    void invalidate() { m_laidOut = false; }

    // Scrolls as the toolkit's line edit does: as little as possible so that position cursor lies in
    // [0, width), and no space after the end of the text while the text is wider than the view.
    void keepVisible(QStringView text, int cursor, const QFont& font, int width);

    // The position nearest x, and the x of a position that is laid out, relative to the view's left edge.
    [[nodiscard]] int positionAt(qreal x) const;
    [[nodiscard]] std::optional<qreal> xOf(int position) const;

    // Draws the view with its left edge at topLeft, the stretch [selectionStart, selectionEnd) selected.
    void draw(QPainter& painter, QPointF topLeft, int selectionStart, int selectionEnd, const QPalette& palette,
              std::optional<int> cursor, int cursorWidth) const;

private:
    // Lays out from m_start far enough to fill the view.
    void layOut(QStringView text);
    // Scrolls so that position lies at x.
    void placeAt(QStringView text, int position, qreal x);

    QFont m_font;
    int m_width = 0;
    int m_start = 0;    // the first laid-out position
    qreal m_offset = 0; // how far the view's left edge lies right of m_start
    QTextLayout m_layout;
    bool m_laidOut = false;
};
