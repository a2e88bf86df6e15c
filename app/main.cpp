// Starts the program: shows the main window, with the focus in its input field, until it is closed.
#include "app/display_guard.h"
#include "app/program_icon.h"
#include "window/form1.h"

#include <QApplication>
#include <QString>

#include <optional>

int main(int argc, char* argv[])
{
    std::optional<DisplayGuard> guard(std::in_place); // only while the platform layer starts
    QApplication app(argc, argv);
    guard.reset();
    QApplication::setApplicationName(QStringLiteral("vantrel-hex2dec"));
    QApplication::setApplicationVersion(QStringLiteral(HEXDEC_VERSION));
    QApplication::setWindowIcon(programIcon());

    Form1 form1;
    form1.show();
    return QApplication::exec(); // ends when the last window closes
}
