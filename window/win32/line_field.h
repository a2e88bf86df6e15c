// An edit control as a view of the line it edits (textbox/), composed onto it with SetWindowSubclass.
//
// The edit control lays out and shapes its whole line on every change; under Wine that costs the square
// of a run of digits, so a line of a megabyte would freeze it for minutes. So past field_sizes::kWin32's
// threshold the control holds only a stretch of the line around the cursor (textbox/stretch_view.h),
// and the line model holds the line.
//
// The field only translates: the control's key messages become the commands of the Windows key rules
// (textbox/key_rules.h), its characters typing, its clipboard and undo messages the same commands, and
// the control then shows what the stretch view says. What the control still edits itself (an input
// method's text) the field takes back. The context menu is the field's own (textbox/context_menu.h).
// Screen readers read the stretch, with offsets inside it.
#pragma once

#include "textbox/commands.h"
#include "textbox/stretch_view.h"
#include "textbox/surrogates.h"
#include "window/field_sizes.h"

#include <windows.h>

#include <string>

class LineField
{
public:
    // Composes the field onto edit, which then holds edit's own text; it lives as long as edit does.
    // False when it could not.
    static bool attach(HWND edit);
    // The field composed onto edit, or nothing.
    [[nodiscard]] static LineField* of(HWND edit);

    [[nodiscard]] const std::u16string& line() const { return m_model.line(); }
    [[nodiscard]] const LineModel& model() const { return m_model; }
    // The part of the line the edit control holds.
    [[nodiscard]] Stretch shown() const { return m_view.shown(); }
    // As a program sets a text box's text: the cursor at the end, nothing to undo. False when the edit
    // control would not take it.
    bool setLine(const std::u16string& line);
    // Selects [anchor, cursor) of the whole line, the cursor at the second end.
    void select(int anchor, int cursor);
    // The context menu as it would open now, each item's identifier one for choose; the caller destroys it.
    [[nodiscard]] HMENU makeContextMenu() const;
    // Carries out the context menu's item of identifier id.
    void choose(UINT id);

private:
    explicit LineField(HWND edit) : m_edit(edit) {}

    static LRESULT CALLBACK subclassProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The edit control's own handling of the message, then what it changed taken back into the line.
    LRESULT passOn(UINT message, WPARAM wParam, LPARAM lParam);
    // Carries command out on the line, and shows the result. True.
    bool run(Command command);
    // Puts what the stretch view says in the edit control. False when it would not take its text.
    bool show();
    void contextMenu(LPARAM at);

    HWND m_edit;
    LineModel m_model;
    StretchView m_view{m_model, field_sizes::kWin32};
    surrogates::PairJoiner m_typed;
    bool m_keyTaken = false; // the field carried out the key down: the character it makes is not typed
    bool m_showing = false;  // the field is setting the edit control's text and selection
};
