// Starting the application, and ending it cleanly where no window can be opened.
#include "app/qt/start_application.h"

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

std::unique_ptr<QApplication> startApplication(int& argc, char** argv)
{
    const QtMessageHandler previous = qInstallMessageHandler(holdOrExit);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage& message : g_held) {
        const QMessageLogContext context(message.file, message.line, message.function, message.category);
        if (previous != nullptr)
            previous(message.type, context, message.text);
        else
            qt_message_output(message.type, context, message.text);
    }
    g_held.clear();
    return app;
}
