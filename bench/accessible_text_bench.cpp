// How long a screen reader's questions take on the input field holding a 10 MB line of short tokens (Qt's
// offscreen platform): each question of the accessible text interface, asked in the middle of the line.
#include "tests/support/recording_presenter.h"
#include "window/qt/form1.h"

#include <QAccessible>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kMiddle = 5'000'000;

QAccessibleTextInterface* text1()
{
    static Form1* form = [] {
        auto* made = new Form1(std::make_unique<RecordingPresenter>());
        made->show();
        std::u16string line;
        while (line.size() < 10'000'000)
            line += u"FE ";
        made->setText(Field::Text1, line);
        return made;
    }();
    return QAccessible::queryAccessibleInterface(form->findChild<QWidget*>(QStringLiteral("Text1")))->textInterface();
}

template <typename Ask> void question(benchmark::State& state, Ask ask)
{
    QAccessibleTextInterface* text = text1();
    for (auto _ : state)
        benchmark::DoNotOptimize(ask(*text));
}

void boundary(benchmark::State& state, QAccessible::TextBoundaryType type, int which)
{
    question(state, [type, which](QAccessibleTextInterface& text) {
        int start = 0;
        int end = 0;
        if (which < 0)
            return text.textBeforeOffset(kMiddle, type, &start, &end).size() + start;
        if (which > 0)
            return text.textAfterOffset(kMiddle, type, &start, &end).size() + start;
        return text.textAtOffset(kMiddle, type, &start, &end).size() + start;
    });
}

} // namespace

BENCHMARK_CAPTURE(question, characterCount, [](QAccessibleTextInterface& t) { return t.characterCount(); });
BENCHMARK_CAPTURE(question, text, [](QAccessibleTextInterface& t) { return t.text(kMiddle, kMiddle + 80).size(); });
BENCHMARK_CAPTURE(question, cursorPosition, [](QAccessibleTextInterface& t) { return t.cursorPosition(); });
BENCHMARK_CAPTURE(question, selection, [](QAccessibleTextInterface& t) {
    int start = 0;
    int end = 0;
    t.selection(0, &start, &end);
    return start + end + t.selectionCount();
});
BENCHMARK_CAPTURE(question, characterRect, [](QAccessibleTextInterface& t) { return t.characterRect(9'999'990).x(); });
BENCHMARK_CAPTURE(question, offsetAtPoint, [](QAccessibleTextInterface& t) { return t.offsetAtPoint({0, 0}); });
BENCHMARK_CAPTURE(boundary, charAt, QAccessible::CharBoundary, 0);
BENCHMARK_CAPTURE(boundary, wordAt, QAccessible::WordBoundary, 0);
BENCHMARK_CAPTURE(boundary, wordBefore, QAccessible::WordBoundary, -1);
BENCHMARK_CAPTURE(boundary, wordAfter, QAccessible::WordBoundary, 1);
BENCHMARK_CAPTURE(boundary, sentenceAt, QAccessible::SentenceBoundary, 0);
BENCHMARK_CAPTURE(boundary, lineAt, QAccessible::LineBoundary, 0);
