// Undo and redo for the long-line input field: each step is one replacement of a stretch of the line,
// so a pasted megabyte costs one step, not one step per character.
#pragma once

#include <QString>

#include <optional>
#include <vector>

struct TextEdit
{
    int position;     // where the replaced stretch starts
    QString removed;  // what was there before
    QString inserted; // what is there now
    int cursor;       // where the cursor was before
    bool selected;    // whether the removed stretch was the selection
};

class EditHistory
{
public:
    // A keystroke that continues the previous one's run (typing on, or deleting on with Backspace or
    // Delete) joins that step, as in the toolkit's line edit, where one undo takes back a whole run.
    void record(TextEdit edit, bool keystroke);
    // A cursor move or any other edit ends the run.
    void endRun() { m_run = false; }
    void clear();

    [[nodiscard]] bool canUndo() const { return !m_done.empty(); }
    [[nodiscard]] bool canRedo() const { return !m_undone.empty(); }

    // The step to take back (put removed where inserted is) or to do again (put inserted where removed
    // is); empty when there is none.
    std::optional<TextEdit> undo();
    std::optional<TextEdit> redo();

private:
    // Undo and redo alike: the latest edit of one list goes to the other, and is returned.
    std::optional<TextEdit> moveLatest(std::vector<TextEdit>& from, std::vector<TextEdit>& to);

    std::vector<TextEdit> m_done;
    std::vector<TextEdit> m_undone;
    bool m_run = false;
};
