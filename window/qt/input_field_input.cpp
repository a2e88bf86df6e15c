// The input field: keys, input methods, the mouse, its context menu and drops. A short line's keys and
// input go to the toolkit's line edit, but for undo, redo and paste, which reach across the two forms.
#include "window/qt/input_field.h"

#include "textbox/context_menu.h"
#include "textbox/pasted_text.h"
#include "textbox/stretch_view.h"
#include "window/qt/text_boundaries.h"
#include "window/qt/toolkit_keys.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QIcon>
#include <QInputMethodEvent>
#include <QKeyEvent>
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
    const std::optional<KeyPress> press = keyPressOf(*event);
    const std::optional<Command> command = press ? commandFor(toolkitKeyRules(), *press) : std::nullopt;
    // Undo, redo and paste reach across the two forms, so the field carries them out at any length.
    const bool acrossForms = command == Command::Undo || command == Command::Redo || command == Command::Paste;
    if (command && (m_long || acrossForms))
        return run(*command);
    const bool types = typesText(*event);
    if (!m_long) // which leaves Enter, Escape and the like ignored, for the window
        return passOn(event, types ? Run::Typing : command ? runOf(*command, m_model.hasSelection()) : Run::None);
    if (types)
        return replaceSelection(event->text(), Run::Typing);
    event->ignore();
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
    const Stretch around = stretchAround(m_model, 1024);
    const auto inside = [&around](int position) {
        return std::clamp(position, around.start, around.end) - around.start;
    };
    const QStringView text = line().sliced(around.start, around.size());
    const int cursor = inside(m_model.cursor());
    switch (query) {
    case Qt::ImCursorRectangle: { // where the input method puts its window
        const QRect at = m_longView->characterRect(m_model.cursor(), m_model.cursor()).value_or(QRect());
        return QRect(at.topLeft(), QSize(1, at.height()));
    }
    case Qt::ImSurroundingText:
        return text.toString();
    case Qt::ImCursorPosition:
        return cursor;
    case Qt::ImAnchorPosition:
        return inside(m_model.anchor());
    case Qt::ImCurrentSelection:
        return text
            .sliced(inside(m_model.selectionStart()), inside(m_model.selectionEnd()) - inside(m_model.selectionStart()))
            .toString();
    case Qt::ImTextBeforeCursor:
        return text.first(cursor).toString();
    case Qt::ImTextAfterCursor:
        return text.sliced(cursor).toString();
    default:
        return QWidget::inputMethodQuery(query);
    }
}

int InputField::positionAt(QPoint point) const
{
    return m_long ? m_longView->positionAt(point) : m_short->cursorPositionAt(point);
}

void InputField::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() != Qt::LeftButton)
        return;
    if (m_sinceDoubleClick.isValid() && !m_sinceDoubleClick.hasExpired(QApplication::doubleClickInterval()) &&
        (point - m_doubleClickAt).manhattanLength() < QApplication::startDragDistance())
        return select(0, m_model.size());
    const int at = positionAt(point);
    select(event->modifiers() & Qt::ShiftModifier ? m_model.anchor() : at, at);
}

void InputField::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        select(m_model.anchor(), positionAt(event->position().toPoint()));
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
    // Whether the clipboard offers text, asked without copying it here: it may be megabytes.
    const QMimeData* offered = QGuiApplication::clipboard()->mimeData();
    const bool clipboardHasText = offered != nullptr && offered->hasText();
    for (const MenuItem& item : context_menu::kQt) {
        if (item.separator()) {
            menu->addSeparator();
            continue;
        }
        // With the desktop's icons for these commands, as every other field's menu has them.
        QAction* action = menu->addAction(QIcon::fromTheme(QLatin1String(item.icon)),
                                          QString::fromStdU16String(std::u16string(item.caption)), this,
                                          [this, command = item.command] { run(command); });
        if (const std::optional<KeyPress> press = pressFor(toolkitKeyRules(), item.keyOf.value_or(item.command)))
            action->setShortcut(QKeySequence(toolkitKey(*press)));
        action->setEnabled(context_menu::enabled(item.command, m_model, clipboardHasText));
    }
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
    m_model.replace(at, at, pasted_text::lineOf(std::u16string(units(dropped))));
}
