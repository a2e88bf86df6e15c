// What a screen reader meets in the input field: one editable text, whichever form the line is in. It
// reads only the stretch of the line that a question needs, and edits through the field, so that each
// edit can be undone.
#include "window/qt/input_field.h"

#include "window/qt/text_boundaries.h"

#include <QAccessibleWidget>

#include <algorithm>

class InputFieldAccessible : public QAccessibleWidget,
                             public QAccessibleTextInterface,
                             public QAccessibleEditableTextInterface
{
public:
    explicit InputFieldAccessible(InputField* field)
        : QAccessibleWidget(field, QAccessible::EditableText), m_field(*field)
    {
    }

    // The toolkit's line edit inside is how the field draws a short line, not a control of its own.
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] QAccessibleInterface* child(int) const override { return nullptr; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    [[nodiscard]] QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? m_field.m_line : QAccessibleWidget::text(t);
    }
    void setText(QAccessible::Text t, const QString& text) override
    {
        t == QAccessible::Value ? replaceText(0, characterCount(), text) : QAccessibleWidget::setText(t, text);
    }
    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = state.selectableText = true;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override
    {
        const bool selected = selectionIndex == 0 && selectionCount() == 1;
        *startOffset = selected ? m_field.selectionStart() : 0;
        *endOffset = selected ? m_field.selectionEnd() : 0;
    }
    [[nodiscard]] int selectionCount() const override { return m_field.selectionStart() != m_field.selectionEnd(); }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int) override { setCursorPosition(cursorPosition()); }
    void setSelection(int, int startOffset, int endOffset) override { m_field.select(startOffset, endOffset); }
    [[nodiscard]] int cursorPosition() const override { return m_field.m_cursor; }
    void setCursorPosition(int position) override { m_field.select(position, position); }
    [[nodiscard]] QString text(int startOffset, int endOffset) const override
    {
        return m_field.m_line.mid(startOffset, std::max(0, endOffset - startOffset));
    }
    [[nodiscard]] QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                                           int* endOffset) const override
    {
        return around(offset, -1, type, startOffset, endOffset);
    }
    [[nodiscard]] QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                                          int* endOffset) const override
    {
        return around(offset, 1, type, startOffset, endOffset);
    }
    [[nodiscard]] QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                                       int* endOffset) const override
    {
        return around(offset, 0, type, startOffset, endOffset);
    }
    [[nodiscard]] int characterCount() const override { return static_cast<int>(m_field.m_line.size()); }
    [[nodiscard]] QRect characterRect(int offset) const override;
    [[nodiscard]] int offsetAtPoint(const QPoint& point) const override
    {
        return m_field.positionAt(m_field.mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        setCursorPosition(endIndex);
        setCursorPosition(startIndex);
    }
    [[nodiscard]] QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = offset; // plain text, no attributes
        return {};
    }

    void deleteText(int startOffset, int endOffset) override { replaceText(startOffset, endOffset, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override
    {
        // Selected first, as an edit by hand would be, so that undo puts the cursor back there.
        const int start = std::clamp(startOffset, 0, characterCount());
        setSelection(0, start, std::clamp(endOffset, start, characterCount()));
        m_field.replaceSelection(text);
    }

private:
    // A character or a word (as a double click selects it) at (direction 0), before (-1) or after (1)
    // offset, read from the stretch of the line around it; the one line is also the one sentence.
    QString around(int offset, int direction, QAccessible::TextBoundaryType type, int* start, int* end) const;

    InputField& m_field;
};

QAccessibleInterface* InputField::accessibleFor(const QString& className, QObject* object)
{
    if (className == QLatin1String("InputField") && object->isWidgetType())
        return new InputFieldAccessible(static_cast<InputField*>(object));
    return nullptr;
}

QString InputFieldAccessible::around(int offset, int direction, QAccessible::TextBoundaryType type, int* start,
                                     int* end) const
{
    const QString& line = m_field.m_line;
    const int length = static_cast<int>(line.size());
    const bool word = type == QAccessible::WordBoundary;
    const auto at = [&](int position) {
        return word ? wordAt(line, position)
                    : std::pair(position, moveInLine(line, position, true, QTextLayout::SkipCharacters));
    };
    std::pair found{-1, -1};
    offset = offset == -1 ? length : offset; // -1 asks about the end
    if (type != QAccessible::CharBoundary && !word) {
        if (direction == 0)
            found = {0, length};
    } else if (offset >= 0 && offset <= length) {
        found = at(offset);
        const auto mode = word ? QTextLayout::SkipWords : QTextLayout::SkipCharacters;
        const int after = word ? moveInLine(line, found.second, true, mode) : found.second;
        if (direction < 0)
            found = found.first > 0 ? at(moveInLine(line, found.first, false, mode)) : std::pair(-1, -1);
        else if (direction > 0)
            found = after < length ? at(after) : std::pair(-1, -1);
    }
    *start = found.first;
    *end = found.second;
    return found.first < 0 || found.first >= found.second ? QString() : line.mid(found.first, found.second - found.first);
}

QRect InputFieldAccessible::characterRect(int offset) const
{
    if (!m_field.m_long) {
        QAccessibleInterface* inside = QAccessible::queryAccessibleInterface(m_field.m_short);
        return inside && inside->textInterface() ? inside->textInterface()->characterRect(offset) : QRect();
    }
    if (offset < 0 || offset >= characterCount())
        return {};
    const auto left = m_field.m_view.xOf(offset);
    const auto right = m_field.m_view.xOf(moveInLine(m_field.m_line, offset, true, QTextLayout::SkipCharacters));
    if (!left || !right)
        return {};
    const QRect line = m_field.textLine();
    return {m_field.mapToGlobal(QPoint(line.left() + qRound(*left), line.top())),
            QSize(qRound(*right - *left), line.height())};
}
