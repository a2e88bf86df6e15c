// The prompt as drawn on light and dark palettes: pure blue where it reads well, and elsewhere the blue
// nearest to it that reaches 4.5:1 against the window, whether the palette was there at start-up or came
// while the window was open.
#include "tests/support/recording_presenter.h"
#include "window/qt/form1.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QtTest>

#include <memory>

namespace {

int squaredDistance(QRgb first, QRgb second)
{
    const int red = qRed(first) - qRed(second);
    const int green = qGreen(first) - qGreen(second);
    const int blue = qBlue(first) - qBlue(second);
    return red * red + green * green + blue * blue;
}

// A palette with the given window and text colours, the rest derived by the toolkit.
QPalette palette(const QColor& window, const QColor& text)
{
    QPalette palette(text, window);
    palette.setColor(QPalette::Text, text);
    return palette;
}

} // namespace

class PromptColourTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void promptIsReadable_data();
    void promptIsReadable();

private:
    QPalette m_default;
    std::unique_ptr<Form1> m_form;
};

void PromptColourTest::initTestCase()
{
    m_default = QApplication::palette();
}

void PromptColourTest::cleanup()
{
    m_form.reset();
    QApplication::setPalette(m_default);
}

void PromptColourTest::promptIsReadable_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<bool>("whileOpen"); // the palette changes after the window is shown
    QTest::addColumn<QColor>("prompt");

    // Contrast ratios worked out with the WCAG 2 formula: #7979ff on #202326 is 4.51:1, where #7878ff is
    // 4.46:1 and pure blue 1.84:1; #0000a9 on #969696 is 4.51:1, where #0000aa is 4.49:1 and pure blue
    // 2.90:1.
    const QPalette dark = palette(QColor(0x20, 0x23, 0x26), QColor(0xfc, 0xfc, 0xfc)); // Breeze Dark's window
    QTest::newRow("default light palette") << QApplication::palette() << false << QColor(0, 0, 255);
    QTest::newRow("dark palette at start-up") << dark << false << QColor(0x79, 0x79, 0xff);
    QTest::newRow("dark palette while open") << dark << true << QColor(0x79, 0x79, 0xff);
    QTest::newRow("mid-grey palette while open")
        << palette(QColor(0x96, 0x96, 0x96), Qt::black) << true << QColor(0, 0, 0xa9);
}

void PromptColourTest::promptIsReadable()
{
    QFETCH(QPalette, palette);
    QFETCH(bool, whileOpen);
    QFETCH(QColor, prompt);

    if (!whileOpen)
        QApplication::setPalette(palette);
    m_form = std::make_unique<Form1>(std::make_unique<RecordingPresenter>());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    if (whileOpen)
        QApplication::setPalette(palette);
    QTRY_COMPARE(m_form->palette().color(QPalette::Window), palette.color(QPalette::Window));

    // The label as the window draws it: the background at its corner, and the text's own colour where
    // the glyphs are solid, which is the pixel farthest from the background (a smoothed edge lies
    // between the two).
    const auto* label1 = m_form->findChild<QLabel*>(QStringLiteral("Label1"));
    QVERIFY(label1);
    const QImage drawn = m_form->grab(label1->geometry()).toImage();
    const QRgb background = drawn.pixel(0, 0);
    QRgb ink = background;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            if (squaredDistance(drawn.pixel(x, y), background) > squaredDistance(ink, background))
                ink = drawn.pixel(x, y);
        }
    }
    QCOMPARE(QColor(background), palette.color(QPalette::Window));
    QCOMPARE(QColor(ink), prompt);
}

QTEST_MAIN(PromptColourTest)
#include "prompt_colour_test.moc"
