// The program's command line: --help and --version, Qt's own options passed through, anything else
// refused, all decided before any window system is touched.
#pragma once

#include <optional>

// Prints what the command line asks for and returns the exit status, or nothing when the window is to
// open: help and version on standard output with status 0, a mistake on standard error with status 2.
[[nodiscard]] std::optional<int> answerCommandLine(int argc, const char* const* argv);
