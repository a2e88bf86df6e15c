// The input field, which must stay responsive with a line of megabytes pasted into it.
//
// Up to kLongLine characters it is the toolkit's line edit, unchanged. Past that, the toolkit's line
// edit would lay out and shape the whole line on every change and every repaint (each blink of the
// cursor), and keep one undo entry per character: seconds of freezing and hundreds of megabytes for a
// 10 MB line. So for a long line the base class keeps only the text, the cursor and the selection, with
// its own display switched off (no echo), and this class draws, scrolls, edits and undoes through a
// view of the part in sight. Two differences remain while a line is long: an input method's pre-edit
// text is not shown until committed, and undo reaches back only to where the line became long (or, once
// it shrinks to half the limit and the toolkit's line edit takes over again, to that point).
#pragma once

#include "window/qt/edit_history.h"
#include "window/qt/line_view.h"

#include <QBasicTimer>
#include <QClipboard>
#include <QLineEdit>
#include <QPoint>
#include <QRect>

class LongLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    // Longer lines are drawn and edited by this class; a long line shrunk to half this goes back to the
    // toolkit's line edit (half, so that a line near the limit does not switch on every keystroke).
    static constexpr int kLongLine = 16'384;

    explicit LongLineEdit(QWidget* parent = nullptr);

    [[nodiscard]] bool showsLongLine() const { return m_long; }

    // For screen readers: the position nearest point, and where the character at position is drawn
    // (empty when it is out of sight), both in the field's coordinates.
    [[nodiscard]] int positionAt(const QPoint& point);
    [[nodiscard]] QRect characterRectangle(int position) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    enum class Change
    {
        Edit,      // a step of its own in the history
        Keystroke, // may join the run of keystrokes before it
        History    // an undo or redo, which the history has already taken into account
    };

    void showLongLine(bool on);
    [[nodiscard]] bool wouldBeLong(const QString& inserted) const;

    // The one way text changes while the line is long: the stretch [start, start + length) becomes with.
    void replace(int start, int length, const QString& with, Change change);
    void replaceSelection(const QString& with, Change change);
    void undoEdit();
    void redoEdit();
    void pasteFrom(QClipboard::Mode mode);
    void copyTo(QClipboard::Mode mode) const;
    void moveTo(int position, bool select);
    [[nodiscard]] bool editLongLine(QKeyEvent* event);

    void onTextChanged();
    void onCursorMoved();
    void keepCursorVisible();
    void restartBlink();

    // Where the text line lies in the widget, as the toolkit's line edit places it.
    [[nodiscard]] QRect textLine() const;
    [[nodiscard]] QRect cursorRectangle() const;

    bool m_long = false;
    bool m_applying = false; // the text is being changed by this class, not from outside
    LineView m_view;
    EditHistory m_history;
    QBasicTimer m_blink;
    bool m_cursorShown = true;
    QBasicTimer m_tripleClick;
    QPoint m_tripleClickAt;
};
