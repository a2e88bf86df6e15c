// The program's one window in plain Win32: a prompt, the input field, the "Convert" button, the
// output field and the result field, placed as the fixed design says. A click of the button
// converts the input line.
#pragma once

#include "runtime/form.h"

#include <windows.h>

class Form1 : public Form
{
public:
    // Registers the window class once per process, with the program's big and small icons.
    static bool registerClass(HINSTANCE instance, HICON bigIcon, HICON smallIcon);

    Form1() = default;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    ~Form1() override;

    // Creates the window hidden, sized for the DPI of the monitor it lands on. False if it could not.
    bool create(HINSTANCE instance);
    [[nodiscard]] HWND handle() const { return m_window; }

    // Tab among the controls. True when the message was the window's to handle: do not dispatch it.
    bool handleKeyboard(MSG& message);

    // The status the program ends with: 0 unless an error the conversion does not trap ended it.
    [[nodiscard]] int exitCode() const { return m_exitCode; }

    [[nodiscard]] std::u16string text(Field field) const override;
    void setText(Field field, const std::u16string& text) override;
    void showMessage(const std::u16string& prompt, MessageStyle style, const std::u16string& title) override;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void layOut(UINT dpi);
    void convert();
    [[nodiscard]] HWND edit(Field field) const;

    HWND m_window = nullptr;
    HWND m_label1 = nullptr;
    HWND m_text1 = nullptr;
    HWND m_text2 = nullptr;
    HWND m_command1 = nullptr;
    HWND m_text3 = nullptr;
    HWND m_focus = nullptr; // the control that had the focus when the window was last deactivated
    HFONT m_font = nullptr;
    int m_exitCode = 0;
};
