// Where the cursor stops in a line when it moves by character or by word: the toolkit's own rules, read
// from a stretch of the line around the position rather than from all of it.
#pragma once

#include <QStringView>
#include <QTextLayout>

#include <utility>

// Where a move from position lands, forward or back, by character (a surrogate pair, or a letter with its
// combining marks, is one) or by word, as in the toolkit's line edit.
[[nodiscard]] int moveInLine(QStringView text, int position, bool forward, QTextLayout::CursorMode mode);

// The word a double click at position selects, as [first, second).
[[nodiscard]] std::pair<int, int> wordAt(QStringView text, int position);
