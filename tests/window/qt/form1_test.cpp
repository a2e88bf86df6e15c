#include "tests/support/box_presser.h"
#include "tests/support/recording_presenter.h"
#include "window/qt/form1.h"
#include "window/qt/input_field.h"
#include "window/qt/message_box_presenter.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

const QString kPromptExample = QStringLiteral("FE FE 00 90 01 05 FD");
const QString kPromptExampleOutput = QStringLiteral("254 254 0 144 1 5");
const QString kLineWithTooWideToken = QStringLiteral("01 123456789 02 03"); // the second token errs
const QSize kClientArea(312, 131);

enum class ClickWay
{
    Mouse,
    SpaceKey,
    AccessibilityAction
};

} // namespace

Q_DECLARE_METATYPE(ClickWay)

class Form1Test : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_defaultFont = QApplication::font(); }
    void init();
    void cleanup();

    void startsEmptyWithFocusInText1();
    void controlsSitAtTheirDesignPlaces_data();
    void controlsSitAtTheirDesignPlaces();
    void noCaptionIsClipped_data();
    void noCaptionIsClipped();
    void everyWayOfClickingConverts_data();
    void everyWayOfClickingConverts();
    void pressReleasedOffButtonConvertsNothing();
    void secondClickGivesSameOutput();
    void pastedLongLineIsNotCut();
    void errorBoxIsModalCriticalWithOneOkButton();
    void enterAndEscapeConvertNothing_data();
    void enterAndEscapeConvertNothing();
    void tabSkipsText3_data();
    void tabSkipsText3();
    void resizingMovesNothing_data();
    void resizingMovesNothing();
    void text3ShowsOnlyInEnlargedWindow();

private:
    void openWindow(std::unique_ptr<MessagePresenter> presenter);
    void maximize();

    QFont m_defaultFont;
    std::unique_ptr<Form1> m_form;
    RecordingPresenter* m_presenter = nullptr; // owned by m_form; null when the real box is in use
    QLabel* m_label1 = nullptr;
    InputField* m_text1 = nullptr;
    InputField* m_text2 = nullptr;
    InputField* m_text3 = nullptr;
    QPushButton* m_command1 = nullptr;
};

void Form1Test::openWindow(std::unique_ptr<MessagePresenter> presenter)
{
    m_form = std::make_unique<Form1>(std::move(presenter));
    m_label1 = m_form->findChild<QLabel*>(QStringLiteral("Label1"));
    m_text1 = m_form->findChild<InputField*>(QStringLiteral("Text1"));
    m_text2 = m_form->findChild<InputField*>(QStringLiteral("Text2"));
    m_text3 = m_form->findChild<InputField*>(QStringLiteral("Text3"));
    m_command1 = m_form->findChild<QPushButton*>(QStringLiteral("Command1"));
    QVERIFY(m_label1 && m_text1 && m_text2 && m_text3 && m_command1);

    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void Form1Test::maximize()
{
    m_form->showMaximized();
    QTRY_VERIFY(m_form->width() > kClientArea.width() && m_form->height() > kClientArea.height());
}

void Form1Test::init()
{
    auto recorder = std::make_unique<RecordingPresenter>();
    m_presenter = recorder.get();
    openWindow(std::move(recorder));
}

void Form1Test::cleanup()
{
    m_presenter = nullptr;
    m_form.reset();
    QApplication::setFont(m_defaultFont);
}

void Form1Test::startsEmptyWithFocusInText1()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Vantrel Hex to Decimal Converter"));
    QCOMPARE(m_form->size(), kClientArea);
    QCOMPARE(m_text1->text(), QString());
    QCOMPARE(m_text2->text(), QString());
    QCOMPARE(m_text3->text(), QString());
    QCOMPARE(QApplication::focusWidget(), m_text1);
    QCOMPARE(m_label1->text(), QStringLiteral("Enter you Filter Code (ex.FE FE 00 90 01 05 FD)"));
    QCOMPARE(m_label1->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(m_command1->text(), QStringLiteral("Convert"));
}

void Form1Test::controlsSitAtTheirDesignPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");  // the design's twips at 15 to the pixel
    QTest::addColumn<bool>("mayGrow"); // a captioned control may grow to show its caption

    QTest::newRow("Text1") << "Text1" << QRect(8, 40, 273, 21) << false;
    QTest::newRow("Text2") << "Text2" << QRect(8, 96, 273, 21) << false;
    QTest::newRow("Label1") << "Label1" << QRect(8, 16, 233, 17) << true;
    QTest::newRow("Command1") << "Command1" << QRect(96, 65, 73, 25) << true;
    QTest::newRow("Text3") << "Text3" << QRect(8, 176, 233, 25) << false;
}

void Form1Test::controlsSitAtTheirDesignPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(bool, mayGrow);

    const auto* control = m_form->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->pos(), place.topLeft());
    if (mayGrow) {
        QVERIFY(control->width() >= place.width());
        QVERIFY(control->height() >= place.height());
    } else {
        QCOMPARE(control->size(), place.size());
    }
}

void Form1Test::noCaptionIsClipped_data()
{
    QTest::addColumn<qreal>("fontScale"); // the desktop's text size, after the window opened
    QTest::newRow("the toolkit's font") << 1.0;
    QTest::newRow("text half as large again") << 1.5; // the window grows around the captions
}

void Form1Test::noCaptionIsClipped()
{
    QFETCH(qreal, fontScale);
    if (fontScale != 1.0) {
        QFont larger = m_defaultFont;
        larger.setPointSizeF(larger.pointSizeF() * fontScale);
        QApplication::setFont(larger);
        QTRY_VERIFY(m_form->width() > kClientArea.width());
    }
    const QRect clientArea = m_form->rect();

    const QFontMetrics labelFont = m_label1->fontMetrics();
    const QString prompt = m_label1->text();
    const int promptWidth = std::max(labelFont.horizontalAdvance(prompt), labelFont.boundingRect(prompt).width());
    QVERIFY2(promptWidth <= m_label1->contentsRect().width(),
             qPrintable(
                 QStringLiteral("prompt needs %1 px, has %2").arg(promptWidth).arg(m_label1->contentsRect().width())));
    QVERIFY(labelFont.height() <= m_label1->contentsRect().height());
    QVERIFY(clientArea.contains(m_label1->geometry()));

    // The text is drawn inside the style's contents rectangle of the button.
    QStyleOptionButton option;
    option.initFrom(m_command1);
    option.text = m_command1->text();
    const QRect contents = m_command1->style()->subElementRect(QStyle::SE_PushButtonContents, &option, m_command1);
    const QFontMetrics buttonFont = m_command1->fontMetrics();
    QVERIFY(buttonFont.horizontalAdvance(m_command1->text()) <= contents.width());
    QVERIFY(buttonFont.height() <= contents.height());
    QVERIFY(clientArea.contains(m_command1->geometry()));
}

void Form1Test::everyWayOfClickingConverts_data()
{
    QTest::addColumn<ClickWay>("way");
    QTest::newRow("mouse") << ClickWay::Mouse;
    QTest::newRow("space on focused button") << ClickWay::SpaceKey;
    QTest::newRow("accessibility press action") << ClickWay::AccessibilityAction;
}

void Form1Test::everyWayOfClickingConverts()
{
    QFETCH(ClickWay, way);

    QTest::keyClicks(m_text1, kPromptExample);
    switch (way) {
    case ClickWay::Mouse:
        QTest::mouseClick(m_command1, Qt::LeftButton);
        break;
    case ClickWay::SpaceKey:
        m_command1->setFocus(Qt::TabFocusReason);
        QTest::keyClick(m_form->windowHandle(), Qt::Key_Space);
        break;
    case ClickWay::AccessibilityAction: {
        QAccessibleInterface* button = QAccessible::queryAccessibleInterface(m_command1);
        QVERIFY(button && button->actionInterface());
        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        break;
    }
    }
    // The accessibility action animates its click, so the output comes a moment later.
    QTRY_COMPARE(m_text2->text(), kPromptExampleOutput);
    QCOMPARE(m_text3->text(), QString());
    QCOMPARE(m_text1->text(), kPromptExample);
    QVERIFY(m_presenter->shown.empty());
}

void Form1Test::pressReleasedOffButtonConvertsNothing()
{
    QTest::keyClicks(m_text1, kPromptExample);
    QTest::mousePress(m_command1, Qt::LeftButton);
    QTest::mouseRelease(m_command1, Qt::LeftButton, {}, QPoint(-20, -20));
    QCOMPARE(m_text2->text(), QString());
}

void Form1Test::secondClickGivesSameOutput()
{
    QTest::keyClicks(m_text1, kPromptExample);
    QTest::mouseClick(m_command1, Qt::LeftButton);
    QCOMPARE(m_text2->text(), kPromptExampleOutput);
    QTest::mouseClick(m_command1, Qt::LeftButton);
    QCOMPARE(m_text2->text(), kPromptExampleOutput);
}

void Form1Test::pastedLongLineIsNotCut()
{
    // A 40,000-digit token worth 2, then 03: cut at 32,767 characters, the line would lose its
    // last token and so the conversion of the long one.
    const QString line = QStringLiteral("01 ") + QString(40'000, u'0') + QStringLiteral("2 03");
    QApplication::clipboard()->setText(line);
    QTest::keyClick(m_text1, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_text1->text().size(), line.size());
    QTest::mouseClick(m_command1, Qt::LeftButton);
    QCOMPARE(m_text2->text(), QStringLiteral("1 2"));
}

void Form1Test::errorBoxIsModalCriticalWithOneOkButton()
{
    m_presenter = nullptr;
    openWindow(std::make_unique<MessageBoxPresenter>());
    if (QTest::currentTestFailed())
        return;

    BoxPresser presser;
    QTest::keyClicks(m_text1, kLineWithTooWideToken);
    QTest::mouseClick(m_command1, Qt::LeftButton); // returns once the box is dismissed

    QVERIFY(!presser.watchdogFired);
    QCOMPARE(presser.seen.size(), 1u);
    const SeenBox& seen = presser.seen.front();
    QCOMPARE(seen.text, QStringLiteral("There was an error"));
    QCOMPARE(seen.title, QStringLiteral("Error"));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.buttons, 1);
    QVERIFY(seen.okButton);
    QCOMPARE(seen.modality, Qt::ApplicationModal);
    QCOMPARE(seen.parent, m_form.get());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(m_text2->text(), QStringLiteral("1  2"));
}

void Form1Test::enterAndEscapeConvertNothing_data()
{
    QTest::addColumn<QString>("focused");
    QTest::addColumn<int>("key");
    QTest::newRow("Return in Text1") << "Text1" << int(Qt::Key_Return);
    QTest::newRow("keypad Enter in Text1") << "Text1" << int(Qt::Key_Enter);
    QTest::newRow("Escape in Text1") << "Text1" << int(Qt::Key_Escape);
    QTest::newRow("Return in Text2") << "Text2" << int(Qt::Key_Return);
    QTest::newRow("Escape in Text2") << "Text2" << int(Qt::Key_Escape);
    QTest::newRow("Return on Command1") << "Command1" << int(Qt::Key_Return);
    QTest::newRow("Escape on Command1") << "Command1" << int(Qt::Key_Escape);
}

void Form1Test::enterAndEscapeConvertNothing()
{
    QFETCH(QString, focused);
    QFETCH(int, key);

    QTest::keyClicks(m_text1, kPromptExample);
    QTest::keyClicks(m_text2, QStringLiteral("typed"));
    m_form->findChild<QWidget*>(focused)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_form->windowHandle(), static_cast<Qt::Key>(key));
    QCOMPARE(m_text2->text(), QStringLiteral("typed"));
    QVERIFY(m_form->isVisible());
}

void Form1Test::tabSkipsText3_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("maximized");
    QTest::addColumn<QStringList>("focusPath"); // where each key press puts the focus, from Text1

    const QStringList forward{"Text2", "Command1", "Text1", "Text2"};
    const QStringList backward{"Command1", "Text2", "Text1", "Command1"};
    QTest::newRow("Tab") << int(Qt::Key_Tab) << false << forward;
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << false << backward;
    QTest::newRow("Tab with Text3 in sight") << int(Qt::Key_Tab) << true << forward;
}

void Form1Test::tabSkipsText3()
{
    QFETCH(int, key);
    QFETCH(bool, maximized);
    QFETCH(QStringList, focusPath);

    if (maximized)
        maximize();
    m_text1->setFocus(Qt::OtherFocusReason);
    for (const QString& expected : focusPath) {
        QTest::keyClick(m_form->windowHandle(), static_cast<Qt::Key>(key));
        QCOMPARE(QApplication::focusWidget()->objectName(), expected);
    }
}

void Form1Test::resizingMovesNothing_data()
{
    QTest::addColumn<QSize>("size"); // empty: maximized
    QTest::newRow("smaller") << QSize(150, 60);
    QTest::newRow("larger") << QSize(640, 400);
    QTest::newRow("maximized") << QSize();
}

void Form1Test::resizingMovesNothing()
{
    QFETCH(QSize, size);

    const QList<QWidget*> controls{m_label1, m_text1, m_text2, m_command1, m_text3};
    QList<QRect> before;
    for (const QWidget* control : controls)
        before.append(control->geometry());

    if (size.isEmpty()) {
        maximize();
    } else {
        m_form->resize(size);
        QTRY_COMPARE(m_form->size(), size);
    }
    for (qsizetype i = 0; i < controls.size(); ++i)
        QCOMPARE(controls[i]->geometry(), before[i]);
}

void Form1Test::text3ShowsOnlyInEnlargedWindow()
{
    QVERIFY(m_text3->geometry().top() >= kClientArea.height());
    QVERIFY(m_text3->visibleRegion().isEmpty());

    maximize();
    QVERIFY(!m_text3->visibleRegion().isEmpty());
    QTest::mouseClick(m_text3, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), m_text3);
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
