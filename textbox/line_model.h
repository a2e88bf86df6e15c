// The line a text box edits, toolkit-free, for every text box of every front-end: the whole line, the
// cursor and the selection's anchor, undo and redo as edit steps, and where the cursor stops by
// character and by word. The editing commands (commands.h) and the native boxes' views (stretch_view.h)
// work on it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class LineModel
{
public:
    // Keystrokes of one kind in a row make one undo step, as in the platforms' own text boxes.
    enum class Run
    {
        None,
        Typing,
        Backspace,
        Delete
    };

    // Told of every change to the line: at start, removed gave way to inserted.
    using ChangeListener = std::function<void(int start, std::u16string_view removed, std::u16string_view inserted)>;
    void onChange(ChangeListener listener) { m_listener = std::move(listener); }

    [[nodiscard]] const std::u16string& line() const { return m_line; }
    [[nodiscard]] int size() const { return static_cast<int>(m_line.size()); }
    [[nodiscard]] int cursor() const { return m_cursor; }
    [[nodiscard]] int anchor() const { return m_anchor; }
    [[nodiscard]] int selectionStart() const { return m_anchor < m_cursor ? m_anchor : m_cursor; }
    [[nodiscard]] int selectionEnd() const { return m_anchor < m_cursor ? m_cursor : m_anchor; }
    [[nodiscard]] bool hasSelection() const { return m_anchor != m_cursor; }
    [[nodiscard]] std::u16string selectedText() const;

    // As a program sets a text box's text: the cursor at its end, and nothing to undo.
    void setLine(std::u16string line);

    // Positions are clamped to the line. A move of the cursor, or a selection dropped, ends the run of
    // keystrokes: the next edit is an undo step of its own.
    void select(int anchor, int cursor);
    void moveTo(int position, bool extend);
    void selectAll() { select(0, size()); }

    // Every edit is an undo step, or joins the one before it within a run of keystrokes.
    // with is taken, not copied: it may be megabytes.
    void replace(int start, int end, std::u16string with, Run run = Run::None);
    void replaceSelection(std::u16string with, Run run = Run::None)
    {
        replace(selectionStart(), selectionEnd(), std::move(with), run);
    }
    [[nodiscard]] bool canUndo() const { return !m_undo.empty(); }
    [[nodiscard]] bool canRedo() const { return !m_redo.empty(); }
    void undo();
    void redo();

    // Where the cursor stops: a surrogate pair is one character, and a word (a run of anything but
    // white space) of any length is one word. Forward, a word move stops at the next word's start, as the
    // Windows and the Linux toolkit's text boxes do, or at the word's end, as browsers on Linux do.
    enum class WordStop
    {
        NextWordStart,
        WordEnd
    };
    [[nodiscard]] int nextCharacter(int position) const;
    [[nodiscard]] int previousCharacter(int position) const;
    [[nodiscard]] int nextWord(int position, WordStop stop) const;
    [[nodiscard]] int previousWord(int position) const;

private:
    // One edit: at start, a text gave way to another. A step keeps only the one of the two that is not in the
    // line (on the undo stack the text it removed, on the redo stack the text it put in), and the other's
    // length: a paste of megabytes is held once. The selection before it is where undo puts it back.
    struct Step
    {
        int start;
        std::u16string away; // the text not in the line
        int inLine;          // the length of the text in the line, at start
        int anchor;
        int cursor;
        Run run;
        unsigned stamp; // the run of keystrokes it belongs to (m_stamp when it was made)
        // Takes in next, just made, when both belong to one run and next carries on where this step left off.
        bool takeIn(const Step& next);
    };

    // At start, the line's removed code units give way to inserted, which is taken, not copied.
    void apply(int start, std::u16string_view removed, std::u16string inserted, int anchor, int cursor);
    // Takes the newest step of from back (undo) or makes it again (redo), and keeps it in to.
    void travel(std::vector<Step>& from, std::vector<Step>& to, bool back);
    void endRun() { ++m_stamp; }

    std::u16string m_line;
    int m_cursor = 0;
    int m_anchor = 0;
    std::vector<Step> m_undo;
    std::vector<Step> m_redo;
    unsigned m_stamp = 0;
    ChangeListener m_listener;
};
