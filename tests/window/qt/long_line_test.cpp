// The input field driven alike with the toolkit's line edit, by keys, mouse, menu, clipboard, drops and a
// screen reader: both must hold the same text, cursor and selection, answer a screen reader alike, and
// draw the same glyphs and cursor, whether the line is long or short, and across the switch.
#include "window/qt/input_field.h"

#include "tests/support/scenario_runner.h"
#include "textbox/pasted_text.h"
#include "window/qt/toolkit_keys.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QImage>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMetaEnum>
#include <QMimeData>
#include <QSignalSpy>
#include <QStyleHints>
#include <QWidget>
#include <QtTest>

#include <array>
#include <limits>
#include <memory>
#include <numeric>

namespace {

// Tokens, punctuation and spaces for word moves to stop at, past the long-line limit.
QString longLine()
{
    return QStringLiteral("FE 01 &H9A 7f.B2 - C4 ").repeated(InputField::kLongLine / 22 + 40);
}

QAccessibleTextInterface* textOf(QWidget& field)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&field);
    return face ? face->textInterface() : nullptr;
}

// The context menu's action whose label (before any shortcut the toolkit appends) is label.
void triggerMenu(QWidget& field, const QString& label)
{
    QWidget* target = field.childAt(5, 5) ? field.childAt(5, 5) : &field;
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), field.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(target, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY2(menu, "no context menu");
    const QList<QAction*> actions = menu->actions();
    const auto found = std::find_if(actions.begin(), actions.end(),
                                    [&label](QAction* action) { return action->text().section(u'\t', 0, 0) == label; });
    QVERIFY2(found != actions.end() && (*found)->isEnabled(), qPrintable(label + QStringLiteral(" not in the menu")));
    (*found)->trigger();
    menu->close();
}

// A drop as a drag under way delivers it: entered first, then dropped on the widget under the point.
void drop(QWidget& field, const QPoint& at, const QString& text)
{
    QWidget* target = field.childAt(at) ? field.childAt(at) : &field;
    QMimeData data;
    data.setText(text);
    const int before = textOf(field)->characterCount();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &dropped);
    QCOMPARE(textOf(field)->characterCount(), before + text.size());
}

// The context menu's commands, each with whether it is enabled; the menu is closed again.
QStringList menuStates(QWidget& field)
{
    QWidget* target = field.childAt(5, 5) ? field.childAt(5, 5) : &field;
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), field.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(target, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QStringList states;
    if (menu == nullptr)
        return {QStringLiteral("no context menu")};
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            states << action->text().section(u'\t', 0, 0) +
                          (action->isEnabled() ? QStringLiteral(" on") : QStringLiteral(" off"));
    menu->close();
    return states;
}

// One step of a script, applied alike to both fields:
//   type:TEXT  key:SEQUENCE  std:STANDARD_KEY  clip:TEXT (sets the clipboard)  menu:LABEL (the context menu)
//   click:X  shift-click:X  double-click:X  triple-click:X  drag:X1:X2  drop:X:TEXT (x in the field, at mid-height)
//   replace:START:END:TEXT (through the screen reader's editable text)
//   focus-in:REASON  focus-out:REASON (the focus coming or going, for Qt::REASONFocusReason)
//   clear-clip (empties the clipboard)
// and menu-states, which compares what each field's context menu offers.
void apply(QWidget& field, const QString& step)
{
    const QString verb = step.section(u':', 0, 0);
    const QString argument = step.section(u':', 1);
    const auto at = [&field](const QString& x) { return QPoint(x.toInt(), field.height() / 2); };
    const auto under = [&field](const QPoint& point) { return field.childAt(point) ? field.childAt(point) : &field; };
    if (verb == u"type") {
        QTest::keyClicks(&field, argument);
    } else if (verb == u"key") {
        QTest::keySequence(&field, QKeySequence(argument));
    } else if (verb == u"std") {
        const int key = QMetaEnum::fromType<QKeySequence::StandardKey>().keyToValue(argument.toLatin1());
        QTest::keySequence(&field, QKeySequence(static_cast<QKeySequence::StandardKey>(key)));
    } else if (verb == u"clip") {
        QApplication::clipboard()->setText(argument);
    } else if (verb == u"clear-clip") {
        QApplication::clipboard()->clear();
    } else if (verb == u"menu") {
        triggerMenu(field, argument);
    } else if (verb == u"click" || verb == u"shift-click") {
        const QPoint point = at(argument);
        QTest::mouseClick(under(point), Qt::LeftButton, verb == u"click" ? Qt::NoModifier : Qt::ShiftModifier, point);
    } else if (verb == u"double-click" || verb == u"triple-click") {
        const QPoint point = at(argument);
        QTest::mouseDClick(under(point), Qt::LeftButton, {}, point);
        if (verb == u"triple-click")
            QTest::mouseClick(under(point), Qt::LeftButton, {}, point);
    } else if (verb == u"drag") {
        const QPoint from = at(step.section(u':', 1, 1));
        const QPoint to = at(step.section(u':', 2, 2));
        QWidget* target = under(from);
        QTest::mousePress(target, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, target->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(target, &move);
        QTest::mouseRelease(target, Qt::LeftButton, {}, to);
    } else if (verb == u"focus-in" || verb == u"focus-out") {
        const int reason = QMetaEnum::fromType<Qt::FocusReason>().keyToValue((argument + "FocusReason").toLatin1());
        QFocusEvent focus(verb == u"focus-in" ? QEvent::FocusIn : QEvent::FocusOut,
                          static_cast<Qt::FocusReason>(reason));
        QApplication::sendEvent(&field, &focus);
    } else if (verb == u"drop") {
        drop(field, at(step.section(u':', 1, 1)), step.section(u':', 2));
    } else if (auto* standard = qobject_cast<QLineEdit*>(&field); verb == u"replace" && standard) {
        // The toolkit's line edit as one undoable edit, which its screen reader interface does not make.
        const int start = step.section(u':', 1, 1).toInt();
        standard->setSelection(start, step.section(u':', 2, 2).toInt() - start);
        standard->repaint(); // it scrolls to the selection as it paints
        standard->insert(step.section(u':', 3));
    } else if (verb == u"replace") {
        QAccessible::queryAccessibleInterface(&field)->editableTextInterface()->replaceText(
            step.section(u':', 1, 1).toInt(), step.section(u':', 2, 2).toInt(), step.section(u':', 3));
    } else {
        QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }
    field.repaint(); // the toolkit's line edit scrolls only as it paints
}

// What a screen reader reads of a field: the text, the cursor and the selection.
QStringList readOut(QWidget& field)
{
    QAccessibleTextInterface* text = textOf(field);
    int start = 0;
    int end = 0;
    if (text->selectionCount() > 0)
        text->selection(0, &start, &end);
    QStringList seen{text->text(0, text->characterCount()), QString::number(text->cursorPosition()),
                     QStringLiteral("selection %1-%2").arg(start).arg(end)};
    return seen;
}

// The glyphs, selection and cursor inside the frame, with the focus in the field.
QImage inside(QWidget& field)
{
    field.setFocus(Qt::ActiveWindowFocusReason);
    return field.grab().toImage().copy(field.rect().adjusted(6, 3, -6, -3));
}

// Whether one image equals the other, or the other moved a pixel sideways: the field starts its text
// where the toolkit's line edit does, but scrolls by whole pixels where the line edit may round otherwise.
bool sameMoved(const QImage& actual, const QImage& expected)
{
    const QRect middle = expected.rect().adjusted(1, 0, -1, 0);
    for (int dx = -1; dx <= 1; ++dx) {
        if (actual.copy(middle.translated(dx, 0)) == expected.copy(middle))
            return true;
    }
    return false;
}

// Keys as the toolkit delivers them to a field, the field itself or the toolkit's line edit, its oracle.
class QtDriver : public ScenarioDriver
{
public:
    explicit QtDriver(QWidget& field) : m_field(field) {}

    void start(const MarkedLine& line) override
    {
        const QString text = QString::fromStdU16String(line.line);
        if (auto* standard = qobject_cast<QLineEdit*>(&m_field))
            standard->setText(text);
        else
            static_cast<InputField&>(m_field).setText(text);
        textOf(m_field)->setSelection(0, line.anchor, line.cursor);
    }
    void press(KeyPress key) override { QTest::keySequence(&m_field, QKeySequence(toolkitKey(key))); }
    void type(std::u16string_view text) override
    {
        QTest::keyClicks(&m_field, QString::fromStdU16String(std::u16string(text)));
    }
    // As a screen reader moves the caret, or selects all.
    void moveUnseen(UnseenMove move) override
    {
        QAccessibleTextInterface* text = textOf(m_field);
        const int end = text->characterCount();
        if (move == UnseenMove::SelectAll)
            text->setSelection(0, 0, end);
        else
            text->setCursorPosition(move == UnseenMove::ToEnd ? end : 0);
    }
    void setClipboard(std::u16string_view text) override
    {
        QApplication::clipboard()->setText(QString::fromStdU16String(std::u16string(text)));
    }
    std::u16string clipboard() override { return QApplication::clipboard()->text().toStdU16String(); }
    MarkedLine state() override
    {
        QAccessibleTextInterface* text = textOf(m_field);
        int start = text->cursorPosition();
        int end = start;
        if (text->selectionCount() > 0)
            text->selection(0, &start, &end);
        const int cursor = text->cursorPosition();
        return {text->text(0, text->characterCount()).toStdU16String(), cursor == start ? end : start, cursor};
    }

private:
    QWidget& m_field;
};

} // namespace

class LongLineTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void actsOutTheScenarios_data();
    void actsOutTheScenarios();
    void actsAndLooksAsTheToolkitsField_data();
    void actsAndLooksAsTheToolkitsField();
    void readerMeetsTheToolkitsAnswers_data();
    void readerMeetsTheToolkitsAnswers();
    void readerReadsALongLinesWords();
    void inputMethodReadsAStretchOfALongLine();
    void inputMethodFollowsTheCursor_data();
    void inputMethodFollowsTheCursor();

private:
    [[nodiscard]] std::array<QWidget*, 2> fields() const { return {m_field, m_standard}; }

    std::unique_ptr<QWidget> m_window;
    InputField* m_field = nullptr;
    QLineEdit* m_standard = nullptr;
};

void LongLineTest::initTestCase()
{
    // A steady cursor, so that both fields draw it alike.
    QGuiApplication::styleHints()->setCursorFlashTime(0);
    // The key scheme the rows are written for: the X11 desktops', which the program runs on.
    const std::pair<QKeySequence::StandardKey, const char*> scheme[] = {
        {QKeySequence::MoveToNextWord, "Ctrl+Right"},
        {QKeySequence::MoveToPreviousWord, "Ctrl+Left"},
        {QKeySequence::SelectNextWord, "Ctrl+Shift+Right"},
        {QKeySequence::MoveToStartOfLine, "Home"},
        {QKeySequence::Undo, "Ctrl+Z"},
        {QKeySequence::Redo, "Ctrl+Shift+Z"},
        {QKeySequence::Paste, "Ctrl+V"},
        {QKeySequence::DeleteStartOfWord, "Ctrl+Backspace"},
        {QKeySequence::DeleteEndOfWord, "Ctrl+Del"}};
    for (const auto& [key, binding] : scheme)
        QVERIFY2(QKeySequence::keyBindings(key).contains(QKeySequence(QString::fromLatin1(binding))), binding);
}

void LongLineTest::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(273, 50);
    m_field = new InputField(m_window.get());
    m_standard = new QLineEdit(m_window.get());
    m_standard->setMaxLength(std::numeric_limits<int>::max());
    m_standard->move(0, 25);
    for (QWidget* field : fields()) {
        field->resize(273, 21); // Text1's size
        // Clicks must not move the focus: a field that loses it to a click loses its selection.
        field->setFocusPolicy(Qt::NoFocus);
    }
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void LongLineTest::cleanup()
{
    m_window.reset();
}

void LongLineTest::actsOutTheScenarios_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("oracle"); // the toolkit's line edit, on the short line only
    const std::vector<Scenario> scenarios = fieldScenarios();
    for (std::size_t index = 0; index < scenarios.size(); ++index) {
        const std::string& name = scenarios[index].name;
        QTest::newRow(("toolkit's: " + name).c_str()) << static_cast<int>(index) << true;
        QTest::newRow(name.c_str()) << static_cast<int>(index) << false;
    }
}

// The scenarios every front-end acts out, through the toolkit's key rules, on the field at every length,
// and on the toolkit's line edit, the oracle, at the short one. The clipboard is read on its own.
void LongLineTest::actsOutTheScenarios()
{
    QFETCH(int, index);
    QFETCH(bool, oracle);
    const Scenario scenario = fieldScenarios().at(static_cast<std::size_t>(index));
    if (const std::optional<std::string> reason = skipReason(scenario, toolkitKeyRules()))
        QSKIP(reason->c_str());
    const auto breaksLine = [](const ScenarioStep& step) {
        return step.verb == "clip" && std::ranges::any_of(step.argument, pasted_text::isLineBreak);
    };
    if (oracle && std::ranges::any_of(scenario.steps, breaksLine))
        QSKIP("the toolkit's line edit keeps pasted line breaks, which the field makes spaces");
    if (oracle && scenario.name == "typing right after an undo or a redo is an undo step of its own")
        QSKIP("the toolkit's line edit joins typing after an undo to the typing before it, so that the next undo "
              "takes both; the field's undo keeps them apart, as it keeps every run apart");
    QWidget* field = oracle ? static_cast<QWidget*>(m_standard) : m_field;
    field->setFocus(Qt::ActiveWindowFocusReason);
    QtDriver driver(*field);
    std::vector<Padding> paddings = paddingsFor(shortLength(scenario.steps.front().argument), InputField::kLongLine);
    paddings.resize(oracle ? 1 : paddings.size());
    for (const Padding& padding : paddings) {
        const std::optional<std::string> failure = actOut(scenario, padding, toolkitKeyRules(), driver);
        QVERIFY2(!failure, failure ? failure->c_str() : "");
    }
}

void LongLineTest::actsAndLooksAsTheToolkitsField_data()
{
    QTest::addColumn<QString>("line");    // in the fields at first, the cursor at its end
    QTest::addColumn<bool>("fractional"); // a font of fractional advances; else whole-pixel advances
    QTest::addColumn<QStringList>("script");
    const QString line = longLine();
    const QString word = QStringLiteral("FE FE 00");
    const auto row = [](const char* name, const QString& start, const QStringList& script, bool fractional = false) {
        QTest::newRow(name) << start << fractional << script;
    };

    row("type", line, {"key:Home", "key:Right", "type:AB C"});
    row("Backspace and Delete", line, {"key:Home", "key:Ctrl+Right", "key:Backspace", "key:Delete"});
    row("word moves stop at punctuation", line,
        {"key:Home", "key:Ctrl+Right", "key:Ctrl+Right", "key:Ctrl+Right", "key:Ctrl+Right", "key:Ctrl+Left"});
    row("scroll right by characters", line, QStringList{"key:Home", "key:Right"} + QStringList(60, "key:Right"));
    row("scroll left from the end", line, QStringList(8, "key:Ctrl+Left") + QStringList{"key:Left"});
    row("arrows collapse a selection", line,
        {"key:Home", "key:Shift+Right", "key:Shift+Right", "key:Right", "key:Shift+Left", "key:Left"});
    row("select and type over", line, {"key:Home", "key:Shift+Right", "key:Ctrl+Shift+Right", "type:Z"});
    row("delete words", line, {"key:Ctrl+Left", "key:Ctrl+Left", "key:Ctrl+Backspace", "key:Ctrl+Del", "std:Undo"});
    row("select to the start, delete", line, {"key:Ctrl+Left", "key:Shift+Home", "key:Delete"});
    row("copy all, paste at the end", line, {"std:SelectAll", "std:Copy", "key:End", "std:Paste", "std:Undo"});
    row("cut a word, paste at the start", line,
        {"key:Ctrl+Left", "key:Ctrl+Shift+Right", "std:Cut", "key:Home", "std:Paste"});
    row("Backspace and Delete undo apart", line, {"key:Left", "key:Backspace", "key:Delete", "std:Undo"});
    row("undo and redo a paste", line, {"clip:12 34 ", "key:Home", "std:Paste", "std:Undo", "std:Redo"});
    row("a surrogate pair is one character", line,
        {"clip:\U0001F600", "key:Home", "std:Paste", "key:Left", "key:Right", "key:Backspace", "std:Undo"});
    row("a tab is drawn to its stop", line, {"clip:A\tB", "key:Home", "std:Paste", "key:Home"});
    row("long line deleted comes back with undo", line,
        {"std:SelectAll", "key:Delete", "std:Undo", "std:Redo", "std:Undo"});
    row("long line typed over comes back with one undo", line, {"std:SelectAll", "type:AB", "std:Undo", "std:Redo"});
    row("short line made long by a paste goes back with undo", word,
        {"clip:" + line, "std:Paste", "std:Undo", "std:Redo", "std:Undo", "key:Ctrl+Left"});
    row("short line made long from the menu", word, {"clip:" + line, "menu:&Paste", "menu:&Undo", "menu:&Redo"});
    row("short line: select all from the menu, then typing replaces it", word, {"menu:Select All", "type:Z"});
    row("short line: runs of typing and Backspace undo as the toolkit's", word,
        {"type:AB", "key:Backspace", "key:Backspace", "type:C", "std:Undo", "std:Undo", "std:Redo"});
    row("short line: a new edit ends redo across the switch", word,
        {"clip:" + line, "std:Paste", "std:Undo", "type:X", "std:Redo", "std:Undo"});
    row("short line lengthened and cut back undoes through the long line", word,
        QStringList{"type: 01", "clip:" + line, "std:Paste", "key:Home"} + QStringList(11, "key:Right") +
            QStringList{"key:Shift+End", "key:Delete", "std:Undo", "std:Undo", "std:Undo"});
    row("long line edited from the menu", line,
        {"key:Ctrl+Left", "key:Ctrl+Shift+Right", "menu:Cu&t", "key:Home", "menu:&Paste", "menu:Select All",
         "menu:Delete", "menu:&Undo"});
    row("short line made long by a drop", word, {"drop:30:" + line, "std:Undo"});
    row("drop into a long line", line, {"key:Home", "drop:60:12 34 ", "std:Undo"});
    row("a screen reader edits, undo takes it back", line,
        {"replace:0:2:AB", "key:End", "replace:3:3:CD ", "std:Undo",
         "replace:0:" + QString::number(line.size()) + ":FE", "std:Undo"});
    row("a screen reader makes a short line long", word, {"replace:0:0:" + line, "std:Undo"});
    row("Tab into the field selects the line", line, {"key:Home", "focus-out:Tab", "focus-in:Tab"});
    row("Shift+Tab into the field keeps a selection", line,
        {"key:Home", "key:Shift+Right", "focus-out:Backtab", "focus-in:Backtab"});
    row("the focus leaving drops the selection", line, {"std:SelectAll", "focus-out:Mouse", "focus-in:Mouse"});
    row("another window's focus keeps the selection", line,
        {"key:Home", "key:Shift+Right", "focus-out:ActiveWindow", "focus-in:ActiveWindow"});
    row("Ctrl+Backspace, then Backspace, undo as the toolkit's", line,
        {"key:Ctrl+Backspace", "key:Backspace", "std:Undo", "std:Undo"});
    row("short line: Ctrl+Backspace, then Backspace, undo as the toolkit's", word,
        {"key:Ctrl+Backspace", "key:Backspace", "std:Undo", "std:Undo"});
    row("the menu offers what it can do", line,
        {"menu-states", "clear-clip", "menu-states", "clip:12", "key:Shift+Left", "menu-states", "std:SelectAll",
         "menu-states", "key:Delete", "menu-states"});
    row("click", line, {"click:100"});
    row("click after scrolling", line, {"key:Home", "key:Ctrl+Right", "click:150"});
    row("click, shift-click", line, {"click:43", "shift-click:200"});
    row("double-click a word", line, {"key:Ctrl+Left", "double-click:120"});
    row("triple-click selects the line", line, {"key:Home", "triple-click:120", "std:Copy", "key:End", "std:Paste"});
    row("drag", line, {"drag:200:30"});
    row("fractional advances: cursor between glyphs", line, QStringList{"key:Home"} + QStringList(12, "key:Right"),
        true);
    row("fractional advances: click and select", line, {"key:Home", "click:77", "shift-click:141"}, true);
}

void LongLineTest::actsAndLooksAsTheToolkitsField()
{
    QFETCH(QString, line);
    QFETCH(bool, fractional);
    QFETCH(QStringList, script);

    // With whole-pixel advances the field, which lays out from the part in view, scrolls to the same
    // pixel as the toolkit's line edit, which lays out from the start of the line.
    QFont font = m_field->font();
    font.setHintingPreference(fractional ? QFont::PreferNoHinting : QFont::PreferFullHinting);
    font.setKerning(false);
    for (QWidget* field : fields())
        field->setFont(font);
    m_field->setText(line);
    m_standard->setText(line);

    for (const QString& step : script) {
        if (step == u"menu-states") {
            for (QWidget* field : fields())
                field->setFocus(Qt::ActiveWindowFocusReason);
            QCOMPARE(menuStates(*m_field), menuStates(*m_standard));
            continue;
        }
        for (QWidget* field : fields()) {
            field->setFocus(Qt::ActiveWindowFocusReason); // a reason that neither selects nor deselects
            apply(*field, step);
            if (QTest::currentTestFailed())
                return;
        }
        const QString after = QStringLiteral("after ") + step.left(40);
        const QStringList seen = readOut(*m_field);
        if (seen != readOut(*m_standard))
            qWarning("%s", qPrintable(after));
        QCOMPARE(seen, readOut(*m_standard));

        const QImage actual = inside(*m_field);
        const QImage expected = inside(*m_standard);
        if (!sameMoved(actual, expected)) {
            actual.save(QStringLiteral("long_line_drawn.png"));
            expected.save(QStringLiteral("long_line_expected.png"));
            QFAIL(qPrintable(after + QStringLiteral(": the field looks different (long_line_*.png)")));
        }
    }
}

void LongLineTest::readerMeetsTheToolkitsAnswers_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QList<int>>("offsets");
    QTest::addColumn<bool>("words"); // asked about words too
    const QString line =
        QStringLiteral("FE 01 &H9A 7f.B2 - ") + QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral(" C4  x");
    QList<int> all(line.size());
    std::iota(all.begin(), all.end(), 0);
    QTest::newRow("short line, every offset") << line << all << true;
    // A long line's answers are the field's own, read from around the offset: at its start, in its middle,
    // and before its end. Its words are as a double click selects them (readerReadsALongLinesWords).
    const QString longOne = line + longLine();
    QTest::newRow("long line") << longOne << QList<int>{0, 1, 4, 11, 19, 22, 9000, int(longOne.size()) - 2} << false;
}

// A screen reader asks a field for the character, word or line at, before and after an offset: the field
// answers as the toolkit's line edit does with the same line.
void LongLineTest::readerMeetsTheToolkitsAnswers()
{
    QFETCH(QString, line);
    QFETCH(QList<int>, offsets);
    QFETCH(bool, words);
    m_field->setText(line);
    m_standard->setText(line);
    QAccessibleTextInterface* asked = textOf(*m_field);
    QAccessibleTextInterface* oracle = textOf(*m_standard);
    using Question = QString (QAccessibleTextInterface::*)(int, QAccessible::TextBoundaryType, int*, int*) const;
    const std::pair<const char*, Question> questions[] = {{"before", &QAccessibleTextInterface::textBeforeOffset},
                                                          {"at", &QAccessibleTextInterface::textAtOffset},
                                                          {"after", &QAccessibleTextInterface::textAfterOffset}};
    // The toolkit's line edit can loop for ever asked about words at the line's end: it is not asked there.
    for (const int offset : offsets) {
        for (const auto type : {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::LineBoundary}) {
            for (const auto& [name, question] : questions) {
                if (type == QAccessible::WordBoundary && !words)
                    continue;
                int start = 0;
                int end = 0;
                int expectedStart = 0;
                int expectedEnd = 0;
                const QString answer = (asked->*question)(offset, type, &start, &end);
                const QString expected = (oracle->*question)(offset, type, &expectedStart, &expectedEnd);
                const QString said = QStringLiteral("%1 %2 of %3").arg(QLatin1String(name)).arg(type).arg(offset);
                QVERIFY2(
                    answer == expected,
                    qPrintable(said + QStringLiteral(": '%1', expected '%2'").arg(answer.left(20), expected.left(20))));
                QVERIFY2(start == expectedStart && end == expectedEnd,
                         qPrintable(said + QStringLiteral(": %1-%2, expected %3-%4")
                                               .arg(start)
                                               .arg(end)
                                               .arg(expectedStart)
                                               .arg(expectedEnd)));
            }
        }
    }
}

// On a long line a word is what a double click selects: the toolkit's own words would take a pass over the
// whole line for each question.
void LongLineTest::readerReadsALongLinesWords()
{
    m_field->setText(longLine()); // "FE 01 &H9A 7f.B2 - C4 FE 01 ..."
    QAccessibleTextInterface* text = textOf(*m_field);
    const auto word = QAccessible::WordBoundary;
    using Question = QString (QAccessibleTextInterface::*)(int, QAccessible::TextBoundaryType, int*, int*) const;
    const std::tuple<Question, int, const char*, int, int> asked[] = {
        {&QAccessibleTextInterface::textAtOffset, 0, "FE", 0, 2},
        {&QAccessibleTextInterface::textAfterOffset, 0, "01", 3, 5},
        {&QAccessibleTextInterface::textBeforeOffset, 4, "FE", 0, 2},
        {&QAccessibleTextInterface::textBeforeOffset, 1, "", -1, -1},
        {&QAccessibleTextInterface::textAtOffset, 12, "7f", 11, 13},
        {&QAccessibleTextInterface::textAfterOffset, 12, "B2", 14, 16},
    };
    for (const auto& [question, offset, answer, start, end] : asked) {
        int gotStart = 0;
        int gotEnd = 0;
        QCOMPARE((text->*question)(offset, word, &gotStart, &gotEnd), QString::fromLatin1(answer));
        QCOMPARE(std::pair(gotStart, gotEnd), std::pair(start, end));
    }
}

void LongLineTest::inputMethodFollowsTheCursor_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("short line") << QStringLiteral("FE FE 00 90 01 05 FD");
    QTest::newRow("long line") << longLine();
}

// An input method reads the text around the cursor of a long line, never the whole line: a stretch that
// starts and ends between characters, with the cursor and the selection counted inside it.
void LongLineTest::inputMethodReadsAStretchOfALongLine()
{
    const QString pair = QString::fromUtf8("\xF0\x9F\x98\x80");
    QString line = longLine();
    line.insert(line.size() / 2 - 1024, pair); // across where the stretch before the cursor begins
    m_field->setText(line);
    m_field->setFocus(Qt::ActiveWindowFocusReason);
    const int cursor = static_cast<int>(line.size()) / 2; // the stretch would begin inside the pair
    QAccessibleTextInterface* text = textOf(*m_field);
    text->setSelection(0, cursor - 3, cursor);
    const QString around = m_field->inputMethodQuery(Qt::ImSurroundingText).toString();
    const int at = m_field->inputMethodQuery(Qt::ImCursorPosition).toInt();
    QVERIFY2(around.size() > 1000 && around.size() < 2100, qPrintable(QString::number(around.size())));
    QVERIFY(!around.front().isLowSurrogate() && !around.back().isHighSurrogate());
    QCOMPARE(around.mid(at, 20), line.mid(cursor, 20));
    QCOMPARE(around.left(at).right(20), line.left(cursor).right(20));
    QCOMPARE(m_field->inputMethodQuery(Qt::ImAnchorPosition).toInt(), at - 3);
    QCOMPARE(m_field->inputMethodQuery(Qt::ImCurrentSelection).toString(), line.mid(cursor - 3, 3));
}

// An input method places its popup at the cursor, and is told when the cursor moves.
void LongLineTest::inputMethodFollowsTheCursor()
{
    QFETCH(QString, line);
    m_field->setText(line);
    m_field->setFocus(Qt::ActiveWindowFocusReason);
    QCOMPARE(QGuiApplication::focusObject(), m_field);
    const QRect before = m_field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    QSignalSpy told(QGuiApplication::inputMethod(), &QInputMethod::cursorRectangleChanged);
    QTest::keyClick(m_field, Qt::Key_Home);
    QVERIFY(!told.isEmpty());
    QVERIFY2(m_field->inputMethodQuery(Qt::ImCursorRectangle).toRect().x() < before.x(),
             "the cursor's place did not move");
}

QTEST_MAIN(LongLineTest)
#include "long_line_test.moc"
