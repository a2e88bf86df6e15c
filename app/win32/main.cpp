// Starts the program: shows the main window, with the focus in its input field, until it is closed.
#include "window/win32/form1.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    // The themed controls of common controls 6, which the manifest asks for.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    if (!Form1::registerClass(instance))
        return 1;
    Form1 form1;
    if (!form1.create(instance))
        return 1;
    ShowWindow(form1.handle(), show);

    MSG message;
    BOOL got = FALSE;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1)
            return 1;
        if (!form1.handleKeyboard(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return form1.exitCode();
}
