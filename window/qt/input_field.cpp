// The input field, which must stay responsive with a line of megabytes pasted into it: its line, the
// edits and their undo steps, the form the line is shown in, and how a long line looks.
#include "window/qt/input_field.h"

#include "window/form1_behaviour.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionFrame>

#include <algorithm>
#include <limits>
#include <memory>
#include <utility>

// One edit of the line, kept for undo and redo; pushed, it makes the edit.
class FieldStep : public QUndoCommand
{
public:
    FieldStep(InputField& field, int start, int end, QString inserted, InputField::Run run)
        : m_field(field), m_start(start), m_removed(field.m_line.mid(start, end - start)),
          m_inserted(std::move(inserted)), m_anchor(field.m_anchor), m_cursor(field.m_cursor), m_run(run)
    {
    }

    [[nodiscard]] int id() const override { return m_run; }

    // Takes in the next keystroke of the same run, when it carries on where this step left off: typing or
    // Delete at its end, Backspace at its start.
    bool mergeWith(const QUndoCommand* command) override
    {
        return !m_field.m_runEnded && takeIn(static_cast<const FieldStep&>(*command));
    }

    // A removal on its own (a word or a selection deleted, a cut) undoes together with the run of
    // keystrokes right after it, as in the toolkit's line edit; next, made already, becomes part of it.
    [[nodiscard]] bool opensRun() const { return m_run == InputField::NoRun && m_inserted.isEmpty(); }
    bool takeInRun(const FieldStep& next)
    {
        if (!takeIn(next))
            return false;
        m_run = next.m_run;
        return true;
    }

private:
    bool takeIn(const FieldStep& next)
    {
        if (next.m_start == m_start + m_inserted.size()) {
            m_removed += next.m_removed;
            m_inserted += next.m_inserted;
        } else if (next.m_start + next.m_removed.size() == m_start && m_inserted.isEmpty()) {
            m_start = next.m_start;
            m_removed.prepend(next.m_removed);
        } else {
            return false;
        }
        return true;
    }

public:
    void redo() override
    {
        const int end = m_start + static_cast<int>(m_inserted.size());
        m_field.apply(m_start, m_removed, m_inserted, end, end);
    }
    void undo() override { m_field.apply(m_start, m_inserted, m_removed, m_anchor, m_cursor); }

private:
    InputField& m_field;
    int m_start;
    QString m_removed;
    QString m_inserted;
    int m_anchor; // the selection before the edit, where undo puts it back
    int m_cursor;
    InputField::Run m_run;
};

InputField::InputField(QWidget* parent) : QWidget(parent), m_short(new QLineEdit(this))
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
    connect(m_short, &QLineEdit::textChanged, this, &InputField::recordShortEdit);
    connect(m_short, &QLineEdit::cursorPositionChanged, this, &InputField::followShortCursor);
    connect(m_short, &QLineEdit::selectionChanged, this, &InputField::followShortCursor);
}

void InputField::setText(const QString& text)
{
    apply(0, QString(m_line), text, static_cast<int>(text.size()), static_cast<int>(text.size()));
    m_history.clear();
}

void InputField::select(int anchor, int cursor)
{
    if (!m_long)
        return m_short->setSelection(anchor, cursor - anchor); // which the field's cursor follows
    m_anchor = std::clamp(anchor, 0, static_cast<int>(m_line.size()));
    moveTo(cursor, true);
}

void InputField::moveTo(int position, bool select)
{
    position = std::clamp(position, 0, static_cast<int>(m_line.size()));
    if (position != m_cursor || (!select && m_anchor != m_cursor))
        m_runEnded = true;
    m_cursor = position;
    if (!select)
        m_anchor = position;
    refresh();
}

void InputField::replace(int start, int end, const QString& with, Run run)
{
    if (start == end && with.isEmpty())
        return;
    auto step = std::make_unique<FieldStep>(*this, start, end, with, run);
    const int top = m_history.index() - 1;
    if (run != NoRun && !m_runEnded && top >= 0 && top == m_history.count() - 1) {
        // The first keystroke after a removal: its step joins the removal's, whose run it then carries on.
        auto* removal = const_cast<FieldStep*>(static_cast<const FieldStep*>(m_history.command(top)));
        if (removal->opensRun()) {
            step->redo();
            if (removal->takeInRun(*step))
                return;
            step->undo();
        }
    }
    m_history.push(step.release());
    m_runEnded = false;
}

void InputField::apply(int start, const QString& removed, const QString& inserted, int anchor, int cursor)
{
    m_line.replace(start, removed.size(), inserted);
    m_anchor = anchor;
    m_cursor = cursor;
    const bool wasLong = std::exchange(m_long, m_line.size() > kLongLine);
    // The line edit takes the line from the field, unless it made the edit itself.
    if (!m_long && (wasLong || m_short->text() != m_line)) {
        const QSignalBlocker quiet(m_short);
        m_short->setText(m_line);
        m_short->setSelection(anchor, cursor - anchor);
    }
    m_short->setVisible(!m_long);
    m_view.invalidate();
    if (QAccessible::isActive()) {
        QAccessibleTextRemoveEvent gone(this, start, removed);
        QAccessible::updateAccessibility(&gone);
        QAccessibleTextInsertEvent added(this, start, inserted);
        QAccessible::updateAccessibility(&added);
    }
    refresh();
}

void InputField::copy() const
{
    if (m_anchor != m_cursor)
        QGuiApplication::clipboard()->setText(m_line.mid(selectionStart(), selectionEnd() - selectionStart()));
}

void InputField::paste()
{
    replaceSelection(lineOfPastedText(QGuiApplication::clipboard()->text())); // read once: it may be megabytes
}

QString InputField::lineOfPastedText(const QString& text)
{
    const std::u16string_view units(reinterpret_cast<const char16_t*>(text.utf16()),
                                    static_cast<std::size_t>(text.size()));
    return QString::fromStdU16String(form1_behaviour::lineOfPastedText(units));
}

void InputField::travel(bool back)
{
    m_runEnded = true;
    back ? m_history.undo() : m_history.redo();
}

void InputField::passOn(QEvent* event, Run run)
{
    m_passedOn = run;
    m_short->event(event);
    m_passedOn = NoRun;
}

void InputField::followShortCursor()
{
    if (m_long)
        return; // the parked line edit, told of the focus
    const int cursor = m_short->cursorPosition();
    const int start = m_short->selectionStart(); // -1 when nothing is selected
    m_anchor = start < 0 ? cursor : cursor == start ? m_short->selectionEnd() : start;
    moveTo(cursor, true);
}

void InputField::recordShortEdit(const QString& text)
{
    // The stretch the line edit replaced, found from both ends of the line but no further in than the
    // selection was, so that a letter typed or deleted next to its like is placed right.
    const int was = static_cast<int>(m_line.size());
    const int most = std::min(was, static_cast<int>(text.size()));
    int tail = 0;
    while (tail < most && tail < was - selectionEnd() && m_line[was - 1 - tail] == text[text.size() - 1 - tail])
        ++tail;
    int head = 0;
    while (head < most - tail && head < selectionStart() && m_line[head] == text[head])
        ++head;
    replace(head, was - tail, text.mid(head, text.size() - tail - head), m_passedOn);
}

void InputField::refresh()
{
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent moved(this, m_cursor);
        QAccessible::updateAccessibility(&moved);
    }
    // An input method's popup follows the cursor: the field, not its line edit, has the focus.
    updateMicroFocus();
    if (!m_long)
        return m_blink.stop(); // the toolkit's line edit shows a short line's cursor
    m_view.keepVisible(m_line, m_cursor, font(), textLine().width());
    m_cursorShown = true; // after any change the cursor shows at once, then blinks
    const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    if (hasFocus() && flashTime >= 2)
        m_blink.start(flashTime / 2, this);
    else
        m_blink.stop();
    update();
}

QStyleOptionFrame InputField::frameOption() const
{
    QStyleOptionFrame option;
    option.initFrom(this);
    option.rect = contentsRect();
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    return option;
}

QRect InputField::textLine() const
{
    // The style's contents rectangle, less a frame's width either side, with the text centred in it.
    const QStyleOptionFrame option = frameOption();
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const int height = fontMetrics().height();
    const int inset = option.lineWidth;
    return {contents.x() + inset, contents.y() + (contents.height() - height + 1) / 2, contents.width() - 2 * inset,
            height};
}

void InputField::paintEvent(QPaintEvent*)
{
    if (!m_long)
        return; // the toolkit's line edit covers the field
    QPainter painter(this);
    const QStyleOptionFrame option = frameOption();
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setClipRect(style()->subElementRect(QStyle::SE_LineEditContents, &option, this));
    const QRect line = textLine();
    m_view.keepVisible(m_line, m_cursor, font(), line.width()); // lays out again if the font or size changed
    const bool cursorShown =
        hasFocus() && m_cursorShown &&
        (m_anchor == m_cursor || style()->styleHint(QStyle::SH_BlinkCursorWhenTextSelected, &option, this));
    m_view.draw(painter, line.topLeft(), selectionStart(), selectionEnd(), palette(),
                cursorShown ? std::optional(m_cursor) : std::nullopt,
                style()->pixelMetric(QStyle::PM_TextCursorWidth, &option, this));
}

void InputField::resizeEvent(QResizeEvent*)
{
    m_short->setGeometry(rect());
}

void InputField::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_blink.timerId())
        return QWidget::timerEvent(event);
    m_cursorShown = !m_cursorShown;
    update();
}
