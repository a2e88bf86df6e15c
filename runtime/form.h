// What the conversion needs of the main window, and nothing more: its three fields and a message box.
#pragma once

#include <string>

enum class Field { Text1, Text2, Text3 };

// The message box styles the program asks for.
enum class MessageStyle : int {
    Critical = 16, // critical-stop icon, a single OK button
};

class Form
{
public:
    virtual ~Form() = default;

    // The whole text of a field. Raise RuntimeError(FieldRefused) if the field cannot give or take it.
    [[nodiscard]] virtual std::u16string text(Field field) const = 0;
    virtual void setText(Field field, const std::u16string& text) = 0;

    // Shows a modal message box over the window and returns once the user has dismissed it.
    virtual void showMessage(const std::u16string& prompt, MessageStyle style, const std::u16string& title) = 0;
};
