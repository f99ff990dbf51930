#include "conditions/ConditionedReduction.h"

#include "core/Combinations.h"
#include "core/PlayIndex.h"
#include "core/PlayList.h"

#include <algorithm>
#include <cmath>

namespace numora {

namespace {

// Pairs i < j whose numbers fall in the same class: the sum of C(c, 2) over the class counts.
template <std::size_t Classes> int PairsInClasses(const std::array<int, Classes>& counts) {
    int pairs = 0;
    for (int c : counts) pairs += c * (c - 1) / 2;
    return pairs;
}

int RoundedAverage(long long sum, int n) {
    return n == 0 ? 0 : static_cast<int>(RoundHalfEven(double(sum) / n));
}

} // namespace

double RoundHalfEven(double x) {
    const double floor = std::floor(x);
    const double rest = x - floor;
    if (rest > 0.5) return floor + 1;
    if (rest < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

ConditionFilter MakeConditionFilter(const ConditionSet& set, const DelayTable& delays,
                                    const FrequencyTable& frequencies) {
    ConditionFilter f;
    f.set = set;
    for (int n = 0; n <= 90; ++n) {
        f.delay[static_cast<std::size_t>(n)] = delays.at(12, n);
        f.frequency[static_cast<std::size_t>(n)] = frequencies.at(12, n);
    }
    return f;
}

std::array<int, ConditionCount> ConditionValues(const Play& play, const ConditionFilter& filter) {
    std::array<int, ConditionCount> v{};
    std::array<int, 10> lastDigit{};
    std::array<int, 9> figure{};
    std::array<int, 10> decade{};
    int n = 0, even = 0;
    long long sum = 0, delays = 0, frequencies = 0;
    const ConditionSet& s = filter.set;
    for (std::uint8_t a : play.numbers) {
        if (a == 0) continue;
        ++n;
        even += a % 2 == 0 ? 1 : 0;
        sum += a;
        ++lastDigit[a % 10];
        ++figure[a % 9];
        ++decade[std::min(a / 10, 9)];
        const std::size_t i = std::min<std::size_t>(a, 90);
        delays += filter.delay[i];
        frequencies += filter.frequency[i];
        for (int k = FirstRangeCondition; k <= ConditionCount; ++k)
            if (s.rangeStart(k) <= a && a <= s.rangeEnd(k)) ++v[static_cast<std::size_t>(k - 1)];
    }
    v[0] = even;
    v[1] = n - even;
    v[2] = RoundedAverage(sum, n);
    v[3] = PairsInClasses(lastDigit);
    v[4] = PairsInClasses(figure);
    v[5] = PairsInClasses(decade);
    v[6] = RoundedAverage(delays, n);
    v[7] = RoundedAverage(frequencies, n);
    return v;
}

int SatisfiedConditions(const Play& play, const ConditionFilter& filter) {
    const std::array<int, ConditionCount> v = ConditionValues(play, filter);
    const ConditionSet& s = filter.set;
    int r = 0;
    for (int k = 1; k <= ConditionCount; ++k) {
        const int x = v[static_cast<std::size_t>(k - 1)];
        if (s.enabled(k) && s.minimum(k) <= x && x <= s.maximum(k)) ++r;
    }
    return r;
}

bool PlayPasses(const Play& play, const ConditionFilter& filter, std::span<const std::uint8_t> fixed,
                const PlayIndex* committed) {
    if (!fixed.empty()) {
        std::size_t held = 0;
        for (std::uint8_t f : fixed)
            if (f != 0 && std::find(play.numbers.begin(), play.numbers.end(), f) != play.numbers.end()) ++held;
        if (held < fixed.size()) return false;
    }
    if (committed && committed->size() > 0 && committed->contains(play)) return false;
    const int r = SatisfiedConditions(play, filter);
    return filter.set.minConditions() <= r && r <= filter.set.maxConditions();
}

ConditionedRun ConditionForecast(PlayList& list, std::span<const std::uint8_t> forecast, int size,
                                 std::span<const std::uint8_t> fixed, std::uint16_t wheels,
                                 const std::array<double, 5>& stakes, const ConditionFilter& filter,
                                 const Progress& progress) {
    ConditionedRun run;
    CombinationEnumerator combinations;
    if (!combinations.start(forecast, size)) return run;
    const int committed = list.count();
    const PlayIndex index(list);
    Play candidate;
    candidate.stakes = stakes;
    candidate.wheels = wheels;
    ProgressTicker ticker(Progress{progress.callback, CombinationInterval}, combinations.count());
    do {
        combinations.writeTo(candidate);
        if (PlayPasses(candidate, filter, fixed, &index)) {
            if (committed + run.kept >= PlayList::Capacity) {
                run.limitReached = true;
                break;
            }
            list.play(committed + run.kept + 1) = candidate;
            ++run.kept;
            ticker.setFound(static_cast<std::uint64_t>(run.kept));
        }
        if (!ticker.step()) {
            run.interrupted = true;
            run.kept = 0;
            return run;
        }
    } while (combinations.next());
    list.setCount(committed + run.kept);
    return run;
}

ConditionedRun ConditionCurrentPlays(PlayList& list, PlayList& undo, const ConditionFilter& filter,
                                     std::span<const std::uint8_t> fixed, const Progress& progress) {
    ConditionedRun run;
    undo.copyFrom(list);
    const int old = undo.count();
    list.setCount(0);
    ProgressTicker ticker(Progress{progress.callback, ConditionedPlayInterval}, static_cast<std::uint64_t>(old));
    for (int p = 1; p <= old; ++p) {
        const Play& play = undo.play(p);
        if (PlayPasses(play, filter, fixed, nullptr)) {
            list.play(++run.kept) = play;
            ticker.setFound(static_cast<std::uint64_t>(run.kept));
        }
        if (!ticker.step()) {
            list.copyFrom(undo);
            run.interrupted = true;
            run.kept = 0;
            return run;
        }
    }
    list.setCount(run.kept);
    return run;
}

} // namespace numora
