// The Win32 window in its own process, under the system's own controls: its size at each DPI, captions
// whole in a larger font, the message font, no length limit, the prompt's drawn colour, names through the
// accessibility interface, the keyboard, and an error the conversion does not trap.
#include "window/win32/form1.h"

#include "tests/window/win32/clipboard.h"

#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

const std::u16string kExample = u"FE FE 00 90 01 05 FD";
const std::u16string kExampleOutput = u"254 254 0 144 1 5";
const std::wstring kPrompt = L"Enter you Filter Code (ex.FE FE 00 90 01 05 FD)";

bool g_highContrast = false;
std::optional<WPARAM> g_quitStatus; // what the window ended the program with, when it did

// Delivers what has been posted, as the program's message loop would.
void pump(Form1* form = nullptr)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            g_quitStatus = message.wParam;
            continue;
        }
        if (form == nullptr || !form->handleKeyboard(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

Size clientSize(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

LOGFONTW fontOf(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font;
}

NONCLIENTMETRICSW systemMetrics()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return metrics;
}

// The system setting changed for the test, and put back however the test ends.
class MessageFontHeight
{
public:
    explicit MessageFontHeight(LONG height) : m_saved(systemMetrics()) { apply(height); }
    ~MessageFontHeight() { apply(m_saved.lfMessageFont.lfHeight); }

private:
    void apply(LONG height)
    {
        NONCLIENTMETRICSW metrics = systemMetrics();
        metrics.lfMessageFont.lfHeight = height;
        SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(metrics), &metrics, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
        pump();
    }
    NONCLIENTMETRICSW m_saved;
};

class SystemColours
{
public:
    SystemColours(COLORREF face, COLORREF text)
    {
        const int which[] = {COLOR_BTNFACE, COLOR_WINDOWTEXT};
        m_saved = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOWTEXT)};
        const COLORREF colours[] = {face, text};
        SetSysColors(2, which, colours);
        pump();
    }
    ~SystemColours()
    {
        const int which[] = {COLOR_BTNFACE, COLOR_WINDOWTEXT};
        SetSysColors(2, which, m_saved.data());
    }

private:
    std::vector<COLORREF> m_saved;
};

// The width a line of text takes in the control's font.
int textWidth(HWND control, const std::wstring& text)
{
    HDC dc = GetDC(control);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return extent.cx;
}

// The control drawn into a bitmap of its own, as the window draws it.
std::vector<COLORREF> drawn(HWND control, Size& size)
{
    size = clientSize(control);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size.width, size.height);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    SendMessageW(control, WM_PRINT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
            pixels.push_back(GetPixel(memory, x, y));
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

int squaredDistance(COLORREF first, COLORREF second)
{
    const int red = GetRValue(first) - GetRValue(second);
    const int green = GetGValue(first) - GetGValue(second);
    const int blue = GetBValue(first) - GetBValue(second);
    return red * red + green * green + blue * blue;
}

std::wstring accessibleName(HWND control)
{
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible))))
        return L"(no accessible object)";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::wstring result = SUCCEEDED(accessible->get_accName(self, &name)) && name ? name : L"";
    SysFreeString(name);
    accessible->Release();
    return result;
}

class Win32Form1 : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        // Once for every suite of the program.
        static const bool registered = [] {
            INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
            InitCommonControlsEx(&controls);
            CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            return Form1::registerClass(GetModuleHandleW(nullptr));
        }();
        ASSERT_TRUE(registered);
    }

    void SetUp() override
    {
        g_highContrast = false;
        m_form = std::make_unique<Form1>([] { return g_highContrast; });
        ASSERT_TRUE(m_form->create(GetModuleHandleW(nullptr)));
        ShowWindow(m_form->handle(), SW_SHOW);
        SetForegroundWindow(m_form->handle());
        pump();
    }

    void TearDown() override
    {
        m_form.reset();
        pump();
    }

    [[nodiscard]] HWND control(Control control) const { return m_form->control(control); }

    // A move to a monitor of another DPI, told as Windows tells it (Wine 8 tells it not at all): the
    // window is asked for its size there, then given a rectangle of that size. Returns the client area
    // that size leaves inside the frame Windows draws at that DPI.
    Size moveToDpi(UINT dpi)
    {
        constexpr UINT getDpiScaledSize = 0x02E4; // WM_GETDPISCALEDSIZE, declared only for Windows 10
        SIZE size{};
        EXPECT_TRUE(SendMessageW(m_form->handle(), getDpiScaledSize, dpi, reinterpret_cast<LPARAM>(&size)));
        const RECT suggested{40, 30, 40 + size.cx, 30 + size.cy};
        SendMessageW(m_form->handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        pump();
        // Taken as it is: never a size of the window's own, which could move it back over the border.
        RECT taken{};
        GetWindowRect(m_form->handle(), &taken);
        EXPECT_TRUE(EqualRect(&taken, &suggested));
        using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
        const auto adjust = reinterpret_cast<AdjustForDpi>(
            reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
        RECT frame{0, 0, 0, 0};
        EXPECT_NE(adjust, nullptr);
        if (adjust != nullptr)
            adjust(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0, dpi);
        return {size.cx - (frame.right - frame.left), size.cy - (frame.bottom - frame.top)};
    }

    void expectCaptionsWhole()
    {
        const Size clientArea = clientSize(m_form->handle());
        for (const auto& [which, caption, room] :
             {std::tuple{Control::Label1, kPrompt, 0}, std::tuple{Control::Command1, std::wstring(L"Convert"), 8}}) {
            RECT place{};
            GetWindowRect(control(which), &place);
            MapWindowPoints(nullptr, m_form->handle(), reinterpret_cast<POINT*>(&place), 2);
            EXPECT_LE(textWidth(control(which), caption) + room, place.right - place.left) << "clipped: " << static_cast<int>(which);
            EXPECT_LE(place.right, clientArea.width) << "outside the window: " << static_cast<int>(which);
            EXPECT_LE(place.bottom, clientArea.height) << "outside the window: " << static_cast<int>(which);
        }
    }

    std::unique_ptr<Form1> m_form;
};

struct DpiCase
{
    UINT dpi;
    Size clientArea;
};

class Win32Form1AtDpi : public Win32Form1, public ::testing::WithParamInterface<DpiCase>
{
};

TEST_P(Win32Form1AtDpi, SizesCaptionsAndFont)
{
    // Wine draws the frame at 96 DPI whatever it is told, so there the client area is read off the
    // size the window asks for.
    const Size clientArea = GetParam().dpi != 96 ? moveToDpi(GetParam().dpi) : clientSize(m_form->handle());
    EXPECT_EQ(clientArea, GetParam().clientArea);
    expectCaptionsWhole();

    // Every control in the message font, scaled to the DPI.
    const LOGFONTW system = systemMetrics().lfMessageFont;
    const LONG height = MulDiv(system.lfHeight, static_cast<int>(GetParam().dpi), 96);
    for (Control which : {Control::Label1, Control::Text1, Control::Text2, Control::Command1, Control::Text3}) {
        const LOGFONTW font = fontOf(control(which));
        EXPECT_EQ(font.lfHeight, height) << "control " << static_cast<int>(which);
        EXPECT_EQ(std::wstring(font.lfFaceName), std::wstring(system.lfFaceName));
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, Win32Form1AtDpi,
                         ::testing::Values(DpiCase{96, {312, 131}}, DpiCase{144, {468, 197}},
                                           DpiCase{192, {624, 262}}),
                         [](const auto& info) { return std::to_string(info.param.dpi); });

TEST_F(Win32Form1, LargerMessageFontGrowsTheWindowAroundWholeCaptions)
{
    const MessageFontHeight larger(-17); // the text-size setting at about 150 %
    EXPECT_EQ(fontOf(control(Control::Label1)).lfHeight, -17);
    EXPECT_GT(clientSize(m_form->handle()).width, 312);
    expectCaptionsWhole();
}

TEST_F(Win32Form1, TextBoxesHaveNoLengthLimit)
{
    for (Control which : {Control::Text1, Control::Text2, Control::Text3})
        EXPECT_EQ(SendMessageW(control(which), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE) << static_cast<int>(which);
}

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Every text box takes a pasted text whole, its line breaks as spaces, where the edit control alone
// would keep the first line; the paste is undone as one edit.
TEST_F(Win32Form1, PastedLinesAreKeptAsOneLine)
{
    for (Control which : {Control::Text1, Control::Text2, Control::Text3}) {
        SetWindowTextW(control(which), L"01 ");
        SendMessageW(control(which), EM_SETSEL, 3, 3);
        putOnClipboard(u"FE\r\nFE\n\u2028"
                       u"02\t03\r\n\r\n");
        SendMessageW(control(which), WM_PASTE, 0, 0);
        EXPECT_EQ(windowText(control(which)), L"01 FE FE  02\t03") << static_cast<int>(which);
        SendMessageW(control(which), EM_UNDO, 0, 0);
        EXPECT_EQ(windowText(control(which)), L"01 ") << static_cast<int>(which);
    }
}

// Stand-ins for ole32's COM functions, counting the starts that the caller must end (a start that
// succeeds) and the ends; the service is missing, as under Wine.
HRESULT g_comStartResult = S_OK;
int g_comStartsToEnd = 0;
int g_comEnds = 0;

HRESULT WINAPI startCom(LPVOID, DWORD)
{
    if (SUCCEEDED(g_comStartResult))
        ++g_comStartsToEnd;
    return g_comStartResult;
}

HRESULT WINAPI noService(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*)
{
    return REGDB_E_CLASSNOTREG;
}

void WINAPI endCom()
{
    ++g_comEnds;
}

const ComFunctions& standInCom()
{
    static const ComFunctions com{startCom, noService, endCom};
    return com;
}

// COM that the descriptions started, however often a reader asks, is ended once when they go; started
// by someone else in another mode, or not at all, it is not theirs to end.
TEST(ScreenReaderDescriptions, EndComOnlyWhenTheyStartedIt)
{
    for (const auto& [started, ends] :
         {std::pair{S_OK, 1}, std::pair{S_FALSE, 1}, std::pair{RPC_E_CHANGED_MODE, 0}, std::pair{E_OUTOFMEMORY, 0}}) {
        g_comStartResult = started;
        g_comStartsToEnd = g_comEnds = 0;
        HWND window = CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        {
            ScreenReaderDescriptions descriptions(standInCom);
            ASSERT_TRUE(descriptions.add(window, L"described"));
            for (int asked = 0; asked < 4; ++asked)
                SendMessageW(window, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
            EXPECT_EQ(g_comEnds, 0) << "ended while the descriptions still use it: " << std::hex << started;
        }
        EXPECT_EQ(g_comEnds, ends) << std::hex << started;
        EXPECT_EQ(g_comStartsToEnd, ends) << std::hex << started;
        DestroyWindow(window);
    }
}

struct ColourCase
{
    const char* name;
    COLORREF face;
    COLORREF text;
    bool highContrast;
    COLORREF prompt;
};

class Win32Form1Prompt : public Win32Form1, public ::testing::WithParamInterface<ColourCase>
{
};

TEST_P(Win32Form1Prompt, IsDrawnReadable)
{
    const ColourCase& c = GetParam();
    const SystemColours colours(c.face, c.text);
    g_highContrast = c.highContrast;
    Size size{};
    const std::vector<COLORREF> pixels = drawn(control(Control::Label1), size);
    ASSERT_FALSE(pixels.empty());

    // The background at the corner, and the ink where the glyphs are solid: the pixel farthest from it
    // (a smoothed edge lies between the two).
    const COLORREF background = pixels.front();
    COLORREF ink = background;
    for (COLORREF pixel : pixels)
        if (squaredDistance(pixel, background) > squaredDistance(ink, background))
            ink = pixel;
    EXPECT_EQ(background, c.face) << std::hex << background;
    EXPECT_EQ(ink, c.prompt) << std::hex << ink;
}

// Contrast ratios worked out with the WCAG 2 formula: pure blue on #F0F0F0 is 7.54:1; on #202326 it is
// 1.84:1, and #7979FF the first blue towards white to reach 4.5:1 (4.51:1; #7878FF is 4.46:1). High
// contrast takes the system's text colour.
INSTANTIATE_TEST_SUITE_P(
    Scheme, Win32Form1Prompt,
    ::testing::Values(ColourCase{"Default", RGB(0xF0, 0xF0, 0xF0), RGB(0, 0, 0), false, RGB(0, 0, 0xFF)},
                      ColourCase{"Dark", RGB(0x20, 0x23, 0x26), RGB(0xFC, 0xFC, 0xFC), false, RGB(0x79, 0x79, 0xFF)},
                      ColourCase{"HighContrast", RGB(0, 0, 0), RGB(0xFF, 0xFF, 0), true, RGB(0xFF, 0xFF, 0)}),
    [](const auto& info) { return info.param.name; });

TEST_F(Win32Form1, ScreenReadersNameEveryField)
{
    EXPECT_EQ(accessibleName(control(Control::Text1)), kPrompt);
    EXPECT_EQ(accessibleName(control(Control::Text2)), L"Decimal values");
    EXPECT_EQ(accessibleName(control(Control::Command1)), L"Convert");
    EXPECT_EQ(accessibleName(control(Control::Text3)), L"Conversion result");
}

struct KeyCase
{
    const char* name;
    Control focused;
    bool byTab; // the focus reached there by Tab, or put there as a mouse press puts it
    UINT key;
    bool shift;
    Control focusAfter;
    bool converts;
};

class Win32Form1Keys : public Win32Form1, public ::testing::WithParamInterface<KeyCase>
{
protected:
    // A key pressed and released while the window has the focus, through the program's message loop.
    void press(UINT key, bool shift)
    {
        BYTE keys[256]{};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        for (UINT message : {WM_KEYDOWN, WM_KEYUP})
            PostMessageW(GetFocus(), message, key, message == WM_KEYUP ? 0xC0000001 : 1);
        pump(m_form.get());
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
};

TEST_P(Win32Form1Keys, MoveAndConvertAsTheStatementSays)
{
    const KeyCase& c = GetParam();
    m_form->setText(Field::Text1, kExample);
    SetFocus(control(c.byTab ? Control::Text1 : c.focused));
    for (int tabs = 0; GetFocus() != control(c.focused) && tabs < 3; ++tabs)
        press(VK_TAB, false);
    ASSERT_EQ(GetFocus(), control(c.focused));

    press(c.key, c.shift);
    EXPECT_EQ(GetFocus(), control(c.focusAfter));
    EXPECT_EQ(m_form->text(Field::Text2), c.converts ? kExampleOutput : u"");
}

INSTANTIATE_TEST_SUITE_P(
    Key, Win32Form1Keys,
    ::testing::Values(KeyCase{"TabText1", Control::Text1, true, VK_TAB, false, Control::Text2, false},
                      KeyCase{"TabText2", Control::Text2, true, VK_TAB, false, Control::Command1, false},
                      KeyCase{"TabCommand1WrapsPastText3", Control::Command1, true, VK_TAB, false, Control::Text1, false},
                      KeyCase{"ShiftTabText1", Control::Text1, true, VK_TAB, true, Control::Command1, false},
                      KeyCase{"EnterText1", Control::Text1, true, VK_RETURN, false, Control::Text1, false},
                      KeyCase{"EnterText2", Control::Text2, true, VK_RETURN, false, Control::Text2, false},
                      KeyCase{"EnterText3", Control::Text3, false, VK_RETURN, false, Control::Text3, false},
                      KeyCase{"EscapeText1", Control::Text1, true, VK_ESCAPE, false, Control::Text1, false},
                      KeyCase{"EscapeCommand1", Control::Command1, true, VK_ESCAPE, false, Control::Command1, false},
                      KeyCase{"EnterCommand1", Control::Command1, true, VK_RETURN, false, Control::Command1, true},
                      KeyCase{"EnterCommand1Clicked", Control::Command1, false, VK_RETURN, false, Control::Command1, true},
                      KeyCase{"SpaceCommand1", Control::Command1, true, VK_SPACE, false, Control::Command1, true}),
    [](const auto& info) { return info.param.name; });

// The message box up on the window's thread, as the test's timer finds it.
struct SeenBox
{
    std::wstring title;
    std::wstring text;
};
SeenBox g_seenBox;

BOOL CALLBACK pressOkIfBox(HWND window, LPARAM)
{
    wchar_t className[16]{};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(window))
        return TRUE;
    wchar_t text[256]{};
    GetWindowTextW(window, text, 256);
    g_seenBox.title = text;
    GetDlgItemTextW(window, 0xFFFF, text, 256); // the box's message
    g_seenBox.text = text;
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK pressOkOnBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), pressOkIfBox, 0);
    if (!g_seenBox.title.empty())
        KillTimer(nullptr, timer);
}

TEST_F(Win32Form1, UntrappedErrorShowsABoxThenEndsWithStatusOne)
{
    // A field that is gone refuses its text: the conversion does not trap that.
    DestroyWindow(control(Control::Text1));
    g_seenBox = {};
    SetTimer(nullptr, 0, 50, pressOkOnBox);
    SendMessageW(control(Control::Command1), BM_CLICK, 0, 0); // returns once OK is pressed

    EXPECT_EQ(g_seenBox.title, L"Vantrel Hex to Decimal Converter");
    EXPECT_FALSE(g_seenBox.text.empty());
    EXPECT_EQ(m_form->exitCode(), 1);
    g_quitStatus.reset();
    pump();
    EXPECT_EQ(g_quitStatus, 1u) << "the program did not end with status 1";
}

} // namespace
