// Descriptions for screen readers. Windows names a control by the static text just before it, but takes
// a description only through dynamic annotation, a COM service of its accessibility library. Starting
// COM costs more than the rest of the program's start-up, so the descriptions are given the first time
// a screen reader asks the window or one of its controls for its accessible object.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct IAccPropServices;

class ScreenReaderDescriptions
{
public:
    ScreenReaderDescriptions() = default;
    ScreenReaderDescriptions(const ScreenReaderDescriptions&) = delete;
    ScreenReaderDescriptions& operator=(const ScreenReaderDescriptions&) = delete;
    ~ScreenReaderDescriptions();

    // Gives window this description once a screen reader asks for any described window. False when the
    // window could not be watched for that.
    bool add(HWND window, std::wstring description);

private:
    static LRESULT CALLBACK watch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    void describeAll();
    void forget(HWND window);

    struct Described
    {
        HWND window;
        std::wstring description;
    };
    std::vector<Described> m_described;
    IAccPropServices* m_services = nullptr;
    bool m_asked = false;
};
