// What a screen reader meets in the main window.
#include "window/qt/accessibility.h"

#include "window/form1_behaviour.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
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

void describeForScreenReaders(QWidget& form1, QLabel& label1, const std::function<QWidget*(Control)>& widget)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(windowRoleForForm1);
        return true;
    }();
    (void)factoryInstalled;

    form1.setAccessibleDescription(QStringView(form1_behaviour::kWindowDescription).toString());
    // The prompt labels the input field, so that a screen reader can follow the "labelled by" relation
    // back to it. Every name is set even where the toolkit would derive the same one, so that each comes
    // from one place.
    label1.setBuddy(widget(Control::Text1));
    for (const ControlDesign& control : form1_design::kControls) {
        if (control.kind == ControlKind::Label)
            continue;
        const form1_behaviour::ScreenReaderText said = form1_behaviour::screenReaderText(control.control);
        QWidget* described = widget(control.control);
        described->setAccessibleName(QStringView(said.name).toString());
        described->setAccessibleDescription(QStringView(said.description).toString());
    }
}
