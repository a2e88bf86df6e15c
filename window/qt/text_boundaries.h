// Where the cursor stops in a line when it moves by character or by word, as in the toolkit's own line edit.
#pragma once

#include <QStringView>

// The next and previous character boundaries: a surrogate pair or a letter with its combining marks is
// one character.
[[nodiscard]] int nextCharacter(QStringView text, int position);
[[nodiscard]] int previousCharacter(QStringView text, int position);

// Word moves: past the rest of a word or a run of punctuation, then past the spaces that follow.
[[nodiscard]] int nextWord(QStringView text, int position);
[[nodiscard]] int previousWord(QStringView text, int position);

// The word a double click at position selects, as [start, end).
struct TextRange
{
    int start;
    int end;
};
[[nodiscard]] TextRange wordAt(QStringView text, int position);
