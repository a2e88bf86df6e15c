// Dots per inch. Windows 10 (1607) has per-window DPI functions; older versions lack them, so they
// are looked up at run time and the system DPI stands in where they are missing.
#include "window/win32/dpi.h"

namespace {

constexpr UINT kDesignDpi = 96;

// A function of user32.dll, or nullptr on a Windows version without it.
template <typename Function> Function user32Function(const char* name)
{
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    // Through void(*)(): a cast between unrelated function types that the compiler accepts as meant.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

int scaled(int designPixels, UINT dpi)
{
    return MulDiv(designPixels, static_cast<int>(dpi), kDesignDpi);
}

} // namespace

PixelSize toPixels(const TwipsSize& size, UINT dpi)
{
    return {scaled(twipsToPixels(size.width), dpi), scaled(twipsToPixels(size.height), dpi)};
}

PixelRect toPixels(const TwipsRect& rect, UINT dpi)
{
    return {scaled(twipsToPixels(rect.left), dpi), scaled(twipsToPixels(rect.top), dpi),
            scaled(twipsToPixels(rect.width), dpi), scaled(twipsToPixels(rect.height), dpi)};
}

UINT windowDpi(HWND window)
{
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0)
            return dpi;
    }
    return systemDpi();
}

UINT systemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

LOGFONTW messageFont(UINT dpi)
{
    using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const auto forDpi = user32Function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (forDpi != nullptr && forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi))
        return metrics.lfMessageFont;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        // Given for the system DPI.
        metrics.lfMessageFont.lfHeight =
            MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi()));
        return metrics.lfMessageFont;
    }
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    return font;
}

SIZE windowSizeFor(const PixelSize& clientArea, DWORD style, DWORD exStyle, UINT dpi)
{
    using AdjustForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = user32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");

    RECT frame{0, 0, clientArea.width, clientArea.height};
    if (adjustForDpi == nullptr || !adjustForDpi(&frame, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}
