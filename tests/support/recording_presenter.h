// A message presenter for window tests: records every box asked for and returns at once.
#pragma once

#include "window/qt/message_presenter.h"

#include <QString>

#include <vector>

class RecordingPresenter final : public MessagePresenter
{
public:
    std::vector<QString> shown; // the prompt of each box

    void present(QWidget*, const QString& prompt, MessageStyle, const QString&) override { shown.push_back(prompt); }
};
