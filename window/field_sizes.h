// How long a line each front-end's native text box holds whole, and how much of a longer line it shows.
// A native box lays out and shapes its whole line on every change and every blink of its cursor, so a
// longer line is shown as a stretch around the cursor (textbox/stretch_view.h), which moves along with it.
#pragma once

#include "textbox/stretch_view.h"

namespace field_sizes {

// Wine's edit control shapes its whole text on every change, every move of the caret and every paint, at a
// cost that grows as the square of a run of digits: about 40 ms a key at 4,096 code units, 0.65 s at
// 16,384. Measured with bench/long_paste.sh on 10 MB, select all, Delete and undo took 222 ms with a
// stretch of 4,096, 67 ms with 2,048 and 32 ms with 1,024; a paste of 4,096 code units, 60 ms more than
// one of 2,048.
inline constexpr FieldSizes kWin32{2'048, 512, 128};

// Browsers lay out an input's whole value on every change: a third of a second for a million characters.
inline constexpr FieldSizes kPage{16'384, 4'096, 1'024};

// The toolkit's line edit holds lines up to this long; past it the Qt field draws only the part in view
// itself, so it needs no stretch.
inline constexpr int kQtLongLine = 16'384;

} // namespace field_sizes
