// The input field, which must stay responsive with a line of megabytes pasted into it.
//
// The field owns its line and shows it one of two ways. Up to kLongLine characters it shows the
// toolkit's own line edit, unchanged, and passes it the keys and the focus. A longer line would make
// that line edit lay out and shape the whole line on every change and every blink of the cursor, and
// keep an undo step per character; so past the limit the field keeps the line itself and shows it
// through a LineView, which lays out only the part in sight.
//
// A long line supports:
//   - typing, Backspace and Delete, and deleting by word;
//   - arrows, Home and End, with Shift to select, and word moves, all by the platform's key scheme;
//   - select all, cut, copy and paste, from the keys and from the context menu;
//   - undo and redo, one step per run of typing, of Backspace or of Delete, as the toolkit groups them,
//     and across the switch between short and long lines both ways;
//   - click, shift-click, dragging to select, double-click (a word) and triple-click (the line);
//   - dropping text into it.
// It leaves out dragging a selection out of it, pasting the mouse selection with the middle button, an
// input method's pre-edit text and its view of the text around the cursor (its committed text arrives),
// and right-to-left layout. It never cuts any of the text. Typing over a selected long line that leaves
// it short undoes in two steps, the typing and then the line; the toolkit's line edit takes back both.
#pragma once

#include "window/qt/edit_history.h"
#include "window/qt/line_view.h"

#include <QBasicTimer>
#include <QClipboard>
#include <QLineEdit>
#include <QPoint>
#include <QWidget>

class QMenu;
class QStyleOptionFrame;

class InputField : public QWidget
{
    Q_OBJECT

public:
    // Longer lines are shown by the field's own view; a long line shrunk to half this by an edit goes
    // back to the toolkit's line edit (half, so that a line near the limit does not switch on every key).
    static constexpr int kLongLine = 16'384;

    explicit InputField(QWidget* parent = nullptr);

    [[nodiscard]] QString text() const { return m_long ? m_line : m_short->text(); }
    // As the toolkit's line edit takes a new text: the cursor at its end, and nothing to undo.
    void setText(const QString& text);

    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    friend class InputFieldAccessible;

    // The line as it stands, in either form: its length, a stretch of it, the cursor and the anchor
    // (the selection's other end; equal to the cursor when nothing is selected).
    [[nodiscard]] int length() const { return static_cast<int>(text().size()); }
    [[nodiscard]] QString mid(int start, int end) const { return text().mid(start, end - start); }
    [[nodiscard]] int cursor() const { return m_long ? m_cursor : m_short->cursorPosition(); }
    [[nodiscard]] int anchor() const;
    void select(int anchor, int cursor);
    [[nodiscard]] int selectionStart() const { return std::min(anchor(), cursor()); }
    [[nodiscard]] int selectionEnd() const { return std::max(anchor(), cursor()); }
    [[nodiscard]] QRect characterRect(int position) const;
    [[nodiscard]] int positionAt(const QPoint& point) const;

    // Edits that work on either form, and that take the line across the limit when it must.
    void replace(int start, int end, const QString& with, EditHistory::Run run = EditHistory::Run::None);
    void replaceSelection(const QString& with, EditHistory::Run run = EditHistory::Run::None);
    void undo() { travel(true); }
    void redo() { travel(false); }
    // Undo (back) or redo, reaching across the switch between the two forms.
    void travel(bool back);
    void paste(QClipboard::Mode mode);
    void copy(QClipboard::Mode mode) const;
    void cut();
    [[nodiscard]] bool wouldBeLong(const QString& inserted) const;
    [[nodiscard]] QMenu* makeContextMenu();

    void showLong(bool on);
    void enterLong();
    // The toolkit's line edit takes over, holding the line as it now stands.
    void showShortLine();
    void apply(int start, int end, const QString& with);
    void tellScreenReaders(int start, const QString& removed, const QString& inserted);
    void moveTo(int position, bool select);
    [[nodiscard]] bool editLongLine(QKeyEvent* event);
    void onShortTextChanged(const QString& text);

    [[nodiscard]] QStyleOptionFrame frameOption() const;
    [[nodiscard]] QRect textLine() const;
    [[nodiscard]] QRect cursorRectangle() const;
    void keepCursorVisible();
    void restartBlink();

    bool m_long = false; // first: the line edit's construction already sends the field events
    QLineEdit* m_short;  // the toolkit's line edit: the line while it is short, parked while it is long
    bool m_applying = false; // the field itself is changing the short line
    QString m_line;          // the line while it is long
    QString m_told;          // the short line as screen readers were last told it
    int m_cursor = 0;
    int m_anchor = 0;
    EditHistory m_history;   // steps on long lines, and the steps that switch between the two forms
    LineView m_view;
    QBasicTimer m_blink;
    bool m_cursorShown = true;
    QBasicTimer m_tripleClick;
    QPoint m_tripleClickAt;
};
