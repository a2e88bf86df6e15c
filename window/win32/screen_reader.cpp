// Descriptions for screen readers, given when one first asks.
#include "window/win32/screen_reader.h"

#include <commctrl.h>
#include <oleacc.h>

namespace {

constexpr UINT_PTR kSubclassId = 1;

// Constants of the accessibility library, from its documentation.
constexpr CLSID kAccPropServicesClass{0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kAccPropServicesInterface{0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kDescriptionProperty{0x4d48dfe4, 0xbd3f, 0x491f, {0xa6, 0x48, 0x49, 0x2d, 0x6f, 0x20, 0xc5, 0x88}};

// COM from ole32.dll, loaded only now: linked, it would load with the program.
IAccPropServices* propertyServices()
{
    HMODULE ole32 = LoadLibraryW(L"ole32.dll");
    if (ole32 == nullptr)
        return nullptr;
    using Initialize = HRESULT(WINAPI*)(LPVOID, DWORD);
    using CreateInstance = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    // Through void(*)(): a cast between unrelated function types that the compiler accepts as meant.
    const auto initialize =
        reinterpret_cast<Initialize>(reinterpret_cast<void (*)()>(GetProcAddress(ole32, "CoInitializeEx")));
    const auto createInstance =
        reinterpret_cast<CreateInstance>(reinterpret_cast<void (*)()>(GetProcAddress(ole32, "CoCreateInstance")));
    void* services = nullptr;
    if (initialize == nullptr || createInstance == nullptr || FAILED(initialize(nullptr, COINIT_APARTMENTTHREADED)) ||
        FAILED(createInstance(kAccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER, kAccPropServicesInterface,
                              &services)))
        return nullptr;
    return static_cast<IAccPropServices*>(services);
}

} // namespace

ScreenReaderDescriptions::~ScreenReaderDescriptions()
{
    for (const Described& described : m_described)
        RemoveWindowSubclass(described.window, watch, kSubclassId);
    if (m_services != nullptr)
        m_services->Release();
}

bool ScreenReaderDescriptions::add(HWND window, std::wstring description)
{
    if (!SetWindowSubclass(window, watch, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    m_described.push_back({window, std::move(description)});
    return true;
}

LRESULT CALLBACK ScreenReaderDescriptions::watch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR self)
{
    auto* descriptions = reinterpret_cast<ScreenReaderDescriptions*>(self);
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT && !descriptions->m_asked)
        descriptions->describeAll();
    else if (message == WM_NCDESTROY)
        descriptions->forget(window);
    return DefSubclassProc(window, message, wParam, lParam);
}

void ScreenReaderDescriptions::describeAll()
{
    m_asked = true; // once, whether or not the service is there
    m_services = propertyServices();
    if (m_services == nullptr)
        return;
    for (const Described& described : m_described)
        m_services->SetHwndPropStr(described.window, OBJID_CLIENT, CHILDID_SELF, kDescriptionProperty,
                                   described.description.c_str());
}

void ScreenReaderDescriptions::forget(HWND window)
{
    // The service keeps what it was given until told to drop it.
    if (m_services != nullptr)
        m_services->ClearHwndProps(window, OBJID_CLIENT, CHILDID_SELF, &kDescriptionProperty, 1);
    RemoveWindowSubclass(window, watch, kSubclassId);
    std::erase_if(m_described, [window](const Described& described) { return described.window == window; });
}
