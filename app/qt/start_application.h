// Start-up where no window can be opened: Qt's own explanation, a line of the program's own naming the
// cause (no display set, a display that cannot be reached, a platform plugin missing or failing), and
// exit status 1, instead of the platform layer's abort and core dump.
#pragma once

#include <QApplication>

#include <memory>

// Creates the application with Qt's messages held back meanwhile. Should the platform fail to open
// any window, the program ends there as above; other messages are passed on after.
[[nodiscard]] std::unique_ptr<QApplication> startApplication(int& argc, char** argv);
