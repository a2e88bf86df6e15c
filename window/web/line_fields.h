// The line of each text box on the page (window/line_model.h). The page's inputs only view them: each
// holds a stretch of its line (field_sizes::kPage), reports what the user did to it, and shows what the
// model says (line_field.js, through the functions this file gives the page).
#pragma once

#include "window/line_model.h"

// The line model of the text box that is control control (an index in form1_design::kControls).
[[nodiscard]] LineModel& lineOf(int control);
// Sets the line as a program sets a text box's text, and has the page show it. False when the field is
// no longer on the page.
bool setLineOf(int control, std::u16string line);
