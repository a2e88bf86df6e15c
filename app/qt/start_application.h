// Start-up without a display: one clear line on standard error and exit status 1, instead of the
// platform layer's abort and core dump.
#pragma once

#include <QApplication>

#include <memory>

// Creates the application with Qt's messages held back meanwhile. Should the platform fail to open
// any window, the program ends there with the line and status 1; other messages are passed on after.
[[nodiscard]] std::unique_ptr<QApplication> startApplication(int& argc, char** argv);
