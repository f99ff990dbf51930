#include "reduction/GenioReduction.h"

#include "core/Clock.h"
#include "core/Combinations.h"
#include "core/PlayIndex.h"
#include "core/Random.h"
#include "reduction/NumberMask.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace numora {

namespace {

// Insertion sort of at most ten numbers.
void SortSmall(std::uint8_t* a, int n) {
    for (int i = 1; i < n; ++i) {
        const std::uint8_t v = a[i];
        int j = i;
        for (; j > 0 && a[j - 1] > v; --j) a[j] = a[j - 1];
        a[j] = v;
    }
}

int Sum(const std::uint8_t* numbers, int count, const std::array<int, 256>& occ) {
    int s = 0;
    for (int k = 0; k < count; ++k) s += occ[numbers[k]];
    return s;
}

void AddNumbers(const Play& p, std::array<int, 256>& occ, int delta) {
    for (std::uint8_t x : p.numbers)
        if (x != 0) occ[x] += delta;
}

int OverlapOf(const Play& p, const std::array<int, 256>& occ) {
    int s = 0;
    for (std::uint8_t x : p.numbers)
        if (x != 0) s += occ[x];
    return s;
}

// The forecast as a table, for drawing.
struct ForecastTable {
    std::array<bool, 256> in{};
    int count = 0;
    explicit ForecastTable(const std::vector<std::uint8_t>& forecast) {
        for (std::uint8_t n : forecast) {
            if (!in[n]) ++count;
            in[n] = true;
        }
    }
};

// How many plays of the list hold each FindPlay identity (ten number bytes and the wheel mask).
// Plays change in place during the optimisation, so an identity can leave as well as enter.
class PlayKeyCount {
public:
    explicit PlayKeyCount(int expected) {
        std::size_t n = 1024;
        while (n < static_cast<std::size_t>(expected) * 4) n *= 2;
        slots_.assign(n, Slot{});
        mask_ = n - 1;
    }
    int count(const Play& p) const {
        const std::uint64_t lo = Lo(p);
        const std::uint32_t hi = Hi(p);
        for (std::size_t i = Hash(lo, hi) & mask_;; i = (i + 1) & mask_) {
            const Slot& s = slots_[i];
            if (s.count < 0) return 0;
            if (s.lo == lo && s.hi == hi) return s.count;
        }
    }
    void change(const Play& p, int delta) {
        const std::uint64_t lo = Lo(p);
        const std::uint32_t hi = Hi(p);
        if ((used_ + 1) * 2 > slots_.size()) grow();
        for (std::size_t i = Hash(lo, hi) & mask_;; i = (i + 1) & mask_) {
            Slot& s = slots_[i];
            if (s.count < 0) {
                s = Slot{lo, hi, delta};
                ++used_;
                return;
            }
            if (s.lo == lo && s.hi == hi) {
                s.count += delta;
                return;
            }
        }
    }

private:
    struct Slot {
        std::uint64_t lo = 0;
        std::uint32_t hi = 0;
        std::int32_t count = -1; // -1: a free slot; 0: a key no play holds now
    };
    static std::uint64_t Lo(const Play& p) {
        std::uint64_t v;
        std::memcpy(&v, p.numbers.data(), 8);
        return v;
    }
    static std::uint32_t Hi(const Play& p) {
        return static_cast<std::uint32_t>(p.numbers[8]) | (static_cast<std::uint32_t>(p.numbers[9]) << 8) |
               (static_cast<std::uint32_t>(p.wheels) << 16);
    }
    static std::size_t Hash(std::uint64_t lo, std::uint32_t hi) {
        std::uint64_t x = lo ^ (static_cast<std::uint64_t>(hi) * 0x9E3779B97F4A7C15ull);
        x ^= x >> 33;
        x *= 0xFF51AFD7ED558CCDull;
        x ^= x >> 33;
        return static_cast<std::size_t>(x);
    }
    void grow() {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(old.size() * 2, Slot{});
        mask_ = slots_.size() - 1;
        used_ = 0;
        // Keys no play holds any more are left behind.
        for (const Slot& s : old)
            if (s.count > 0) reinsert(s);
    }
    void reinsert(const Slot& s) {
        for (std::size_t i = Hash(s.lo, s.hi) & mask_;; i = (i + 1) & mask_)
            if (slots_[i].count < 0) {
                slots_[i] = s;
                ++used_;
                return;
            }
    }

    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    std::size_t used_ = 0;
};

// MutatePlay with the forecast already in a table.
Play Mutate(const Play& p, const ForecastTable& forecast, const std::vector<std::uint8_t>& fixed, int replace,
            RandomSource& random) {
    Play v = p;
    v.numbers.fill(0);
    const int kp = p.numberCount();
    const int f = static_cast<int>(fixed.size());
    if (f > 0 && f >= kp) return v;
    std::array<std::uint8_t, 10> placed{};
    std::array<bool, 256> taken{};
    int j = 0;
    int left = forecast.count; // forecast numbers not yet placed
    for (std::uint8_t x : fixed) {
        placed[static_cast<std::size_t>(j++)] = x;
        taken[x] = true;
        if (forecast.in[x]) --left;
    }
    for (int i = 0; j < kp && i < replace && left > 0; ++i) {
        int x;
        do x = random.below(90) + 1;
        while (!forecast.in[static_cast<std::size_t>(x)] || taken[static_cast<std::size_t>(x)]);
        placed[static_cast<std::size_t>(j++)] = static_cast<std::uint8_t>(x);
        taken[static_cast<std::size_t>(x)] = true;
        --left;
    }
    for (std::uint8_t x : p.numbers) {
        if (j >= kp) break;
        if (x == 0 || taken[x]) continue;
        placed[static_cast<std::size_t>(j++)] = x;
        taken[x] = true;
    }
    SortSmall(placed.data(), j);
    std::copy(placed.begin(), placed.begin() + j, v.numbers.begin());
    return v;
}

bool HoldsFixed(const Play& v, const std::vector<std::uint8_t>& fixed) {
    std::size_t pairs = 0;
    for (std::uint8_t x : v.numbers) {
        if (x == 0) continue;
        for (std::uint8_t f : fixed) pairs += x == f ? 1 : 0;
    }
    return pairs >= fixed.size();
}

} // namespace

std::array<int, 256> NumberOccurrences(std::span<const Play> plays) {
    std::array<int, 256> occ{};
    for (const Play& p : plays) AddNumbers(p, occ, 1);
    return occ;
}

int PlayOverlap(const Play& candidate, const Play& self, const std::array<int, 256>& occ) {
    std::array<int, 256> rest = occ;
    AddNumbers(self, rest, -1);
    return OverlapOf(candidate, rest);
}

GenioResult ReduceGenio(PlayList& list, const GenioRequest& request, RandomSource& random, Clock& clock,
                        const Progress& progress) {
    GenioResult result;
    const int base = list.count();
    const int k = request.play.size;
    const int m = request.plays;
    if (k < 1 || k > Play::MaxNumbers || m < 1) return result;
    const std::vector<std::uint8_t> forecast = AscendingForecast(request.play.forecast);
    const std::vector<std::uint8_t> fixed = DistinctFixed(request.play.fixed);
    CombinationEnumerator e;
    // Only the combinations holding every fixed number are visited: the others fail the test.
    if (!e.start(forecast, k, fixed)) return result;
    PlayIndex committed;
    if (base > 0) committed.build(list, 1, base);
    Play candidate;
    candidate.stakes = request.play.stakes;
    candidate.wheels = request.play.wheels;
    ProgressTicker ticker(progress, 100);
    const std::uint64_t interval = progress.interval == 0 ? 1 : progress.interval;

    int j = 0;
    std::uint64_t visited = 0;
    do {
        e.writeTo(candidate);
        if (CandidatePasses(candidate, fixed, committed)) {
            if (base + j >= PlayList::Capacity) {
                result.outcome = RunOutcome::ListFull;
                return result;
            }
            ++j;
            list.play(base + j) = candidate;
            if (j == m) break;
        }
        if (++visited % interval == 0) {
            ticker.setFound(static_cast<std::uint64_t>(j));
            ticker.setDone(static_cast<std::uint64_t>(std::lround(25.0 * j / m)));
            if (!ticker.report()) {
                result.outcome = RunOutcome::Interrupted;
                return result;
            }
        }
    } while (e.next());

    // Phase 2 with the drawing of one number 1..90 given; a false return is an interruption.
    auto phase2 = [&](auto&& draw) {
        std::array<int, 256> occ =
            NumberOccurrences(std::span<const Play>(list.data(), static_cast<std::size_t>(base + j)));
        std::vector<NumberMask> masks(static_cast<std::size_t>(j));
        for (int i = 0; i < j; ++i)
            masks[static_cast<std::size_t>(i)] = NumberMask::Of(list.play(base + 1 + i).numbers);
        const ForecastTable table(forecast);
        const std::int64_t budget = request.budget;
        const std::int64_t start = clock.milliseconds();
        std::int64_t elapsed = 0;
        std::uint64_t sinceReport = 0;
        std::array<std::uint8_t, 10> numbers{};
        // 1 for a forecast number free to be drawn into the candidate being built.
        std::array<std::uint8_t, 256> open{};
        for (int x = 1; x <= 90; ++x) open[static_cast<std::size_t>(x)] = table.in[static_cast<std::size_t>(x)] ? 1 : 0;
        int i = j - 1;
        do {
            i = (i + 1) % j;
            Play& play = list.play(base + 1 + i);
            AddNumbers(play, occ, -1);
            const int d = OverlapOf(play, occ);
            int a = RejectedOverlap;
            NumberMask mask;
            do {
                // A drawn number is taken when it is a forecast number not yet in the candidate.
                // Two draws in three are refused, at random: the loop stores every draw and
                // advances over the taken ones, so that the refusals cost no mispredicted branch.
                std::size_t c = 0;
                for (std::uint8_t f : fixed) {
                    numbers[c++] = f;
                    open[f] = 0;
                }
                while (c < static_cast<std::size_t>(k)) {
                    const auto x = static_cast<std::uint8_t>(draw());
                    const std::uint8_t take = open[x];
                    numbers[c] = x;
                    open[x] = 0;
                    c += take;
                    // A refused draw leaves open[] as it was: it was 0 already.
                }
                mask = NumberMask::Of(std::span<const std::uint8_t>(numbers.data(), static_cast<std::size_t>(k)));
                for (int q = 0; q < k; ++q)
                    open[numbers[static_cast<std::size_t>(q)]] = table.in[numbers[static_cast<std::size_t>(q)]];
                SortSmall(numbers.data(), k);
                a = RejectedOverlap;
                if (std::find(masks.begin(), masks.end(), mask) == masks.end()) {
                    std::copy(numbers.begin(), numbers.begin() + k, candidate.numbers.begin());
                    if (CandidatePasses(candidate, fixed, committed)) a = Sum(numbers.data(), k, occ);
                }
                ++result.candidates;
                elapsed = clock.milliseconds() - start;
                if (++sinceReport >= interval) {
                    sinceReport = 0;
                    const double share = budget > 0 ? static_cast<double>(elapsed) / static_cast<double>(budget) : 1.0;
                    ticker.setDone(
                        static_cast<std::uint64_t>(std::min<long>(100, 25 + std::lround(std::max(0.0, share) * 75))));
                    if (!ticker.report()) return false;
                }
            } while (!(elapsed > budget || a < d));
            if (a < d) {
                std::copy(numbers.begin(), numbers.begin() + k, candidate.numbers.begin());
                play = candidate;
                masks[static_cast<std::size_t>(i)] = mask;
                ++result.replaced;
            }
            AddNumbers(play, occ, 1);
        } while (elapsed <= budget);
        return true;
    };
    if (j == m) {
        // The program's generator is drawn from directly, as StdRandom::below draws, so that the
        // drawing costs no call through the interface.
        bool completed = false;
        if (auto* source = dynamic_cast<StdRandom*>(&random)) {
            auto& engine = source->engine();
            completed = phase2([&engine] { return UniformBelow(engine, 90) + 1; });
        } else {
            completed = phase2([&random] { return random.below(90) + 1; });
        }
        if (!completed) {
            result.outcome = RunOutcome::Interrupted;
            return result;
        }
    }
    list.setCount(base + j);
    result.added = j;
    return result;
}

Play MutatePlay(const Play& p, const OptimiseRequest& request, RandomSource& random) {
    return Mutate(p, ForecastTable(AscendingForecast(request.forecast)), DistinctFixed(request.fixed), request.replace,
                  random);
}

OptimiseResult OptimisePlays(PlayList& list, const OptimiseRequest& request, RandomSource& random, Clock& clock,
                             const ProgressCallback& progress) {
    OptimiseResult result;
    const int count = list.count();
    if (count == 0) return result;
    const ForecastTable forecast(AscendingForecast(request.forecast));
    const std::vector<std::uint8_t> fixed = DistinctFixed(request.fixed);
    std::array<int, 256> occ = NumberOccurrences(std::span<const Play>(list.data(), static_cast<std::size_t>(count)));
    PlayKeyCount keys(count * 2);
    for (int p = 1; p <= count; ++p) keys.change(list.play(p), 1);

    for (int p = 1; p <= count; ++p) {
        Play& play = list.play(p);
        AddNumbers(play, occ, -1);
        int best = OverlapOf(play, occ);
        Play chosen = play;
        const std::int64_t start = clock.milliseconds();
        std::int64_t elapsed = 0;
        do {
            const Play v = Mutate(play, forecast, fixed, request.replace, random);
            ++result.variants;
            if ((fixed.empty() || HoldsFixed(v, fixed)) && keys.count(v) == 0) {
                const int f = OverlapOf(v, occ);
                if (f < best) {
                    best = f;
                    chosen = v;
                }
            }
            elapsed = clock.milliseconds() - start;
        } while (elapsed <= request.budget);
        if (!(chosen == play)) {
            keys.change(play, -1);
            keys.change(chosen, 1);
            play = chosen;
            ++result.changed;
        }
        AddNumbers(play, occ, 1);
        result.processed = p;
        if (progress && !progress(ProgressStatus{static_cast<std::uint64_t>(p), static_cast<std::uint64_t>(count),
                                                 static_cast<std::uint64_t>(result.changed)})) {
            result.interrupted = true;
            return result;
        }
    }
    return result;
}

} // namespace numora
