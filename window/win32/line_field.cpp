// An edit control as a view of the line it edits.
#include "window/win32/line_field.h"

#include "window/field_sizes.h"
#include "window/form1_behaviour.h"

#include <commctrl.h>

#include <algorithm>
#include <string_view>

namespace {

using Run = LineModel::Run;

constexpr UINT_PTR kSubclassId = 1;
// Selects [wParam, lParam) of the whole line; a message, so that the field shows it from inside the
// edit control's own procedure.
constexpr UINT kSelectLine = WM_APP + 0x4C46;
// Where an edit control keeps its field, for the window to find.
constexpr wchar_t kFieldProperty[] = L"VantrelHex2DecLineField";

std::u16string_view units(const wchar_t* text)
{
    return {reinterpret_cast<const char16_t*>(text), std::wcslen(text)};
}

const wchar_t* wide(const std::u16string& text)
{
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// The clipboard's text, or nothing when it holds none or cannot be opened.
std::u16string clipboardText(HWND owner)
{
    std::u16string text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* held = static_cast<const char16_t*>(GlobalLock(data))) {
            // Up to its terminating NUL, and never past the memory that holds it.
            const std::u16string_view whole(held, GlobalSize(data) / sizeof(char16_t));
            text = whole.substr(0, whole.find(u'\0'));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void setClipboardText(HWND owner, const std::u16string& text)
{
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    if (data == nullptr)
        return;
    if (auto* into = static_cast<char16_t*>(GlobalLock(data))) {
        std::copy_n(text.c_str(), text.size() + 1, into);
        GlobalUnlock(data);
        if (OpenClipboard(owner)) {
            EmptyClipboard();
            if (SetClipboardData(CF_UNICODETEXT, data) != nullptr)
                data = nullptr; // the clipboard's now
            CloseClipboard();
        }
    }
    if (data != nullptr)
        GlobalFree(data);
}

bool keyDown(int key)
{
    return GetKeyState(key) < 0;
}

} // namespace

bool LineField::attach(HWND edit)
{
    auto* field = new LineField(edit);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    field->m_model.setLine(std::u16string(units(text.c_str())));
    field->m_shown = {0, field->m_model.size()};
    field->m_model.onChange([field](int, std::u16string_view, std::u16string_view) { field->m_stale = true; });
    if (!SetPropW(edit, kFieldProperty, field)) {
        delete field;
        return false;
    }
    if (!SetWindowSubclass(edit, subclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(field))) {
        RemovePropW(edit, kFieldProperty);
        delete field;
        return false;
    }
    return true;
}

LineField* LineField::of(HWND edit)
{
    return edit != nullptr ? static_cast<LineField*>(GetPropW(edit, kFieldProperty)) : nullptr;
}

bool LineField::setLine(const std::u16string& line)
{
    return SendMessageW(m_edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide(line))) != FALSE; // onMessage takes it
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
    const bool shift = keyDown(VK_SHIFT);
    const bool control = keyDown(VK_CONTROL);
    const bool stretched = m_shown.size() != m_model.size();
    switch (message) {
    case WM_SETTEXT:
        m_model.setLine(std::u16string(units(reinterpret_cast<const wchar_t*>(lParam))));
        return show();
    case WM_COPY:
        copy();
        return 0;
    case WM_CUT:
        copy();
        return edit({}), 0;
    case WM_CLEAR:
        return edit({}), 0;
    case WM_PASTE:
        return paste(), 0;
    case EM_REPLACESEL:
        return edit(units(reinterpret_cast<const wchar_t*>(lParam))), 0;
    case WM_UNDO:
    case EM_UNDO:
        m_model.undo();
        return show();
    case EM_CANUNDO:
        return m_model.canUndo();
    case EM_SETSEL:
        if (wParam == 0 && static_cast<int>(lParam) == -1) { // select all: the whole line, not the stretch
            m_model.selectAll();
            return show(), 0;
        }
        break;
    case kSelectLine:
        m_model.select(static_cast<int>(wParam), static_cast<int>(lParam));
        return show(), 0;
    case WM_CONTEXTMENU:
        return contextMenu(lParam), 0;
    case WM_IME_STARTCOMPOSITION:
        m_composing = true;
        break;
    case WM_IME_ENDCOMPOSITION:
        m_composing = false;
        break;
    case WM_CHAR:
        switch (wParam) {
        case 0x01: // Ctrl+A
            m_model.selectAll();
            return show(), 0;
        case 0x03: // Ctrl+C
            return copy(), 0;
        case 0x16: // Ctrl+V
            return paste(), 0;
        case 0x18: // Ctrl+X
            copy();
            return edit({}), 0;
        case 0x19: // Ctrl+Y
            m_model.redo();
            return show(), 0;
        case 0x1A: // Ctrl+Z
            m_model.undo();
            return show(), 0;
        case VK_BACK:
            if (selectionReachesPast())
                return edit({}), 0;
            if (!m_model.hasSelection() && m_model.cursor() - m_model.previousCharacter(m_model.cursor()) == 2)
                return removeCharacter(false), 0;
            return passOn(message, wParam, lParam, m_model.hasSelection() ? Run::None : Run::Backspace);
        }
        if (wParam >= 0x20 && wParam != 0x7F && selectionReachesPast())
            return typeUnit(static_cast<char16_t>(wParam)), 0;
        return passOn(message, wParam, lParam, wParam >= 0x20 ? Run::Typing : Run::None);
    case WM_SYSKEYDOWN: // Alt+Backspace undoes, as in the edit control
        if (wParam == VK_BACK) {
            m_model.undo();
            return show(), 0;
        }
        break;
    case WM_SYSCHAR:
        if (wParam == VK_BACK)
            return 0; // the undo is done
        break;
    case WM_KEYDOWN:
        if (wParam == VK_DELETE && !shift && !control) {
            if (selectionReachesPast())
                return edit({}), 0;
            if (!m_model.hasSelection() && m_model.nextCharacter(m_model.cursor()) - m_model.cursor() == 2)
                return removeCharacter(true), 0;
            return passOn(message, wParam, lParam, m_model.hasSelection() ? Run::None : Run::Delete);
        }
        if ((wParam == VK_LEFT || wParam == VK_RIGHT) && !control) {
            // From the cursor, whatever is selected, as the edit control moves; but over a surrogate pair
            // as one character, which Wine's edit control would split.
            const int cursor = m_model.cursor();
            m_model.moveTo(wParam == VK_LEFT ? m_model.previousCharacter(cursor) : m_model.nextCharacter(cursor),
                           shift);
            return show(), 0;
        }
        if ((wParam == VK_HOME || wParam == VK_END) && stretched) {
            m_model.moveTo(wParam == VK_HOME ? 0 : m_model.size(), shift);
            return show(), 0;
        }
        if ((wParam == VK_LEFT || wParam == VK_RIGHT) && control && stretched) {
            const int cursor = m_model.cursor();
            m_model.moveTo(wParam == VK_LEFT ? m_model.previousWord(cursor)
                                             : m_model.nextWord(cursor, LineModel::WordStop::NextWordStart),
                           shift);
            return show(), 0;
        }
        break;
    }
    return passOn(message, wParam, lParam, Run::None);
}

LRESULT LineField::passOn(UINT message, WPARAM wParam, LPARAM lParam, LineModel::Run run)
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
    if (!m_showing)
        follow(run);
    return result;
}

void LineField::follow(LineModel::Run run)
{
    if (DefSubclassProc(m_edit, EM_GETMODIFY, 0, 0)) {
        std::wstring text(static_cast<std::size_t>(DefSubclassProc(m_edit, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            DefSubclassProc(m_edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        m_model.takeEdit(m_shown, units(text.c_str()), run);
        m_stale = false; // the edit control holds the edit already
        DefSubclassProc(m_edit, EM_SETMODIFY, FALSE, 0);
    }
    DWORD start = 0;
    DWORD end = 0;
    DefSubclassProc(m_edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start != m_shownStart || end != m_shownEnd) {
        m_model.takeSelection(m_shown, static_cast<int>(start), static_cast<int>(end));
        m_shownStart = start;
        m_shownEnd = end;
    }
    // Never under a mouse selecting text or an input method composing: both would lose their place.
    if (!m_composing && GetCapture() != m_edit && !m_model.stretchServes(m_shown, field_sizes::kWin32))
        show();
}

bool LineField::show()
{
    m_showing = true;
    const LineModel::Stretch stretch = m_model.stretchFor(field_sizes::kWin32);
    bool taken = true;
    if (m_stale || stretch != m_shown) {
        const std::u16string part =
            m_model.line().substr(static_cast<std::size_t>(stretch.start), static_cast<std::size_t>(stretch.size()));
        taken = DefSubclassProc(m_edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide(part))) != FALSE;
        m_shown = stretch;
        m_stale = false;
    }
    const auto inside = [this](int position) {
        return std::clamp(position, m_shown.start, m_shown.end) - m_shown.start;
    };
    // The anchor first: the edit control puts its caret at the second end.
    DefSubclassProc(m_edit, EM_SETSEL, static_cast<WPARAM>(inside(m_model.anchor())), inside(m_model.cursor()));
    DefSubclassProc(m_edit, EM_SCROLLCARET, 0, 0);
    DefSubclassProc(m_edit, EM_GETSEL, reinterpret_cast<WPARAM>(&m_shownStart), reinterpret_cast<LPARAM>(&m_shownEnd));
    m_showing = false;
    return taken;
}

bool LineField::selectionReachesPast() const
{
    return m_model.selectionStart() < m_shown.start || m_model.selectionEnd() > m_shown.end;
}

void LineField::edit(std::u16string_view with, Run run)
{
    if ((GetWindowLongPtrW(m_edit, GWL_STYLE) & ES_READONLY) != 0)
        return;
    m_model.replaceSelection(std::u16string(with), run);
    show();
}

void LineField::removeCharacter(bool forward)
{
    const int cursor = m_model.cursor();
    if (forward)
        m_model.replace(cursor, m_model.nextCharacter(cursor), {}, Run::Delete);
    else
        m_model.replace(m_model.previousCharacter(cursor), cursor, {}, Run::Backspace);
    show();
}

void LineField::copy()
{
    if (m_model.hasSelection())
        setClipboardText(m_edit, m_model.selectedText());
}

void LineField::paste()
{
    edit(form1_behaviour::lineOfPastedText(clipboardText(m_edit)));
}

void LineField::typeUnit(char16_t unit)
{
    if (unit >= 0xD800 && unit <= 0xDBFF) { // the first half of a pair: the second comes next
        m_highSurrogate = unit;
        return;
    }
    const char16_t pair[] = {m_highSurrogate, unit};
    const bool whole = m_highSurrogate != 0 && unit >= 0xDC00 && unit <= 0xDFFF;
    m_highSurrogate = 0;
    edit(whole ? std::u16string_view(pair, 2) : std::u16string_view(&unit, 1), Run::Typing);
}

HMENU LineField::makeContextMenu() const
{
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr)
        return nullptr;
    const bool editable = (GetWindowLongPtrW(m_edit, GWL_STYLE) & ES_READONLY) == 0;
    const bool selected = m_model.hasSelection();
    const auto add = [menu](UINT command, const wchar_t* caption, bool enabled) {
        AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), command, caption);
    };
    add(WM_UNDO, L"&Undo", editable && m_model.canUndo());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    add(WM_CUT, L"Cu&t", editable && selected);
    add(WM_COPY, L"&Copy", selected);
    add(WM_PASTE, L"&Paste", editable && IsClipboardFormatAvailable(CF_UNICODETEXT));
    add(WM_CLEAR, L"&Delete", editable && selected);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    add(EM_SETSEL, L"Select &All", m_model.selectionEnd() - m_model.selectionStart() < m_model.size());
    return menu;
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
    if (chosen == EM_SETSEL)
        SendMessageW(m_edit, EM_SETSEL, 0, -1);
    else if (chosen != 0)
        SendMessageW(m_edit, chosen, 0, 0);
}
