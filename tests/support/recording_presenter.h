// A message presenter for window tests: records every box asked for and returns at once.
#pragma once

#include "window/message_presenter.h"

#include <QString>
#include <QWidget>

#include <vector>

class RecordingPresenter final : public MessagePresenter
{
public:
    struct Shown
    {
        QWidget* parent;
        QString prompt;
        MessageStyle style;
        QString title;
    };
    std::vector<Shown> shown;

    void present(QWidget* parent, const QString& prompt, MessageStyle style, const QString& title) override
    {
        shown.push_back({parent, prompt, style, title});
    }
};
