// Starts the program: shows the main window, with the focus in its input field, until it is closed.
#include "app/qt/start_application.h"
#include "app/qt/program_icon.h"
#include "window/qt/form1.h"
#include "window/qt/message_box_presenter.h"

#include <QApplication>
#include <QString>

#include <memory>

int main(int argc, char* argv[])
{
    const auto app = startApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vantrel-hex2dec"));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.vantrel.hex2dec"));
    QApplication::setApplicationVersion(QStringLiteral(HEXDEC_VERSION));
    QApplication::setWindowIcon(programIcon());

    Form1 form1(std::make_unique<MessageBoxPresenter>());
    form1.show();
    return QApplication::exec(); // ends when the last window closes
}
