// An empty Qt window of the main window's client size: what any Qt Widgets program pays to start.
#include <QApplication>
#include <QString>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(312, 131);
    window.show();
    return QApplication::exec();
}
