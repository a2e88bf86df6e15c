// The program's one window.
#include "window/qt/form1.h"

#include "convert/line.h"
#include "window/form1_design.h"
#include "window/prompt_colour.h"
#include "window/qt/accessibility.h"
#include "window/qt/caption_fit.h"
#include "window/qt/input_field.h"
#include "window/qt/pixels.h"

#include <QColor>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QString>

#include <cstdint>
#include <limits>

namespace {

namespace design = form1_design;

template <typename Box> Box* placed(Box* box, const char* name, const TwipsRect& place)
{
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(toPixels(place));
    return box;
}

QLineEdit* makeTextBox(QWidget* parent, const char* name, const TwipsRect& place)
{
    auto* box = placed(new QLineEdit(parent), name, place);
    box->setMaxLength(std::numeric_limits<int>::max()); // Qt's default of 32767 would cut a pasted line
    return box;
}

} // namespace

Form1::Form1(std::unique_ptr<MessagePresenter> presenter, QWidget* parent)
    : QWidget(parent), m_presenter(std::move(presenter)),
      m_text1(placed(new InputField(this), "Text1", design::kText1)),
      m_text2(makeTextBox(this, "Text2", design::kText2)),
      m_label1(new QLabel(QString::fromStdU16String(design::kPrompt), this)),
      m_command1(new QPushButton(QString::fromStdU16String(design::kConvert), this)),
      m_text3(makeTextBox(this, "Text3", design::kText3))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromStdU16String(design::kCaption));
    const QSize clientArea = toPixels(design::kClientArea);
    resize(clientArea);

    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    applyPromptColour();
    m_label1->setGeometry(grownToFit(toPixels(design::kLabel1), captionSize(*m_label1), clientArea));

    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setAutoDefault(false); // Enter converts nothing
    m_command1->setDefault(false);
    m_command1->setGeometry(grownToFit(toPixels(design::kCommand1), captionSize(*m_command1), clientArea));

    // The result field lies below the visible area; Tab must not lose the focus into it.
    m_text3->setFocusPolicy(Qt::ClickFocus);
    setTabOrder(m_text1, m_text2);
    setTabOrder(m_text2, m_command1);

    describeForScreenReaders(*this, *m_label1, *m_text1, *m_text2, *m_command1, *m_text3);

    m_text1->setFocus();

    connect(m_command1, &QPushButton::clicked, this, [this] { ConvertLine(*this); });
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
    QWidget::changeEvent(event);
}

QLineEdit* Form1::lineEdit(Field field) const
{
    return controlFor<QLineEdit*>(field, nullptr, m_text2, m_text3);
}

std::u16string Form1::text(Field field) const
{
    return (field == Field::Text1 ? m_text1->text() : lineEdit(field)->text()).toStdU16String();
}

void Form1::setText(Field field, const std::u16string& text)
{
    const QString line = QString::fromStdU16String(text);
    field == Field::Text1 ? m_text1->setText(line) : lineEdit(field)->setText(line);
}

void Form1::showMessage(const std::u16string& prompt, MessageStyle style, const std::u16string& title)
{
    m_presenter->present(this, QString::fromStdU16String(prompt), style, QString::fromStdU16String(title));
}
