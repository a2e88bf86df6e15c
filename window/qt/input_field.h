// The input field, which must stay responsive with a line of megabytes pasted into it.
//
// The field owns its line (textbox/line_model.h) and shows it one of two ways. Up to kLongLine characters
// it shows the toolkit's own line edit, unchanged, and passes it the keys and the focus. A longer line
// would make that line edit lay out and shape the whole line on every change and every blink of the
// cursor, and keep an undo step per character; so past the limit the field shows the line through a
// LineView, which lays out only the part in sight, and carries the keys' commands out itself, by the
// toolkit's own key rules (toolkit_keys.h). Every edit of either form, the line edit's own included, is
// one step of the line's undo, so undo reaches across the two forms.
//
// A long line supports:
//   - typing, Backspace and Delete, and deleting by word;
//   - arrows, Home and End, with Shift to select, and word moves, all by the platform's key scheme;
//   - select all, cut, copy and paste, from the keys and from the context menu;
//   - undo and redo, one step per run of typing, of Backspace or of Delete, as the toolkit groups them,
//     and across the switch between short and long lines both ways;
//   - click, shift-click, dragging to select, double-click (a word) and triple-click (the line);
//   - dropping text into it;
//   - the focus coming by Tab and leaving, and an input method's questions, as the line edit answers them.
// It leaves out dragging a selection out of it, the mouse selection of X11 (neither filled nor pasted
// with the middle button), an input method's pre-edit text (its committed text arrives), and
// right-to-left layout. It never cuts any of the text.
#pragma once

#include "textbox/commands.h"
#include "window/field_sizes.h"
#include "window/qt/long_line_view.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QWidget>

class QAccessibleInterface;

class InputField : public QWidget
{
    Q_OBJECT

public:
    // Longer lines are shown and edited by the field itself.
    static constexpr int kLongLine = field_sizes::kQtLongLine;

    explicit InputField(QWidget* parent = nullptr);

    [[nodiscard]] QString text() const { return line().toString(); }
    // The line as the window's core takes it, without a copy.
    [[nodiscard]] const std::u16string& units() const { return m_model.line(); }
    // A text's UTF-16 code units, as the line model takes them.
    [[nodiscard]] static std::u16string_view units(const QString& text)
    {
        return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
    }
    // As the toolkit's line edit takes a new text: the cursor at its end, and nothing to undo.
    void setText(const QString& text);

    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    friend class InputFieldAccessible;
    using Run = LineModel::Run;

    // Describes every InputField to screen readers.
    static QAccessibleInterface* accessibleFor(const QString& className, QObject* object);

    [[nodiscard]] QStringView line() const { return QStringView(m_model.line()); }
    [[nodiscard]] int positionAt(QPoint point) const;
    void select(int anchor, int cursor);

    // Every edit, by either form, is an undo step of the line model, which then tells the field (show).
    void replaceSelection(const QString& with, Run run = Run::None)
    {
        m_model.replaceSelection(std::u16string(units(with)), run);
    }
    void show(int start, std::u16string_view removed, std::u16string_view inserted);
    // Carries command out on the line, with the desktop's clipboard.
    void run(Command command);

    // The short line's keys and input go to the toolkit's line edit, which tells the field what it did.
    void passOn(QEvent* event, Run run);
    void followShortCursor();
    // A long line's selection as the focus comes and goes.
    void takeFocusAsTheToolkit(QEvent::Type type, Qt::FocusReason reason);
    void recordShortEdit(const QString& text);

    // After any change to the line, the cursor or the field: scrolls to the cursor, and shows it.
    void refresh();

    bool m_long = false; // first: the line edit's construction already sends the field events
    QLineEdit* m_short;  // the toolkit's line edit, which shows the line while it is short
    // The line, its cursor and anchor, and its undo steps. In the short form the cursor and anchor follow
    // the line edit's, so when it tells of an edit they still hold where they were before it.
    LineModel m_model;
    Run m_passedOn = Run::None;       // the run of the key that the line edit is handling
    LongLineView* m_longView;         // shows a long line, over the field
    QElapsedTimer m_sinceDoubleClick; // a press soon after a double click, and near it, selects the line
    QPoint m_doubleClickAt;
};
