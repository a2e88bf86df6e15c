// Start-up without a display.
#include "app/display_guard.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// The context's strings are literals of Qt's own, so keeping the pointers is safe.
struct HeldMessage
{
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};

QtMessageHandler g_previousHandler = nullptr;
std::vector<HeldMessage> g_held;

[[noreturn]] void exitWithoutDisplay()
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0')
        std::fputs("vantrel-hex2dec: cannot open a window: no display is set (DISPLAY is empty)\n", stderr);
    else
        std::fprintf(stderr, "vantrel-hex2dec: cannot open a window: display %s cannot be reached\n", display);
    std::_Exit(1);
}

void holdOrExit(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg)
        exitWithoutDisplay();
    g_held.push_back({type, context.file, context.line, context.function, context.category, text});
}

} // namespace

DisplayGuard::DisplayGuard()
{
    g_previousHandler = qInstallMessageHandler(holdOrExit);
}

DisplayGuard::~DisplayGuard()
{
    qInstallMessageHandler(g_previousHandler);
    for (const HeldMessage& message : g_held) {
        const QMessageLogContext context(message.file, message.line, message.function, message.category);
        if (g_previousHandler != nullptr)
            g_previousHandler(message.type, context, message.text);
        else
            qt_message_output(message.type, context, message.text);
    }
    g_held.clear();
}
