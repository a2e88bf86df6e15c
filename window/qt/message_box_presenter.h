// The real message box: a QMessageBox that blocks the whole program until the user presses OK.
#pragma once

#include "window/qt/message_presenter.h"

class MessageBoxPresenter final : public MessagePresenter
{
public:
    void present(QWidget* parent, const QString& prompt, MessageStyle style, const QString& title) override;
};
