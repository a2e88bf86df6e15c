// The part of a long line that the input field shows. Only a window of the text around the visible
// stretch is laid out, so drawing, scrolling and hit-testing cost the same for a megabyte as for a word.
#pragma once

#include <QFont>
#include <QPalette>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTextLayout>

#include <optional>

class QPainter;

class LineView
{
public:
    // The text, the font, the width or the direction changed: lay out again before the next use.
    void invalidate() { m_laidOut = false; }

    // Scrolls as little as possible so that position cursor lies in [0, width): to the left edge when
    // it is left of the view, to the right edge when it is right of it, as the toolkit's line edit
    // does; and leaves no space after the end of the text while the text is wider than the view.
    void keepVisible(const QString& text, int cursor, const QFont& font, Qt::LayoutDirection direction, int width);

    // The position nearest x (relative to the view's left edge); a point left or right of the laid-out
    // text gives the position one character beyond, so that dragging past an edge scrolls.
    [[nodiscard]] int positionAt(const QString& text, qreal x) const;
    // Where position lies relative to the view's left edge, when it is in the laid-out window.
    [[nodiscard]] std::optional<qreal> xOf(int position) const;

    struct Paint
    {
        QPointF topLeft; // of the view, in the painter's coordinates
        QRectF clip;
        int selectionStart;
        int selectionEnd;
        const QPalette& palette;
        std::optional<int> cursor; // drawn when set
        int cursorWidth;
    };
    void draw(QPainter& painter, const Paint& paint) const;

private:
    // Lays out from m_start far enough to fill the view.
    void layOut(const QString& text, int width);
    // Scrolls so that the view's left edge lies within pixels right of position.
    void showFrom(const QString& text, int position, qreal within, int width);
    // Scrolls so that position lies at x.
    void placeAt(const QString& text, int position, qreal x, int width);

    QFont m_font;
    Qt::LayoutDirection m_direction = Qt::LeftToRight;
    int m_start = 0;    // the first laid-out position
    qreal m_offset = 0; // how far the view's left edge lies right of m_start
    QTextLayout m_layout;
    bool m_laidOut = false;
};
