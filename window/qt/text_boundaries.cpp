// Where the cursor stops in a line.
#include "window/qt/text_boundaries.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace {

// A character boundary is found from a few code units either side, never from the whole line.
constexpr int kReach = 32;

bool isSpace(QStringView text, int position)
{
    return text[position].isSpace();
}

// The punctuation the toolkit's line edit treats as words of their own.
bool isSeparator(QStringView text, int position)
{
    static constexpr char16_t kSeparators[] = u".,?!@#$:;-<>[](){}=/+%&^*'\"`~|\\";
    const char16_t c = text[position].unicode();
    return std::find(std::begin(kSeparators), std::end(kSeparators) - 1, c) != std::end(kSeparators) - 1;
}

} // namespace

int nextCharacter(QStringView text, int position)
{
    const int size = static_cast<int>(text.size());
    if (position >= size)
        return size;
    const int from = std::max(0, position - kReach);
    const int to = std::min(size, position + kReach);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.sliced(from, to - from));
    finder.setPosition(position - from);
    const auto next = finder.toNextBoundary();
    return next < 0 ? to : from + static_cast<int>(next);
}

int previousCharacter(QStringView text, int position)
{
    if (position <= 0)
        return 0;
    const int from = std::max(0, position - kReach);
    const int to = std::min(static_cast<int>(text.size()), position + kReach);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.sliced(from, to - from));
    finder.setPosition(position - from);
    const auto previous = finder.toPreviousBoundary();
    return previous < 0 ? from : from + static_cast<int>(previous);
}

int nextWord(QStringView text, int position)
{
    const int size = static_cast<int>(text.size());
    int p = position;
    if (p < size && isSeparator(text, p)) {
        while (p < size && isSeparator(text, p))
            ++p;
    } else {
        while (p < size && !isSpace(text, p) && !isSeparator(text, p))
            ++p;
    }
    while (p < size && isSpace(text, p))
        ++p;
    return p;
}

int previousWord(QStringView text, int position)
{
    int p = position;
    while (p > 0 && isSpace(text, p - 1))
        --p;
    if (p > 0 && isSeparator(text, p - 1)) {
        while (p > 0 && isSeparator(text, p - 1))
            --p;
    } else {
        while (p > 0 && !isSpace(text, p - 1) && !isSeparator(text, p - 1))
            --p;
    }
    return p;
}

TextRange wordAt(QStringView text, int position)
{
    const int start = previousWord(text, std::min(position + 1, static_cast<int>(text.size())));
    int end = nextWord(text, start);
    while (end > position && isSpace(text, end - 1))
        --end;
    return {start, end};
}
