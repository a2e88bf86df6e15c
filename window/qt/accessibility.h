// What a screen reader meets in the main window: the window itself as a window, and for each control a
// name and a description it can speak.
#pragma once

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

void describeForScreenReaders(QWidget& form1, QLabel& label1, QWidget& text1, QLineEdit& text2, QPushButton& command1,
                              QLineEdit& text3);
