// The input field, which must stay responsive with a line of megabytes pasted into it: the line in
// either form, its edits, and the switch between the two forms.
#include "window/qt/input_field.h"

#include "window/qt/input_field_accessible.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionFrame>

#include <algorithm>
#include <limits>

namespace {

// Edits up to this size change the long line in place; larger ones build it anew at its final size,
// since growing it in place would reserve half as much again.
constexpr int kSmallEdit = 4096;

using Switch = TextEdit::Switch;

} // namespace

InputField::InputField(QWidget* parent) : QWidget(parent), m_short(new QLineEdit(this))
{
    static const bool described = [] {
        QAccessible::installFactory(inputFieldInterface);
        return true;
    }();
    (void)described;
    setFocusPolicy(m_short->focusPolicy());
    setSizePolicy(m_short->sizePolicy());
    setAttribute(Qt::WA_InputMethodEnabled);
    setAcceptDrops(true);
    setCursor(Qt::IBeamCursor);
    m_short->setMaxLength(std::numeric_limits<int>::max()); // Qt's default of 32767 would cut a pasted line
    m_short->setFocusProxy(this); // the field takes the focus and the keys, and passes them on
    m_short->installEventFilter(this);
    connect(m_short, &QLineEdit::textChanged, this, &InputField::onShortTextChanged);
    // Screen readers follow the field, which has the focus, rather than the line edit inside it.
    connect(m_short, &QLineEdit::cursorPositionChanged, this, &InputField::keepCursorVisible);
}


void InputField::setText(const QString& text)
{
    m_history.clear();
    if (text.size() > kLongLine) {
        m_line = text;
        m_cursor = m_anchor = static_cast<int>(text.size());
        showLong(true);
        m_view.invalidate();
        keepCursorVisible();
        update();
        return;
    }
    m_applying = true;
    m_short->setText(text);
    m_applying = false;
    m_line.clear();
    showLong(false);
}




int InputField::anchor() const
{
    if (m_long)
        return m_anchor;
    if (!m_short->hasSelectedText())
        return m_short->cursorPosition();
    return m_short->cursorPosition() == m_short->selectionStart() ? m_short->selectionEnd() : m_short->selectionStart();
}

void InputField::select(int anchor, int cursor)
{
    if (!m_long) {
        m_short->setSelection(anchor, cursor - anchor);
        return;
    }
    m_anchor = std::clamp(anchor, 0, length());
    moveTo(cursor, true);
}

bool InputField::wouldBeLong(const QString& inserted) const
{
    return length() - (selectionEnd() - selectionStart()) + inserted.size() > kLongLine;
}

void InputField::replaceSelection(const QString& with, EditHistory::Run run)
{
    replace(selectionStart(), selectionEnd(), with, run);
}

void InputField::replace(int start, int end, const QString& with, EditHistory::Run run)
{
    if (start == end && with.isEmpty())
        return;
    if (!m_long && length() - (end - start) + with.size() <= kLongLine) {
        m_short->setSelection(start, end - start); // the toolkit's own edit and undo step
        m_short->insert(with);
        return;
    }
    TextEdit step{start, {}, with, cursor(), anchor()};
    if (!m_long) {
        step.crossing = Switch::ToLong;
        step.shortSide = m_short->text();
        enterLong();
    }
    step.removed = m_line.mid(start, end - start);
    apply(start, end, with);
    const bool shrunk = step.crossing == Switch::None && m_line.size() <= kLongLine / 2;
    if (shrunk) {
        step.crossing = Switch::ToShort;
        step.shortSide = m_line;
    }
    m_history.record(std::move(step), run);
    if (shrunk)
        showShortLine();
    else
        keepCursorVisible();
}

void InputField::apply(int start, int end, const QString& with)
{
    const QString removed = QAccessible::isActive() ? m_line.mid(start, end - start) : QString();
    if (end - start + with.size() <= kSmallEdit) {
        m_line.replace(start, end - start, with);
    } else {
        QString changed;
        changed.reserve(m_line.size() - (end - start) + with.size());
        changed.append(QStringView(m_line).first(start)).append(with).append(QStringView(m_line).sliced(end));
        m_line = std::move(changed);
    }
    m_cursor = m_anchor = start + static_cast<int>(with.size());
    m_view.invalidate();
    tellScreenReaders(start, removed, with);
    restartBlink();
    update();
}

void InputField::travel(bool back)
{
    // The step that, undone or redone, takes a short line long; the one that takes a long line short.
    const Switch lengthens = back ? Switch::ToShort : Switch::ToLong;
    const Switch shortens = back ? Switch::ToLong : Switch::ToShort;
    if (!m_long) {
        const TextEdit* next = back ? m_history.nextUndo() : m_history.nextRedo();
        const bool itsOwn = back ? m_short->isUndoAvailable() : m_short->isRedoAvailable();
        if (itsOwn || !next || next->crossing != lengthens || next->shortSide != m_short->text()) {
            back ? m_short->undo() : m_short->redo();
            return;
        }
        enterLong();
    }
    const auto step = back ? m_history.undo() : m_history.redo();
    if (!step)
        return;
    const QString& now = back ? step->inserted : step->removed;
    apply(step->position, step->position + static_cast<int>(now.size()), back ? step->removed : step->inserted);
    if (back) {
        m_anchor = step->anchor;
        m_cursor = step->cursor;
    }
    if (step->crossing != shortens) {
        keepCursorVisible();
        return;
    }
    showShortLine();
    if (back && step->removed.isEmpty() && step->inserted.isEmpty())
        m_short->undo(); // the line edit itself made the line long: its own step goes back
}

void InputField::paste(QClipboard::Mode mode)
{
    const QString clip = QGuiApplication::clipboard()->text(mode); // read once: it may be megabytes
    if (!m_long && !wouldBeLong(clip)) {
        m_short->paste(); // the toolkit's own paste and undo step
        return;
    }
    if (clip.isEmpty() && selectionStart() == selectionEnd())
        return;
    m_history.endRun();
    replaceSelection(clip);
}

void InputField::copy(QClipboard::Mode mode) const
{
    if (selectionStart() != selectionEnd() &&
        (mode == QClipboard::Clipboard || QGuiApplication::clipboard()->supportsSelection()))
        QGuiApplication::clipboard()->setText(mid(selectionStart(), selectionEnd()), mode);
}

void InputField::cut()
{
    copy(QClipboard::Clipboard);
    replaceSelection({});
}

void InputField::enterLong()
{
    m_anchor = anchor();
    m_cursor = cursor();
    m_line = m_short->text();
    showLong(true);
}

void InputField::showShortLine()
{
    if (m_short->text() != m_line) {
        m_applying = true;
        m_short->setText(m_line);
        m_applying = false;
    }
    m_short->setSelection(m_anchor, m_cursor - m_anchor);
    m_line.clear();
    showLong(false);
}

void InputField::onShortTextChanged(const QString& text)
{
    if (QAccessible::isActive() && !m_long) {
        QAccessibleTextUpdateEvent updated(this, 0, m_told, text);
        QAccessible::updateAccessibility(&updated);
    }
    m_told = m_long ? QString() : text;
    if (m_applying || m_long || text.size() <= kLongLine)
        return;
    // Typed or dropped past the limit by the toolkit's line edit itself. An empty step marks the switch,
    // so that undo goes back through it to that line edit's own steps.
    const int at = cursor();
    TextEdit step{at, {}, {}, at, anchor(), Switch::ToLong, text};
    enterLong();
    m_history.record(std::move(step), EditHistory::Run::None);
}

void InputField::showLong(bool on)
{
    if (m_long == on)
        return;
    m_long = on;
    // The line edit keeps its selection and undo steps while it is parked.
    if (hasFocus()) {
        QFocusEvent focus(on ? QEvent::FocusOut : QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        m_short->event(&focus);
    }
    m_short->setVisible(!on);
    m_view.invalidate();
    if (on)
        keepCursorVisible();
    restartBlink();
    update();
}

void InputField::tellScreenReaders(int start, const QString& removed, const QString& inserted)
{
    if (!QAccessible::isActive())
        return;
    if (!removed.isEmpty()) {
        QAccessibleTextRemoveEvent event(this, start, removed);
        QAccessible::updateAccessibility(&event);
    }
    if (!inserted.isEmpty()) {
        QAccessibleTextInsertEvent event(this, start, inserted);
        QAccessible::updateAccessibility(&event);
    }
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

QRect InputField::cursorRectangle() const
{
    const QRect line = textLine();
    const int x = line.left() + qRound(m_view.xOf(m_cursor).value_or(0));
    const int width = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
    return {x - width, line.top(), 3 * width, line.height()};
}

void InputField::keepCursorVisible()
{
    if (m_long)
        m_view.keepVisible(m_line, m_cursor, font(), layoutDirection(), textLine().width());
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent moved(this, cursor());
        QAccessible::updateAccessibility(&moved);
    }
}

void InputField::restartBlink()
{
    m_cursorShown = true;
    const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    if (m_long && hasFocus() && flashTime >= 2)
        m_blink.start(flashTime / 2, this);
    else
        m_blink.stop();
}

void InputField::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_blink.timerId()) {
        m_cursorShown = !m_cursorShown;
        update(cursorRectangle());
    } else if (event->timerId() == m_tripleClick.timerId()) {
        m_tripleClick.stop();
    }
}

void InputField::resizeEvent(QResizeEvent*)
{
    m_short->setGeometry(rect());
    m_view.invalidate();
    keepCursorVisible();
}

void InputField::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_view.invalidate();
        keepCursorVisible();
    }
    QWidget::changeEvent(event);
}

void InputField::paintEvent(QPaintEvent*)
{
    if (!m_long)
        return; // the toolkit's line edit covers the field
    QPainter painter(this);
    const QStyleOptionFrame option = frameOption();
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    const QRect line = textLine();
    painter.setClipRect(style()->subElementRect(QStyle::SE_LineEditContents, &option, this));
    const bool selected = m_anchor != m_cursor;
    const bool cursorShown = hasFocus() && m_cursorShown &&
                             (!selected || style()->styleHint(QStyle::SH_BlinkCursorWhenTextSelected, &option, this));
    m_view.draw(painter, {line.topLeft(), line, selectionStart(), selectionEnd(), palette(),
                          cursorShown ? std::optional<int>(m_cursor) : std::nullopt,
                          style()->pixelMetric(QStyle::PM_TextCursorWidth, &option, this)});
}
