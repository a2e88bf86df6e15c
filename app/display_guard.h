// Start-up without a display: one clear line on standard error and exit status 1, instead of the
// platform layer's abort and core dump.
#pragma once


// Holds back Qt's messages while it lives. A fatal one (the platform cannot open any window) ends
// the program at once with the line and status 1; the others are passed on when the guard ends.
class DisplayGuard
{
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;
};
