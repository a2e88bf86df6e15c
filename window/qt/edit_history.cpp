// Undo and redo for the input field's long lines.
#include "window/qt/edit_history.h"

#include <utility>

namespace {

// Joins edit into last when it carries on where last left off; returns whether it did.
bool join(TextEdit& last, const TextEdit& edit, EditHistory::Run run)
{
    using Run = EditHistory::Run;
    const auto end = last.position + last.inserted.size();
    if (run == Run::Typing && edit.removed.isEmpty() && edit.position == end) {
        last.inserted += edit.inserted;
        return true;
    }
    if (!edit.inserted.isEmpty() || !last.inserted.isEmpty())
        return false;
    if (run == Run::Backspace && edit.position + edit.removed.size() == last.position) {
        last.position = edit.position;
        last.removed.prepend(edit.removed);
        return true;
    }
    if (run == Run::Delete && edit.position == last.position) {
        last.removed += edit.removed;
        return true;
    }
    return false;
}

} // namespace

void EditHistory::record(TextEdit edit, Run run)
{
    m_undone.clear();
    const bool joined = run != Run::None && run == m_run && !m_done.empty() &&
                        m_done.back().crossing == TextEdit::Switch::None && join(m_done.back(), edit, run);
    if (!joined)
        m_done.push_back(std::move(edit));
    m_run = run;
}

void EditHistory::clear()
{
    m_done.clear();
    m_undone.clear();
    m_run = Run::None;
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
    m_run = Run::None;
    if (from.empty())
        return std::nullopt;
    to.push_back(std::move(from.back()));
    from.pop_back();
    return to.back();
}
