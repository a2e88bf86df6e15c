// The edit control as a view of its line: the editing scenarios acted out by the keys' own messages,
// at every length, and the context menu's commands enabled by what the line can do.
#include "window/win32/line_field.h"

#include "tests/support/field_scenarios.h"
#include "tests/window/win32/clipboard.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

// A key as the message loop delivers it to the focused edit control: WM_KEYDOWN, the WM_CHAR that
// TranslateMessage makes of it, WM_KEYUP, with the modifiers down in the thread's keyboard state.
void press(HWND edit, std::u16string_view name)
{
    struct Key
    {
        std::u16string_view name;
        UINT virtualKey;
        wchar_t character; // 0: none
    };
    static constexpr std::array kKeys{
        Key{u"Home", VK_HOME, 0},     Key{u"End", VK_END, 0},       Key{u"Left", VK_LEFT, 0},
        Key{u"Right", VK_RIGHT, 0},   Key{u"Delete", VK_DELETE, 0}, Key{u"Backspace", VK_BACK, 0x08},
        Key{u"SelectAll", 'A', 0x01}, Key{u"Copy", 'C', 0x03},      Key{u"Cut", 'X', 0x18},
        Key{u"Paste", 'V', 0x16},     Key{u"Undo", 'Z', 0x1A},      Key{u"Redo", 'Y', 0x19}};
    const bool shift = name.find(u"Shift+") != std::u16string_view::npos;
    const bool command = name == u"SelectAll" || name == u"Copy" || name == u"Cut" || name == u"Paste" ||
                         name == u"Undo" || name == u"Redo";
    const bool control = command || name.find(u"Ctrl+") != std::u16string_view::npos;
    const std::u16string_view bare =
        name.substr(name.rfind(u'+') == std::u16string_view::npos ? 0 : name.rfind(u'+') + 1);
    const auto key = std::find_if(kKeys.begin(), kKeys.end(), [bare](const Key& k) { return k.name == bare; });
    ASSERT_NE(key, kKeys.end()) << "no such key";
    std::array<BYTE, 256> saved{};
    GetKeyboardState(saved.data());
    std::array<BYTE, 256> state = saved;
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(state.data());
    SendMessageW(edit, WM_KEYDOWN, key->virtualKey, 1);
    if (key->character != 0)
        SendMessageW(edit, WM_CHAR, key->character, 1);
    SendMessageW(edit, WM_KEYUP, key->virtualKey, 0xC0000001);
    SetKeyboardState(saved.data());
}

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

TEST_F(LineFieldTest, ActsOutTheScenariosAtEveryLength)
{
    for (const Scenario& scenario : fieldScenarios()) {
        const int length = shortLength(scenario.steps.front().argument);
        for (const Padding& padding : paddingsFor(length, field_sizes::kWin32.threshold)) {
            SCOPED_TRACE(scenario.name + ", " + padding.name);
            for (const ScenarioStep& step : scenario.steps) {
                SCOPED_TRACE("field_scenarios.txt:" + std::to_string(step.lineNumber));
                if (step.verb == "start") {
                    const MarkedLine start = unmark(step.argument, padding);
                    ASSERT_TRUE(field().setLine(start.line));
                    field().select(start.anchor, start.cursor);
                } else if (step.verb == "key") {
                    press(m_edit, step.argument);
                } else if (step.verb == "type") {
                    for (const char16_t unit : step.argument)
                        SendMessageW(m_edit, WM_CHAR, unit, 1);
                } else if (step.verb == "clip") {
                    putOnClipboard(step.argument);
                } else if (step.verb == "expect" && step.expectedFor("win32") == u"-") {
                    break;
                } else if (step.verb == "expect") {
                    const LineModel& model = field().model();
                    const MarkedLine now{model.line(), model.anchor(), model.cursor()};
                    const MarkedLine expected = unmark(step.expectedFor("win32"), padding);
                    ASSERT_EQ(described(now, padding), described(expected, padding));
                    ASSERT_EQ(now, expected);
                    // A long line's edit control holds a stretch of about 4,096 code units.
                    ASSERT_LE(GetWindowTextLengthW(m_edit), field_sizes::kWin32.threshold + 2);
                } else if (step.verb == "clipboard") {
                    ASSERT_EQ(clipboard(), unmark(step.argument, padding).line);
                } else {
                    FAIL() << "unknown step " << step.verb;
                }
            }
        }
    }
}

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

// The edit control's own menu asks the control, which holds only a stretch of a long line and one level of
// undo: the field's asks the line. Its commands are the edit control's, in its order.
TEST_F(LineFieldTest, ContextMenuOffersWhatTheLineCanDo)
{
    putOnClipboard(u"12");
    ASSERT_TRUE(field().setLine(u"11 " + std::u16string(5000, u'2')));
    EXPECT_EQ(menuStates(field()), L"&Undo off, Cu&t off, &Copy off, &Paste on, &Delete off, Select &All on");
    press(m_edit, u"Shift+Home"); // past the stretch
    EXPECT_EQ(menuStates(field()), L"&Undo off, Cu&t on, &Copy on, &Paste on, &Delete on, Select &All off");
    press(m_edit, u"Right");
    press(m_edit, u"Backspace");
    EXPECT_EQ(menuStates(field()), L"&Undo on, Cu&t off, &Copy off, &Paste on, &Delete off, Select &All on");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(menuStates(field()), L"&Undo on, Cu&t off, &Copy off, &Paste off, &Delete off, Select &All on");
    SendMessageW(m_edit, WM_SYSKEYDOWN, VK_BACK, 1 << 29); // Alt+Backspace: undo, the model's
    EXPECT_EQ(field().line(), u"11 " + std::u16string(5000, u'2'));
}

} // namespace
