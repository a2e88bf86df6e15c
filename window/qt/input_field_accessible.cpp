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
    explicit InputFieldAccessible(QWidget* field) : QAccessibleWidget(field, QAccessible::EditableText) {}

    // Its value is its line, as the toolkit's line edit's is.
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? field().line().toString() : QAccessibleWidget::text(t);
    }
    // The toolkit's line edit inside is how the field draws a short line, not a control of its own.
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::State state() const override
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

    void selection(int, int* start, int* end) const override
    {
        *start = field().m_model.selectionStart();
        *end = field().m_model.selectionEnd();
    }
    int selectionCount() const override { return field().m_model.hasSelection(); }
    void addSelection(int start, int end) override { field().select(start, end); }
    void removeSelection(int) override { setCursorPosition(cursorPosition()); }
    void setSelection(int, int start, int end) override { field().select(start, end); }
    int cursorPosition() const override { return field().m_model.cursor(); }
    void setCursorPosition(int position) override { field().select(position, position); }
    QString text(int start, int end) const override
    {
        return field().line().mid(start, std::max(0, end - start)).toString();
    }
    // A short line is the toolkit's line edit's, which answers as a reader knows it from every other field.
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        if (QAccessibleTextInterface* shortLine = shortFormAt(offset))
            return shortLine->textBeforeOffset(offset, type, start, end);
        return around(offset, -1, type, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        if (QAccessibleTextInterface* shortLine = shortFormAt(offset))
            return shortLine->textAfterOffset(offset, type, start, end);
        return around(offset, 1, type, start, end);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        if (QAccessibleTextInterface* shortLine = shortFormAt(offset))
            return shortLine->textAtOffset(offset, type, start, end);
        return around(offset, 0, type, start, end);
    }
    int characterCount() const override { return field().m_model.size(); }
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override { return field().positionAt(field().mapFromGlobal(point)); }
    void scrollToSubstring(int start, int end) override
    {
        setCursorPosition(end);
        setCursorPosition(start);
    }
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset; // plain text, no attributes
        return {};
    }

    void deleteText(int start, int end) override { replaceText(start, end, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override
    {
        // Selected first, as an edit by hand would be, so that undo puts the cursor back there.
        start = std::clamp(start, 0, characterCount());
        field().select(start, std::clamp(end, start, characterCount()));
        field().replaceSelection(text);
    }

private:
    [[nodiscard]] InputField& field() const { return *static_cast<InputField*>(widget()); }
    // The toolkit's line edit's own text interface while it shows the line, for an offset inside it. At
    // the end of the line (-1, or the line's length) it can loop for ever on words: the field answers.
    [[nodiscard]] QAccessibleTextInterface* shortFormAt(int offset) const
    {
        return offset >= 0 && offset < characterCount() ? shortForm() : nullptr;
    }
    // The toolkit's line edit's own text interface while it shows the line, else nothing.
    [[nodiscard]] QAccessibleTextInterface* shortForm() const
    {
        if (field().m_long)
            return nullptr;
        QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(field().m_short);
        return shown != nullptr ? shown->textInterface() : nullptr;
    }
    // A character or a word (as a double click selects it) at (direction 0), before (-1) or after (1)
    // offset, read from the stretch of the line around it; the one line is also the one sentence.
    QString around(int offset, int direction, QAccessible::TextBoundaryType type, int* start, int* end) const;
};

QAccessibleInterface* InputField::accessibleFor(const QString& className, QObject* object)
{
    const bool field = className == QLatin1String("InputField") && object->isWidgetType();
    return field ? new InputFieldAccessible(static_cast<QWidget*>(object)) : nullptr;
}

QString InputFieldAccessible::around(int offset, int direction, QAccessible::TextBoundaryType type, int* start,
                                     int* end) const
{
    const QStringView line = field().line();
    const int length = static_cast<int>(line.size());
    const auto mode = type == QAccessible::WordBoundary ? QTextLayout::SkipWords : QTextLayout::SkipCharacters;
    const auto at = [&](int position) {
        return mode == QTextLayout::SkipWords ? wordAt(line, position)
                                              : std::pair(position, moveInLine(line, position, true, mode));
    };
    offset = offset == -1 ? length : offset; // -1 asks about the end
    std::pair found{-1, -1};
    if (type != QAccessible::CharBoundary && type != QAccessible::WordBoundary) {
        if (direction == 0)
            found = {0, length};
    } else if (offset >= 0 && offset <= length) {
        found = at(offset);
        const int after = mode == QTextLayout::SkipWords ? moveInLine(line, found.second, true, mode) : found.second;
        if (direction < 0)
            found = found.first > 0 ? at(moveInLine(line, found.first, false, mode)) : std::pair(-1, -1);
        else if (direction > 0)
            found = after < length ? at(after) : std::pair(-1, -1);
    }
    *start = found.first;
    *end = found.second;
    return found.first < found.second ? line.sliced(found.first, found.second - found.first).toString() : QString();
}

QRect InputFieldAccessible::characterRect(int offset) const
{
    const InputField& shown = field();
    if (QAccessibleTextInterface* shortLine = shortForm()) // the toolkit's line edit knows where its characters are
        return shortLine->characterRect(offset);
    if (offset < 0 || offset >= characterCount())
        return {};
    const std::optional<QRect> at =
        shown.m_longView->characterRect(offset, moveInLine(shown.line(), offset, true, QTextLayout::SkipCharacters));
    return at ? QRect(shown.mapToGlobal(at->topLeft()), at->size()) : QRect();
}
