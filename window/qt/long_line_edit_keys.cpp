// The input field for long lines: keys and input methods.
#include "window/qt/long_line_edit.h"

#include "window/qt/text_boundaries.h"

#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include <algorithm>

namespace {

// Input methods see this much of the line either side of the cursor rather than all of it.
constexpr int kSurrounding = 256;

// The toolkit's rule for a key that types text.
bool typesText(const QKeyEvent& event)
{
    const QString text = event.text();
    if (text.isEmpty())
        return false;
    const QChar c = text.front();
    if (c.category() == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    return c.isPrint() || c.category() == QChar::Other_PrivateUse ||
           (c.isHighSurrogate() && text.size() > 1 && text[1].isLowSurrogate());
}

QClipboard::Mode pasteMode(const QKeyEvent& event)
{
    // On X11, Ctrl+Shift+Insert pastes the mouse selection.
    const bool selection = event.modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) &&
                           event.key() == Qt::Key_Insert && QGuiApplication::clipboard()->supportsSelection();
    return selection ? QClipboard::Selection : QClipboard::Clipboard;
}

} // namespace

bool LongLineEdit::editLongLine(QKeyEvent* event)
{
    const bool writable = !isReadOnly();
    const int cursor = cursorPosition();
    const auto removeSelectionOr = [&](int to) {
        if (!writable)
            return;
        if (!hasSelectedText())
            moveTo(to, true);
        if (hasSelectedText())
            replaceSelection({}, Change::Edit);
    };

    if (event == QKeySequence::Undo) {
        if (writable)
            undoEdit();
    } else if (event == QKeySequence::Redo) {
        if (writable)
            redoEdit();
    } else if (event == QKeySequence::Copy) {
        copyTo(QClipboard::Clipboard);
    } else if (event == QKeySequence::Paste) {
        if (writable)
            pasteFrom(pasteMode(*event));
    } else if (event == QKeySequence::Cut || event == QKeySequence::DeleteEndOfLine ||
               event == QKeySequence::DeleteCompleteLine) {
        if (!writable)
            return true;
        if (event == QKeySequence::DeleteEndOfLine)
            moveTo(static_cast<int>(text().size()), true);
        else if (event == QKeySequence::DeleteCompleteLine)
            selectAll();
        copyTo(QClipboard::Clipboard);
        replaceSelection({}, Change::Edit);
    } else if (event == QKeySequence::MoveToNextChar) {
        moveTo(hasSelectedText() ? selectionEnd() : nextCharacter(text(), cursor), false);
    } else if (event == QKeySequence::MoveToPreviousChar) {
        moveTo(hasSelectedText() ? selectionStart() : previousCharacter(text(), cursor), false);
    } else if (event == QKeySequence::SelectNextChar) {
        moveTo(nextCharacter(text(), cursor), true);
    } else if (event == QKeySequence::SelectPreviousChar) {
        moveTo(previousCharacter(text(), cursor), true);
    } else if (event == QKeySequence::MoveToNextWord || event == QKeySequence::SelectNextWord) {
        moveTo(nextWord(text(), cursor), event == QKeySequence::SelectNextWord);
    } else if (event == QKeySequence::MoveToPreviousWord || event == QKeySequence::SelectPreviousWord) {
        moveTo(previousWord(text(), cursor), event == QKeySequence::SelectPreviousWord);
    } else if (event == QKeySequence::DeleteEndOfWord) {
        removeSelectionOr(nextWord(text(), cursor));
    } else if (event == QKeySequence::DeleteStartOfWord ||
               (event->key() == Qt::Key_Backspace && (event->modifiers() & Qt::ControlModifier))) {
        removeSelectionOr(previousWord(text(), cursor));
    } else if (event == QKeySequence::Delete || event->key() == Qt::Key_Backspace) {
        if (writable && hasSelectedText()) {
            replaceSelection({}, Change::Edit);
        } else if (writable && event->key() == Qt::Key_Backspace) {
            // Backspace takes one code unit, or a whole surrogate pair, as the toolkit's line edit does.
            const QString line = text();
            int from = std::max(0, cursor - 1);
            if (from > 0 && line[from].isLowSurrogate() && line[from - 1].isHighSurrogate())
                --from;
            replace(from, cursor - from, {}, Change::Keystroke);
        } else if (writable) {
            replace(cursor, nextCharacter(text(), cursor) - cursor, {}, Change::Keystroke);
        }
    } else if (typesText(*event)) {
        if (writable)
            replaceSelection(event->text(), Change::Keystroke);
    } else {
        return false;
    }
    return true;
}

void LongLineEdit::keyPressEvent(QKeyEvent* event)
{
    if (!m_long) {
        if (event == QKeySequence::Paste && !isReadOnly()) {
            const QString clip = QGuiApplication::clipboard()->text(pasteMode(*event));
            if (wouldBeLong(clip)) {
                replaceSelection(clip, Change::Edit);
                event->accept();
                return;
            }
        }
        QLineEdit::keyPressEvent(event);
        return;
    }

    const bool enter = event->key() == Qt::Key_Enter || event->key() == Qt::Key_Return;
    if (enter || !editLongLine(event)) {
        // Enter, Home, End, Select All, Tab and the like: the base class handles them without the text.
        QLineEdit::keyPressEvent(event);
        if (!event->isAccepted())
            return;
    }
    event->accept();
    copyTo(QClipboard::Selection); // as the toolkit's line edit does after every key it handles
    restartBlink();
}

void LongLineEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!m_long) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    if (isReadOnly()) {
        event->ignore();
        return;
    }
    // The committed text, over the selection or the stretch the input method names; pre-edit text is
    // not shown while the line is long.
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        if (hasSelectedText()) {
            replaceSelection(event->commitString(), Change::Keystroke);
        } else {
            const int size = static_cast<int>(text().size());
            const int start = std::clamp(cursorPosition() + event->replacementStart(), 0, size);
            const int length = std::clamp(event->replacementLength(), 0, size - start);
            replace(start, length, event->commitString(), Change::Keystroke);
        }
    }
    event->accept();
}

QVariant LongLineEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (!m_long)
        return QLineEdit::inputMethodQuery(query);
    const QString line = text();
    const int cursor = cursorPosition();
    const int from = std::max(0, cursor - kSurrounding);
    const int to = std::min(static_cast<int>(line.size()), cursor + kSurrounding);
    int anchor = cursor;
    if (hasSelectedText())
        anchor = cursor == selectionStart() ? selectionEnd() : selectionStart();
    switch (query) {
    case Qt::ImCursorRectangle:
    case Qt::ImAnchorRectangle:
        return cursorRectangle();
    case Qt::ImSurroundingText:
        return line.mid(from, to - from);
    case Qt::ImCursorPosition:
        return cursor - from;
    case Qt::ImAnchorPosition:
        return std::clamp(anchor, from, to) - from;
    case Qt::ImTextBeforeCursor:
        return line.mid(from, cursor - from);
    case Qt::ImTextAfterCursor:
        return line.mid(cursor, to - cursor);
    case Qt::ImCurrentSelection: {
        const int start = std::clamp(selectionStart(), from, to);
        return hasSelectedText() ? line.mid(start, std::clamp(selectionEnd(), from, to) - start) : QString();
    }
    default:
        return QLineEdit::inputMethodQuery(query);
    }
}
