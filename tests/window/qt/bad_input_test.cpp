// What a user can paste, drop or type into the input field that the conversion does not expect: the
// window keeps the text whole, its line breaks as spaces, converts it as it converts any line, and stays
// usable.
#include "tests/support/box_presser.h"
#include "tests/support/recording_presenter.h"
#include "window/qt/form1.h"
#include "window/qt/input_field.h"
#include "window/qt/message_box_presenter.h"

#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
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
    void drop(const QString& text);

    std::unique_ptr<Form1> m_form;
    InputField* m_text1 = nullptr;
    InputField* m_text2 = nullptr;
    QPushButton* m_command1 = nullptr;
};

void BadInputTest::openWindow(std::unique_ptr<MessagePresenter> presenter)
{
    m_form = std::make_unique<Form1>(std::move(presenter));
    m_text1 = m_form->findChild<InputField*>(QStringLiteral("Text1"));
    m_text2 = m_form->findChild<InputField*>(QStringLiteral("Text2"));
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

void BadInputTest::drop(const QString& text)
{
    QMimeData data;
    data.setText(text);
    const QPoint at = m_text1->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(m_text1, &enter);
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(m_text1, &dropped);
}

void BadInputTest::cleanup()
{
    m_form.reset();
}

void BadInputTest::pastedLineIsKeptAndConverted_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("kept"); // what Text1 holds; null for the line as it came
    QTest::addColumn<bool>("dropped"); // dropped on the field rather than pasted

    const QString twelveValues = QStringLiteral("254 254 254 254 254 254 254 254 254 254 254 254");
    QTest::newRow("tab inside a token") << QStringLiteral("FE\tFE 01 x") << QStringLiteral(" 1") << QString() << false;
    QTest::newRow("tab is no separator") << QStringLiteral("01\t02 03 x") << QStringLiteral(" 3") << QString() << false;
    QTest::newRow("NUL") << QStringLiteral("0") + QChar(u'\0') + QStringLiteral(" 01 x") << QStringLiteral(" 1")
                         << QString() << false;
    QTest::newRow("control characters") << QStringLiteral("\x01\x1b\x7f 01 x") << QStringLiteral(" 1") << QString()
                                        << false;
    QTest::newRow("lone high surrogate") << QString(QChar(0xD800)) + QStringLiteral(" 01 x") << QStringLiteral(" 1")
                                         << QString() << false;
    QTest::newRow("lone low surrogate") << QStringLiteral("01 ") + QChar(0xDC00) + QStringLiteral(" x")
                                        << QStringLiteral("1 ") << QString() << false;
    QTest::newRow("outside the basic plane")
        << QString::fromUtf8("\xF0\x9F\x98\x80 FE x") << QStringLiteral(" 254") << QString() << false;
    QTest::newRow("full-width letters") << QString::fromUtf8("\xEF\xBC\xA6\xEF\xBC\xA5 FE x") << QStringLiteral(" 254")
                                        << QString() << false;
    QTest::newRow("twenty tokens") << QStringLiteral("FE ").repeated(20) << twelveValues << QString() << false;
    QTest::newRow("line breaks as spaces")
        << QStringLiteral("FE\r\nFE\r01") + QChar(0x2028) + QStringLiteral("02\n\n03 \r\n")
        << QStringLiteral("254 254 1 2 0 3") << QStringLiteral("FE FE 01 02  03 ") << false;
    QTest::newRow("line breaks dropped") << QStringLiteral("0A\n0B\r\n") << QStringLiteral("10")
                                         << QStringLiteral("0A 0B") << true;
    QTest::newRow("a million characters")
        << QStringLiteral("FE ").repeated(333'333) + QChar(u'F') << twelveValues << QString() << false;
}

void BadInputTest::pastedLineIsKeptAndConverted()
{
    QFETCH(QString, line);
    QFETCH(QString, shown);
    QFETCH(QString, kept);
    QFETCH(bool, dropped);
    if (kept.isNull())
        kept = line;
    openWindow(std::make_unique<RecordingPresenter>());
    if (QTest::currentTestFailed())
        return;

    dropped ? drop(line) : paste(line);
    QCOMPARE(m_text1->text(), kept);
    QTest::mouseClick(m_command1, Qt::LeftButton);
    QCOMPARE(m_text2->text(), shown);
    QCOMPARE(m_text1->text(), kept);
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
