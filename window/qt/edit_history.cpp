// Undo and redo for the long-line input field.
#include "window/qt/edit_history.h"

#include <utility>

namespace {

// Joins edit into last when it carries on where last left off; returns whether it did.
bool join(TextEdit& last, const TextEdit& edit)
{
    if (edit.removed.isEmpty() && !last.inserted.isEmpty() && edit.position == last.position + last.inserted.size()) {
        last.inserted += edit.inserted; // typing on
        return true;
    }
    if (!edit.inserted.isEmpty() || !last.inserted.isEmpty())
        return false;
    if (edit.position + edit.removed.size() == last.position) {
        last.position = edit.position; // Backspace on
        last.removed.prepend(edit.removed);
        return true;
    }
    if (edit.position == last.position) {
        last.removed += edit.removed; // Delete on
        return true;
    }
    return false;
}

} // namespace

void EditHistory::record(TextEdit edit, bool keystroke)
{
    m_undone.clear();
    if (keystroke && m_run && !m_done.empty() && join(m_done.back(), edit))
        return;
    m_done.push_back(std::move(edit));
    m_run = keystroke;
}

void EditHistory::clear()
{
    m_done.clear();
    m_undone.clear();
    m_run = false;
}

std::optional<TextEdit> EditHistory::undo()
{
    return moveLatest(m_done, m_undone);
}

std::optional<TextEdit> EditHistory::redo()
{
    return moveLatest(m_undone, m_done);
}

std::optional<TextEdit> EditHistory::moveLatest(std::vector<TextEdit>& from, std::vector<TextEdit>& to)
{
    m_run = false;
    if (from.empty())
        return std::nullopt;
    to.push_back(std::move(from.back()));
    from.pop_back();
    return to.back();
}
