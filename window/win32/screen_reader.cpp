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

// A function of ole32.dll, loaded only now: linked, it would load with the program.
template <typename Function> Function ole32Function(const char* name)
{
    static const HMODULE ole32 = LoadLibraryW(L"ole32.dll");
    if (ole32 == nullptr)
        return nullptr;
    // Through void(*)(): a cast between unrelated function types that the compiler accepts as meant.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(ole32, name)));
}

// What the start of COM on this thread leaves the caller: its own start to end again (S_OK, S_FALSE),
// a start of someone else's in another mode that it may use but must not end (RPC_E_CHANGED_MODE), or
// none at all.
enum class ComStart
{
    Owned,
    Borrowed,
    Failed
};

ComStart comStartOf(HRESULT initialized)
{
    if (initialized == S_OK || initialized == S_FALSE)
        return ComStart::Owned;
    return initialized == RPC_E_CHANGED_MODE ? ComStart::Borrowed : ComStart::Failed;
}

} // namespace

const ComFunctions& ole32Functions()
{
    static const ComFunctions functions{
        ole32Function<decltype(ComFunctions::initialize)>("CoInitializeEx"),
        ole32Function<decltype(ComFunctions::createInstance)>("CoCreateInstance"),
        ole32Function<decltype(ComFunctions::uninitialize)>("CoUninitialize"),
    };
    return functions;
}

ScreenReaderDescriptions::~ScreenReaderDescriptions()
{
    for (const Described& described : m_described)
        RemoveWindowSubclass(described.window, watch, kSubclassId);
    if (m_services != nullptr)
        m_services->Release();
    if (m_endCom != nullptr)
        m_endCom();
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
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT && descriptions->m_services == nullptr &&
        descriptions->m_tries < kServiceTries)
        descriptions->describeAll();
    else if (message == WM_NCDESTROY)
        descriptions->forget(window);
    return DefSubclassProc(window, message, wParam, lParam);
}

void ScreenReaderDescriptions::describeAll()
{
    ++m_tries;
    const ComFunctions& com = m_com();
    if (com.initialize == nullptr || com.createInstance == nullptr || com.uninitialize == nullptr)
        return;
    if (m_endCom == nullptr) {
        const ComStart start = comStartOf(com.initialize(nullptr, COINIT_APARTMENTTHREADED));
        if (start == ComStart::Failed)
            return;
        if (start == ComStart::Owned)
            m_endCom = com.uninitialize;
    }
    void* services = nullptr;
    if (FAILED(com.createInstance(kAccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER, kAccPropServicesInterface,
                                  &services)))
        return;
    m_services = static_cast<IAccPropServices*>(services);
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
