// Starts the program: answers --help and --version, or shows the main window, with the focus in its
// input field, until it is closed.
#include "app/qt/command_line.h"
#include "app/qt/program_icon.h"
#include "app/qt/start_application.h"
#include "window/qt/form1.h"
#include "window/qt/message_box_presenter.h"

#include <QApplication>
#include <QString>

#include <memory>

int main(int argc, char* argv[])
{
    if (const std::optional<int> status = answerCommandLine(argc, argv))
        return *status;

    // One application id names the desktop entry, the Wayland app id and the X11 window class, so the
    // desktop ties the running window to its menu entry and icon.
    QApplication::setApplicationName(QStringLiteral("com.vantrel.hex2dec"));
    QApplication::setDesktopFileName(QStringLiteral("com.vantrel.hex2dec"));
    QApplication::setApplicationVersion(QStringLiteral(HEXDEC_VERSION));
    const auto app = startApplication(argc, argv);
    QApplication::setWindowIcon(programIcon());

    Form1 form1(std::make_unique<MessageBoxPresenter>());
    form1.show();
    return QApplication::exec(); // ends when the last window closes
}
