// The chart of a million varied names and dates, as a batch makes them: one
// Chart whose storage is reused from row to row.
#include "chart.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Rows {
    std::u32string text;               // all the names, one after the other
    std::vector<std::uint32_t> starts; // where each name starts; one more at the end
    std::vector<std::uint32_t> dates;  // year * 10000 + month * 100 + day
};

// Names of two to four parts from given names and surnames with accents,
// ligatures, hyphens, apostrophes, decomposed marks and Cyrillic, and dates
// over four centuries (some of them 29 February of a year that has none).
const Rows &MillionRows()
{
    static const Rows rows = [] {
        constexpr std::u32string_view Given[] = {
            U"Ada", U"Jean-Pierre", U"José", U"Zoë", U"Yolanda", U"Łukasz", U"Søren", U"Þóra", U"Anna",
            U"Mary", U"Bjørn", U"Ngozi", U"Đorđe", U"Chloé", U"Jose\u0301", U"Ævar", U"Leo", U"Dmitri",
        };
        constexpr std::u32string_view Family[] = {
            U"Lovelace", U"Dupont", U"Núñez", U"Strauß", U"O'Neil", U"Nguyễn", U"Дмитриевна", U"Kowalski",
            U"Smith", U"Œuvray", U"van der Berg", U"Lynn", U"Müller-Lüdenscheidt", U"García Márquez",
        };
        Rows r;
        std::uint64_t seed = 0x9E3779B97F4A7C15ull;
        auto next = [&seed] {
            seed ^= seed << 13;
            seed ^= seed >> 7;
            seed ^= seed << 17;
            return seed;
        };
        r.starts.reserve(1'000'001);
        r.dates.reserve(1'000'000);
        for (int i = 0; i < 1'000'000; ++i) {
            r.starts.push_back(static_cast<std::uint32_t>(r.text.size()));
            const std::uint64_t n = next();
            r.text.append(Given[n % std::size(Given)]);
            if (n >> 8 & 1) {
                r.text.push_back(U' ');
                r.text.append(Given[(n >> 12) % std::size(Given)]);
            }
            r.text.push_back(U' ');
            r.text.append(Family[(n >> 20) % std::size(Family)]);
            const auto year = static_cast<std::uint32_t>(1700 + (n >> 28) % 400);
            const auto month = static_cast<std::uint32_t>(1 + (n >> 40) % 12);
            const auto day = static_cast<std::uint32_t>(1 + (n >> 48) % 29);
            r.dates.push_back(year * 10000 + month * 100 + day);
        }
        r.starts.push_back(static_cast<std::uint32_t>(r.text.size()));
        return r;
    }();
    return rows;
}

void ChartMillionRows(benchmark::State &state)
{
    constexpr veltara::Date On{2100, 1, 1}; // a reading date after every birth date of the rows
    const Rows &rows = MillionRows();
    const std::u32string_view text = rows.text;
    veltara::chart::Chart chart;
    for (auto _ : state) {
        std::uint64_t sum = 0;
        for (std::size_t i = 0; i + 1 < rows.starts.size(); ++i) {
            const std::uint32_t date = rows.dates[i];
            const veltara::Date birth{static_cast<int>(date / 10000), static_cast<int>(date / 100 % 100),
                                      static_cast<int>(date % 100)};
            const auto refusal = veltara::chart::MakeChart(
                text.substr(rows.starts[i], rows.starts[i + 1] - rows.starts[i]), birth, On, chart);
            sum += static_cast<std::uint64_t>(refusal) + static_cast<std::uint64_t>(chart.expression.value) +
                   chart.expression.steps.size();
        }
        benchmark::DoNotOptimize(sum);
    }
    const auto charts = static_cast<double>(rows.dates.size());
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(rows.dates.size()));
    // The time of one chart.
    state.counters["per_chart"] =
        benchmark::Counter(charts, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(ChartMillionRows)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
