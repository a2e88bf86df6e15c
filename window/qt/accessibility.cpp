// What a screen reader meets in the main window.
#include "window/qt/accessibility.h"

#include "window/form1_design.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace {

// Qt presents a top-level plain QWidget as a client area, which screen readers do not announce as a
// window; dialogs and main windows get a window role, and so does Form1.
QAccessibleInterface* windowRoleForForm1(const QString& className, QObject* object)
{
    if (className == QLatin1String("Form1") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

void describeForScreenReaders(QWidget& form1, QLabel& label1, QWidget& text1, QLineEdit& text2, QPushButton& command1,
                              QLineEdit& text3)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(windowRoleForForm1);
        return true;
    }();
    (void)factoryInstalled;

    form1.setAccessibleDescription(QStringLiteral("Converts hexadecimal byte values to decimal."));

    // The prompt labels the input field: screen readers speak it as the field's name and can follow
    // the "labelled by" relation back to it.
    label1.setBuddy(&text1);
    text1.setAccessibleDescription(QStringLiteral("Hexadecimal values separated by spaces. Every value but the last "
                                                  "one is converted; end the line with a space to include it."));

    text2.setAccessibleName(QString::fromStdU16String(form1_design::kText2Name));
    text2.setAccessibleDescription(
        QStringLiteral("The output of the conversion: the values in decimal, separated by spaces."));

    // The button is named by its caption.
    command1.setAccessibleDescription(
        QStringLiteral("Converts the hexadecimal values to decimal and shows them in Decimal values."));

    // The result field is a real field of the window but lies outside its visible area and stays empty
    // between conversions. Qt has no public way to drop one visible widget from the accessibility tree,
    // so a reader that walks the whole window finds it; its name and description say what it is and
    // where the output really is.
    text3.setAccessibleName(QString::fromStdU16String(form1_design::kText3Name));
    text3.setAccessibleDescription(QStringLiteral("Working field of the conversion, below the visible part of the "
                                                  "window and empty between conversions. The output is in Decimal "
                                                  "values."));
}
