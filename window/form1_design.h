// The fixed design of the main window: its texts, and places measured from the top-left corner of
// the client area, in twips.
#pragma once

#include "window/twips.h"

namespace form1_design {

inline constexpr char16_t kCaption[] = u"Vantrel Hex to Decimal Converter";
inline constexpr char16_t kPrompt[] = u"Enter you Filter Code (ex.FE FE 00 90 01 05 FD)";
inline constexpr char16_t kConvert[] = u"Convert";

// What screen readers call the fields the prompt does not name.
inline constexpr char16_t kText2Name[] = u"Decimal values";
inline constexpr char16_t kText3Name[] = u"Conversion result";

inline constexpr TwipsSize kClientArea{4680, 1965};

// In tab order.
inline constexpr TwipsRect kText1{120, 600, 4095, 315};
inline constexpr TwipsRect kText2{120, 1440, 4095, 315};
inline constexpr TwipsRect kLabel1{120, 240, 3495, 255};
inline constexpr TwipsRect kCommand1{1440, 980, 1095, 375};
inline constexpr TwipsRect kText3{120, 2640, 3495, 375}; // below the client area's bottom edge (1965)

} // namespace form1_design
