// Where the cursor stops in a line.
#include "window/qt/text_boundaries.h"

#include <QTextLayout>

#include <algorithm>

namespace {

constexpr int kFirstReach = 64; // code units either side; widened for a longer word

// Asks a layout of the stretch around position where a move lands, widening the stretch while the answer
// lies on an edge of the stretch that is not an end of the line.
int move(QStringView text, int position, bool forward, QTextLayout::CursorMode mode)
{
    const int size = static_cast<int>(text.size());
    for (int reach = kFirstReach;; reach *= 4) {
        const int from = std::max(0, position - reach);
        const int to = std::min(size, position + reach);
        const QTextLayout layout(text.sliced(from, to - from).toString());
        const int local = position - from;
        const int moved = forward ? layout.nextCursorPosition(local, mode) : layout.previousCursorPosition(local, mode);
        if (forward ? (moved < to - from || to == size) : (moved > 0 || from == 0))
            return from + moved;
    }
}

} // namespace

int nextCharacter(QStringView text, int position)
{
    return move(text, position, true, QTextLayout::SkipCharacters);
}

int previousCharacter(QStringView text, int position)
{
    return move(text, position, false, QTextLayout::SkipCharacters);
}

int nextWord(QStringView text, int position)
{
    return move(text, position, true, QTextLayout::SkipWords);
}

int previousWord(QStringView text, int position)
{
    return move(text, position, false, QTextLayout::SkipWords);
}

TextRange wordAt(QStringView text, int position)
{
    const int start = previousWord(text, std::min(position + 1, static_cast<int>(text.size())));
    int end = nextWord(text, start);
    while (end > position && text[end - 1].isSpace())
        --end;
    return {start, end};
}
