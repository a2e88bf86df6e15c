// The input field: keys, input methods, the mouse, its context menu and drops. A short line's keys and
// input go to the toolkit's line edit, but for undo, redo and paste, which reach across the two forms.
#include "window/qt/input_field.h"

#include "window/form1_behaviour.h"

#include "window/qt/text_boundaries.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QIcon>
#include <QMenu>
#include <QMimeData>

namespace {

// The toolkit's rule for a key that types text.
bool typesText(const QKeyEvent& event)
{
    const QString text = event.text();
    if (text.isEmpty() || (event.modifiers() & Qt::ControlModifier))
        return false;
    const QChar c = text.front();
    return c.isPrint() || c.category() == QChar::Other_Format || c.category() == QChar::Other_PrivateUse ||
           c.isHighSurrogate();
}

} // namespace

bool InputField::event(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
        m_short->event(event); // its cursor blinks, and its selection shows, while the field has the focus
        if (m_long)
            takeFocusAsTheToolkit(type, static_cast<QFocusEvent*>(event)->reason());
        refresh();
    } else if (!m_long && (type == QEvent::ShortcutOverride || type == QEvent::KeyRelease)) {
        return m_short->event(event);
    }
    return QWidget::event(event); // key presses go to keyPressEvent, once Tab has moved the focus on
}

void InputField::takeFocusAsTheToolkit(QEvent::Type type, Qt::FocusReason reason)
{
    // As the toolkit's line edit does: Tab, Shift+Tab or a shortcut into the field selects the whole
    // line, unless part of it is selected; the focus leaving for another control drops the selection,
    // but not for another window or a popup (its own context menu among them).
    const bool byKey =
        reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
    if (type == QEvent::FocusIn && byKey && !m_model.hasSelection())
        select(0, m_model.size());
    else if (type == QEvent::FocusOut && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        select(m_model.cursor(), m_model.cursor());
}

void InputField::keyPressEvent(QKeyEvent* event)
{
    const bool selected = m_model.hasSelection();
    const bool backspace = event->key() == Qt::Key_Backspace && !(event->modifiers() & Qt::ControlModifier);
    const Run run = typesText(*event)                      ? Run::Typing
                    : selected                             ? Run::None
                    : backspace                            ? Run::Backspace
                    : event->matches(QKeySequence::Delete) ? Run::Delete
                                                           : Run::None;
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo))
        travel(event->matches(QKeySequence::Undo));
    else if (event->matches(QKeySequence::Paste))
        paste();
    else if (!m_long)
        passOn(event, run); // which leaves Enter, Escape and the like ignored, for the window
    else if (!editLongLine(event, run))
        event->ignore();
}

bool InputField::editLongLine(QKeyEvent* event, Run run)
{
    using Key = QKeySequence;
    const auto is = [event](Key::StandardKey key) { return event->matches(key); };
    const auto to = [this](bool forward, QTextLayout::CursorMode mode) {
        return moveInLine(line(), m_model.cursor(), forward, mode);
    };
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool selected = m_model.hasSelection();
    // With a selection, Left and Right go to its ends; on the Windows key scheme, the one that binds Ctrl+Y
    // to redo, they move from the cursor instead, as in the toolkit's line edit.
    const bool toEnds = selected && !shift && !Key::keyBindings(Key::Redo).contains(Key(Qt::CTRL | Qt::Key_Y));

    if (is(Key::Copy))
        copy();
    else if (is(Key::Cut))
        cut();
    else if (is(Key::SelectAll))
        select(0, m_model.size());
    else if (is(Key::MoveToNextChar) || is(Key::SelectNextChar))
        moveTo(toEnds ? selectionEnd() : to(true, QTextLayout::SkipCharacters), shift);
    else if (is(Key::MoveToPreviousChar) || is(Key::SelectPreviousChar))
        moveTo(toEnds ? selectionStart() : to(false, QTextLayout::SkipCharacters), shift);
    else if (is(Key::MoveToNextWord) || is(Key::SelectNextWord))
        moveTo(to(true, QTextLayout::SkipWords), shift);
    else if (is(Key::MoveToPreviousWord) || is(Key::SelectPreviousWord))
        moveTo(to(false, QTextLayout::SkipWords), shift);
    else if (is(Key::MoveToStartOfLine) || is(Key::SelectStartOfLine))
        moveTo(0, shift);
    else if (is(Key::MoveToEndOfLine) || is(Key::SelectEndOfLine))
        moveTo(m_model.size(), shift);
    else if (is(Key::DeleteStartOfWord) || is(Key::DeleteEndOfWord)) {
        if (!selected) // else the selection goes
            moveTo(to(is(Key::DeleteEndOfWord), QTextLayout::SkipWords), true);
        replaceSelection({});
    } else if (run == Run::Typing)
        replaceSelection(event->text(), Run::Typing);
    else if (run == Run::Delete)
        replace(m_model.cursor(), to(true, QTextLayout::SkipCharacters), {}, Run::Delete);
    else if (run == Run::Backspace) // one code unit, or a whole surrogate pair
        replace(m_model.previousCharacter(m_model.cursor()), m_model.cursor(), {}, Run::Backspace);
    else if (selected && (is(Key::Delete) || event->key() == Qt::Key_Backspace))
        replaceSelection({});
    else
        return false;
    return true;
}

void InputField::inputMethodEvent(QInputMethodEvent* event)
{
    if (!m_long)
        return passOn(event, Run::Typing);
    if (!event->commitString().isEmpty()) // a pre-edit text is not shown
        replaceSelection(event->commitString(), Run::Typing);
    event->accept();
}

QVariant InputField::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (!m_long)
        return m_short->inputMethodQuery(query);
    // An input method reads the text around the cursor, never the whole of a long line: a stretch of it,
    // which starts and ends between characters, with the cursor and the anchor counted inside it.
    constexpr int kSurroundingSide = 1024;
    const QStringView line = this->line();
    const int cursor = m_model.cursor();
    const auto isLow = [line](int at) { return at > 0 && at < line.size() && line[at].isLowSurrogate(); };
    int from = std::max(0, cursor - kSurroundingSide);
    int to = std::min(m_model.size(), cursor + kSurroundingSide);
    from -= isLow(from) ? 1 : 0;
    to += isLow(to) ? 1 : 0;
    switch (query) {
    case Qt::ImCursorRectangle: {
        const QRect place = textLine(); // where an input method puts its window
        return QRect(place.left() + qRound(m_view.xOf(cursor).value_or(0)), place.top(), 1, place.height());
    }
    case Qt::ImSurroundingText:
        return line.sliced(from, to - from).toString();
    case Qt::ImCursorPosition:
        return cursor - from;
    case Qt::ImAnchorPosition:
        return std::clamp(m_model.anchor(), from, to) - from;
    case Qt::ImCurrentSelection: {
        const int start = std::clamp(selectionStart(), from, to);
        return line.sliced(start, std::clamp(selectionEnd(), from, to) - start).toString();
    }
    case Qt::ImTextBeforeCursor:
        return line.sliced(from, cursor - from).toString();
    case Qt::ImTextAfterCursor:
        return line.sliced(cursor, to - cursor).toString();
    default:
        return QWidget::inputMethodQuery(query);
    }
}

int InputField::positionAt(QPoint point) const
{
    return m_long ? m_view.positionAt(point.x() - textLine().left()) : m_short->cursorPositionAt(point);
}

void InputField::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() != Qt::LeftButton)
        return;
    if (m_sinceDoubleClick.isValid() && !m_sinceDoubleClick.hasExpired(QApplication::doubleClickInterval()) &&
        (point - m_doubleClickAt).manhattanLength() < QApplication::startDragDistance())
        select(0, m_model.size());
    else
        moveTo(positionAt(point), event->modifiers() & Qt::ShiftModifier);
}

void InputField::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        moveTo(positionAt(event->position().toPoint()), true);
}

void InputField::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_doubleClickAt = event->position().toPoint();
    const auto [start, end] = wordAt(line(), positionAt(m_doubleClickAt));
    select(start, end);
    m_sinceDoubleClick.start();
}

void InputField::contextMenuEvent(QContextMenuEvent* event)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // With the desktop's icons for these commands, as every other field's menu has them.
    const auto add = [this, menu](const QString& text, const char* icon, QKeySequence::StandardKey key, bool enabled,
                                  auto slot) {
        QAction* action = menu->addAction(QIcon::fromTheme(QLatin1String(icon)), text, this, slot);
        action->setShortcut(key);
        action->setEnabled(enabled);
    };
    const bool selected = m_model.hasSelection();
    add(tr("&Undo"), "edit-undo", QKeySequence::Undo, m_model.canUndo(), [this] { travel(true); });
    add(tr("&Redo"), "edit-redo", QKeySequence::Redo, m_model.canRedo(), [this] { travel(false); });
    menu->addSeparator();
    add(tr("Cu&t"), "edit-cut", QKeySequence::Cut, selected, [this] { cut(); });
    add(tr("&Copy"), "edit-copy", QKeySequence::Copy, selected, [this] { copy(); });
    // Whether the clipboard offers text, asked without copying it here: it may be megabytes.
    const QMimeData* offered = QGuiApplication::clipboard()->mimeData();
    add(tr("&Paste"), "edit-paste", QKeySequence::Paste, offered != nullptr && offered->hasText(), [this] { paste(); });
    add(tr("Delete"), "edit-delete", QKeySequence::Delete, selected, [this] { replaceSelection({}); });
    menu->addSeparator();
    add(tr("Select All"), "edit-select-all", QKeySequence::SelectAll,
        selectionEnd() - selectionStart() < m_model.size(), [this] { select(0, m_model.size()); });
    menu->popup(event->globalPos());
}

void InputField::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasText())
        event->acceptProposedAction();
}

void InputField::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    const int at = positionAt(event->position().toPoint());
    select(at, at); // as in the toolkit's line edit, the drop moves the cursor first
    const QString dropped = event->mimeData()->text();
    m_model.replace(at, at, form1_behaviour::lineOfPastedText(std::u16string(units(dropped))));
}
