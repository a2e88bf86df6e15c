// The program's one window in plain Win32.
#include "window/win32/form1.h"

#include "runtime/errors.h"
#include "window/command1_click.h"
#include "window/form1_behaviour.h"
#include "window/form1_layout.h"
#include "window/prompt_colour.h"
#include "window/win32/caption_size.h"
#include "window/win32/dpi.h"
#include "window/win32/line_field.h"
#include "window/win32/wide.h"

#include <string>
#include <tuple>

namespace {

namespace design = form1_design;
namespace behaviour = form1_behaviour;

constexpr wchar_t kClassName[] = L"VantrelHex2DecForm1";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW; // sizable, system menu, minimize and maximize
constexpr DWORD kExStyle = 0;
constexpr int kIconId = 1; // the program's resource script
// Windows 10 (1703) asks with it; the headers declare it only for programs that need that version.
constexpr UINT kGetDpiScaledSize = 0x02E4; // WM_GETDPISCALEDSIZE

// Control ids: 101 onwards in design order, and none IDOK or IDCANCEL, the commands keyboard navigation
// sends for Enter and Esc. Labels that name a field for screen readers follow from 201.
constexpr int controlId(Control control)
{
    return 101 + static_cast<int>(control);
}
constexpr int nameLabelId(Control control)
{
    return 201 + static_cast<int>(control);
}

// Keyboard navigation walks the controls with a tab stop in the order they were made, and they are made
// in design order.
static_assert(behaviour::designOrderIsTabOrder());
static_assert(!behaviour::kHasDefaultButton && !behaviour::kHasCancelButton);

// The core's message styles are the values MessageBoxW takes.
static_assert(static_cast<UINT>(MessageStyle::Critical) == (MB_ICONHAND | MB_OK));

HWND makeControl(HWND parent, const wchar_t* className, std::u16string_view text, DWORD style, DWORD exStyle, int id)
{
    const std::wstring caption(text.begin(), text.end());
    return CreateWindowExW(exStyle, className, caption.c_str(), WS_CHILD | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

HWND makeControl(HWND parent, const ControlDesign& control)
{
    const DWORD tabStop = behaviour::takesTabStop(control.control) ? WS_TABSTOP : 0;
    const int id = controlId(control.control);
    switch (control.kind) {
    case ControlKind::Label:
        return makeControl(parent, L"Static", control.text, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, id);
    case ControlKind::Button:
        return makeControl(parent, L"Button", control.text, WS_VISIBLE | BS_PUSHBUTTON | tabStop, 0, id);
    case ControlKind::TextBox:
        if (HWND box = makeControl(parent, L"Edit", control.text, WS_VISIBLE | ES_AUTOHSCROLL | tabStop,
                                   WS_EX_CLIENTEDGE, id)) {
            // 0 lifts the limit; the default of about 30,000 characters would cut a pasted line.
            SendMessageW(box, EM_SETLIMITTEXT, static_cast<WPARAM>(behaviour::kTextBoxLengthLimit.value_or(0)), 0);
            if (!LineField::attach(box)) {
                DestroyWindow(box);
                return nullptr;
            }
            return box;
        }
        return nullptr;
    }
    return nullptr;
}

Size captionRoom(HWND control, ControlKind kind, HFONT font, std::u16string_view text)
{
    const std::wstring caption(text.begin(), text.end());
    return kind == ControlKind::Button ? buttonCaptionSize(control, font, caption.c_str())
                                       : labelCaptionSize(control, font, caption.c_str());
}

RuntimeError refused(const char* what)
{
    return {ErrorKind::FieldRefused, what};
}

} // namespace

bool Form1::systemHighContrast()
{
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool Form1::registerClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
}

Form1::~Form1()
{
    if (m_window != nullptr)
        DestroyWindow(m_window);
    if (m_font != nullptr)
        DeleteObject(m_font);
    for (HICON icon : {m_bigIcon, m_smallIcon})
        if (icon != nullptr)
            DestroyIcon(icon);
}

bool Form1::create(HINSTANCE instance)
{
    m_instance = instance;
    // Placed where the system puts new windows; it sizes itself once made, for the DPI it lands on.
    CreateWindowExW(kExStyle, kClassName, toWide(std::u16string(design::kCaption)).c_str(), kStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    return m_window != nullptr;
}

bool Form1::handleKeyboard(MSG& message)
{
    return IsDialogMessageW(m_window, &message) != FALSE;
}

LRESULT CALLBACK Form1::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Form1* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Form1*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->onMessage(message, wParam, lParam);
}

LRESULT Form1::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        if (!createControls())
            return -1;
        layOut(windowDpi(m_window));
        return 0;

    case WM_COMMAND: {
        // The button's own click. Keyboard navigation sends IDOK for Enter and IDCANCEL for Esc: Enter
        // clicks the button that has the focus, and nothing else converts.
        HWND command1 = control(Control::Command1);
        const bool clicked = LOWORD(wParam) == controlId(Control::Command1) && HIWORD(wParam) == BN_CLICKED &&
                             reinterpret_cast<HWND>(lParam) == command1;
        const bool enterOnButton = LOWORD(wParam) == IDOK && GetFocus() == command1 &&
                                   behaviour::enterClicksFocusedButton(behaviour::Platform::Windows);
        if (clicked || enterOnButton)
            click();
        return 0;
    }

    case DM_GETDEFID:
        return 0; // no default button

    case WM_CTLCOLORSTATIC:
        // In high contrast the prompt keeps the system's colours, as every other text does.
        if (reinterpret_cast<HWND>(lParam) == control(Control::Label1) && !m_highContrast()) {
            // Pure blue, or on a dark colour scheme the blue nearest to it that can still be read.
            const COLORREF face = GetSysColor(COLOR_BTNFACE);
            const Rgb prompt = promptColour({GetRValue(face), GetGValue(face), GetBValue(face)});
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(prompt.red, prompt.green, prompt.blue));
            SetBkColor(dc, face);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;

    case WM_SYSCOLORCHANGE:
        InvalidateRect(m_window, nullptr, TRUE);
        break;

    case WM_SETTINGCHANGE:
        // A new message font (the text-size setting) needs new room for the captions.
        if (wParam == SPI_SETNONCLIENTMETRICS)
            layOut(windowDpi(m_window));
        else if (wParam == SPI_SETHIGHCONTRAST)
            InvalidateRect(m_window, nullptr, TRUE);
        break;

    case WM_ACTIVATE:
        // The focus goes back to the control that had it, the first in tab order at first; not to the
        // window itself.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(m_window, focus))
                m_focus = focus;
        } else if (HIWORD(wParam) == 0) { // not minimized
            SetFocus(m_focus != nullptr ? m_focus : control(behaviour::kTabOrder.front()));
        }
        return 0;

    case kGetDpiScaledSize: {
        // Before a move to another DPI, the system asks for the window's size there; its suggested
        // rectangle then has that size, and is taken as it is, so that a window on the border between
        // two monitors cannot bounce between them.
        *reinterpret_cast<SIZE*>(lParam) = windowSizeAt(static_cast<UINT>(wParam));
        return TRUE;
    }

    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(m_window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        layOut(HIWORD(wParam), WindowSize::AsItIs);
        return 0;
    }

    case WM_DESTROY:
        PostQuitMessage(m_exitCode); // closing the window ends the program
        return 0;

    case WM_NCDESTROY: {
        // The window is forgotten first; the system still has its own part of the window to free.
        HWND window = m_window;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        m_window = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

bool Form1::createControls()
{
    m_descriptions.add(m_window, toWide(std::u16string(behaviour::kWindowDescription)));
    // A screen reader names a field by the static text just before it: the prompt before Text1, and a
    // hidden label before each other text box.
    bool afterLabel = false;
    for (const ControlDesign& control : design::kControls) {
        const behaviour::ScreenReaderText said = behaviour::screenReaderText(control.control);
        if (control.kind == ControlKind::TextBox && !afterLabel &&
            makeControl(m_window, L"Static", said.name, SS_NOPREFIX, 0, nameLabelId(control.control)) == nullptr)
            return false;
        HWND made = makeControl(m_window, control);
        if (made == nullptr)
            return false;
        m_controls[static_cast<std::size_t>(control.control)] = made;
        if (!said.description.empty())
            m_descriptions.add(made, toWide(std::u16string(said.description)));
        afterLabel = control.kind == ControlKind::Label;
    }
    return true;
}

Form1Layout Form1::layoutAt(UINT dpi, HFONT font) const
{
    return layOutForm1(static_cast<int>(dpi), [this, font](Control captioned) {
        const ControlDesign& control = design::design(captioned);
        return captionRoom(this->control(captioned), control.kind, font, control.text);
    });
}

SIZE Form1::windowSizeAt(UINT dpi) const
{
    const LOGFONTW fontDesign = messageFont(dpi);
    HFONT font = CreateFontIndirectW(&fontDesign);
    const Form1Layout layout = layoutAt(dpi, font != nullptr ? font : m_font);
    if (font != nullptr)
        DeleteObject(font);
    RECT window{0, 0, layout.clientArea.width, layout.clientArea.height};
    addFrame(window, kStyle, kExStyle, dpi);
    return {window.right - window.left, window.bottom - window.top};
}

void Form1::layOut(UINT dpi, WindowSize size)
{
    const LOGFONTW fontDesign = messageFont(dpi);
    HFONT font = CreateFontIndirectW(&fontDesign);
    if (font == nullptr)
        return; // the controls keep the font and places they have
    for (HWND made : m_controls)
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (m_font != nullptr)
        DeleteObject(m_font);
    m_font = font;

    const Form1Layout layout = layoutAt(dpi, font);
    for (const ControlDesign& control : design::kControls) {
        const Rect& place = layout.place(control.control);
        MoveWindow(this->control(control.control), place.left, place.top, place.width, place.height, TRUE);
    }
    // The frame as it is drawn now, around the client area the layout asks for. A maximized window
    // keeps the screen's size.
    RECT window{};
    RECT client{};
    if (size == WindowSize::Fit && !IsZoomed(m_window) && GetWindowRect(m_window, &window) &&
        GetClientRect(m_window, &client)) {
        const int width = layout.clientArea.width + (window.right - window.left) - client.right;
        const int height = layout.clientArea.height + (window.bottom - window.top) - client.bottom;
        SetWindowPos(m_window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    setIcons(dpi);
    InvalidateRect(m_window, nullptr, TRUE);
}

void Form1::setIcons(UINT dpi)
{
    // The image of the program's icon drawn for this size, rather than another one scaled.
    const auto load = [this, dpi](int widthMetric, int heightMetric) {
        return static_cast<HICON>(LoadImageW(m_instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON,
                                             systemMetric(widthMetric, dpi), systemMetric(heightMetric, dpi),
                                             LR_DEFAULTCOLOR));
    };
    for (auto [icon, which, width, height] : {std::tuple{&m_bigIcon, ICON_BIG, SM_CXICON, SM_CYICON},
                                              std::tuple{&m_smallIcon, ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
        HICON loaded = load(width, height);
        if (loaded == nullptr)
            continue;
        SendMessageW(m_window, WM_SETICON, which, reinterpret_cast<LPARAM>(loaded));
        if (*icon != nullptr)
            DestroyIcon(*icon);
        *icon = loaded;
    }
}

void Form1::click()
{
    // An error the conversion does not trap ends the program, after saying so. It must not unwind
    // through the system's code that called this window procedure.
    if (const int status = clickCommand1(*this)) {
        m_exitCode = status;
        PostMessageW(m_window, WM_CLOSE, 0, 0);
    }
}

HWND Form1::edit(Field field) const
{
    return control(design::controlFor(field));
}

std::u16string Form1::text(Field field) const
{
    // The whole line, which the edit control holds only a stretch of when it is long.
    const LineField* box = LineField::of(edit(field));
    if (box == nullptr)
        throw refused("the field would not give its text");
    return box->line();
}

void Form1::setText(Field field, const std::u16string& text)
{
    LineField* box = LineField::of(edit(field));
    if (box == nullptr || !box->setLine(text))
        throw refused("the field would not take its text");
}

void Form1::showMessage(const std::u16string& prompt, MessageStyle style, const std::u16string& title)
{
    // Owned by the window, so the window takes no input until the box is dismissed.
    MessageBoxW(m_window, toWide(prompt).c_str(), toWide(title).c_str(), static_cast<UINT>(style));
}
