// Conversion of one hexadecimal token to the decimal text of an unsigned 32-bit value.
#pragma once

#include "runtime/form.h"

#include <string>

// Reads token as an unsigned 32-bit hexadecimal number, an optional "&H" prefix (either case) first,
// and writes its decimal text to the result field Text3. An empty token, or one that is only the
// prefix, reads as 0. The token's value must fit 32 bits: digits before its last eight must be zeros.
//
// A token holding anything but hexadecimal digits after its prefix writes nothing and shows nothing.
// Any runtime error on the way (a value wider than 32 bits, a field that refuses its text) shows the
// critical "There was an error" box titled "Error" and writes nothing; the error goes no further.
void ConvertHexToken(Form& form, const std::u16string& token);
