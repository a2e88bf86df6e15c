// What a screen reader meets in the input field.
#include "window/qt/input_field_accessible.h"

#include <algorithm>

namespace {

constexpr int kFirstReach = 64; // code units either side of an offset; widened for a longer word

// A stretch of the line, through which the toolkit's own rules find characters, words and sentences.
class Stretch : public QAccessibleTextInterface
{
public:
    explicit Stretch(QString text) : m_text(std::move(text)) {}
    [[nodiscard]] QString text(int start, int end) const override { return m_text.mid(start, end - start); }
    [[nodiscard]] int characterCount() const override { return static_cast<int>(m_text.size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    [[nodiscard]] int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    [[nodiscard]] int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    [[nodiscard]] QRect characterRect(int) const override { return {}; }
    [[nodiscard]] int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    [[nodiscard]] QString attributes(int, int* start, int* end) const override
    {
        *start = *end = 0;
        return {};
    }

private:
    QString m_text;
};

} // namespace

QAccessibleInterface* inputFieldInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("InputField") && object->isWidgetType())
        return new InputFieldAccessible(static_cast<InputField*>(object));
    return nullptr;
}

InputFieldAccessible::InputFieldAccessible(InputField* field) : QAccessibleWidget(field, QAccessible::EditableText) {}

// Puts a question about the text around offset to a stretch of the line, widened while the answer reaches
// an edge of the stretch that is not an end of the line. The field's one line is also its one sentence
// and paragraph: their answer is the whole line, or nothing before or after it.
QString InputFieldAccessible::ask(const InputField& field, Question question, int offset, QAccessible::TextBoundaryType type, int* start,
            int* end)
{
    const int length = field.length();
    *start = *end = -1;
    if (offset < 0 || offset >= length) // the toolkit's word search at the end of a text never returns
        return {};
    if (type != QAccessible::CharBoundary && type != QAccessible::WordBoundary) {
        if (question != &QAccessibleTextInterface::textAtOffset)
            return {};
        *start = 0;
        *end = length;
        return field.text();
    }
    for (int reach = kFirstReach;; reach *= 4) {
        const int from = std::max(0, offset - reach);
        const int to = std::min(length, offset + reach);
        const Stretch stretch(field.mid(from, to));
        const QString answer = (stretch.*question)(offset - from, type, start, end);
        if (*start < 0)
            return answer;
        if ((*start != 0 || from == 0) && (*end != to - from || to == length)) {
            *start += from;
            *end += from;
            return answer;
        }
    }
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
    return ask(*field(), &QAccessibleTextInterface::textBeforeOffset, offset == -2 ? cursorPosition() : offset, boundaryType,
               startOffset, endOffset);
}

QString InputFieldAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                              int* startOffset, int* endOffset) const
{
    return ask(*field(), &QAccessibleTextInterface::textAfterOffset, offset == -2 ? cursorPosition() : offset, boundaryType,
               startOffset, endOffset);
}

QString InputFieldAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                           int* endOffset) const
{
    return ask(*field(), &QAccessibleTextInterface::textAtOffset, offset == -2 ? cursorPosition() : offset, boundaryType,
               startOffset, endOffset);
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
