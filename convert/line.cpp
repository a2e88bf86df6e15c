// Conversion of the whole input line.
#include "convert/line.h"

#include "convert/hex_token.h"
#include "runtime/strings.h"

#include <cstddef>
#include <string>

namespace {

constexpr std::ptrdiff_t kPositions = 12; // token positions 0 to 11

// Position 11 is converted only when a thirteenth token follows, so thirteen pieces decide the
// output; the thirteenth keeps the rest of the line unsplit, however long it is.
constexpr std::size_t kPiecesNeeded = kPositions + 1;

} // namespace

void ConvertLine(Form& form)
{
    form.setText(Field::Text2, u"");
    const std::u16string line = form.text(Field::Text1);
    const auto tokens = split(line, u' ', kPiecesNeeded);
    const std::ptrdiff_t last = upperBound(tokens);

    for (std::ptrdiff_t i = 0; i < kPositions; ++i) {
        if (last <= i)
            break; // no token follows token i, nor any later one
        form.setText(Field::Text3, u""); // so a token that gives no value adds nothing stale
        ConvertHexToken(form, std::u16string(tokens[static_cast<std::size_t>(i)]));
        if (i == 0)
            form.setText(Field::Text2, form.text(Field::Text3));
        else
            form.setText(Field::Text2, form.text(Field::Text2) + u" " + form.text(Field::Text3));
        form.setText(Field::Text3, u"");
    }
}
