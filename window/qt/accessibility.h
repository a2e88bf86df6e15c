// What a screen reader meets in the main window: the window itself as a window, and for each control a
// name and a description it can speak.
#pragma once

#include "window/form1_design.h"

#include <functional>

class QLabel;
class QWidget;

// widget gives the window's widget for each control.
void describeForScreenReaders(QWidget& form1, QLabel& label1, const std::function<QWidget*(Control)>& widget);
