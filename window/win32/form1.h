// The program's one window in plain Win32: a prompt, the input field, the "Convert" button, the
// output field and the result field, placed as the fixed design says. A click of the button
// converts the input line.
#pragma once

#include "runtime/form.h"
#include "window/form1_design.h"
#include "window/form1_layout.h"
#include "window/win32/screen_reader.h"

#include <windows.h>

#include <array>
#include <cstddef>

class Form1 : public Form
{
public:
    // Whether the user has high contrast on. Tests put their own answer in its place.
    using HighContrastQuery = bool (*)();
    [[nodiscard]] static bool systemHighContrast();

    // Registers the window class once per process.
    static bool registerClass(HINSTANCE instance);

    explicit Form1(HighContrastQuery highContrast = systemHighContrast) : m_highContrast(highContrast) {}
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    ~Form1() override;

    // Creates the window hidden, laid out for the DPI of the monitor it lands on, with the program's
    // icon (resource 1 of instance). False if it could not.
    bool create(HINSTANCE instance);
    [[nodiscard]] HWND handle() const { return m_window; }
    [[nodiscard]] HWND control(Control control) const { return m_controls[static_cast<std::size_t>(control)]; }

    // Keyboard navigation among the controls. True when the message was the window's to handle: do not
    // dispatch it.
    bool handleKeyboard(MSG& message);

    // The status the program ends with: 0 unless an error the conversion does not trap ended it.
    [[nodiscard]] int exitCode() const { return m_exitCode; }

    [[nodiscard]] std::u16string text(Field field) const override;
    void setText(Field field, const std::u16string& text) override;
    void showMessage(const std::u16string& prompt, MessageStyle style, const std::u16string& title) override;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool createControls();
    // Font, places and icons for dpi and the current message font; and the window's size around them,
    // unless the system has sized the window itself (a move to another DPI).
    enum class WindowSize
    {
        Fit,
        AsItIs
    };
    void layOut(UINT dpi, WindowSize size = WindowSize::Fit);
    // The layout at dpi, its captions measured in the message font at that dpi.
    [[nodiscard]] Form1Layout layoutAt(UINT dpi, HFONT font) const;
    // The whole window's size at dpi, frame included, as the system asks before a move to that dpi.
    [[nodiscard]] SIZE windowSizeAt(UINT dpi) const;
    void setIcons(UINT dpi);
    void click();
    [[nodiscard]] HWND edit(Field field) const;

    HighContrastQuery m_highContrast;
    HINSTANCE m_instance = nullptr;
    HWND m_window = nullptr;
    std::array<HWND, form1_design::kControls.size()> m_controls{};
    HWND m_focus = nullptr; // the control that had the focus when the window was last deactivated
    HFONT m_font = nullptr;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
    ScreenReaderDescriptions m_descriptions;
    int m_exitCode = 0;
};
