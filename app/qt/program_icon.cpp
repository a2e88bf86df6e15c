// The program's icon.
#include "app/qt/program_icon.h"

#include <QString>

QIcon programIcon()
{
    QIcon icon;
    // Of two images of one size Qt draws the one added last, so colour screens get 16 colours.
    icon.addFile(QStringLiteral(":/icons/program_32_2colours.png"));
    icon.addFile(QStringLiteral(":/icons/program_32_16colours.png"));
    icon.addFile(QStringLiteral(":/icons/program_16_16colours.png"));
    return icon;
}
