// The input field for long lines: the mouse, its context menu, and drag and drop.
#include "window/qt/long_line_edit.h"

#include "window/qt/text_boundaries.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>

namespace {

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
