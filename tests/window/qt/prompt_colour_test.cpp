// The prompt as drawn on light and dark palettes: pure blue where it reads well, and always at least
// 4.5:1 against the window, whether the palette was there at start-up or came while the window was open.
#include "tests/support/recording_presenter.h"
#include "window/prompt_colour.h"
#include "window/qt/form1.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QtTest>

#include <memory>

namespace {

Rgb rgb(QRgb pixel)
{
    return {static_cast<std::uint8_t>(qRed(pixel)), static_cast<std::uint8_t>(qGreen(pixel)),
            static_cast<std::uint8_t>(qBlue(pixel))};
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
    QTest::addColumn<bool>("pureBlue");

    const QPalette dark = palette(QColor(0x20, 0x23, 0x26), QColor(0xfc, 0xfc, 0xfc)); // Breeze Dark's window
    QTest::newRow("default light palette") << QApplication::palette() << false << true;
    QTest::newRow("dark palette at start-up") << dark << false << false;
    QTest::newRow("dark palette while open") << dark << true << false;
    QTest::newRow("mid-grey palette while open") << palette(QColor(150, 150, 150), Qt::black) << true << false;
}

void PromptColourTest::promptIsReadable()
{
    QFETCH(QPalette, palette);
    QFETCH(bool, whileOpen);
    QFETCH(bool, pureBlue);

    if (!whileOpen)
        QApplication::setPalette(palette);
    m_form = std::make_unique<Form1>(std::make_unique<RecordingPresenter>());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    if (whileOpen)
        QApplication::setPalette(palette);
    QTRY_COMPARE(m_form->palette().color(QPalette::Window), palette.color(QPalette::Window));

    // The label as the window draws it: the background at its corner, and the text's own colour where
    // the glyphs are solid, which is the pixel that stands out most from the background.
    const auto* label1 = m_form->findChild<QLabel*>(QStringLiteral("Label1"));
    QVERIFY(label1);
    const QImage drawn = m_form->grab(label1->geometry()).toImage();
    const Rgb background = rgb(drawn.pixel(0, 0));
    Rgb ink = background;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            if (contrastRatio(rgb(drawn.pixel(x, y)), background) > contrastRatio(ink, background))
                ink = rgb(drawn.pixel(x, y));
        }
    }

    const double contrast = contrastRatio(ink, background);
    qInfo("background #%02x%02x%02x, prompt #%02x%02x%02x, contrast %.2f:1", background.red, background.green,
          background.blue, ink.red, ink.green, ink.blue, contrast);
    QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast))); // WCAG 2, level AA
    QCOMPARE(ink == kDesignBlue, pureBlue);
    QVERIFY2(ink.blue > ink.red && ink.red == ink.green, "the prompt is no longer blue");
}

QTEST_MAIN(PromptColourTest)
#include "prompt_colour_test.moc"
