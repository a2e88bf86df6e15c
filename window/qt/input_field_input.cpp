// The input field: keys, input methods, the mouse, its context menu and drops. A short line's come to
// the toolkit's line edit, but for the few that would make the line long or reach the long line's steps.
#include "window/qt/input_field.h"

#include "window/qt/text_boundaries.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

#include <algorithm>

namespace {

// With a selection, Left and Right go to its ends; on the Windows keyboard scheme, the one that binds
// Ctrl+Y to redo, they move from the cursor instead, as the toolkit's line edit does.
bool arrowsCollapseSelection()
{
    return !QKeySequence::keyBindings(QKeySequence::Redo).contains(QKeySequence(Qt::CTRL | Qt::Key_Y));
}

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
        if (!m_long)
            m_short->event(event); // its cursor blinks, and its selection shows, while the field has the focus
        restartBlink();
        update();
        return QWidget::event(event);
    }
    const bool passedOn = type == QEvent::ShortcutOverride || type == QEvent::KeyPress || type == QEvent::KeyRelease ||
                          type == QEvent::InputMethod;
    if (m_long || !passedOn)
        return QWidget::event(event);
    if (type == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return QWidget::event(event); // the focus moves on
        // Undo and redo may reach the long line's steps; a paste may make the line long.
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            key->matches(QKeySequence::Paste)) {
            keyPressEvent(key);
            return true;
        }
    }
    m_short->event(event);
    return true;
}

bool InputField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_short || m_long)
        return false;
    switch (event->type()) {
    case QEvent::ContextMenu:
        // The toolkit's own menu, unless its paste would make the line long or its undo and redo would
        // miss the long line's steps.
        if (!wouldBeLong(QGuiApplication::clipboard()->text()) && !m_history.nextUndo() && !m_history.nextRedo())
            return false;
        contextMenuEvent(static_cast<QContextMenuEvent*>(event));
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (length() + drop->mimeData()->text().size() <= kLongLine)
            return false;
        dropEvent(drop);
        return true;
    }
    default:
        return false;
    }
}

bool InputField::editLongLine(QKeyEvent* event)
{
    using Run = EditHistory::Run;
    using Key = QKeySequence;
    const int at = m_cursor;
    const int size = length();
    const bool selected = m_anchor != m_cursor;
    const bool collapse = selected && arrowsCollapseSelection();
    const auto removeTo = [&](int to) { // the selection, or from the cursor to a word's edge
        if (!selected)
            moveTo(to, true);
        replaceSelection({});
    };
    const auto is = [event](QKeySequence::StandardKey key) { return event->matches(key); };

    if (is(Key::Undo))
        undo();
    else if (is(Key::Redo))
        redo();
    else if (is(Key::Copy))
        copy(QClipboard::Clipboard);
    else if (is(Key::Paste))
        paste(QClipboard::Clipboard);
    else if (is(Key::Cut))
        cut();
    else if (is(Key::SelectAll))
        select(0, size);
    else if (is(Key::MoveToNextChar))
        moveTo(collapse ? selectionEnd() : nextCharacter(m_line, at), false);
    else if (is(Key::MoveToPreviousChar))
        moveTo(collapse ? selectionStart() : previousCharacter(m_line, at), false);
    else if (is(Key::SelectNextChar))
        moveTo(nextCharacter(m_line, at), true);
    else if (is(Key::SelectPreviousChar))
        moveTo(previousCharacter(m_line, at), true);
    else if (is(Key::MoveToNextWord) || is(Key::SelectNextWord))
        moveTo(nextWord(m_line, at), is(Key::SelectNextWord));
    else if (is(Key::MoveToPreviousWord) || is(Key::SelectPreviousWord))
        moveTo(previousWord(m_line, at), is(Key::SelectPreviousWord));
    else if (is(Key::MoveToStartOfLine) || is(Key::MoveToStartOfBlock) || is(Key::SelectStartOfLine) ||
             is(Key::SelectStartOfBlock))
        moveTo(0, is(Key::SelectStartOfLine) || is(Key::SelectStartOfBlock));
    else if (is(Key::MoveToEndOfLine) || is(Key::MoveToEndOfBlock) || is(Key::SelectEndOfLine) ||
             is(Key::SelectEndOfBlock))
        moveTo(size, is(Key::SelectEndOfLine) || is(Key::SelectEndOfBlock));
    else if (is(Key::DeleteEndOfWord))
        removeTo(nextWord(m_line, at));
    else if (is(Key::DeleteStartOfWord) ||
             (event->key() == Qt::Key_Backspace && event->modifiers() == Qt::ControlModifier))
        removeTo(previousWord(m_line, at));
    else if (selected && (is(Key::Delete) || event->key() == Qt::Key_Backspace))
        replaceSelection({});
    else if (is(Key::Delete))
        replace(at, nextCharacter(m_line, at), {}, Run::Delete);
    else if (event->key() == Qt::Key_Backspace) // one code unit, or a whole surrogate pair
        replace(at > 1 && m_line[at - 1].isLowSurrogate() && m_line[at - 2].isHighSurrogate() ? at - 2
                                                                                               : std::max(0, at - 1),
                at, {}, Run::Backspace);
    else if (typesText(*event))
        replaceSelection(event->text(), Run::Typing);
    else
        return false;
    return true;
}

void InputField::keyPressEvent(QKeyEvent* event)
{
    // A short line's keys come here only when event() keeps them from the toolkit's line edit.
    bool handled = true;
    if (m_long)
        handled = editLongLine(event);
    else if (event->matches(QKeySequence::Paste))
        paste(QClipboard::Clipboard);
    else if (event->matches(QKeySequence::Undo))
        undo();
    else if (event->matches(QKeySequence::Redo))
        redo();
    else
        handled = m_short->event(event) && event->isAccepted();
    if (!handled) {
        event->ignore(); // Enter, Escape and the like are the window's
        return;
    }
    event->accept();
    copy(QClipboard::Selection); // as the toolkit's line edit does after every key it handles
    restartBlink();
}

void InputField::inputMethodEvent(QInputMethodEvent* event)
{
    // The committed text, over the selection or the stretch the input method names.
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        const bool selected = m_anchor != m_cursor;
        const int start = selected ? selectionStart() : std::clamp(m_cursor + event->replacementStart(), 0, length());
        const int end = selected ? selectionEnd() : std::min(length(), start + event->replacementLength());
        replace(start, end, event->commitString(), EditHistory::Run::Typing);
    }
    event->accept();
}

QVariant InputField::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (!m_long)
        return m_short->inputMethodQuery(query);
    if (query == Qt::ImCursorRectangle || query == Qt::ImAnchorRectangle)
        return cursorRectangle();
    return query == Qt::ImEnabled ? QVariant(true) : QWidget::inputMethodQuery(query);
}

int InputField::positionAt(const QPoint& point) const
{
    if (!m_long)
        return m_short->cursorPositionAt(point);
    return m_view.positionAt(m_line, point.x() - textLine().left());
}

QRect InputField::characterRect(int position) const
{
    if (!m_long) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(m_short);
        return face && face->textInterface() ? face->textInterface()->characterRect(position) : QRect();
    }
    const auto left = m_view.xOf(position);
    const auto right = m_view.xOf(nextCharacter(m_line, position));
    if (position < 0 || position >= length() || !left || !right)
        return {};
    const QRect line = textLine();
    return {mapToGlobal(QPoint(line.left() + qRound(*left), line.top())), QSize(qRound(*right - *left), line.height())};
}

void InputField::moveTo(int position, bool select)
{
    position = std::clamp(position, 0, length());
    if (position != m_cursor || (!select && m_anchor != m_cursor))
        m_history.endRun();
    m_cursor = position;
    if (!select)
        m_anchor = position;
    keepCursorVisible();
    restartBlink();
    update();
}

void InputField::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_tripleClick.isActive() &&
        (point - m_tripleClickAt).manhattanLength() < QApplication::startDragDistance())
        select(0, length());
    else if (event->button() == Qt::LeftButton)
        moveTo(positionAt(point), event->modifiers() & Qt::ShiftModifier);
}

void InputField::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        moveTo(positionAt(event->position().toPoint()), true);
}

void InputField::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        copy(QClipboard::Selection);
}

void InputField::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    const TextRange word = wordAt(m_line, positionAt(point));
    select(word.start, word.end);
    m_tripleClick.start(QApplication::doubleClickInterval(), this);
    m_tripleClickAt = point;
}

QMenu* InputField::makeContextMenu()
{
    auto* menu = new QMenu(this);
    const bool selected = selectionStart() != selectionEnd();
    const bool canUndo = m_long ? m_history.nextUndo() != nullptr : m_short->isUndoAvailable() || m_history.nextUndo();
    const bool canRedo = m_long ? m_history.nextRedo() != nullptr : m_short->isRedoAvailable() || m_history.nextRedo();
    const auto add = [this, menu](const QString& text, QKeySequence::StandardKey key, bool enabled, auto slot) {
        QAction* action = menu->addAction(text, this, slot);
        action->setShortcut(key);
        action->setEnabled(enabled);
    };
    add(tr("&Undo"), QKeySequence::Undo, canUndo, [this] { undo(); });
    add(tr("&Redo"), QKeySequence::Redo, canRedo, [this] { redo(); });
    menu->addSeparator();
    add(tr("Cu&t"), QKeySequence::Cut, selected, [this] { cut(); });
    add(tr("&Copy"), QKeySequence::Copy, selected, [this] { copy(QClipboard::Clipboard); });
    add(tr("&Paste"), QKeySequence::Paste, !QGuiApplication::clipboard()->text().isEmpty(),
        [this] { paste(QClipboard::Clipboard); });
    add(tr("Delete"), QKeySequence::Delete, selected, [this] { replaceSelection({}); });
    menu->addSeparator();
    add(tr("Select All"), QKeySequence::SelectAll, length() > 0, [this] { select(0, length()); });
    return menu;
}

void InputField::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = makeContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void InputField::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasText())
        event->acceptProposedAction();
}

void InputField::dropEvent(QDropEvent* event)
{
    const QString dropped = event->mimeData()->text();
    if (dropped.isNull()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    const int at = positionAt(event->position().toPoint());
    select(at, at); // as the toolkit's line edit, the drop moves the cursor first
    m_history.endRun();
    replace(at, at, dropped);
}
