// Time per click of the conversion alone, with the in-memory window.
#include "bench/lines.h"
#include "convert/line.h"
#include "tests/support/fake_form.h"

#include <benchmark/benchmark.h>

namespace {

void convertLine(benchmark::State& state, const std::u16string& line)
{
    FakeForm form;
    form.setText(Field::Text1, line);
    for (auto _ : state) {
        ConvertLine(form);
        benchmark::DoNotOptimize(form.text(Field::Text2));
    }
}

void BM_ConvertLine_Example(benchmark::State& state)
{
    convertLine(state, bench::kExampleLine);
}

void BM_ConvertLine_ThirteenWideTokens(benchmark::State& state)
{
    convertLine(state, bench::kThirteenWideTokens);
}

void BM_ConvertLine_MillionCharacters(benchmark::State& state)
{
    convertLine(state, bench::millionCharacterLine());
}

// One token of a million characters: every character must be read to know it is a valid number.
void BM_ConvertLine_MillionCharacterToken(benchmark::State& state)
{
    std::u16string line(bench::kMillion - 2, u'0');
    line += u"F x";
    convertLine(state, line);
}

} // namespace

BENCHMARK(BM_ConvertLine_Example);
BENCHMARK(BM_ConvertLine_ThirteenWideTokens);
BENCHMARK(BM_ConvertLine_MillionCharacters)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConvertLine_MillionCharacterToken)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
