// The input field with a line too long for the toolkit's line edit: keys, mouse, clipboard and screen
// readers find it acting, and looking, as the toolkit's line edit holding the same line.
#include "window/qt/long_line_edit.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeySequence>
#include <QLineEdit>
#include <QMetaEnum>
#include <QMimeData>
#include <QStyleHints>
#include <QWidget>
#include <QtTest>

#include <array>
#include <limits>
#include <memory>

namespace {

// Tokens, punctuation and spaces for word moves to stop at, past the long-line limit.
QString longLine()
{
    const QString line = QStringLiteral("FE 01 &H9A 7f.B2 - C4 ").repeated(LongLineEdit::kLongLine / 22 + 40);
    return line;
}

// One step of a script, applied alike to both fields:
//   type:TEXT  key:SEQUENCE  std:STANDARD_KEY  clip:TEXT (sets the clipboard)
//   click:X  shift-click:X  double-click:X  drag:X1:X2  drop:X:TEXT (x in the field, at mid-height)
void apply(QLineEdit& field, const QString& step)
{
    const QString verb = step.section(u':', 0, 0);
    const QString argument = step.section(u':', 1);
    const auto at = [&field](const QString& x) { return QPoint(x.toInt(), field.height() / 2); };
    if (verb == u"type") {
        QTest::keyClicks(&field, argument);
    } else if (verb == u"key") {
        QTest::keySequence(&field, QKeySequence(argument));
    } else if (verb == u"std") {
        const int key = QMetaEnum::fromType<QKeySequence::StandardKey>().keyToValue(argument.toLatin1());
        QTest::keySequence(&field, QKeySequence(static_cast<QKeySequence::StandardKey>(key)));
    } else if (verb == u"clip") {
        QApplication::clipboard()->setText(argument);
    } else if (verb == u"click") {
        QTest::mouseClick(&field, Qt::LeftButton, {}, at(argument));
    } else if (verb == u"shift-click") {
        QTest::mouseClick(&field, Qt::LeftButton, Qt::ShiftModifier, at(argument));
    } else if (verb == u"double-click") {
        QTest::mouseDClick(&field, Qt::LeftButton, {}, at(argument));
    } else if (verb == u"drag") {
        QTest::mousePress(&field, Qt::LeftButton, {}, at(step.section(u':', 1, 1)));
        QMouseEvent move(QEvent::MouseMove, at(step.section(u':', 2, 2)),
                         field.mapToGlobal(at(step.section(u':', 2, 2))), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&field, &move);
        QTest::mouseRelease(&field, Qt::LeftButton, {}, at(step.section(u':', 2, 2)));
    } else if (verb == u"drop") {
        QMimeData data;
        data.setText(step.section(u':', 2));
        QDropEvent drop(at(step.section(u':', 1, 1)), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&field, &drop);
    } else {
        QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }
    field.repaint(); // the toolkit's line edit scrolls only as it paints
}

} // namespace

class LongLineTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void actsAndLooksAsTheToolkitsField_data();
    void actsAndLooksAsTheToolkitsField();
    void screenReaderMeetsWhatTheToolkitsFieldOffers();

private:
    [[nodiscard]] std::array<QLineEdit*, 2> fields() const;
    [[nodiscard]] static QImage drawn(QLineEdit& field);

    std::unique_ptr<QWidget> m_window;
    LongLineEdit* m_long = nullptr;
    QLineEdit* m_standard = nullptr;
};

void LongLineTest::initTestCase()
{
    // A steady cursor, so that both fields draw it alike.
    QGuiApplication::styleHints()->setCursorFlashTime(0);
}

void LongLineTest::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(273, 50);
    m_long = new LongLineEdit(m_window.get());
    m_standard = new QLineEdit(m_window.get());
    m_standard->move(0, 25);
    // Whole-pixel advances and no kerning: where the toolkit's field measures a scroll position from the
    // start of the line, the long-line field measures it from the part in view, and fractions of a pixel
    // could round a pixel apart.
    QFont font = m_long->font();
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    for (QLineEdit* field : fields()) {
        field->setFont(font);
        field->setMaxLength(std::numeric_limits<int>::max());
        field->resize(273, 21); // Text1's size
        field->setText(longLine());
        // Clicks must not move the focus: a field that loses it to a click loses its selection.
        field->setFocusPolicy(Qt::NoFocus);
    }
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QVERIFY(m_long->showsLongLine());
}

void LongLineTest::cleanup()
{
    m_window.reset();
}

std::array<QLineEdit*, 2> LongLineTest::fields() const
{
    return {m_long, m_standard};
}

// The field as drawn with the focus in it.
QImage LongLineTest::drawn(QLineEdit& field)
{
    field.setFocus(Qt::ActiveWindowFocusReason); // a reason that neither selects nor deselects
    return field.grab().toImage();
}

void LongLineTest::actsAndLooksAsTheToolkitsField_data()
{
    QTest::addColumn<QStringList>("script"); // from the cursor at the end of the line

    QTest::newRow("type") << QStringList{"key:Home", "key:Right", "type:AB C"};
    QTest::newRow("Backspace and Delete") << QStringList{"key:Home", "key:Ctrl+Right", "key:Backspace", "key:Delete"};
    QTest::newRow("word moves") << QStringList{"key:Home",       "key:Ctrl+Right", "key:Ctrl+Right",
                                               "key:Ctrl+Right", "key:Ctrl+Right", "key:Ctrl+Left"};
    QTest::newRow("scroll right by characters") << QStringList{"key:Home", "key:Right"} + QStringList(60, "key:Right");
    QTest::newRow("scroll left from the end") << QStringList(8, "key:Ctrl+Left") + QStringList{"key:Left"};
    QTest::newRow("select and type over")
        << QStringList{"key:Home", "key:Shift+Right", "key:Ctrl+Shift+Right", "type:Z"};
    QTest::newRow("delete words") << QStringList{"key:Ctrl+Left", "key:Ctrl+Left", "std:DeleteStartOfWord",
                                                 "std:DeleteEndOfWord"};
    QTest::newRow("select to the start, delete") << QStringList{"key:Ctrl+Left", "key:Shift+Home", "key:Delete"};
    QTest::newRow("copy all, paste at the end")
        << QStringList{"std:SelectAll", "std:Copy", "key:End", "std:Paste", "std:Undo"};
    QTest::newRow("cut a word, paste at the start")
        << QStringList{"key:Ctrl+Left", "key:Ctrl+Shift+Right", "std:Cut", "key:Home", "std:Paste"};
    QTest::newRow("undo a run of typing") << QStringList{"key:Home", "type:ABC", "std:Undo"};
    QTest::newRow("undo a run of Backspace") << QStringList{"key:Backspace", "key:Backspace", "std:Undo"};
    QTest::newRow("undo and redo a paste")
        << QStringList{"clip:12 34 ", "key:Home", "std:Paste", "std:Undo", "std:Redo"};
    QTest::newRow("undo typing over a selection") << QStringList{"key:Ctrl+Shift+Left", "type:Q", "std:Undo"};
    QTest::newRow("select all, type: a short line again") << QStringList{"std:SelectAll", "type:FE FE", "key:Left"};
    QTest::newRow("a short line made long by a paste")
        << QStringList{"std:SelectAll", "std:Copy", "type:FE", "std:Paste", "key:Ctrl+Left"};
    QTest::newRow("click") << QStringList{"click:100"};
    QTest::newRow("click after scrolling") << QStringList{"key:Home", "key:Ctrl+Right", "click:150"};
    QTest::newRow("click, shift-click") << QStringList{"click:40", "shift-click:200"};
    QTest::newRow("double-click a word") << QStringList{"key:Ctrl+Left", "double-click:120"};
    QTest::newRow("drag") << QStringList{"drag:200:30"};
    QTest::newRow("drop") << QStringList{"key:Home", "drop:60:12 34 "};
}

void LongLineTest::actsAndLooksAsTheToolkitsField()
{
    QFETCH(QStringList, script);

    for (const QString& step : script) {
        for (QLineEdit* field : fields()) {
            apply(*field, step);
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(m_long->text(), m_standard->text());
        QCOMPARE(m_long->cursorPosition(), m_standard->cursorPosition());
        QCOMPARE(m_long->selectionStart(), m_standard->selectionStart());
        QCOMPARE(m_long->selectedText(), m_standard->selectedText());

        const QImage actual = drawn(*m_long);
        const QImage expected = drawn(*m_standard);
        QVERIFY(!actual.isNull() && !expected.isNull());
        if (actual != expected) {
            actual.save(QStringLiteral("long_line_drawn.png"));
            expected.save(QStringLiteral("long_line_expected.png"));
            QFAIL(qPrintable(QStringLiteral("after %1 the field looks different (long_line_*.png)").arg(step)));
        }
    }
}

void LongLineTest::screenReaderMeetsWhatTheToolkitsFieldOffers()
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(m_long);
    QAccessibleInterface* reference = QAccessible::queryAccessibleInterface(m_standard);
    QVERIFY(face && face->textInterface() && face->editableTextInterface() && reference);
    QCOMPARE(face->role(), reference->role());
    QCOMPARE(face->state().passwordEdit, reference->state().passwordEdit);
    QCOMPARE(face->state().editable, reference->state().editable);
    QCOMPARE(face->text(QAccessible::Value), reference->text(QAccessible::Value));

    QAccessibleTextInterface* text = face->textInterface();
    QCOMPARE(text->characterCount(), reference->textInterface()->characterCount());
    int start = 0;
    int end = 0;
    int referenceStart = 0;
    int referenceEnd = 0;
    QCOMPARE(text->textAtOffset(7, QAccessible::WordBoundary, &start, &end),
             reference->textInterface()->textAtOffset(7, QAccessible::WordBoundary, &referenceStart, &referenceEnd));
    QCOMPARE(start, referenceStart);
    const QPoint middle(m_long->width() / 2, m_long->height() / 2);
    QCOMPARE(text->offsetAtPoint(m_long->mapToGlobal(middle)),
             reference->textInterface()->offsetAtPoint(m_standard->mapToGlobal(middle)));

    face->editableTextInterface()->replaceText(0, 2, QStringLiteral("AB"));
    reference->editableTextInterface()->replaceText(0, 2, QStringLiteral("AB"));
    QCOMPARE(m_long->text(), m_standard->text());
}

QTEST_MAIN(LongLineTest)
#include "long_line_test.moc"
