// The line of each text box on the page (textbox/line_model.h). The page's inputs only view them: each
// holds what its stretch view says (textbox/stretch_view.h, field_sizes::kPage), and turns its events
// into the text box's keys and commands (line_field.js, through the functions line_fields.cpp gives the
// page).
#pragma once

#include "textbox/key_rules.h"
#include "textbox/stretch_view.h"

// The line model of the text box that is control control (an index in form1_design::kControls).
[[nodiscard]] LineModel& lineOf(int control);
// The part of the line that control's input holds.
[[nodiscard]] Stretch shownOf(int control);
// The page's platform's key rules: 0 Linux and the rest, 1 Windows, 2 a Mac (line_field.js, linePlatform).
[[nodiscard]] const KeyRules& rulesOn(int platform);
// Sets the line as a program sets a text box's text, and has the page show it. False when the field is
// no longer on the page.
bool setLineOf(int control, std::u16string line);
