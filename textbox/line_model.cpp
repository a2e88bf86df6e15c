// The line a text box edits: its edits and their undo steps, and where the cursor stops.
#include "textbox/line_model.h"

#include "textbox/surrogates.h"

#include <algorithm>
#include <utility>

namespace {

// White space between words: the spaces and tabs of a line, and the Unicode spaces that look alike.
bool isSpace(char16_t unit)
{
    return unit == u' ' || unit == u'\t' || unit == 0x00A0 || unit == 0x1680 || (unit >= 0x2000 && unit <= 0x200A) ||
           unit == 0x202F || unit == 0x205F || unit == 0x3000;
}

} // namespace

std::u16string LineModel::selectedText() const
{
    return m_line.substr(static_cast<std::size_t>(selectionStart()),
                         static_cast<std::size_t>(selectionEnd() - selectionStart()));
}

void LineModel::setLine(std::u16string line)
{
    const std::u16string was = std::exchange(m_line, std::move(line));
    m_undo.clear();
    m_redo.clear();
    endRun();
    m_anchor = m_cursor = size();
    if (m_listener)
        m_listener(0, was, m_line);
}

void LineModel::select(int anchor, int cursor)
{
    anchor = std::clamp(anchor, 0, size());
    cursor = std::clamp(cursor, 0, size());
    if (anchor != m_anchor || cursor != m_cursor)
        endRun();
    m_anchor = anchor;
    m_cursor = cursor;
}

void LineModel::moveTo(int position, bool extend)
{
    select(extend ? m_anchor : position, position);
}

void LineModel::replace(int start, int end, std::u16string with, Run run)
{
    start = std::clamp(start, 0, size());
    end = std::clamp(end, start, size());
    if (start == end && with.empty())
        return;
    const int caret = start + static_cast<int>(with.size());
    Step step{start,         m_line.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)),
              caret - start, m_anchor,
              m_cursor,      run,
              m_stamp};
    apply(start, step.away, std::move(with), caret, caret);
    m_redo.clear();
    if (m_undo.empty() || !m_undo.back().takeIn(step))
        m_undo.push_back(std::move(step));
}

bool LineModel::Step::takeIn(const Step& next)
{
    if (next.stamp != stamp || next.run == Run::None)
        return false;
    // A removal on its own (a word or a selection deleted, a cut) undoes together with the run of
    // keystrokes right after it.
    const bool opensRun = run == Run::None && inLine == 0;
    if (next.run != run && !opensRun)
        return false;
    if (next.start == start + inLine) { // typing or Delete, on from its end
        away += next.away;
        inLine += next.inLine;
    } else if (next.start + static_cast<int>(next.away.size()) == start && inLine == 0) { // Backspace
        start = next.start;
        away.insert(0, next.away);
    } else {
        return false;
    }
    run = next.run;
    return true;
}

void LineModel::undo()
{
    travel(m_undo, m_redo, true);
}

void LineModel::redo()
{
    travel(m_redo, m_undo, false);
}

void LineModel::travel(std::vector<Step>& from, std::vector<Step>& to, bool back)
{
    if (from.empty())
        return;
    Step step = std::move(from.back());
    from.pop_back();
    endRun();
    // The text in the line and the text away change places.
    std::u16string coming = std::exchange(
        step.away, m_line.substr(static_cast<std::size_t>(step.start), static_cast<std::size_t>(step.inLine)));
    step.inLine = static_cast<int>(coming.size());
    const int caret = step.start + step.inLine;
    apply(step.start, step.away, std::move(coming), back ? step.anchor : caret, back ? step.cursor : caret);
    to.push_back(std::move(step));
}

void LineModel::apply(int start, std::u16string_view removed, std::u16string inserted, int anchor, int cursor)
{
    const std::size_t length = inserted.size();
    if (start == 0 && removed.size() == m_line.size())
        m_line = std::move(inserted); // the whole line: taken as it is
    else
        m_line.replace(static_cast<std::size_t>(start), removed.size(), inserted);
    m_anchor = anchor;
    m_cursor = cursor;
    if (m_listener)
        m_listener(start, removed, std::u16string_view(m_line).substr(static_cast<std::size_t>(start), length));
}

int LineModel::nextCharacter(int position) const
{
    if (position >= size())
        return size();
    return position + (surrogates::splitsPair(m_line, position + 1) ? 2 : 1);
}

int LineModel::previousCharacter(int position) const
{
    if (position <= 0)
        return 0;
    return position - (surrogates::splitsPair(m_line, position - 1) ? 2 : 1);
}

int LineModel::nextWord(int position, WordStop stop) const
{
    const auto spaceAt = [this](int at) { return isSpace(m_line[static_cast<std::size_t>(at)]); };
    position = std::clamp(position, 0, size());
    if (stop == WordStop::WordEnd)
        while (position < size() && spaceAt(position))
            ++position;
    while (position < size() && !spaceAt(position))
        ++position;
    if (stop == WordStop::NextWordStart)
        while (position < size() && spaceAt(position))
            ++position;
    return position;
}

int LineModel::previousWord(int position) const
{
    const auto spaceAt = [this](int at) { return isSpace(m_line[static_cast<std::size_t>(at)]); };
    position = std::clamp(position, 0, size());
    while (position > 0 && spaceAt(position - 1))
        --position;
    while (position > 0 && !spaceAt(position - 1))
        --position;
    return position;
}
