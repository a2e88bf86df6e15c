// Starts the program: shows the main window, with the focus in its input field, until it is closed.
#include "app/start_application.h"
#include "app/program_icon.h"
#include "window/form1.h"

#include <QApplication>
#include <QString>

int main(int argc, char* argv[])
{
    const auto app = startApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vantrel-hex2dec"));
    QApplication::setApplicationVersion(QStringLiteral(HEXDEC_VERSION));
    QApplication::setWindowIcon(programIcon());

    Form1 form1;
    form1.show();
    return QApplication::exec(); // ends when the last window closes
}
