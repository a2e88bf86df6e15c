// The main window on a screen with twice the usual pixel density: everything drawn at twice the size,
// and every caption drawn whole.
#include "tests/support/recording_presenter.h"
#include "window/qt/form1.h"

#include <QDebug>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QtTest>

#include <cstdlib>
#include <memory>

namespace {

constexpr int kScale = 2;

// The smallest rectangle holding every pixel near the given colour.
QRect inkedRect(const QImage& image, const QColor& ink)
{
    QRect inked;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int distance = std::abs(pixel.red() - ink.red()) + std::abs(pixel.green() - ink.green()) +
                                 std::abs(pixel.blue() - ink.blue());
            if (distance < 120)
                inked |= QRect(x, y, 1, 1);
        }
    }
    return inked;
}

} // namespace

class HighDpiTest : public QObject
{
    Q_OBJECT

public:
    // Before the application starts: Qt reads the factor once.
    static void initMain() { qputenv("QT_SCALE_FACTOR", QByteArray::number(kScale)); }

private slots:
    void init();
    void cleanup();

    void windowIsTwiceTheDesignSize();
    void captionsAreDrawnWhole_data();
    void captionsAreDrawnWhole();

private:
    std::unique_ptr<Form1> m_form;
};

void HighDpiTest::init()
{
    m_form = std::make_unique<Form1>(std::make_unique<RecordingPresenter>());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void HighDpiTest::cleanup()
{
    m_form.reset();
}

void HighDpiTest::windowIsTwiceTheDesignSize()
{
    QCOMPARE(m_form->devicePixelRatio(), qreal(kScale));
    QCOMPARE(m_form->size(), QSize(312, 131));
    const QPixmap drawn = m_form->grab();
    QCOMPARE(drawn.size(), QSize(624, 262));
}

void HighDpiTest::captionsAreDrawnWhole_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("prompt") << "Label1";
    QTest::newRow("button") << "Command1";
}

void HighDpiTest::captionsAreDrawnWhole()
{
    QFETCH(QString, control);

    auto* widget = m_form->findChild<QWidget*>(control);
    QVERIFY(widget);
    QString caption;
    QRect textArea; // where the caption may be drawn, in the control's own logical pixels
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        caption = label->text();
        textArea = label->contentsRect();
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        caption = button->text();
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = caption;
        textArea = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    QVERIFY(!caption.isEmpty());

    const QImage drawn = widget->grab().toImage();
    QCOMPARE(drawn.size(), widget->size() * kScale);
    const QRect inked = inkedRect(drawn, widget->palette().color(widget->foregroundRole()));
    const QRect deviceArea(textArea.topLeft() * kScale, textArea.size() * kScale);

    // Cut off, the text would run up to the edge of its area; drawn whole, it keeps clear of it and is
    // about as wide as the font says, less the blank space either side of the first and last letters.
    QString where;
    QDebug(&where) << "ink" << inked << "text area" << deviceArea;
    QVERIFY2(deviceArea.adjusted(1, 1, -1, -1).contains(inked), qPrintable(where));
    const int advance = widget->fontMetrics().horizontalAdvance(caption) * kScale;
    QVERIFY2(inked.width() >= advance - 4 * kScale, qPrintable(where + QStringLiteral(" advance %1").arg(advance)));
}

QTEST_MAIN(HighDpiTest)
#include "high_dpi_test.moc"
