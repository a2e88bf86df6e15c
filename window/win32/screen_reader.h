// Descriptions for screen readers. Windows names a control by the static text just before it, but takes
// a description only through dynamic annotation, a COM service of its accessibility library. Starting
// COM costs more than the rest of the program's start-up, so the descriptions are given the first time
// a screen reader asks the window or one of its controls for its accessible object.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct IAccPropServices;

// What the start of COM on this thread leaves the caller: its own start to end again (S_OK, S_FALSE),
// a start of someone else's in another mode that it may use but must not end (RPC_E_CHANGED_MODE), or
// none at all.
enum class ComStart
{
    Owned,
    Borrowed,
    Failed
};
[[nodiscard]] ComStart comStartOf(HRESULT initialized);

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
    // COM ended again, when this started it, after the service's last release.
    void(WINAPI* m_endCom)() = nullptr;
    // A reader asks again and again; the service, where it is missing (as under Wine), stays missing.
    static constexpr int kServiceTries = 3;
    int m_tries = 0;
};
