// The program's one window: a prompt, the input field, the "Convert" button, the output field and
// the result field, placed as the fixed design says. A click of the button converts the input line.
#pragma once

#include "runtime/form.h"
#include "window/form1_design.h"
#include "window/qt/message_presenter.h"

#include <QWidget>

#include <memory>

class InputField;
class QLabel;
class QPushButton;

class Form1 : public QWidget, public Form
{
    Q_OBJECT

public:
    explicit Form1(std::unique_ptr<MessagePresenter> presenter, QWidget* parent = nullptr);

    [[nodiscard]] std::u16string text(Field field) const override;
    void setText(Field field, const std::u16string& text) override;
    void showMessage(const std::u16string& prompt, MessageStyle style, const std::u16string& title) override;

protected:
    void changeEvent(QEvent* event) override;

private:
    [[nodiscard]] InputField* textBox(Field field) const;
    [[nodiscard]] QWidget* widget(Control control) const;
    // Places the controls and sizes the window for the current font.
    void layOut();
    // Pure blue as designed, or a lighter blue where the window's background is too dark for it.
    void applyPromptColour();

    std::unique_ptr<MessagePresenter> m_presenter;
    InputField* m_text1;
    InputField* m_text2;
    QLabel* m_label1;
    QPushButton* m_command1;
    InputField* m_text3;
};
