// The real message box.
#include "window/qt/message_box_presenter.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon iconFor(MessageStyle style)
{
    switch (style) {
    case MessageStyle::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void MessageBoxPresenter::present(QWidget* parent, const QString& prompt, MessageStyle style, const QString& title)
{
    // Every style the program uses has a single OK button.
    QMessageBox box(iconFor(style), title, prompt, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal); // no input to any window of the program meanwhile
    box.exec();
}
