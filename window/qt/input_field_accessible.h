// What a screen reader meets in the input field: one editable text, whichever form the line is in. It
// reads only the stretch of the line that a question needs, and edits through the field, so that each
// edit can be undone.
#pragma once

#include "window/qt/input_field.h"

#include <QAccessibleWidget>

// The accessibility factory that gives every InputField this description.
QAccessibleInterface* inputFieldInterface(const QString& className, QObject* object);

class InputFieldAccessible : public QAccessibleWidget,
                             public QAccessibleTextInterface,
                             public QAccessibleEditableTextInterface
{
public:
    explicit InputFieldAccessible(InputField* field);

    // The toolkit's line edit inside is how the field draws a short line, not a control of its own.
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] QAccessibleInterface* child(int) const override { return nullptr; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    [[nodiscard]] QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    [[nodiscard]] QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    [[nodiscard]] int selectionCount() const override { return field()->selectionStart() != field()->selectionEnd(); }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    [[nodiscard]] int cursorPosition() const override { return field()->cursor(); }
    void setCursorPosition(int position) override { setSelection(0, position, position); }
    [[nodiscard]] QString text(int startOffset, int endOffset) const override;
    [[nodiscard]] QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                           int* endOffset) const override;
    [[nodiscard]] QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                          int* endOffset) const override;
    [[nodiscard]] QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                       int* endOffset) const override;
    [[nodiscard]] int characterCount() const override { return field()->length(); }
    [[nodiscard]] QRect characterRect(int offset) const override { return field()->characterRect(offset); }
    [[nodiscard]] int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    [[nodiscard]] QString attributes(int offset, int* startOffset, int* endOffset) const override;

    void deleteText(int startOffset, int endOffset) override { replaceText(startOffset, endOffset, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    // A character, word or the line at (direction 0), before (-1) or after (1) offset.
    [[nodiscard]] QString ask(int offset, int direction, QAccessible::TextBoundaryType type, int* start,
                              int* end) const;
    [[nodiscard]] InputField* field() const;
};
