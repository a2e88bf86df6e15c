// Conversion of the whole input line: what a click on "Convert" does.
#pragma once

#include "runtime/form.h"

// Splits Text1 at single spaces and converts tokens 0 to 11 that have at least one more token after
// them, so the last token of the line is never converted. Text2 gets one value per converted token,
// joined by single spaces; a token that produces no value adds the empty string. Each value travels
// through Text3, which is emptied before and after every converted token and left alone otherwise.
void ConvertLine(Form& form);
