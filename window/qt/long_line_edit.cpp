// The input field, which must stay responsive with a line of megabytes pasted into it.
#include "window/qt/long_line_edit.h"

#include "window/qt/long_line_accessible.h"
#include "window/qt/text_boundaries.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionFrame>

#include <algorithm>

namespace {

// Edits up to this size go through the base class in place; larger ones replace the text whole, since
// the base class keeps an undo entry for every character it inserts or removes.
constexpr int kSmallEdit = 4096;

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

// Puts an action of this class in the place of the standard menu's action of the same name.
template <typename Slot> void replaceAction(QMenu& menu, const char* name, bool enabled, Slot slot)
{
    const QList<QAction*> actions = menu.actions();
    const auto found = std::find_if(actions.begin(), actions.end(), [name](const QAction* action) {
        return action->objectName() == QLatin1String(name);
    });
    if (found == actions.end())
        return;
    QAction* standard = *found;
    auto* ours = new QAction(standard->icon(), standard->text(), &menu);
    ours->setObjectName(standard->objectName());
    ours->setEnabled(enabled);
    QObject::connect(ours, &QAction::triggered, &menu, slot);
    menu.insertAction(standard, ours);
    menu.removeAction(standard);
}

} // namespace

LongLineEdit::LongLineEdit(QWidget* parent) : QLineEdit(parent)
{
    static const bool described = [] {
        QAccessible::installFactory(longLineInterface);
        return true;
    }();
    (void)described;
    connect(this, &QLineEdit::textChanged, this, &LongLineEdit::onTextChanged);
    connect(this, &QLineEdit::cursorPositionChanged, this, &LongLineEdit::onCursorMoved);
    connect(this, &QLineEdit::selectionChanged, this, &LongLineEdit::onCursorMoved);
}

void LongLineEdit::showLongLine(bool on)
{
    if (m_long == on)
        return;
    m_long = on;
    // Switching the echo off also marks the field as secret for input methods; it is not.
    const Qt::InputMethodHints hints = inputMethodHints();
    setEchoMode(on ? QLineEdit::NoEcho : QLineEdit::Normal);
    setInputMethodHints(hints);
    m_history.clear();
    m_view.invalidate();
    if (on)
        keepCursorVisible();
    restartBlink();
    update();
}

bool LongLineEdit::wouldBeLong(const QString& inserted) const
{
    return text().size() - selectionLength() + inserted.size() > kLongLine;
}

void LongLineEdit::replace(int start, int length, const QString& with, Change change)
{
    if (length == 0 && with.isEmpty())
        return;
    const qsizetype newSize = text().size() - length + with.size();
    if (newSize > kLongLine)
        showLongLine(true); // before the base class holds the line, so that it never lays it out
    const bool selected = hasSelectedText() && selectionStart() == start && selectionLength() == length;
    TextEdit edit{start, text().mid(start, length), with, cursorPosition(), selected};

    m_applying = true;
    if (length + with.size() <= kSmallEdit) {
        setSelection(start, length);
        if (with.isEmpty())
            del();
        else
            insert(with);
    } else {
        // Built at its final size: growing a copy in place would reserve half as much again.
        const QString line = text();
        QString changed;
        changed.reserve(newSize);
        changed.append(QStringView(line).first(start)).append(with).append(QStringView(line).sliced(start + length));
        setText(changed);
    }
    setCursorPosition(start + static_cast<int>(with.size()));
    m_applying = false;

    if (change != Change::History) {
        m_history.record(std::move(edit), change == Change::Keystroke);
        if (newSize <= kLongLine / 2)
            showLongLine(false);
    }
    m_view.invalidate();
    if (change != Change::History)
        keepCursorVisible(); // an undo places the cursor afterwards, and scrolls only then
    restartBlink();
    update();
    updateMicroFocus();
}

void LongLineEdit::replaceSelection(const QString& with, Change change)
{
    if (hasSelectedText())
        replace(selectionStart(), selectionLength(), with, change);
    else
        replace(cursorPosition(), 0, with, change);
}

void LongLineEdit::undoEdit()
{
    // The cursor, and the selection that was replaced, come back as they were.
    if (const auto edit = m_history.undo()) {
        replace(edit->position, static_cast<int>(edit->inserted.size()), edit->removed, Change::History);
        const int removed = static_cast<int>(edit->removed.size());
        if (edit->selected && edit->cursor == edit->position)
            setSelection(edit->position + removed, -removed);
        else if (edit->selected)
            setSelection(edit->position, removed);
        else
            setCursorPosition(edit->cursor);
        keepCursorVisible();
    }
}

void LongLineEdit::redoEdit()
{
    if (const auto edit = m_history.redo()) {
        replace(edit->position, static_cast<int>(edit->removed.size()), edit->inserted, Change::History);
        keepCursorVisible();
    }
}

void LongLineEdit::pasteFrom(QClipboard::Mode mode)
{
    const QString clip = QGuiApplication::clipboard()->text(mode);
    if (!clip.isEmpty() || hasSelectedText())
        replaceSelection(clip, Change::Edit);
}

void LongLineEdit::copyTo(QClipboard::Mode mode) const
{
    if (hasSelectedText() && (mode == QClipboard::Clipboard || QGuiApplication::clipboard()->supportsSelection()))
        QGuiApplication::clipboard()->setText(selectedText(), mode);
}

void LongLineEdit::moveTo(int position, bool select)
{
    if (!select) {
        setCursorPosition(position);
        return;
    }
    int anchor = cursorPosition();
    if (hasSelectedText())
        anchor = anchor == selectionStart() ? selectionEnd() : selectionStart();
    setSelection(anchor, position - anchor);
}

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

void LongLineEdit::mousePressEvent(QMouseEvent* event)
{
    if (!m_long) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::RightButton)
        return; // the context menu comes with its own event
    const QPoint point = event->position().toPoint();
    if (m_tripleClick.isActive() && (point - m_tripleClickAt).manhattanLength() < QApplication::startDragDistance()) {
        selectAll();
        return;
    }
    moveTo(positionAt(point), event->modifiers() & Qt::ShiftModifier);
}

void LongLineEdit::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_long) {
        QLineEdit::mouseMoveEvent(event);
        return;
    }
    if (event->buttons() & Qt::LeftButton)
        moveTo(positionAt(event->position().toPoint()), true);
}

void LongLineEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    // On X11 a middle click pastes the mouse selection where the press put the cursor.
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() && !isReadOnly()) {
        const QString clip = clipboard->text(QClipboard::Selection);
        if (m_long || text().size() + clip.size() > kLongLine) {
            deselect();
            if (!clip.isEmpty())
                replace(cursorPosition(), 0, clip, Change::Edit);
            return;
        }
    }
    if (!m_long) {
        QLineEdit::mouseReleaseEvent(event);
        return;
    }
    if (event->button() == Qt::LeftButton)
        copyTo(QClipboard::Selection);
}

void LongLineEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!m_long) {
        QLineEdit::mouseDoubleClickEvent(event);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    const TextRange word = wordAt(text(), positionAt(point));
    setSelection(word.start, word.end - word.start);
    m_tripleClick.start(QApplication::doubleClickInterval(), this);
    m_tripleClickAt = point;
}

void LongLineEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    const bool writable = !isReadOnly();
    if (!m_long) {
        // A paste that makes the line long must not pass through the base class.
        replaceAction(*menu, "edit-paste", writable && !QGuiApplication::clipboard()->text().isEmpty(), [this] {
            const QString clip = QGuiApplication::clipboard()->text();
            if (wouldBeLong(clip))
                replaceSelection(clip, Change::Edit);
            else
                paste();
        });
    } else {
        const bool selected = hasSelectedText();
        replaceAction(*menu, "edit-undo", writable && m_history.canUndo(), [this] { undoEdit(); });
        replaceAction(*menu, "edit-redo", writable && m_history.canRedo(), [this] { redoEdit(); });
        replaceAction(*menu, "edit-cut", writable && selected, [this] {
            copyTo(QClipboard::Clipboard);
            replaceSelection({}, Change::Edit);
        });
        replaceAction(*menu, "edit-copy", selected, [this] { copyTo(QClipboard::Clipboard); });
        replaceAction(*menu, "edit-paste", writable && !QGuiApplication::clipboard()->text().isEmpty(),
                      [this] { pasteFrom(QClipboard::Clipboard); });
        replaceAction(*menu, "edit-delete", writable && selected, [this] { replaceSelection({}, Change::Edit); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void LongLineEdit::dragMoveEvent(QDragMoveEvent* event)
{
    if (!m_long) {
        QLineEdit::dragMoveEvent(event);
        return;
    }
    if (!isReadOnly() && event->mimeData()->hasFormat(QStringLiteral("text/plain"))) {
        event->acceptProposedAction();
        setCursorPosition(positionAt(event->position().toPoint()));
        m_cursorShown = true;
        update();
    }
}

void LongLineEdit::dropEvent(QDropEvent* event)
{
    const QString dropped = event->mimeData()->text();
    if (!m_long && text().size() + dropped.size() <= kLongLine) {
        QLineEdit::dropEvent(event);
        return;
    }
    if (dropped.isNull() || isReadOnly()) {
        event->ignore();
        update();
        return;
    }
    const QPoint point = event->position().toPoint();
    const int at = m_long ? positionAt(point) : cursorPositionAt(point);
    event->acceptProposedAction();
    replace(at, 0, dropped, Change::Edit);
}

void LongLineEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    restartBlink();
}

void LongLineEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    restartBlink();
    update();
}

void LongLineEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    const QEvent::Type type = event->type();
    if (m_long &&
        (type == QEvent::FontChange || type == QEvent::StyleChange || type == QEvent::LayoutDirectionChange)) {
        m_view.invalidate();
        keepCursorVisible();
    }
}

void LongLineEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    if (m_long)
        keepCursorVisible();
}

void LongLineEdit::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_blink.timerId()) {
        m_cursorShown = !m_cursorShown;
        update(cursorRectangle());
    } else if (event->timerId() == m_tripleClick.timerId()) {
        m_tripleClick.stop();
    } else {
        QLineEdit::timerEvent(event);
    }
}

void LongLineEdit::onTextChanged()
{
    if (m_applying)
        return;
    if (!m_long) {
        // Typed or set past the limit: the base class has laid the line out once, and now stops.
        if (text().size() > kLongLine)
            showLongLine(true);
        return;
    }
    // Set from outside: the history no longer applies.
    m_history.clear();
    if (text().size() <= kLongLine) {
        showLongLine(false);
        return;
    }
    m_view.invalidate();
    keepCursorVisible();
    update();
}

void LongLineEdit::onCursorMoved()
{
    if (m_applying)
        return;
    m_history.endRun();
    if (m_long) {
        keepCursorVisible();
        restartBlink();
        update();
    }
}

void LongLineEdit::keepCursorVisible()
{
    m_view.keepVisible(text(), cursorPosition(), font(), layoutDirection(), textLine().width());
}

void LongLineEdit::restartBlink()
{
    m_cursorShown = true;
    const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    if (m_long && hasFocus() && !isReadOnly() && flashTime >= 2)
        m_blink.start(flashTime / 2, this);
    else
        m_blink.stop();
}

QRect LongLineEdit::textLine() const
{
    // The margins and the vertical placement of the toolkit's line edit.
    constexpr int kHorizontalMargin = 2;
    constexpr int kVerticalMargin = 1;
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).marginsRemoved(textMargins());
    const int height = fontMetrics().height();
    int top = contents.y() + (contents.height() - height + 1) / 2;
    if (alignment() & Qt::AlignTop)
        top = contents.y() + kVerticalMargin;
    else if (alignment() & Qt::AlignBottom)
        top = contents.bottom() + 1 - height - kVerticalMargin;
    return {contents.x() + kHorizontalMargin, top, contents.width() - 2 * kHorizontalMargin, height};
}

int LongLineEdit::positionAt(const QPoint& point)
{
    if (!m_long)
        return cursorPositionAt(point);
    return m_view.positionAt(text(), point.x() - textLine().left());
}

QRect LongLineEdit::characterRectangle(int position) const
{
    const QString line = text();
    if (position < 0 || position >= line.size())
        return {};
    const QRect textLine = this->textLine();
    const int next = nextCharacter(line, position);
    if (m_long) {
        const auto left = m_view.xOf(position);
        const auto right = m_view.xOf(next);
        if (!left || !right)
            return {};
        return {textLine.left() + qRound(*left), textLine.top(), qMax(1, qRound(*right - *left)), textLine.height()};
    }
    // Measured from the cursor, whose place the toolkit's line edit knows, scrolling included; the cursor
    // rectangle reaches 5 pixels left of the cursor.
    const QFontMetrics metrics = fontMetrics();
    const int cursorX = cursorRect().left() + 5;
    const int x = cursorX + metrics.horizontalAdvance(line.left(position)) -
                  metrics.horizontalAdvance(line.left(cursorPosition()));
    return {x, textLine.top(), qMax(1, metrics.horizontalAdvance(line.mid(position, next - position))),
            textLine.height()};
}

QRect LongLineEdit::cursorRectangle() const
{
    const QRect line = textLine();
    const int x = line.left() + qRound(m_view.xOf(cursorPosition()).value_or(0));
    // Wide enough for any style's cursor.
    return {x - 5, line.top(), 10, line.height()};
}

void LongLineEdit::paintEvent(QPaintEvent* event)
{
    if (!m_long) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).marginsRemoved(textMargins());
    painter.setClipRect(contents);

    const QPalette& palette = this->palette();
    painter.setPen(palette.text().color());
    const bool blinkWhileSelected = style()->styleHint(QStyle::SH_BlinkCursorWhenTextSelected, &panel, this);
    const bool cursorShown = hasFocus() && !isReadOnly() && m_cursorShown && (!hasSelectedText() || blinkWhileSelected);
    const int start = hasSelectedText() ? selectionStart() : 0;
    const int end = hasSelectedText() ? selectionEnd() : 0;
    m_view.draw(painter, {textLine().topLeft(), contents, start, end, palette,
                          cursorShown ? std::optional<int>(cursorPosition()) : std::nullopt,
                          style()->pixelMetric(QStyle::PM_TextCursorWidth, &panel, this)});
}
