// The program's one window.
#include "window/qt/form1.h"

#include "window/command1_click.h"
#include "window/form1_behaviour.h"
#include "window/form1_layout.h"
#include "window/prompt_colour.h"
#include "window/qt/accessibility.h"
#include "window/qt/caption_fit.h"
#include "window/qt/input_field.h"

#include <QApplication>
#include <QColor>
#include <QEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QString>

#include <array>
#include <cstdint>

namespace {

namespace design = form1_design;
namespace behaviour = form1_behaviour;

template <typename Control> Control* makeControl(QWidget* parent, ::Control control)
{
    auto* widget = new Control(parent);
    widget->setObjectName(QString::fromLatin1(design::design(control).name));
    return widget;
}

// Every text box takes a line of any length (form1_behaviour.h), and a line of megabytes stays quick.
static_assert(!behaviour::kTextBoxLengthLimit);

} // namespace

Form1::Form1(std::unique_ptr<MessagePresenter> presenter, QWidget* parent)
    : QWidget(parent), m_presenter(std::move(presenter)), m_text1(makeControl<InputField>(this, Control::Text1)),
      m_text2(makeControl<InputField>(this, Control::Text2)), m_label1(makeControl<QLabel>(this, Control::Label1)),
      m_command1(makeControl<QPushButton>(this, Control::Command1)),
      m_text3(makeControl<InputField>(this, Control::Text3))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringView(design::kCaption).toString());
    m_label1->setText(QStringView(design::design(Control::Label1).text).toString());
    m_label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_command1->setText(QStringView(design::design(Control::Command1).text).toString());
    applyPromptColour();
    layOut();

    m_command1->setDefault(behaviour::kHasDefaultButton);
    // In the toolkit, an auto-default button is one that Enter presses while it has the focus.
    m_command1->setAutoDefault(behaviour::enterClicksFocusedButton(behaviour::Platform::Linux));
    for (const ControlDesign& control : design::kControls) {
        if (control.kind != ControlKind::Label && !behaviour::takesTabStop(control.control))
            widget(control.control)->setFocusPolicy(Qt::ClickFocus);
    }
    for (std::size_t i = 1; i < behaviour::kTabOrder.size(); ++i)
        setTabOrder(widget(behaviour::kTabOrder[i - 1]), widget(behaviour::kTabOrder[i]));

    describeForScreenReaders(*this, *m_label1, [this](Control control) { return widget(control); });

    widget(behaviour::kTabOrder.front())->setFocus();

    connect(m_command1, &QPushButton::clicked, this, [this] {
        if (const int status = clickCommand1(*this)) {
            QApplication::exit(status);
            close();
        }
    });
}

QWidget* Form1::widget(Control control) const
{
    // In design order, which Control counts in.
    const std::array<QWidget*, design::kControls.size()> widgets{m_label1, m_text1, m_text2, m_command1, m_text3};
    return widgets[static_cast<std::size_t>(control)];
}

void Form1::layOut()
{
    // The toolkit's pixels are those of the design's DPI; the toolkit scales them for the screen.
    const Form1Layout layout = layOutForm1(kDesignDpi, [this](Control control) {
        const QSize room = control == Control::Label1 ? captionSize(*m_label1) : captionSize(*m_command1);
        return Size{room.width(), room.height()};
    });
    for (const ControlDesign& control : design::kControls) {
        const Rect& place = layout.place(control.control);
        widget(control.control)->setGeometry(place.left, place.top, place.width, place.height);
    }
    resize(layout.clientArea.width, layout.clientArea.height);
}

void Form1::applyPromptColour()
{
    // The label draws on the window's own background.
    const QColor background = palette().color(QPalette::Window);
    const Rgb colour =
        promptColour(Rgb{static_cast<std::uint8_t>(background.red()), static_cast<std::uint8_t>(background.green()),
                         static_cast<std::uint8_t>(background.blue())});
    QPalette prompt = m_label1->palette();
    prompt.setColor(QPalette::WindowText, QColor(colour.red, colour.green, colour.blue));
    m_label1->setPalette(prompt);
}

void Form1::changeEvent(QEvent* event)
{
    // A desktop that switches to a dark theme while the program runs changes the palette under it.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        applyPromptColour();
    // A larger font needs more room for the captions.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::ApplicationFontChange ||
        event->type() == QEvent::StyleChange)
        layOut();
    QWidget::changeEvent(event);
}

InputField* Form1::textBox(Field field) const
{
    // Every field is one of the input fields.
    return static_cast<InputField*>(widget(design::controlFor(field)));
}

std::u16string Form1::text(Field field) const
{
    return textBox(field)->units();
}

void Form1::setText(Field field, const std::u16string& text)
{
    textBox(field)->setText(QString::fromStdU16String(text));
}

void Form1::showMessage(const std::u16string& prompt, MessageStyle style, const std::u16string& title)
{
    m_presenter->present(this, QString::fromStdU16String(prompt), style, QString::fromStdU16String(title));
}
