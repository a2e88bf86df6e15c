// Time from the press on "Convert" to the output being in place, on the real window (offscreen).
#include "bench/lines.h"
#include "tests/support/recording_presenter.h"
#include "window/qt/form1.h"
#include "window/qt/input_field.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void clickConvert(benchmark::State& state, const std::u16string& line)
{
    Form1 form(std::make_unique<RecordingPresenter>());
    form.show();
    auto* text1 = form.findChild<InputField*>(QStringLiteral("Text1"));
    auto* text2 = form.findChild<QLineEdit*>(QStringLiteral("Text2"));
    auto* command1 = form.findChild<QPushButton*>(QStringLiteral("Command1"));
    text1->setText(QString::fromStdU16String(line));
    for (auto _ : state) {
        QTest::mouseClick(command1, Qt::LeftButton);
        benchmark::DoNotOptimize(text2->text());
    }
    if (text2->text().isEmpty())
        state.SkipWithError("the click produced no output");
}

void BM_Click_Example(benchmark::State& state)
{
    clickConvert(state, bench::kExampleLine);
}

void BM_Click_MillionCharacters(benchmark::State& state)
{
    clickConvert(state, bench::millionCharacterLine());
}

} // namespace

BENCHMARK(BM_Click_Example)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Click_MillionCharacters)->Unit(benchmark::kMicrosecond);
