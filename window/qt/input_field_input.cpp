// The input field: keys, input methods, the mouse, its context menu and drops. A short line's keys and
// input go to the toolkit's line edit, but for undo, redo and paste, which reach across the two forms.
#include "window/qt/input_field.h"

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
    if (type == QEvent::FocusIn && byKey && m_anchor == m_cursor)
        select(0, static_cast<int>(m_line.size()));
    else if (type == QEvent::FocusOut && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        select(m_cursor, m_cursor);
}

void InputField::keyPressEvent(QKeyEvent* event)
{
    const bool selected = m_anchor != m_cursor;
    const bool backspace = event->key() == Qt::Key_Backspace && !(event->modifiers() & Qt::ControlModifier);
    const Run run = typesText(*event)                      ? Typing
                    : selected                             ? NoRun
                    : backspace                            ? Backspace
                    : event->matches(QKeySequence::Delete) ? Delete
                                                           : NoRun;
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
        return moveInLine(m_line, m_cursor, forward, mode);
    };
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool selected = m_anchor != m_cursor;
    // With a selection, Left and Right go to its ends; on the Windows key scheme, the one that binds Ctrl+Y
    // to redo, they move from the cursor instead, as in the toolkit's line edit.
    const bool toEnds = selected && !shift && !Key::keyBindings(Key::Redo).contains(Key(Qt::CTRL | Qt::Key_Y));

    if (is(Key::Copy))
        copy();
    else if (is(Key::Cut))
        cut();
    else if (is(Key::SelectAll))
        select(0, static_cast<int>(m_line.size()));
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
        moveTo(static_cast<int>(m_line.size()), shift);
    else if (is(Key::DeleteStartOfWord) || is(Key::DeleteEndOfWord)) {
        if (!selected) // else the selection goes
            moveTo(to(is(Key::DeleteEndOfWord), QTextLayout::SkipWords), true);
        replaceSelection({});
    } else if (run == Typing)
        replaceSelection(event->text(), Typing);
    else if (run == Delete)
        replace(m_cursor, to(true, QTextLayout::SkipCharacters), {}, Delete);
    else if (run == Backspace) { // one code unit, or a whole surrogate pair
        const bool pair =
            m_cursor > 1 && m_line[m_cursor - 1].isLowSurrogate() && m_line[m_cursor - 2].isHighSurrogate();
        replace(std::max(0, m_cursor - (pair ? 2 : 1)), m_cursor, {}, Backspace);
    } else if (selected && (is(Key::Delete) || event->key() == Qt::Key_Backspace))
        replaceSelection({});
    else
        return false;
    return true;
}

void InputField::inputMethodEvent(QInputMethodEvent* event)
{
    if (!m_long)
        return passOn(event, Typing);
    if (!event->commitString().isEmpty()) // a pre-edit text is not shown
        replaceSelection(event->commitString(), Typing);
    event->accept();
}

QVariant InputField::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (!m_long)
        return m_short->inputMethodQuery(query);
    // An input method reads the text around the cursor, never the whole of a long line: a stretch of it,
    // which starts and ends between characters, with the cursor and the anchor counted inside it.
    constexpr int kSurroundingSide = 1024;
    const auto isLow = [this](int at) { return at > 0 && at < m_line.size() && m_line[at].isLowSurrogate(); };
    int from = std::max(0, m_cursor - kSurroundingSide);
    int to = static_cast<int>(std::min<qsizetype>(m_line.size(), m_cursor + kSurroundingSide));
    from -= isLow(from) ? 1 : 0;
    to += isLow(to) ? 1 : 0;
    switch (query) {
    case Qt::ImCursorRectangle: {
        const QRect line = textLine(); // where an input method puts its window
        return QRect(line.left() + qRound(m_view.xOf(m_cursor).value_or(0)), line.top(), 1, line.height());
    }
    case Qt::ImSurroundingText:
        return m_line.mid(from, to - from);
    case Qt::ImCursorPosition:
        return m_cursor - from;
    case Qt::ImAnchorPosition:
        return std::clamp(m_anchor, from, to) - from;
    case Qt::ImCurrentSelection: {
        const int start = std::clamp(selectionStart(), from, to);
        return m_line.mid(start, std::clamp(selectionEnd(), from, to) - start);
    }
    case Qt::ImTextBeforeCursor:
        return m_line.mid(from, m_cursor - from);
    case Qt::ImTextAfterCursor:
        return m_line.mid(m_cursor, to - m_cursor);
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
        select(0, static_cast<int>(m_line.size()));
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
    const auto [start, end] = wordAt(m_line, positionAt(m_doubleClickAt));
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
    const bool selected = m_anchor != m_cursor;
    add(tr("&Undo"), "edit-undo", QKeySequence::Undo, m_history.canUndo(), [this] { travel(true); });
    add(tr("&Redo"), "edit-redo", QKeySequence::Redo, m_history.canRedo(), [this] { travel(false); });
    menu->addSeparator();
    add(tr("Cu&t"), "edit-cut", QKeySequence::Cut, selected, [this] { cut(); });
    add(tr("&Copy"), "edit-copy", QKeySequence::Copy, selected, [this] { copy(); });
    // Whether the clipboard offers text, asked without copying it here: it may be megabytes.
    const QMimeData* offered = QGuiApplication::clipboard()->mimeData();
    add(tr("&Paste"), "edit-paste", QKeySequence::Paste, offered != nullptr && offered->hasText(), [this] { paste(); });
    add(tr("Delete"), "edit-delete", QKeySequence::Delete, selected, [this] { replaceSelection({}); });
    menu->addSeparator();
    add(tr("Select All"), "edit-select-all", QKeySequence::SelectAll, selectionEnd() - selectionStart() < m_line.size(),
        [this] { select(0, m_line.size()); });
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
    replace(at, at, lineOfPastedText(event->mimeData()->text()));
}
