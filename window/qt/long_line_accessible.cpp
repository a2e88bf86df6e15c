// What a screen reader meets in the input field.
#include "window/qt/long_line_accessible.h"

#include "window/qt/long_line_edit.h"

QAccessibleInterface* longLineInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("LongLineEdit") && object->isWidgetType())
        return new LongLineAccessible(static_cast<LongLineEdit*>(object));
    return nullptr;
}

LongLineAccessible::LongLineAccessible(LongLineEdit* field) : QAccessibleWidget(field, QAccessible::EditableText)
{
    addControllingSignal(QStringLiteral("textChanged(const QString&)"));
    addControllingSignal(QStringLiteral("returnPressed()"));
}

LongLineEdit* LongLineAccessible::field() const
{
    return static_cast<LongLineEdit*>(widget());
}

QString LongLineAccessible::text(QAccessible::Text t) const
{
    QString text;
    if (t == QAccessible::Value)
        text = field()->text();
    return text.isEmpty() ? QAccessibleWidget::text(t) : text;
}

void LongLineAccessible::setText(QAccessible::Text t, const QString& text)
{
    if (t == QAccessible::Value)
        field()->setText(text);
    else
        QAccessibleWidget::setText(t, text);
}

QAccessible::State LongLineAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    if (field()->isReadOnly())
        state.readOnly = true;
    else
        state.editable = true;
    state.selectableText = true;
    return state;
}

void* LongLineAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (t == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

void LongLineAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && field()->hasSelectedText()) {
        *startOffset = field()->selectionStart();
        *endOffset = field()->selectionEnd();
    }
}

int LongLineAccessible::selectionCount() const
{
    return field()->hasSelectedText() ? 1 : 0;
}

void LongLineAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void LongLineAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        field()->deselect();
}

void LongLineAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        field()->setSelection(startOffset, endOffset - startOffset);
}

int LongLineAccessible::cursorPosition() const
{
    return field()->cursorPosition();
}

void LongLineAccessible::setCursorPosition(int position)
{
    field()->setCursorPosition(position);
}

QString LongLineAccessible::text(int startOffset, int endOffset) const
{
    return startOffset > endOffset ? QString() : field()->text().mid(startOffset, endOffset - startOffset);
}

QString LongLineAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                             int* endOffset) const
{
    return QAccessibleTextInterface::textBeforeOffset(offset == -2 ? cursorPosition() : offset, boundaryType,
                                                      startOffset, endOffset);
}

QString LongLineAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                            int* endOffset) const
{
    return QAccessibleTextInterface::textAfterOffset(offset == -2 ? cursorPosition() : offset, boundaryType,
                                                     startOffset, endOffset);
}

QString LongLineAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                         int* endOffset) const
{
    return QAccessibleTextInterface::textAtOffset(offset == -2 ? cursorPosition() : offset, boundaryType, startOffset,
                                                  endOffset);
}

int LongLineAccessible::characterCount() const
{
    return static_cast<int>(field()->text().size());
}

QRect LongLineAccessible::characterRect(int offset) const
{
    const QRect local = field()->characterRectangle(offset);
    return local.isEmpty() ? QRect() : QRect(field()->mapToGlobal(local.topLeft()), local.size());
}

int LongLineAccessible::offsetAtPoint(const QPoint& point) const
{
    return field()->positionAt(field()->mapFromGlobal(point));
}

void LongLineAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    field()->setCursorPosition(endIndex);
    field()->setCursorPosition(startIndex);
}

QString LongLineAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = offset; // plain text, no attributes
    return {};
}

void LongLineAccessible::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, {});
}

void LongLineAccessible::insertText(int offset, const QString& text)
{
    replaceText(offset, offset, text);
}

void LongLineAccessible::replaceText(int startOffset, int endOffset, const QString& text)
{
    field()->setText(field()->text().replace(startOffset, endOffset - startOffset, text));
}
