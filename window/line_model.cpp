// The line a text box edits: its edits and their undo steps, where the cursor stops, and the stretch a
// native box shows.
#include "window/line_model.h"

#include <algorithm>
#include <utility>

namespace {

bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

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
    Step step{start,           m_line.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)),
              std::move(with), m_anchor,
              m_cursor,        run,
              m_stamp};
    apply(start, step.removed, step.inserted, caret, caret);
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
    const bool opensRun = run == Run::None && inserted.empty();
    if (next.run != run && !opensRun)
        return false;
    if (next.start == start + static_cast<int>(inserted.size())) { // typing or Delete, on from its end
        removed += next.removed;
        inserted += next.inserted;
    } else if (next.start + static_cast<int>(next.removed.size()) == start && inserted.empty()) { // Backspace
        start = next.start;
        removed.insert(0, next.removed);
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
    if (back) {
        apply(step.start, step.inserted, step.removed, step.anchor, step.cursor);
    } else {
        const int caret = step.start + static_cast<int>(step.inserted.size());
        apply(step.start, step.removed, step.inserted, caret, caret);
    }
    to.push_back(std::move(step));
}

void LineModel::apply(int start, std::u16string_view removed, std::u16string_view inserted, int anchor, int cursor)
{
    m_line.replace(static_cast<std::size_t>(start), removed.size(), inserted);
    m_anchor = anchor;
    m_cursor = cursor;
    if (m_listener)
        m_listener(start, removed, inserted);
}

int LineModel::nextCharacter(int position) const
{
    if (position >= size())
        return size();
    const auto at = static_cast<std::size_t>(position);
    return position + (isHighSurrogate(m_line[at]) && position + 1 < size() && isLowSurrogate(m_line[at + 1]) ? 2 : 1);
}

int LineModel::previousCharacter(int position) const
{
    if (position <= 0)
        return 0;
    const auto at = static_cast<std::size_t>(position);
    return position - (position > 1 && isLowSurrogate(m_line[at - 1]) && isHighSurrogate(m_line[at - 2]) ? 2 : 1);
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

LineModel::Stretch LineModel::stretchFor(const FieldSizes& sizes) const
{
    if (size() <= sizes.threshold)
        return {0, size()};
    const int whole = 2 * sizes.side;
    int start = std::clamp(m_cursor - sizes.side, 0, size() - whole);
    int end = start + whole;
    // Between characters: a surrogate pair at either end is taken whole.
    const auto splitsPair = [this](int at) {
        return at > 0 && at < size() && isLowSurrogate(m_line[static_cast<std::size_t>(at)]) &&
               isHighSurrogate(m_line[static_cast<std::size_t>(at) - 1]);
    };
    start -= splitsPair(start) ? 1 : 0;
    end += splitsPair(end) ? 1 : 0;
    return {start, end};
}

bool LineModel::stretchServes(Stretch shown, const FieldSizes& sizes) const
{
    if (size() <= sizes.threshold)
        return shown == Stretch{0, size()};
    return shown.size() <= 2 * sizes.side + 2 && shown.start <= m_cursor && m_cursor <= shown.end &&
           shown.end <= size() && (m_cursor - shown.start >= sizes.margin || shown.start == 0) &&
           (shown.end - m_cursor >= sizes.margin || shown.end == size());
}

void LineModel::takeEdit(Stretch& shown, std::u16string_view text, Run run)
{
    const std::u16string_view was = std::u16string_view(m_line).substr(static_cast<std::size_t>(shown.start),
                                                                       static_cast<std::size_t>(shown.size()));
    const int wasSize = shown.size();
    const int nowSize = static_cast<int>(text.size());
    const int selected = std::clamp(selectionStart() - shown.start, 0, wasSize);
    const int selectedEnd = std::clamp(selectionEnd() - shown.start, 0, wasSize);
    const int most = std::min(wasSize, nowSize);
    int tail = 0;
    while (tail < most && tail < wasSize - selectedEnd &&
           was[static_cast<std::size_t>(wasSize - 1 - tail)] == text[static_cast<std::size_t>(nowSize - 1 - tail)])
        ++tail;
    int head = 0;
    while (head < most - tail && head < selected &&
           was[static_cast<std::size_t>(head)] == text[static_cast<std::size_t>(head)])
        ++head;
    const int start = shown.start;
    shown.end = start + nowSize;
    replace(
        start + head, start + wasSize - tail,
        std::u16string(text.substr(static_cast<std::size_t>(head), static_cast<std::size_t>(nowSize - tail - head))),
        run);
}

void LineModel::takeSelection(Stretch shown, int start, int end)
{
    start += shown.start;
    end += shown.start;
    const int anchorShown = std::clamp(m_anchor, shown.start, shown.end);
    if (start == end)
        select(start, start);
    else if (anchorShown == start)
        select(m_anchor, end);
    else if (anchorShown == end)
        select(m_anchor, start);
    else
        select(start, end);
}
