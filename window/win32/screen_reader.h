// Descriptions for screen readers. Windows names a control by the static text just before it, but takes
// a description only through dynamic annotation, a COM service of its accessibility library. Starting
// COM costs more than the rest of the program's start-up, so the descriptions are given the first time
// a screen reader asks the window or one of its controls for its accessible object.
#pragma once

#include <windows.h>

#include <unknwn.h>

#include <string>
#include <vector>

struct IAccPropServices;

// The COM functions the descriptions call: CoInitializeEx, CoCreateInstance and CoUninitialize.
struct ComFunctions
{
    HRESULT(WINAPI* initialize)(LPVOID, DWORD);
    HRESULT(WINAPI* createInstance)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    void(WINAPI* uninitialize)();
};
// ole32's, loaded on the first call: linked, ole32.dll would load with the program. Null where missing.
[[nodiscard]] const ComFunctions& ole32Functions();

class ScreenReaderDescriptions
{
public:
    // com gives the COM functions when a screen reader first asks.
    explicit ScreenReaderDescriptions(const ComFunctions& (*com)() = ole32Functions) : m_com(com) {}
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
    const ComFunctions& (*m_com)();
    IAccPropServices* m_services = nullptr;
    // COM ended again, when this started it, after the service's last release.
    void(WINAPI* m_endCom)() = nullptr;
    // A reader asks again and again; the service, where it is missing (as under Wine), stays missing.
    static constexpr int kServiceTries = 3;
    int m_tries = 0;
};
