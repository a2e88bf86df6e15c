// Pastes into an edit control as one line: an edit control keeps only the first line of what is pasted
// and drops the rest without a word. The field takes the rule of form1_behaviour.h instead.
#pragma once

#include <windows.h>

// Composes the rule onto the edit control `edit` (SetWindowSubclass); false when it could not.
bool takePastesAsOneLine(HWND edit);
