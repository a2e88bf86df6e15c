// An edit control as a view of the line it edits.
#include "window/win32/line_field.h"

#include "textbox/context_menu.h"
#include "window/win32/clipboard.h"
#include "window/win32/keys.h"

#include <commctrl.h>

#include <string_view>
#include <utility>

namespace {

constexpr UINT_PTR kSubclassId = 1;
// Selects [wParam, lParam) of the whole line; a message, so that the field shows it from inside the
// edit control's own procedure.
constexpr UINT kSelectLine = WM_APP + 0x4C46;
// The edit control's messages that are the text box's commands.
constexpr std::pair<UINT, Command> kCommandMessages[] = {
    {WM_COPY, Command::Copy},   {WM_CUT, Command::Cut},   {WM_CLEAR, Command::DeleteSelection},
    {WM_PASTE, Command::Paste}, {WM_UNDO, Command::Undo}, {EM_UNDO, Command::Undo},
};
// Where an edit control keeps its field, for the window to find.
constexpr wchar_t kFieldProperty[] = L"VantrelHex2DecLineField";

std::u16string_view units(LPARAM text)
{
    const auto* wide = reinterpret_cast<const wchar_t*>(text);
    return {reinterpret_cast<const char16_t*>(wide), std::wcslen(wide)};
}

LPARAM wide(const std::u16string& text)
{
    return reinterpret_cast<LPARAM>(text.c_str());
}

// The edit control's text: the stretch it holds.
std::u16string textOf(HWND edit)
{
    std::u16string text(static_cast<std::size_t>(DefSubclassProc(edit, WM_GETTEXTLENGTH, 0, 0)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(DefSubclassProc(edit, WM_GETTEXT, text.size(), wide(text))));
    return text;
}

} // namespace

bool LineField::attach(HWND edit)
{
    auto* field = new LineField(edit);
    field->m_model.setLine(textOf(edit));
    if (!SetPropW(edit, kFieldProperty, field)) {
        delete field;
        return false;
    }
    if (!SetWindowSubclass(edit, subclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(field))) {
        RemovePropW(edit, kFieldProperty);
        delete field;
        return false;
    }
    return field->show();
}

LineField* LineField::of(HWND edit)
{
    return edit != nullptr ? static_cast<LineField*>(GetPropW(edit, kFieldProperty)) : nullptr;
}

bool LineField::setLine(const std::u16string& line)
{
    return SendMessageW(m_edit, WM_SETTEXT, 0, wide(line)) != FALSE; // onMessage takes it
}

void LineField::select(int anchor, int cursor)
{
    SendMessageW(m_edit, kSelectLine, static_cast<WPARAM>(anchor), cursor);
}

LRESULT CALLBACK LineField::subclassProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data)
{
    auto* field = reinterpret_cast<LineField*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(edit, subclassProc, id);
        RemovePropW(edit, kFieldProperty);
        delete field;
        return DefSubclassProc(edit, message, wParam, lParam);
    }
    return field->onMessage(message, wParam, lParam);
}

LRESULT LineField::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    for (const auto& [commandMessage, command] : kCommandMessages)
        if (message == commandMessage)
            return run(command); // TRUE, as undo answers; the others' answers are not read
    switch (message) {
    case WM_SETTEXT:
        m_model.setLine(std::u16string(units(lParam)));
        return show();
    case EM_CANUNDO:
        return m_model.canUndo();
    case EM_REPLACESEL:
        m_model.replaceSelection(std::u16string(units(lParam)));
        return show(), 0;
    case kSelectLine:
        m_model.select(static_cast<int>(wParam), static_cast<int>(lParam));
        return show(), 0;
    case WM_CONTEXTMENU:
        return contextMenu(lParam), 0;
    case WM_IME_STARTCOMPOSITION:
        m_view.compositionStarts();
        show();
        break;
    case WM_IME_ENDCOMPOSITION:
        m_view.compositionEnds();
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        const std::optional<KeyPress> press = keyPressOf(wParam);
        const std::optional<Command> command = press ? commandFor(key_rules::kWindows, *press) : std::nullopt;
        m_keyTaken = command.has_value();
        if (command)
            return run(*command), 0;
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
        m_keyTaken = false;
        break;
    case WM_CHAR:
    case WM_SYSCHAR:
        if (std::exchange(m_keyTaken, false))
            return 0; // what TranslateMessage made of a key the field carried out
        if (message == WM_CHAR && wParam >= 0x20 && wParam != 0x7F) {
            if (std::optional<std::u16string> character = m_typed.take(static_cast<char16_t>(wParam)))
                m_model.replaceSelection(std::move(*character), LineModel::Run::Typing);
            return show(), 0;
        }
        break;
    }
    return passOn(message, wParam, lParam);
}

LRESULT LineField::passOn(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = DefSubclassProc(m_edit, message, wParam, lParam);
    // Messages that only read or draw change nothing to follow.
    switch (message) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_GETDLGCODE:
    case WM_DESTROY:
        return result;
    }
    if (m_showing)
        return result;
    if (DefSubclassProc(m_edit, EM_GETMODIFY, 0, 0)) {
        m_view.boxEdited(textOf(m_edit), LineModel::Run::Typing); // an input method's text
        DefSubclassProc(m_edit, EM_SETMODIFY, FALSE, 0);
    }
    DWORD start = 0, end = 0;
    DefSubclassProc(m_edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    m_view.setPointerDown(GetCapture() == m_edit);
    m_view.boxSelected(static_cast<int>(start), static_cast<int>(end));
    show();
    return result;
}

bool LineField::run(Command command)
{
    WindowsClipboard clipboard(m_edit);
    ::run(command, m_model, key_rules::kWindows.conventions, clipboard);
    show();
    return true;
}

bool LineField::show()
{
    const StretchView::Update update = m_view.update();
    m_showing = true;
    bool taken = true;
    if (update.text == StretchView::Update::Text::Replaced) {
        taken = DefSubclassProc(m_edit, WM_SETTEXT, 0, wide(std::u16string(update.stretchText))) != FALSE;
    } else if (update.text == StretchView::Update::Text::Edited) {
        DefSubclassProc(m_edit, EM_SETSEL, static_cast<WPARAM>(update.editStart), update.editEnd);
        DefSubclassProc(m_edit, EM_REPLACESEL, FALSE, wide(std::u16string(update.editText)));
        DefSubclassProc(m_edit, EM_SETMODIFY, FALSE, 0);
    }
    // The anchor first: the edit control puts its caret at the second end.
    if (update.selectionChanged) {
        DefSubclassProc(m_edit, EM_SETSEL, static_cast<WPARAM>(update.anchor), update.cursor);
        DefSubclassProc(m_edit, EM_SCROLLCARET, 0, 0);
    }
    m_showing = false;
    return taken;
}

HMENU LineField::makeContextMenu() const
{
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr)
        return nullptr;
    const bool clipboardHasText = WindowsClipboard::hasText();
    UINT id = 0;
    for (const MenuItem& item : context_menu::kWindows) {
        ++id;
        const bool enabled = context_menu::enabled(item.command, m_model, clipboardHasText);
        if (item.separator())
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id,
                        reinterpret_cast<const wchar_t*>(item.caption.data()));
    }
    return menu;
}

void LineField::choose(UINT id)
{
    if (id >= 1 && id <= std::size(context_menu::kWindows))
        run(context_menu::kWindows[id - 1].command);
}

void LineField::contextMenu(LPARAM at)
{
    POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (at == -1) { // from the keyboard: at the caret
        GetCaretPos(&point);
        ClientToScreen(m_edit, &point);
    }
    HMENU menu = makeContextMenu();
    if (menu == nullptr)
        return;
    SetFocus(m_edit);
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, point.x, point.y, 0, m_edit, nullptr));
    DestroyMenu(menu);
    choose(chosen);
}
