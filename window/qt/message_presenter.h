// How the window shows a modal message box. Tests put a recorder in its place, so that none of
// them waits for a click on OK.
#pragma once

#include "runtime/form.h"

class QString;
class QWidget;

class MessagePresenter
{
public:
    virtual ~MessagePresenter() = default;

    // Shows prompt and title in the given style, modally over parent; returns once dismissed.
    virtual void present(QWidget* parent, const QString& prompt, MessageStyle style, const QString& title) = 0;
};
