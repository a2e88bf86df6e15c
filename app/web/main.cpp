// Starts the page's program: the window on the page, kept for as long as the page is open.
#include "window/web/form1.h"

int main()
{
    static Form1 window;
    return 0; // the runtime stays, for the page's events
}
