// The edit control as a view of its line: the editing scenarios acted out by the keys' own messages,
// through the Windows key rules, at every length; the context menu; and what the field leaves to an
// input method.
#include "window/win32/line_field.h"

#include "tests/support/scenario_runner.h"
#include "tests/window/win32/clipboard.h"
#include "textbox/key_rules.h"
#include "window/win32/keys.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

// Keys as the keyboard delivers them to the focused edit control: the key down and up, with the
// modifiers down in the thread's keyboard state, and the characters TranslateMessage makes of them.
class Win32Driver : public ScenarioDriver
{
public:
    explicit Win32Driver(HWND edit) : m_edit(edit) {}

    void start(const MarkedLine& line) override
    {
        ASSERT_TRUE(field().setLine(line.line));
        field().select(line.anchor, line.cursor);
    }

    void press(KeyPress key) override
    {
        const UINT virtualKey = virtualKeyOf(key.key);
        std::array<BYTE, 256> saved{};
        GetKeyboardState(saved.data());
        std::array<BYTE, 256> state = saved;
        state[VK_SHIFT] = (key.modifiers & kShift) != 0 ? 0x80 : 0;
        state[VK_CONTROL] = (key.modifiers & kCtrl) != 0 ? 0x80 : 0;
        state[VK_MENU] = (key.modifiers & kAlt) != 0 ? 0x80 : 0;
        SetKeyboardState(state.data());
        const bool alt = (key.modifiers & kAlt) != 0;
        const LPARAM scan =
            static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16 | (alt ? 1 << 29 : 0);
        deliver(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, scan | 1);
        deliver(alt ? WM_SYSKEYUP : WM_KEYUP, virtualKey, scan | 0xC0000001);
        SetKeyboardState(saved.data());
    }

    void type(std::u16string_view text) override
    {
        for (const char16_t unit : text)
            SendMessageW(m_edit, WM_CHAR, unit, 1);
    }

    // As a screen reader or another program moves the caret, and as the edit control's own menu and Tab
    // select all: the message goes to the control.
    void moveUnseen(UnseenMove move) override
    {
        const int end = GetWindowTextLengthW(m_edit);
        if (move == UnseenMove::SelectAll)
            SendMessageW(m_edit, EM_SETSEL, 0, -1);
        else
            SendMessageW(m_edit, EM_SETSEL, move == UnseenMove::ToEnd ? end : 0, move == UnseenMove::ToEnd ? end : 0);
    }

    void setClipboard(std::u16string_view text) override { putOnClipboard(std::u16string(text)); }
    std::u16string clipboard() override { return ::clipboard(); }
    MarkedLine state() override { return {field().line(), field().model().anchor(), field().model().cursor()}; }

    std::string boxDisagrees() override
    {
        const Stretch shown = field().shown();
        const LineModel& model = field().model();
        std::u16string held(static_cast<std::size_t>(GetWindowTextLengthW(m_edit)) + 1, u'\0');
        held.resize(static_cast<std::size_t>(
            GetWindowTextW(m_edit, reinterpret_cast<wchar_t*>(held.data()), static_cast<int>(held.size()))));
        if (held.size() > 2'048)
            return "the edit control holds " + std::to_string(held.size()) + " code units";
        if (held != model.line().substr(static_cast<std::size_t>(shown.start), static_cast<std::size_t>(shown.size())))
            return "the edit control holds other text than the line's stretch";
        const auto inside = [shown](int position) {
            return std::clamp(position, shown.start, shown.end) - shown.start;
        };
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(m_edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        const int cursor = inside(model.cursor());
        if (static_cast<int>(start) != inside(model.selectionStart()) ||
            static_cast<int>(end) != inside(model.selectionEnd()))
            return "the edit control shows another selection";
        POINT caret{};
        GetCaretPos(&caret);
        const LRESULT at = SendMessageW(m_edit, EM_POSFROMCHAR, static_cast<WPARAM>(cursor), 0);
        if (cursor < static_cast<int>(held.size()) && at != -1 && caret.x != static_cast<short>(LOWORD(at)))
            return "the edit control's caret is not at the cursor";
        return {};
    }

private:
    [[nodiscard]] LineField& field() const { return *LineField::of(m_edit); }

    // Delivers a key message as the message loop does, and the characters TranslateMessage makes of it.
    void deliver(UINT message, UINT virtualKey, LPARAM lParam)
    {
        MSG msg{m_edit, message, virtualKey, lParam, 0, {}};
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        while (PeekMessageW(&msg, m_edit, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    HWND m_edit;
};

class LineFieldTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"", WS_POPUP | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 273, 21,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_edit, nullptr);
        SendMessageW(m_edit, EM_SETLIMITTEXT, 0, 0);
        ASSERT_TRUE(LineField::attach(m_edit));
        SetFocus(m_edit);
    }
    void TearDown() override { DestroyWindow(m_edit); }

    [[nodiscard]] LineField& field() const { return *LineField::of(m_edit); }

    HWND m_edit = nullptr;
};

class Scenarios : public LineFieldTest, public testing::WithParamInterface<std::size_t>
{
};

TEST_P(Scenarios, ActedOutAtEveryLength)
{
    const Scenario scenario = fieldScenarios().at(GetParam());
    const KeyRules& rules = key_rules::kWindows;
    if (const std::optional<std::string> reason = skipReason(scenario, rules))
        GTEST_SKIP() << *reason;
    Win32Driver driver(m_edit);
    for (const Padding& padding :
         paddingsFor(shortLength(scenario.steps.front().argument), field_sizes::kWin32.threshold)) {
        const std::optional<std::string> failure = actOut(scenario, padding, rules, driver);
        ASSERT_FALSE(failure) << *failure;
    }
}

INSTANTIATE_TEST_SUITE_P(Win32, Scenarios, testing::Range(std::size_t{0}, fieldScenarios().size()),
                         [](const auto& info) { return identifierOf(fieldScenarios().at(info.param).name); });

// The context menu's commands, each with whether it is enabled.
std::wstring menuStates(const LineField& field)
{
    HMENU menu = field.makeContextMenu();
    std::wstring states;
    for (int item = 0; item < GetMenuItemCount(menu); ++item) {
        wchar_t caption[64] = L"";
        if (GetMenuStringW(menu, static_cast<UINT>(item), caption, 64, MF_BYPOSITION) == 0)
            continue; // a separator
        const bool enabled = (GetMenuState(menu, static_cast<UINT>(item), MF_BYPOSITION) & MF_GRAYED) == 0;
        states += std::wstring(states.empty() ? L"" : L", ") + caption + (enabled ? L" on" : L" off");
    }
    DestroyMenu(menu);
    return states;
}

// Chooses the context menu's item captioned caption, as a click on it does.
void chooseFromMenu(LineField& field, const wchar_t* caption)
{
    HMENU menu = field.makeContextMenu();
    for (int item = 0; item < GetMenuItemCount(menu); ++item) {
        wchar_t held[64] = L"";
        GetMenuStringW(menu, static_cast<UINT>(item), held, 64, MF_BYPOSITION);
        if (std::wstring(held) == caption) {
            const UINT id = GetMenuItemID(menu, item);
            DestroyMenu(menu);
            return field.choose(id);
        }
    }
    DestroyMenu(menu);
    ADD_FAILURE() << "no such item in the menu";
}

// The edit control's own menu asks the control, which holds only a stretch of a long line and one level of
// undo: the field's asks the line. Its commands are the edit control's, in its order.
TEST_F(LineFieldTest, ContextMenuOffersAndDoesWhatTheLineCanDo)
{
    const std::u16string line = u"11 " + std::u16string(5000, u'2');
    putOnClipboard(u"12");
    ASSERT_TRUE(field().setLine(line));
    EXPECT_EQ(menuStates(field()), L"&Undo off, Cu&t off, &Copy off, &Paste on, &Delete off, Select &All on");
    chooseFromMenu(field(), L"Select &All");
    EXPECT_EQ(field().model().selectionEnd() - field().model().selectionStart(), 5003);
    EXPECT_EQ(menuStates(field()), L"&Undo off, Cu&t on, &Copy on, &Paste on, &Delete on, Select &All off");
    chooseFromMenu(field(), L"Cu&t");
    EXPECT_EQ(clipboard(), line);
    EXPECT_EQ(menuStates(field()), L"&Undo on, Cu&t off, &Copy off, &Paste on, &Delete off, Select &All off");
    chooseFromMenu(field(), L"&Undo");
    EXPECT_EQ(field().line(), line);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(menuStates(field()), L"&Undo off, Cu&t on, &Copy on, &Paste off, &Delete on, Select &All off");
}

// Tab into the field, and the control's own menu, select all by EM_SETSEL(0, -1): the whole line.
TEST_F(LineFieldTest, SelectAllByMessageTakesTheWholeLine)
{
    ASSERT_TRUE(field().setLine(std::u16string(9000, u'0')));
    field().select(4500, 4500);
    SendMessageW(m_edit, EM_SETSEL, 0, -1);
    EXPECT_EQ(field().model().selectionStart(), 0);
    EXPECT_EQ(field().model().selectionEnd(), 9000);
}

// While an input method composes, the stretch stays where it is, whatever happens to the caret.
TEST_F(LineFieldTest, StretchStaysWhileAnInputMethodComposes)
{
    ASSERT_TRUE(field().setLine(std::u16string(9000, u'0')));
    field().select(4500, 4500);
    const Stretch shown = field().shown();
    SendMessageW(m_edit, WM_IME_STARTCOMPOSITION, 0, 0);
    SendMessageW(m_edit, EM_SETSEL, 1, 1); // near the stretch's start, with more line before it
    EXPECT_EQ(field().shown(), shown);
    SendMessageW(m_edit, WM_IME_ENDCOMPOSITION, 0, 0);
    EXPECT_NE(field().shown(), shown);
}

} // namespace
