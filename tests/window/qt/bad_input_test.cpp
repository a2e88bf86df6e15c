// What a user can paste or type into the input field that the conversion does not expect: the
// window keeps the text whole, converts it as it converts any line, and stays usable.
#include "tests/support/box_presser.h"
#include "tests/support/recording_presenter.h"
#include "window/qt/form1.h"
#include "window/qt/input_field.h"
#include "window/qt/message_box_presenter.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

class BadInputTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void pastedLineIsKeptAndConverted_data();
    void pastedLineIsKeptAndConverted();
    void everyTokenTooWideShowsOneBoxEachThenWindowWorks();

private:
    void openWindow(std::unique_ptr<MessagePresenter> presenter);
    void paste(const QString& text);

    std::unique_ptr<Form1> m_form;
    InputField* m_text1 = nullptr;
    QLineEdit* m_text2 = nullptr;
    QPushButton* m_command1 = nullptr;
};

void BadInputTest::openWindow(std::unique_ptr<MessagePresenter> presenter)
{
    m_form = std::make_unique<Form1>(std::move(presenter));
    m_text1 = m_form->findChild<InputField*>(QStringLiteral("Text1"));
    m_text2 = m_form->findChild<QLineEdit*>(QStringLiteral("Text2"));
    m_command1 = m_form->findChild<QPushButton*>(QStringLiteral("Command1"));
    QVERIFY(m_text1 && m_text2 && m_command1);
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void BadInputTest::paste(const QString& text)
{
    QApplication::clipboard()->setText(text);
    QTest::keyClick(m_text1, Qt::Key_V, Qt::ControlModifier);
}

void BadInputTest::cleanup()
{
    m_form.reset();
}

void BadInputTest::pastedLineIsKeptAndConverted_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("shown");

    const QString twelveValues = QStringLiteral("254 254 254 254 254 254 254 254 254 254 254 254");
    QTest::newRow("tab inside a token") << QStringLiteral("FE\tFE 01 x") << QStringLiteral(" 1");
    QTest::newRow("tab is no separator") << QStringLiteral("01\t02 03 x") << QStringLiteral(" 3");
    QTest::newRow("NUL") << QStringLiteral("0") + QChar(u'\0') + QStringLiteral(" 01 x") << QStringLiteral(" 1");
    QTest::newRow("control characters") << QStringLiteral("\x01\x1b\x7f 01 x") << QStringLiteral(" 1");
    QTest::newRow("lone high surrogate") << QString(QChar(0xD800)) + QStringLiteral(" 01 x") << QStringLiteral(" 1");
    QTest::newRow("lone low surrogate") << QStringLiteral("01 ") + QChar(0xDC00) + QStringLiteral(" x")
                                        << QStringLiteral("1 ");
    QTest::newRow("outside the basic plane") << QString::fromUtf8("\xF0\x9F\x98\x80 FE x") << QStringLiteral(" 254");
    QTest::newRow("full-width letters") << QString::fromUtf8("\xEF\xBC\xA6\xEF\xBC\xA5 FE x")
                                        << QStringLiteral(" 254");
    QTest::newRow("twenty tokens") << QStringLiteral("FE ").repeated(20) << twelveValues;
    QTest::newRow("a million characters") << QStringLiteral("FE ").repeated(333'333) + QChar(u'F') << twelveValues;
}

void BadInputTest::pastedLineIsKeptAndConverted()
{
    QFETCH(QString, line);
    QFETCH(QString, shown);
    openWindow(std::make_unique<RecordingPresenter>());
    if (QTest::currentTestFailed())
        return;

    paste(line);
    QCOMPARE(m_text1->text(), line);
    QTest::mouseClick(m_command1, Qt::LeftButton);
    QCOMPARE(m_text2->text(), shown);
    QCOMPARE(m_text1->text(), line);
}

void BadInputTest::everyTokenTooWideShowsOneBoxEachThenWindowWorks()
{
    openWindow(std::make_unique<MessageBoxPresenter>());
    if (QTest::currentTestFailed())
        return;

    BoxPresser presser;
    QTest::keyClicks(m_text1, QStringLiteral("100000000 ").repeated(14));
    QTest::mouseClick(m_command1, Qt::LeftButton);
    QVERIFY(!presser.watchdogFired);
    QCOMPARE(presser.seen.size(), 12u);
    QCOMPARE(m_text2->text(), QString(11, u' '));

    m_text1->setText({});
    QTest::keyClicks(m_text1, QStringLiteral("FE FE 00 90 01 05 FD"));
    QTest::mouseClick(m_command1, Qt::LeftButton);
    QCOMPARE(m_text2->text(), QStringLiteral("254 254 0 144 1 5"));
    QCOMPARE(presser.seen.size(), 12u);
}

QTEST_MAIN(BadInputTest)
#include "bad_input_test.moc"
