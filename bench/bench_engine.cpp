// Timings of the engine's hot paths, through the reading the window and the
// command line make: the name number of a very long name and the zodiac row
// of a matching and a non-matching birth-date digit text.
#include "reading.h"
#include "zodiacreference.h"

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

namespace {

// A million-unit name mixing letters, spaces, punctuation and units outside
// the letter table.
std::u16string MillionCharacterName()
{
    constexpr std::u16string_view piece = u"Jean-Luc O'Neil Łukasz Zoë ";
    std::u16string name;
    name.reserve(1'000'000);
    while (name.size() < 1'000'000)
        name.append(piece.substr(0, 1'000'000 - name.size()));
    return name;
}

// The whole reading of the name, its storage reused from run to run as the
// window reuses it.
void NameNumberMillionCharacters(benchmark::State &state)
{
    const std::u16string name = MillionCharacterName();
    veltara::ReadingResult reading;
    for (auto _ : state) {
        veltara::MakeReading({name, u"05", u"January", u"1980", {}}, reading);
        benchmark::DoNotOptimize(reading.nameNumber);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(name.size()));
}
BENCHMARK(NameNumberMillionCharacters)->Unit(benchmark::kMillisecond);

// The reading of a date given as its digit text: after an unknown month, the
// first two digits as the day and the rest as the year.
void ZodiacLookup(benchmark::State &state, std::u16string_view digits)
{
    veltara::ReadingResult reading;
    for (auto _ : state) {
        benchmark::DoNotOptimize(digits);
        veltara::MakeReading({u"Ann", digits.substr(0, 2), u"?", digits.substr(2), {}}, reading);
        benchmark::DoNotOptimize(reading.zodiac);
    }
}
// December 22: row 24, the last row examined.
BENCHMARK_CAPTURE(ZodiacLookup, valid_row24, std::u16string_view(u"12221990"))->Unit(benchmark::kNanosecond);
// February 30: every row examined, none holds the key.
BENCHMARK_CAPTURE(ZodiacLookup, invalid_feb30, std::u16string_view(u"02301999"))->Unit(benchmark::kNanosecond);

// The stepping method the direct range test replaces, for comparison.
void ZodiacStepping(benchmark::State &state, std::u16string_view digits)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(digits);
        benchmark::DoNotOptimize(zodiacreference::ReferenceZodiacRow(digits));
    }
}
BENCHMARK_CAPTURE(ZodiacStepping, valid_row24, std::u16string_view(u"12221990"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ZodiacStepping, invalid_feb30, std::u16string_view(u"02301999"))->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
