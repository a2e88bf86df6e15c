// Where the cursor stops in a line.
#include "window/qt/text_boundaries.h"

#include <algorithm>

int moveInLine(QStringView text, int position, bool forward, QTextLayout::CursorMode mode)
{
    // Asks a layout of the stretch around position (64 code units either side at first), widening the
    // stretch while the answer lies on an edge of it that is not an end of the line.
    const int size = static_cast<int>(text.size());
    for (int reach = 64;; reach *= 4) {
        const int from = std::max(0, position - reach);
        const int to = std::min(size, position + reach);
        const QTextLayout layout(text.sliced(from, to - from).toString());
        const int local = position - from;
        const int moved = forward ? layout.nextCursorPosition(local, mode) : layout.previousCursorPosition(local, mode);
        if (forward ? (moved < to - from || to == size) : (moved > 0 || from == 0))
            return from + moved;
    }
}

std::pair<int, int> wordAt(QStringView text, int position)
{
    const int start =
        moveInLine(text, std::min(position + 1, static_cast<int>(text.size())), false, QTextLayout::SkipWords);
    int end = moveInLine(text, start, true, QTextLayout::SkipWords);
    while (end > position && text[end - 1].isSpace())
        --end;
    return {start, end};
}
