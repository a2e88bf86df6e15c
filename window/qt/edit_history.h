// Undo and redo for the input field's long lines: each step is one replacement of a stretch of the line,
// so a pasted megabyte costs one step, not one step per character.
#pragma once

#include <QString>

#include <optional>
#include <vector>

struct TextEdit
{
    enum class Switch
    {
        None,
        ToLong, // made a short line long: undone, the toolkit's line edit shows shortSide again
        ToShort // made a long line short: the toolkit's line edit took over holding shortSide
    };

    int position;     // where the replaced stretch starts
    QString removed;  // what was there before
    QString inserted; // what is there now
    int cursor;       // where the cursor and the anchor were before
    int anchor;
    Switch crossing = Switch::None;
    QString shortSide = {}; // the short line on the other side of a switch
};

class EditHistory
{
public:
    // Keystrokes of one kind in a row, with no other edit or cursor move between them, make one step,
    // as in the toolkit's line edit.
    enum class Run
    {
        None, // a step of its own
        Typing,
        Backspace,
        Delete
    };

    // Records a new step, which ends the redo list.
    void record(TextEdit edit, Run run);
    // A cursor move ends the run of keystrokes.
    void endRun() { m_run = Run::None; }
    void clear();

    [[nodiscard]] const TextEdit* nextUndo() const { return m_done.empty() ? nullptr : &m_done.back(); }
    [[nodiscard]] const TextEdit* nextRedo() const { return m_undone.empty() ? nullptr : &m_undone.back(); }

    // The step to take back (put removed where inserted is) or to do again (put inserted where removed
    // is); empty when there is none.
    std::optional<TextEdit> undo();
    std::optional<TextEdit> redo();

private:
    // Undo and redo alike: the latest step of one list goes to the other, and is returned.
    std::optional<TextEdit> moveLatest(std::vector<TextEdit>& from, std::vector<TextEdit>& to);

    std::vector<TextEdit> m_done;
    std::vector<TextEdit> m_undone;
    Run m_run = Run::None;
};
