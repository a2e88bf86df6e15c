// What a screen reader meets in the input field.
#include "window/qt/input_field_accessible.h"

#include "window/qt/text_boundaries.h"

#include <algorithm>

QAccessibleInterface* inputFieldInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("InputField") && object->isWidgetType())
        return new InputFieldAccessible(static_cast<InputField*>(object));
    return nullptr;
}

InputFieldAccessible::InputFieldAccessible(InputField* field) : QAccessibleWidget(field, QAccessible::EditableText) {}

// A character or a word (as a double click selects it) at, before or after offset, read from the
// stretch of the line around it; the field's one line is also its one sentence and paragraph.
QString InputFieldAccessible::ask(int offset, int direction, QAccessible::TextBoundaryType type, int* start,
                                  int* end) const
{
    const QString line = field()->text();
    const int length = static_cast<int>(line.size());
    const bool word = type == QAccessible::WordBoundary;
    const auto at = [&](int position) {
        return word ? wordAt(line, position) : TextRange{position, nextCharacter(line, position)};
    };
    TextRange found{-1, -1};
    offset = offset == -1 ? length : offset; // -1 asks about the end
    if (type != QAccessible::CharBoundary && !word) {
        if (direction == 0)
            found = {0, length};
    } else if (offset >= 0 && offset <= length) {
        found = at(offset);
        const int before = word ? previousWord(line, found.start) : previousCharacter(line, found.start);
        const int after = word ? nextWord(line, found.end) : found.end;
        if (direction < 0)
            found = found.start > 0 ? at(before) : TextRange{-1, -1};
        else if (direction > 0)
            found = after < length ? at(after) : TextRange{-1, -1};
    }
    *start = found.start;
    *end = found.end;
    return found.start < 0 || found.start >= found.end ? QString() : line.mid(found.start, found.end - found.start);
}

InputField* InputFieldAccessible::field() const
{
    return static_cast<InputField*>(widget());
}

QString InputFieldAccessible::text(QAccessible::Text t) const
{
    return t == QAccessible::Value ? field()->text() : QAccessibleWidget::text(t);
}

void InputFieldAccessible::setText(QAccessible::Text t, const QString& text)
{
    if (t == QAccessible::Value)
        field()->replace(0, field()->length(), text);
    else
        QAccessibleWidget::setText(t, text);
}

QAccessible::State InputFieldAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.selectableText = true;
    return state;
}

void* InputFieldAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (t == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

void InputFieldAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    const bool selected = selectionIndex == 0 && selectionCount() == 1;
    *startOffset = selected ? field()->selectionStart() : 0;
    *endOffset = selected ? field()->selectionEnd() : 0;
}



void InputFieldAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        field()->select(field()->cursor(), field()->cursor());
}

void InputFieldAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        field()->select(startOffset, endOffset);
}



QString InputFieldAccessible::text(int startOffset, int endOffset) const
{
    return startOffset > endOffset ? QString() : field()->mid(startOffset, endOffset);
}

QString InputFieldAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                               int* startOffset, int* endOffset) const
{
    return ask(offset == -2 ? cursorPosition() : offset, -1, boundaryType, startOffset, endOffset);
}

QString InputFieldAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                              int* startOffset, int* endOffset) const
{
    return ask(offset == -2 ? cursorPosition() : offset, 1, boundaryType, startOffset, endOffset);
}

QString InputFieldAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                           int* endOffset) const
{
    return ask(offset == -2 ? cursorPosition() : offset, 0, boundaryType, startOffset, endOffset);
}



int InputFieldAccessible::offsetAtPoint(const QPoint& point) const
{
    return field()->positionAt(field()->mapFromGlobal(point));
}

void InputFieldAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    field()->select(endIndex, endIndex);
    field()->select(startIndex, startIndex);
}

QString InputFieldAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = offset; // plain text, no attributes
    return {};
}



void InputFieldAccessible::replaceText(int startOffset, int endOffset, const QString& text)
{
    const int length = characterCount();
    // Selected first, as an edit by hand would be, so that undo puts the cursor back there.
    field()->select(std::clamp(startOffset, 0, length), std::clamp(endOffset, startOffset, length));
    field()->replaceSelection(text);
}
