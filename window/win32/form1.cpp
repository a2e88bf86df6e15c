// The program's one window in plain Win32.
#include "window/win32/form1.h"

#include "convert/line.h"
#include "runtime/errors.h"
#include "window/form1_design.h"
#include "window/prompt_colour.h"
#include "window/win32/caption_size.h"
#include "window/win32/dpi.h"
#include "window/win32/plain_button.h"
#include "window/win32/wide.h"

#include <exception>
#include <initializer_list>
#include <string>

namespace {

namespace design = form1_design;

constexpr wchar_t kClassName[] = L"VantrelHex2DecForm1";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW; // sizable, system menu, minimize and maximize
constexpr DWORD kExStyle = 0;

// Control ids. None is IDOK or IDCANCEL, the commands keyboard navigation sends for Enter and Esc.
enum ControlId : int
{
    kLabel1Id = 101,
    kText1Id,
    kText2Id,
    kCommand1Id,
    kText3Id,
    kText2NameId,
    kText3NameId,
};

// The core's message styles are the values MessageBoxW takes.
static_assert(static_cast<UINT>(MessageStyle::Critical) == (MB_ICONHAND | MB_OK));

HWND makeControl(HWND parent, const wchar_t* className, const std::wstring& caption, DWORD style, DWORD exStyle,
                 ControlId id)
{
    return CreateWindowExW(exStyle, className, caption.c_str(), WS_CHILD | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

HWND makeTextBox(HWND parent, DWORD tabStop, ControlId id)
{
    HWND box = makeControl(parent, L"Edit", L"", WS_VISIBLE | ES_AUTOHSCROLL | tabStop, WS_EX_CLIENTEDGE, id);
    if (box != nullptr)
        SendMessageW(box, EM_SETLIMITTEXT, 0, 0); // the default of about 30,000 would cut a pasted line
    return box;
}

void place(HWND control, const PixelRect& rect)
{
    MoveWindow(control, rect.left, rect.top, rect.width, rect.height, TRUE);
}

RuntimeError refused(const char* what)
{
    return {ErrorKind::FieldRefused, what};
}

} // namespace

bool Form1::registerClass(HINSTANCE instance, HICON bigIcon, HICON smallIcon)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = bigIcon;
    windowClass.hIconSm = smallIcon;
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
}

bool Form1::create(HINSTANCE instance)
{
    // Sized for the primary monitor first; the window may land on another.
    const UINT dpi = systemDpi();
    const SIZE size = windowSizeFor(toPixels(design::kClientArea, dpi), kStyle, kExStyle, dpi);
    CreateWindowExW(kExStyle, kClassName, toWide(design::kCaption).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    size.cx, size.cy, nullptr, nullptr, instance, this);
    if (m_window == nullptr)
        return false;
    const UINT actualDpi = windowDpi(m_window);
    if (actualDpi != dpi) {
        const SIZE actual = windowSizeFor(toPixels(design::kClientArea, actualDpi), kStyle, kExStyle, actualDpi);
        SetWindowPos(m_window, nullptr, 0, 0, actual.cx, actual.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
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
        createControls();
        if (m_label1 == nullptr || m_text1 == nullptr || m_text2 == nullptr || m_command1 == nullptr ||
            m_text3 == nullptr)
            return -1;
        layOut(windowDpi(m_window));
        return 0;

    case WM_COMMAND:
        // Only the button's own click: Enter and Esc arrive as IDOK and IDCANCEL, and convert nothing.
        if (LOWORD(wParam) == kCommand1Id && HIWORD(wParam) == BN_CLICKED &&
            reinterpret_cast<HWND>(lParam) == m_command1)
            convert();
        return 0;

    case DM_GETDEFID:
        return 0; // no default button

    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == m_label1) {
            // Pure blue, or on a dark colour scheme the blue nearest to it that can still be read.
            const COLORREF face = GetSysColor(COLOR_BTNFACE);
            const Rgb prompt = promptColour({GetRValue(face), GetGValue(face), GetBValue(face)});
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(prompt.red, prompt.green, prompt.blue));
            SetBkColor(dc, face);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;

    case WM_ACTIVATE:
        // The focus goes back to the control that had it, Text1 at first; not to the window itself.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(m_window, focus))
                m_focus = focus;
        } else if (HIWORD(wParam) == 0) { // not minimized
            SetFocus(m_focus != nullptr ? m_focus : m_text1);
        }
        return 0;

    case WM_DPICHANGED: {
        layOut(HIWORD(wParam));
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(m_window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }

    case WM_DESTROY:
        PostQuitMessage(m_exitCode); // closing the window ends the program
        return 0;

    case WM_NCDESTROY:
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        m_window = nullptr;
        return 0;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void Form1::createControls()
{
    // Screen readers name a field by the static text control just before it: the prompt comes right
    // before Text1, and a hidden label before each of Text2 and Text3. Creation order is also the Tab
    // order: Text1, Text2, Command1, and never Text3, which has no tab stop.
    m_label1 = makeControl(m_window, L"Static", toWide(design::kPrompt), WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0,
                           kLabel1Id);
    m_text1 = makeTextBox(m_window, WS_TABSTOP, kText1Id);
    makeControl(m_window, L"Static", toWide(design::kText2Name), SS_NOPREFIX, 0, kText2NameId);
    m_text2 = makeTextBox(m_window, WS_TABSTOP, kText2Id);
    m_command1 = makeControl(m_window, L"Button", toWide(design::kConvert), WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0,
                             kCommand1Id);
    makeControl(m_window, L"Static", toWide(design::kText3Name), SS_NOPREFIX, 0, kText3NameId);
    m_text3 = makeTextBox(m_window, 0, kText3Id);
    if (m_command1 != nullptr && !keepFromDefault(m_command1))
        m_command1 = nullptr;
}

void Form1::layOut(UINT dpi)
{
    const LOGFONTW fontDesign = messageFont(dpi);
    HFONT font = CreateFontIndirectW(&fontDesign);
    if (font == nullptr)
        return; // the controls keep the font they have
    for (HWND control : {m_label1, m_text1, m_text2, m_command1, m_text3})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (m_font != nullptr)
        DeleteObject(m_font);
    m_font = font;

    const PixelSize clientArea = toPixels(design::kClientArea, dpi);
    place(m_text1, toPixels(design::kText1, dpi));
    place(m_text2, toPixels(design::kText2, dpi));
    place(m_text3, toPixels(design::kText3, dpi));
    const std::wstring prompt = toWide(design::kPrompt);
    place(m_label1,
          grownToFit(toPixels(design::kLabel1, dpi), labelCaptionSize(m_label1, font, prompt.c_str()), clientArea));
    const std::wstring convert = toWide(design::kConvert);
    place(m_command1, grownToFit(toPixels(design::kCommand1, dpi), buttonCaptionSize(m_command1, font, convert.c_str()),
                                 clientArea));
    InvalidateRect(m_window, nullptr, TRUE);
}

void Form1::convert()
{
    try {
        ConvertLine(*this);
    } catch (const std::exception& error) {
        // An error the conversion does not trap ends the program, after saying so. It must not
        // unwind through the system's code that called this window procedure.
        const std::string what = error.what();
        MessageBoxW(m_window, std::wstring(what.begin(), what.end()).c_str(), toWide(design::kCaption).c_str(),
                    MB_ICONHAND | MB_OK);
        m_exitCode = 1;
        PostMessageW(m_window, WM_CLOSE, 0, 0);
    }
}

HWND Form1::edit(Field field) const
{
    return controlFor(field, m_text1, m_text2, m_text3);
}

std::u16string Form1::text(Field field) const
{
    HWND box = edit(field);
    // Both calls return 0 for an empty field too; only the error code tells a failure apart.
    SetLastError(ERROR_SUCCESS);
    const int length = GetWindowTextLengthW(box);
    if (length == 0 && GetLastError() != ERROR_SUCCESS)
        throw refused("the field would not give its length");
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SetLastError(ERROR_SUCCESS);
    const int copied = GetWindowTextW(box, text.data(), length + 1);
    if (copied == 0 && GetLastError() != ERROR_SUCCESS)
        throw refused("the field would not give its text");
    text.resize(static_cast<std::size_t>(copied));
    return fromWide(text);
}

void Form1::setText(Field field, const std::u16string& text)
{
    if (!SetWindowTextW(edit(field), toWide(text).c_str()))
        throw refused("the field would not take its text");
}

void Form1::showMessage(const std::u16string& prompt, MessageStyle style, const std::u16string& title)
{
    // Owned by the window, so the window takes no input until the box is dismissed.
    MessageBoxW(m_window, toWide(prompt).c_str(), toWide(title).c_str(), static_cast<UINT>(style));
}
