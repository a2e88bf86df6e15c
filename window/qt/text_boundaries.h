// Where the cursor stops in a line when it moves by character or by word: the toolkit's own rules, read
// from a stretch of the line around the position rather than from all of it.
#pragma once

#include <QStringView>

// A surrogate pair, or a letter with its combining marks, is one character.
[[nodiscard]] int nextCharacter(QStringView text, int position);
[[nodiscard]] int previousCharacter(QStringView text, int position);
[[nodiscard]] int nextWord(QStringView text, int position);
[[nodiscard]] int previousWord(QStringView text, int position);

// The word a double click at position selects, as [start, end).
struct TextRange
{
    int start;
    int end;
};
[[nodiscard]] TextRange wordAt(QStringView text, int position);
