// How the input field shows a long line: in the toolkit's line edit's frame and where it starts its text,
// only the part of the line in view laid out and drawn (line_view.h), with a blinking cursor. A child of
// the field that covers it, takes neither the mouse nor the focus, and draws the field's line model.
#pragma once

#include "textbox/line_model.h"
#include "window/qt/line_view.h"

#include <QBasicTimer>
#include <QWidget>

#include <optional>

class QLineEdit;
class QStyleOptionFrame;

class LongLineView : public QWidget
{
public:
    // Shows model in field, which also holds shortForm, the line edit that shows a short line.
    LongLineView(const LineModel& model, const QLineEdit& shortForm, QWidget* field);

    // The line changed: it is laid out again before it is next drawn.
    void invalidate() { m_layout.invalidate(); }
    // After any change to the line or the cursor: scrolls to the cursor, and shows it at once, blinking
    // while the field has the focus.
    void follow();
    void stopBlinking() { m_blink.stop(); }

    // The position nearest point, and the rectangle from position to next, in the field's coordinates;
    // nothing when they are not in view.
    [[nodiscard]] int positionAt(QPoint point) const;
    [[nodiscard]] std::optional<QRect> characterRect(int position, int next) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    [[nodiscard]] QStyleOptionFrame frameOption() const;
    [[nodiscard]] QRect textLine() const;

    const LineModel& m_model;
    const QLineEdit& m_short;
    LineView m_layout;
    QBasicTimer m_blink;
    bool m_cursorShown = true;
};
