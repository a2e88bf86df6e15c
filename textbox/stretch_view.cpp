// A native text box as a view of a line that may be too long for it to hold.
#include "textbox/stretch_view.h"

#include "textbox/surrogates.h"

#include <algorithm>

void takeBoxEdit(LineModel& model, Stretch& shown, std::u16string_view text, LineModel::Run run)
{
    const std::u16string_view was =
        std::u16string_view(model.line())
            .substr(static_cast<std::size_t>(shown.start), static_cast<std::size_t>(shown.size()));
    const int wasSize = shown.size();
    const int nowSize = static_cast<int>(text.size());
    const int selected = std::clamp(model.selectionStart() - shown.start, 0, wasSize);
    const int selectedEnd = std::clamp(model.selectionEnd() - shown.start, 0, wasSize);
    const int most = std::min(wasSize, nowSize);
    const auto at = [](std::u16string_view in, int i) { return in[static_cast<std::size_t>(i)]; };
    int tail = 0;
    while (tail < most && tail < wasSize - selectedEnd && at(was, wasSize - 1 - tail) == at(text, nowSize - 1 - tail))
        ++tail;
    int head = 0;
    while (head < most - tail && head < selected && at(was, head) == at(text, head))
        ++head;
    const int start = shown.start;
    shown.end = start + nowSize;
    model.replace(
        start + head, start + wasSize - tail,
        std::u16string(text.substr(static_cast<std::size_t>(head), static_cast<std::size_t>(nowSize - tail - head))),
        run);
}

Stretch stretchAround(const LineModel& model, int side)
{
    const int size = model.size();
    const int whole = std::min(2 * side, size);
    const int start = std::clamp(model.cursor() - side, 0, size - whole);
    const std::u16string_view line = model.line();
    // Between characters: a surrogate pair at either end is taken whole.
    return {start - (surrogates::splitsPair(line, start) ? 1 : 0),
            start + whole + (surrogates::splitsPair(line, start + whole) ? 1 : 0)};
}

StretchView::StretchView(LineModel& model, FieldSizes sizes) : m_model(model), m_sizes(sizes)
{
    m_model.onChange([this](int start, std::u16string_view removed, std::u16string_view inserted) {
        modelChanged(start, static_cast<int>(removed.size()), static_cast<int>(inserted.size()));
    });
}

void StretchView::modelChanged(int start, int removed, int inserted)
{
    if (m_taking || m_stale)
        return;
    // One change inside the stretch the box takes as it is; any other, with its whole text again.
    if (m_pending || start < m_shown.start || start + removed > m_shown.end) {
        m_stale = true;
        m_pending.reset();
        return;
    }
    m_pending = PendingEdit{start - m_shown.start, start + removed - m_shown.start, start, inserted};
    m_shown.end += inserted - removed;
}

StretchView::Update StretchView::update()
{
    Update update;
    if (m_stale || (mayMove() && !serves(m_shown))) {
        const Stretch stretch = stretchAroundCursor();
        if (m_stale || stretch != m_shown) {
            m_shown = stretch;
            update.text = Update::Text::Replaced;
            update.stretchText =
                std::u16string_view(m_model.line())
                    .substr(static_cast<std::size_t>(stretch.start), static_cast<std::size_t>(stretch.size()));
        }
    } else if (m_pending) {
        update.text = Update::Text::Edited;
        update.editStart = m_pending->start;
        update.editEnd = m_pending->end;
        update.editText =
            std::u16string_view(m_model.line())
                .substr(static_cast<std::size_t>(m_pending->lineStart), static_cast<std::size_t>(m_pending->length));
    }
    m_stale = false;
    m_pending.reset();
    update.anchor = toBox(m_model.anchor());
    update.cursor = toBox(m_model.cursor());
    update.selectionChanged =
        update.text != Update::Text::Kept || update.anchor != m_boxAnchor || update.cursor != m_boxCursor;
    m_boxAnchor = update.anchor;
    m_boxCursor = update.cursor;
    return update;
}

void StretchView::boxEdited(std::u16string_view text, LineModel::Run run)
{
    m_taking = true;
    takeBoxEdit(m_model, m_shown, text, run);
    m_taking = false;
    m_boxAnchor = m_boxCursor = -1; // where the box put its caret comes next
}

void StretchView::boxSelected(int start, int end)
{
    if (start == std::min(m_boxAnchor, m_boxCursor) && end == std::max(m_boxAnchor, m_boxCursor))
        return;
    const int wasAnchor = m_model.anchor();
    const int wasCursor = m_model.cursor();
    start += m_shown.start;
    end += m_shown.start;
    // The anchor stays where it was, even outside the stretch, while the box's selection still ends there.
    const int anchorShown = std::clamp(wasAnchor, m_shown.start, m_shown.end);
    int anchor = start;
    int cursor = end;
    if (start == end)
        anchor = cursor = start;
    else if (anchorShown == start)
        anchor = wasAnchor;
    else if (anchorShown == end)
        anchor = wasAnchor, cursor = start;
    m_boxAnchor = toBox(anchor);
    m_boxCursor = toBox(cursor);
    if (!m_pointerDown && !m_composing) {
        anchor = anchor == wasAnchor ? anchor : pastEdge(anchor, wasCursor);
        cursor = cursor == wasCursor ? cursor : pastEdge(cursor, wasCursor);
    }
    m_model.select(anchor, cursor);
}

int StretchView::pastEdge(int position, int was) const
{
    const bool step = position == m_model.previousCharacter(was) || position == m_model.nextCharacter(was) ||
                      position == m_model.previousWord(was) ||
                      position == m_model.nextWord(was, LineModel::WordStop::NextWordStart) ||
                      position == m_model.nextWord(was, LineModel::WordStop::WordEnd);
    if (step)
        return position;
    if (position == m_shown.start && m_shown.start > 0)
        return 0;
    if (position == m_shown.end && m_shown.end < m_model.size())
        return m_model.size();
    return position;
}

void StretchView::compositionStarts()
{
    m_composing = true;
    if (selectionReachesPast())
        m_model.replaceSelection({});
}

int StretchView::toBox(int position) const
{
    return std::clamp(position, m_shown.start, m_shown.end) - m_shown.start;
}

bool StretchView::selectionReachesPast() const
{
    return m_model.selectionStart() < m_shown.start || m_model.selectionEnd() > m_shown.end;
}

Stretch StretchView::stretchAroundCursor() const
{
    return m_model.size() <= m_sizes.threshold ? Stretch{0, m_model.size()} : stretchAround(m_model, m_sizes.side);
}

bool StretchView::serves(Stretch shown) const
{
    const int size = m_model.size();
    const int cursor = m_model.cursor();
    if (size <= m_sizes.threshold)
        return shown == Stretch{0, size};
    return shown.size() <= 2 * m_sizes.side + 2 && shown.start <= cursor && cursor <= shown.end && shown.end <= size &&
           (cursor - shown.start >= m_sizes.margin || shown.start == 0) &&
           (shown.end - cursor >= m_sizes.margin || shown.end == size);
}
