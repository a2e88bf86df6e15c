// An edit control as a view of the line it edits (window/line_model.h), composed onto it with
// SetWindowSubclass.
//
// The edit control lays out and shapes its whole line on every change; under Wine that costs the square
// of a run of digits, so a line of a megabyte would freeze it for minutes. Up to field_sizes::kWin32's
// threshold the control holds the whole line, as any edit control does. Past it, the control holds only
// a stretch around the cursor, which moves along with the cursor (never while a mouse button is down or
// an input method is composing), and the model holds the line.
//
// The control edits its stretch itself; after each message the field takes what changed into the model.
// What a stretch cannot do, the model does: the field's text, copy, cut, paste, select all, undo and redo
// (the control keeps one level of undo, the model every step), Home and End, word moves, and an edit of a
// selection that reaches past the stretch. Pasted text becomes one line (form1_behaviour.h). The context
// menu is the field's own, its commands enabled by the model. Screen readers read the stretch, with
// offsets inside it.
#pragma once

#include "window/line_model.h"

#include <windows.h>

#include <string>
#include <string_view>

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
    // As a program sets a text box's text: the cursor at the end, nothing to undo. False when the edit
    // control would not take it.
    bool setLine(const std::u16string& line);
    // Selects [anchor, cursor) of the whole line, the cursor at the second end.
    void select(int anchor, int cursor);
    // The context menu as it would open now, its commands enabled by what the model can do; the caller
    // destroys it.
    [[nodiscard]] HMENU makeContextMenu() const;

private:
    explicit LineField(HWND edit) : m_edit(edit) {}

    static LRESULT CALLBACK subclassProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The edit control's own handling of the message, then what it changed taken into the model.
    LRESULT passOn(UINT message, WPARAM wParam, LPARAM lParam, LineModel::Run run);
    void follow(LineModel::Run run);
    // Puts the model's stretch and selection in the edit control. False when it would not take them.
    bool show();

    [[nodiscard]] bool selectionReachesPast() const;
    // An edit the model makes: the selection replaced with text, then shown.
    void edit(std::u16string_view with, LineModel::Run run = LineModel::Run::None);
    // Delete (forward) or Backspace on a surrogate pair, which the edit control would split.
    void removeCharacter(bool forward);
    void copy();
    void paste();
    void typeUnit(char16_t unit);
    void contextMenu(LPARAM at);

    HWND m_edit;
    LineModel m_model;
    LineModel::Stretch m_shown;
    DWORD m_shownStart = 0; // the edit control's selection as last seen, in its own offsets
    DWORD m_shownEnd = 0;
    char16_t m_highSurrogate = 0; // the first half of a character typed past the stretch
    bool m_stale = false;         // the model's line changed since the edit control last took it
    bool m_showing = false;       // the field is setting the edit control's text and selection
    bool m_composing = false;
};
