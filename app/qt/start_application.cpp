// Starting the application, and ending it cleanly, with the cause named, where no window can be opened.
#include "app/qt/start_application.h"

#include <QRegularExpression>
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

    [[nodiscard]] QMessageLogContext context() const { return {file, line, function, category}; }
};

std::vector<HeldMessage> g_held;

// The program's own line on why no window opened, read from what Qt said before giving up: the X11
// plugin names the display it could not connect to (none when DISPLAY is empty), and the plugin loader
// names the platform plugin it could not find, or found but could not start (Wayland without a
// compositor, for one).
QString causeOfFailure()
{
    static const QString noConnection = QStringLiteral("could not connect to display");
    for (const HeldMessage& message : g_held) {
        if (qstrcmp(message.category, "qt.qpa.xcb") != 0 || !message.text.startsWith(noConnection))
            continue;
        const QString display = message.text.mid(noConnection.size()).trimmed();
        if (display.isEmpty())
            return QStringLiteral("no display is set (DISPLAY is empty)");
        return QStringLiteral("display %1 cannot be reached").arg(display);
    }
    static const QRegularExpression pluginFailure(
        QStringLiteral("Could not (find|load) the Qt platform plugin \"([^\"]+)\""));
    for (const HeldMessage& message : g_held) {
        const QRegularExpressionMatch match = pluginFailure.match(message.text);
        if (!match.hasMatch())
            continue;
        const QString plugin = match.captured(2);
        if (match.captured(1) == QLatin1String("find"))
            return QStringLiteral("the Qt platform plugin \"%1\" is not installed").arg(plugin);
        return QStringLiteral("the Qt platform plugin \"%1\" failed to start").arg(plugin);
    }
    return QStringLiteral("no Qt platform plugin could be started");
}

void printMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    // Qt's fatal text ends in a line break of its own.
    std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(type, context, text).trimmed()));
}

// Qt's own account first, as it would have printed it, then the program's line naming the cause.
[[noreturn]] void exitWithoutWindow(const QMessageLogContext& context, const QString& text)
{
    for (const HeldMessage& message : g_held)
        printMessage(message.type, message.context(), message.text);
    printMessage(QtFatalMsg, context, text);
    std::fprintf(stderr, "vantrel-hex2dec: cannot open a window: %s\n", qUtf8Printable(causeOfFailure()));
    std::fflush(stderr);
    std::_Exit(1);
}

void holdOrExit(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg)
        exitWithoutWindow(context, text);
    g_held.push_back({type, context.file, context.line, context.function, context.category, text});
}

} // namespace

std::unique_ptr<QApplication> startApplication(int& argc, char** argv)
{
    const QtMessageHandler previous = qInstallMessageHandler(holdOrExit);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage& message : g_held) {
        if (previous != nullptr)
            previous(message.type, message.context(), message.text);
        else
            qt_message_output(message.type, message.context(), message.text);
    }
    g_held.clear();
    return app;
}
