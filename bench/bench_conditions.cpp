// The conditioned reduction and its archive statistics: the literal statement against the
// engine in one run. Statistic 7 ("Media dei ritardi") with "Ambi" on all eleven wheels of the
// real archive (the literal searches backwards for every number of every pair), and the forecast
// mode over 30 numbers in cinquine (142506 combinations) with every condition on. The bars and
// the plays of the two are compared before the line is printed.
#include "BenchArchive.h"
#include "BenchCompare.h"
#include "conditions/ConditionStats.h"
#include "conditions/ConditionedReduction.h"

#include "conditions/LiteralConditions.h"
#include "core/OperatorImport.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace numora;
using numora::bench::RealArchive;

namespace {

constexpr std::uint16_t AllWheels = (1u << 11) | (1u << 10);

// Every condition on, with ranges wide enough to keep a part of the combinations.
ConditionSet EveryCondition() {
    ConditionSet s;
    const int bounds[8][2] = {{1, 4}, {1, 4}, {30, 60}, {0, 1}, {0, 1}, {0, 2}, {0, 4}, {40, 70}};
    for (int k = 1; k <= 8; ++k) {
        s.values[static_cast<std::size_t>(ConditionSet::MinimumField(k))] = bounds[k - 1][0];
        s.values[static_cast<std::size_t>(ConditionSet::MaximumField(k))] = bounds[k - 1][1];
    }
    const int ranges[3][2] = {{1, 30}, {31, 60}, {61, 90}};
    for (int k = 9; k <= 11; ++k) {
        s.values[static_cast<std::size_t>(ConditionSet::RangeStartField(k))] = ranges[k - 9][0];
        s.values[static_cast<std::size_t>(ConditionSet::RangeEndField(k))] = ranges[k - 9][1];
        s.values[static_cast<std::size_t>(ConditionSet::MinimumField(k))] = 0;
        s.values[static_cast<std::size_t>(ConditionSet::MaximumField(k))] = 3;
    }
    for (int k = 1; k <= 11; ++k) s.setEnabled(k, true);
    s.values[ConditionSet::MinConditionsField] = 11;
    s.values[ConditionSet::MaxConditionsField] = 11;
    return s;
}

struct Tables {
    DelayTable delays;
    FrequencyTable frequencies;
};
const Tables& RealTables() {
    static const Tables t = [] {
        Tables x;
        if (const DrawArchive* a = RealArchive()) RebuildDerivedTables(*a, x.delays, x.frequencies);
        return x;
    }();
    return t;
}

// 30 numbers spread over the decades, last digits and figures.
std::vector<std::uint8_t> Thirty() {
    std::vector<std::uint8_t> f;
    for (int n = 1; n <= 90; n += 3) f.push_back(static_cast<std::uint8_t>(n + (n / 10) % 3));
    return f;
}

void BM_DelayStatistic(benchmark::State& state) {
    const DrawArchive* a = RealArchive();
    if (!a) return state.SkipWithError("no real archive");
    const bool literal = state.range(0) != 0;
    numora::bench::TimeAndCompare<std::vector<std::pair<int, int>>>(
        state, "\"Media dei ritardi\", ambi, tutte le ruote", literal, [&] {
            return literal ? oracle::LiteralConditionStatistic(*a, 7, 2, AllWheels, ConditionSet{})
                           : ConditionStatistic(*a, 7, 2, AllWheels, ConditionSet{}).bars;
        });
}

// The filter is made once per run, as the dialog makes it once per reduction.
void BM_Forecast(benchmark::State& state) {
    const bool literal = state.range(0) != 0;
    auto list = std::make_unique<PlayList>();
    const ConditionSet s = EveryCondition();
    numora::bench::TimeAndCompare<std::vector<Play>>(state, "30 numeri in cinquine, undici condizioni", literal, [&] {
        list->setCount(0);
        if (literal)
            oracle::LiteralConditionForecast(*list, Thirty(), 5, {}, 1u << 11, {1, 0, 0, 0, 0}, s, RealTables().delays,
                                             RealTables().frequencies);
        else
            ConditionForecast(*list, Thirty(), 5, {}, 1u << 11, {1, 0, 0, 0, 0},
                              MakeConditionFilter(s, RealTables().delays, RealTables().frequencies));
        return std::vector<Play>(list->data(), list->data() + list->count());
    });
    state.counters["plays"] = list->count();
}

} // namespace

BENCHMARK(BM_DelayStatistic)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Forecast)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
NUMORA_BENCH_MAIN("bench_conditions")
