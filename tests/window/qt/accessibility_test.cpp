// The main window as a screen reader meets it, through Qt's accessibility interfaces.
#include "tests/support/recording_presenter.h"
#include "window/qt/form1.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLineEdit>
#include <QtTest>

#include <memory>

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlsHaveNameRoleAndDescription_data();
    void controlsHaveNameRoleAndDescription();
    void promptLabelsTheInputField();
    void pressActionConvertsAndOutputIsReadable();

private:
    [[nodiscard]] QAccessibleInterface* control(const QString& name) const;

    std::unique_ptr<Form1> m_form;
};

QAccessibleInterface* AccessibilityTest::control(const QString& name) const
{
    QObject* object = name == m_form->objectName() ? m_form.get() : m_form->findChild<QObject*>(name);
    return object ? QAccessible::queryAccessibleInterface(object) : nullptr;
}

void AccessibilityTest::init()
{
    m_form = std::make_unique<Form1>(std::make_unique<RecordingPresenter>());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void AccessibilityTest::cleanup()
{
    m_form.reset();
}

void AccessibilityTest::controlsHaveNameRoleAndDescription_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("name"); // what a screen reader announces

    QTest::newRow("window") << "Form1" << QAccessible::Window << "Vantrel Hex to Decimal Converter";
    QTest::newRow("input named by the prompt")
        << "Text1" << QAccessible::EditableText << "Enter you Filter Code (ex.FE FE 00 90 01 05 FD)";
    QTest::newRow("output") << "Text2" << QAccessible::EditableText << "Decimal values";
    QTest::newRow("button named by its caption") << "Command1" << QAccessible::Button << "Convert";
    QTest::newRow("result field") << "Text3" << QAccessible::EditableText << "Conversion result";
}

void AccessibilityTest::controlsHaveNameRoleAndDescription()
{
    QFETCH(QString, control);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, name);

    QAccessibleInterface* face = this->control(control);
    QVERIFY(face && face->isValid());
    QCOMPARE(face->role(), role);
    QCOMPARE(face->text(QAccessible::Name), name);
    QVERIFY2(!face->text(QAccessible::Description).isEmpty(), "a screen reader has nothing to say about it");
}

void AccessibilityTest::promptLabelsTheInputField()
{
    QAccessibleInterface* text1 = control(QStringLiteral("Text1"));
    QAccessibleInterface* label1 = control(QStringLiteral("Label1"));
    QVERIFY(text1 && label1);
    QCOMPARE(label1->role(), QAccessible::StaticText);

    const auto labels = text1->relations(QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.first().first, label1);
}

void AccessibilityTest::pressActionConvertsAndOutputIsReadable()
{
    QTest::keyClicks(m_form->findChild<QWidget*>(QStringLiteral("Text1")), QStringLiteral("FE FE 00 90 01 05 FD"));

    QAccessibleInterface* command1 = control(QStringLiteral("Command1"));
    QVERIFY(command1 && command1->actionInterface());
    QVERIFY(command1->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    command1->actionInterface()->doAction(QAccessibleActionInterface::pressAction());

    // The press is animated like a click, so the output arrives a moment later.
    QAccessibleInterface* text2 = control(QStringLiteral("Text2"));
    QVERIFY(text2);
    QTRY_COMPARE(text2->text(QAccessible::Value), QStringLiteral("254 254 0 144 1 5"));
    QCOMPARE(control(QStringLiteral("Text3"))->text(QAccessible::Value), QString());
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
