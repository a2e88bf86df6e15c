// The input field, which must stay responsive with a line of megabytes pasted into it: its line, the
// edits and their undo steps, and the form the line is shown in.
#include "window/qt/input_field.h"

#include "window/qt/toolkit_keys.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QSignalBlocker>

#include <algorithm>
#include <limits>
#include <utility>

InputField::InputField(QWidget* parent)
    : QWidget(parent), m_short(new QLineEdit(this)), m_longView(new LongLineView(m_model, *m_short, this))
{
    static const bool described = (QAccessible::installFactory(&InputField::accessibleFor), true);
    (void)described;
    setFocusPolicy(m_short->focusPolicy());
    setSizePolicy(m_short->sizePolicy());
    setAttribute(Qt::WA_InputMethodEnabled);
    setAcceptDrops(true);
    setCursor(Qt::IBeamCursor);
    m_short->setMaxLength(std::numeric_limits<int>::max()); // Qt's default of 32767 would cut a pasted line
    m_short->setFocusProxy(this); // the field takes the focus and the keys, and passes them on
    // Its menu and drops are the field's, whose undo and paste reach across the two forms.
    m_short->setContextMenuPolicy(Qt::NoContextMenu);
    m_short->setAcceptDrops(false);
    m_longView->hide();
    connect(m_short, &QLineEdit::textChanged, this, &InputField::recordShortEdit);
    connect(m_short, &QLineEdit::cursorPositionChanged, this, &InputField::followShortCursor);
    connect(m_short, &QLineEdit::selectionChanged, this, &InputField::followShortCursor);
    m_model.onChange([this](int start, std::u16string_view removed, std::u16string_view inserted) {
        show(start, removed, inserted);
    });
}

void InputField::setText(const QString& text)
{
    m_model.setLine(text.toStdU16String());
}

void InputField::select(int anchor, int cursor)
{
    if (!m_long)
        return m_short->setSelection(anchor, cursor - anchor); // which the field's cursor follows
    m_model.select(anchor, cursor);
    refresh();
}

void InputField::show(int start, std::u16string_view removed, std::u16string_view inserted)
{
    const bool wasLong = std::exchange(m_long, m_model.size() > kLongLine);
    // The line edit takes the line from the field, unless it made the edit itself.
    if (!m_long && (wasLong || m_short->text() != line())) {
        const QSignalBlocker quiet(m_short);
        m_short->setText(line().toString());
        m_short->setSelection(m_model.anchor(), m_model.cursor() - m_model.anchor());
    }
    if (m_long && !wasLong) {
        const QSignalBlocker quiet(m_short);
        m_short->clear(); // empty while hidden: textLine() asks it where its text starts
    }
    m_short->setVisible(!m_long);
    m_longView->setVisible(m_long);
    m_longView->invalidate();
    if (QAccessible::isActive()) {
        QAccessibleTextRemoveEvent gone(this, start, QStringView(removed).toString());
        QAccessible::updateAccessibility(&gone);
        QAccessibleTextInsertEvent added(this, start, QStringView(inserted).toString());
        QAccessible::updateAccessibility(&added);
    }
    refresh();
}

namespace {

// The desktop's clipboard, read once for a paste: it may hold megabytes.
class DesktopClipboard : public Clipboard
{
public:
    std::optional<std::u16string> text() override
    {
        const QString text = QGuiApplication::clipboard()->text();
        return std::u16string(InputField::units(text));
    }
    void setText(std::u16string text) override
    {
        QGuiApplication::clipboard()->setText(QString::fromStdU16String(text));
    }
};

} // namespace

void InputField::run(Command command)
{
    DesktopClipboard clipboard;
    ::run(command, m_model, toolkitKeyRules().conventions, clipboard);
    if (!m_long) // the line edit shows a short line's selection
        m_short->setSelection(m_model.anchor(), m_model.cursor() - m_model.anchor());
    refresh(); // a command that only moves the cursor changes no text, so nothing showed it yet
}

void InputField::passOn(QEvent* event, Run run)
{
    m_passedOn = run;
    m_short->event(event);
    m_passedOn = Run::None;
}

void InputField::followShortCursor()
{
    if (m_long)
        return; // the parked line edit, told of the focus
    const int cursor = m_short->cursorPosition();
    const int start = m_short->selectionStart(); // -1 when nothing is selected
    m_model.select(start < 0 ? cursor : cursor == start ? m_short->selectionEnd() : start, cursor);
    refresh();
}

void InputField::recordShortEdit(const QString& text)
{
    Stretch whole{0, m_model.size()};
    takeBoxEdit(m_model, whole, units(text), m_passedOn);
}

void InputField::refresh()
{
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent moved(this, m_model.cursor());
        QAccessible::updateAccessibility(&moved);
    }
    // An input method's popup follows the cursor: the field, not its line edit, has the focus.
    updateMicroFocus();
    if (!m_long)
        return m_longView->stopBlinking(); // the toolkit's line edit shows a short line's cursor
    m_longView->follow();
}

void InputField::resizeEvent(QResizeEvent*)
{
    m_short->setGeometry(rect());
    m_longView->setGeometry(rect());
}
