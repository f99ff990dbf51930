#include "reduction/CoveringOptimiser.h"

#include "core/Combinations.h"
#include "core/PlayList.h"
#include "reduction/NumberMask.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace numora {

namespace {

// The work (entries of the number lists scanned) between two readings of the clock: well under
// a millisecond on small forecasts, a few on the largest.
constexpr std::uint64_t ClockWork = std::uint64_t{1} << 17;
// Beyond this many comparisons (combinations times plays) the play to take away is drawn at
// random instead of being the one that leaves the fewest combinations uncovered.
constexpr std::uint64_t ChoiceWork = std::uint64_t{1} << 26;

// The annealing: the starting temperature, its factor after every level of moves (by the
// threshold), and the temperature at which the search starts again from the best system.
// A level is as many moves as the swaps one play allows. Near a covering a move changes the
// uncovered count by a few combinations, and a start at 1.0 spent each descent undoing what the
// last one built. With a threshold of 2 the systems are small and short descents, restarted from
// the best, do better; from 3 up they hold dozens or thousands of plays, and a descent needs five
// times longer to settle ("Terno" with 20 numbers: 38 plays in a minute where quick descents stay
// at 39; "Ambo" with 28: 12 in ten seconds where slow ones stay at 14).
constexpr double StartTemperature = 0.4;
constexpr double AmboCooling = 0.99;
constexpr double Cooling = 0.998;
constexpr double FrozenTemperature = 0.05;

// The numbers two masks share. The build targets processors without a popcount instruction,
// where std::popcount is a library call; counting the bits in parallel inline is several times
// faster on the search's inner loops.
inline int Common(NumberMask a, NumberMask b) {
    constexpr std::uint64_t m1 = 0x5555555555555555ull, m2 = 0x3333333333333333ull, m4 = 0x0F0F0F0F0F0F0F0Full;
    std::uint64_t x = a.lo & b.lo, y = a.hi & b.hi;
    x -= (x >> 1) & m1;
    y -= (y >> 1) & m1;
    x = (x & m2) + ((x >> 2) & m2);
    y = (y & m2) + ((y >> 2) & m2);
    x = ((x + (x >> 4)) & m4) + ((y + (y >> 4)) & m4); // at most 16 in a byte
    return static_cast<int>((x * 0x0101010101010101ull) >> 56);
}

// Within 64 numbers the masks have one word, and the counts take half the work.
inline int Count(std::uint64_t x) {
    x -= (x >> 1) & 0x5555555555555555ull;
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((x * 0x0101010101010101ull) >> 56);
}
template <bool Wide> inline int CommonOf(NumberMask a, NumberMask b) {
    if constexpr (Wide)
        return Common(a, b);
    else
        return Count(a.lo & b.lo);
}
template <bool Wide> inline bool MeetsOf(NumberMask a, NumberMask b) {
    if constexpr (Wide)
        return ((a.lo & b.lo) | (a.hi & b.hi)) != 0;
    else
        return (a.lo & b.lo) != 0;
}

NumberMask Without(NumberMask m, NumberMask o) {
    return {m.lo & ~o.lo, m.hi & ~o.hi};
}
NumberMask Single(int n) {
    NumberMask m;
    m.add(n);
    return m;
}

// The numbers of a mask in ascending order; returns how many.
int NumbersOf(NumberMask m, std::array<std::uint8_t, 90>& out) {
    int c = 0;
    for (std::uint64_t w = m.lo; w != 0; w &= w - 1)
        out[static_cast<std::size_t>(c++)] = static_cast<std::uint8_t>(std::countr_zero(w) + 1);
    for (std::uint64_t w = m.hi; w != 0; w &= w - 1)
        out[static_cast<std::size_t>(c++)] = static_cast<std::uint8_t>(std::countr_zero(w) + 65);
    return c;
}

NumberMask MaskOf(const Play& p) {
    NumberMask m;
    for (std::uint8_t x : p.numbers)
        if (x != 0) m.add(x);
    return m;
}

// The committed plays that cover as the new ones do: the request's wheels and the same five stakes.
std::vector<NumberMask> CoveringCommitted(std::span<const Play> committed, const GuaranteedRequest& request) {
    std::vector<NumberMask> out;
    for (const Play& p : committed)
        if (p.wheels == request.play.wheels && p.stakes == request.play.stakes) out.push_back(MaskOf(p));
    return out;
}

bool CoveredBy(NumberMask c, const std::vector<NumberMask>& plays, int t) {
    for (const NumberMask& p : plays)
        if (Common(p, c) >= t) return true;
    return false;
}

// The combinations still to cover, with how many plays of the search cover each, the list of
// those no play covers, and per number the combinations that hold it, their masks side by side
// so that a move reads them in a row (the fixed numbers, in every combination and every play,
// have none). A swap of number x for y in a play changes the coverage only of combinations
// holding exactly one of the two, so a move reads two lists.
class Coverage {
public:
    Coverage(std::vector<NumberMask> combinations, NumberMask fixed, int t)
        : masks_(std::move(combinations)), count_(masks_.size(), 0), where_(masks_.size(), 0), t_(t) {
        for (std::size_t c = 0; c < masks_.size(); ++c) {
            wide_ = wide_ || masks_[c].hi != 0;
            std::array<std::uint8_t, 90> numbers{};
            const int k = NumbersOf(Without(masks_[c], fixed), numbers);
            for (int i = 0; i < k; ++i) {
                Holders& h = byNumber_[numbers[static_cast<std::size_t>(i)]];
                h.masks.push_back(masks_[c]);
                h.ids.push_back(static_cast<std::uint32_t>(c));
            }
        }
        reset({});
    }

    std::size_t size() const { return masks_.size(); }
    NumberMask combination(std::size_t c) const { return masks_[c]; }
    std::size_t uncovered() const { return uncovered_.size(); }
    std::uint32_t uncoveredAt(std::size_t i) const { return uncovered_[i]; }
    std::uint64_t work() const { return work_; }

    void reset(const std::vector<NumberMask>& plays) {
        std::fill(count_.begin(), count_.end(), 0u);
        uncovered_.resize(masks_.size());
        for (std::size_t c = 0; c < masks_.size(); ++c) {
            uncovered_[c] = static_cast<std::uint32_t>(c);
            where_[c] = static_cast<std::uint32_t>(c);
        }
        for (const NumberMask& p : plays) add(p);
    }

    void add(NumberMask play) {
        for (std::size_t c = 0; c < masks_.size(); ++c)
            if (Common(masks_[c], play) >= t_ && count_[c]++ == 0) cover(c);
        work_ += masks_.size();
    }
    void remove(NumberMask play) {
        for (std::size_t c = 0; c < masks_.size(); ++c)
            if (Common(masks_[c], play) >= t_ && --count_[c] == 0) uncover(c);
        work_ += masks_.size();
    }

    // How the uncovered count changes when the play gives up x for y (x in it, y not).
    long delta(NumberMask play, int x, int y) { return wide_ ? deltaOf<true>(play, x, y) : deltaOf<false>(play, x, y); }
    // Makes the swap; returns the play's new mask.
    NumberMask swap(NumberMask play, int x, int y) {
        return wide_ ? swapOf<true>(play, x, y) : swapOf<false>(play, x, y);
    }

private:
    // The two moves for masks of one word or two: how the uncovered count changes when the play gives up x for y (x in
    // it, y not): the combinations holding y and not x that reach the threshold, those holding x and not y that fall
    // below it.
    template <bool Wide> long deltaOf(NumberMask play, int x, int y) {
        const NumberMask xm = Single(x), ym = Single(y), rest = Without(play, xm);
        long change = 0;
        // Only an uncovered combination can be gained: the shorter of the two lists holding them.
        const Holders& gains = byNumber_[static_cast<std::size_t>(y)];
        if (uncovered_.size() < gains.ids.size()) {
            for (std::uint32_t c : uncovered_)
                if (MeetsOf<Wide>(masks_[c], ym) && !MeetsOf<Wide>(masks_[c], xm) &&
                    CommonOf<Wide>(masks_[c], rest) == t_ - 1)
                    --change;
            work_ += uncovered_.size();
        } else {
            for (std::size_t i = 0; i < gains.ids.size(); ++i)
                if (!MeetsOf<Wide>(gains.masks[i], xm) && CommonOf<Wide>(gains.masks[i], rest) == t_ - 1 &&
                    count_[gains.ids[i]] == 0)
                    --change;
            work_ += gains.ids.size();
        }
        const Holders& losses = byNumber_[static_cast<std::size_t>(x)];
        for (std::size_t i = 0; i < losses.ids.size(); ++i)
            if (!MeetsOf<Wide>(losses.masks[i], ym) && CommonOf<Wide>(losses.masks[i], play) == t_ &&
                count_[losses.ids[i]] == 1)
                ++change;
        work_ += losses.ids.size();
        return change;
    }
    // Makes the swap; returns the play's new mask.
    template <bool Wide> NumberMask swapOf(NumberMask play, int x, int y) {
        const NumberMask xm = Single(x), ym = Single(y), rest = Without(play, xm);
        const Holders& gains = byNumber_[static_cast<std::size_t>(y)];
        for (std::size_t i = 0; i < gains.ids.size(); ++i)
            if (!MeetsOf<Wide>(gains.masks[i], xm) && CommonOf<Wide>(gains.masks[i], rest) == t_ - 1 &&
                count_[gains.ids[i]]++ == 0)
                cover(gains.ids[i]);
        const Holders& losses = byNumber_[static_cast<std::size_t>(x)];
        for (std::size_t i = 0; i < losses.ids.size(); ++i)
            if (!MeetsOf<Wide>(losses.masks[i], ym) && CommonOf<Wide>(losses.masks[i], play) == t_ &&
                --count_[losses.ids[i]] == 0)
                uncover(losses.ids[i]);
        work_ += gains.ids.size() + losses.ids.size();
        return rest | ym;
    }

public:
    // Whether the play alone covers some combination (with the counts of the plays added).
    bool needed(NumberMask play) {
        work_ += masks_.size();
        for (std::size_t c = 0; c < masks_.size(); ++c)
            if (count_[c] == 1 && Common(masks_[c], play) >= t_) return true;
        return false;
    }

    // Per play, the combinations it alone covers.
    std::vector<std::uint64_t> alone(const std::vector<NumberMask>& plays) {
        std::vector<std::uint64_t> out(plays.size(), 0);
        for (std::size_t c = 0; c < masks_.size(); ++c) {
            if (count_[c] != 1) continue;
            for (std::size_t p = 0; p < plays.size(); ++p)
                if (Common(masks_[c], plays[p]) >= t_) {
                    ++out[p];
                    break;
                }
        }
        work_ += masks_.size() * plays.size();
        return out;
    }

private:
    static constexpr std::uint32_t Covered = 0xFFFFFFFFu;
    void cover(std::size_t c) {
        const std::uint32_t at = where_[c];
        const std::uint32_t last = uncovered_.back();
        uncovered_[at] = last;
        where_[last] = at;
        uncovered_.pop_back();
        where_[c] = Covered;
    }
    void uncover(std::size_t c) {
        where_[c] = static_cast<std::uint32_t>(uncovered_.size());
        uncovered_.push_back(static_cast<std::uint32_t>(c));
    }

    std::vector<NumberMask> masks_;
    std::vector<std::uint32_t> count_;
    std::vector<std::uint32_t> where_; // position in uncovered_, or Covered
    std::vector<std::uint32_t> uncovered_;
    struct Holders {
        std::vector<NumberMask> masks;
        std::vector<std::uint32_t> ids;
    };
    std::array<Holders, 91> byNumber_;
    int t_;
    bool wide_ = false;
    std::uint64_t work_ = 0;
};

double Uniform(RandomSource& random) {
    constexpr int Range = 1 << 30;
    return static_cast<double>(random.below(Range)) / Range;
}

class Annealing {
public:
    Annealing(Coverage& coverage, int t, int freeSize, int freeNumbers, RandomSource& random)
        : coverage_(coverage), t_(t), random_(random), cooling_(t <= 2 ? AmboCooling : Cooling) {
        neighbourhood_ = std::max(1, freeSize * std::max(1, freeNumbers - freeSize));
    }

    // Starts from a covering: it becomes the best, and one play is taken away.
    void begin(std::vector<NumberMask> covering) {
        best_ = std::move(covering);
        restart(true);
    }
    const std::vector<NumberMask>& best() const { return best_; }
    std::uint64_t moves() const { return moves_; }

    // One move; true when it reached a covering (then the new best, with one play fewer next).
    bool move() {
        if (coverage_.uncovered() == 0) return found();
        ++moves_;
        const NumberMask c = coverage_.combination(
            coverage_.uncoveredAt(static_cast<std::size_t>(random_.below(static_cast<int>(coverage_.uncovered())))));
        // A play one swap away from covering the combination, else any play moved towards it.
        near_.clear();
        for (std::size_t p = 0; p < plays_.size(); ++p)
            if (Common(plays_[p], c) == t_ - 1) near_.push_back(p);
        const std::size_t p = near_.empty()
                                  ? static_cast<std::size_t>(random_.below(static_cast<int>(plays_.size())))
                                  : near_[static_cast<std::size_t>(random_.below(static_cast<int>(near_.size())))];
        std::array<std::uint8_t, 90> out{}, in{};
        const int outs = NumbersOf(Without(plays_[p], c), out);
        const int ins = NumbersOf(Without(c, plays_[p]), in);
        const int x = out[static_cast<std::size_t>(random_.below(outs))];
        const int y = in[static_cast<std::size_t>(random_.below(ins))];
        const long d = coverage_.delta(plays_[p], x, y);
        if (d <= 0 || Uniform(random_) < std::exp(-static_cast<double>(d) / temperature_)) {
            plays_[p] = coverage_.swap(plays_[p], x, y);
        }
        if (++sinceLevel_ >= neighbourhood_) {
            sinceLevel_ = 0;
            temperature_ *= cooling_;
            if (temperature_ < FrozenTemperature) restart(false);
        }
        return coverage_.uncovered() == 0 && found();
    }

    // Whether a search can go on: not when the one play left covers everything, nor when no play
    // is left. A covering still to be recorded (a play taken away that was not needed) goes on:
    // the next move records it.
    bool searching() const { return !plays_.empty() && (coverage_.uncovered() > 0 || plays_.size() > 1); }

private:
    // A covering: the new best, without the plays it does not need, and one play fewer to go on.
    bool found() {
        prune();
        best_ = plays_;
        if (plays_.size() > 1) takeOne(true);
        return true;
    }

    // From the best system, with one play taken away and the temperature raised again: at the
    // start the play that matters least, at a restart one drawn at random.
    void restart(bool first) {
        plays_ = best_;
        coverage_.reset(plays_);
        temperature_ = StartTemperature;
        sinceLevel_ = 0;
        if (plays_.size() > 1) takeOne(first);
    }

    // Takes away the play leaving the fewest combinations uncovered (the first such), or one drawn
    // at random (always on large searches).
    void takeOne(bool least) {
        std::size_t drop = static_cast<std::size_t>(random_.below(static_cast<int>(plays_.size())));
        if (least && coverage_.size() * plays_.size() <= ChoiceWork) {
            const std::vector<std::uint64_t> alone = coverage_.alone(plays_);
            drop = static_cast<std::size_t>(std::min_element(alone.begin(), alone.end()) - alone.begin());
        }
        coverage_.remove(plays_[drop]);
        plays_.erase(plays_.begin() + static_cast<std::ptrdiff_t>(drop));
    }

    // Drops the plays a covering does not need.
    void prune() {
        if (coverage_.size() * plays_.size() > ChoiceWork) return;
        for (;;) {
            const std::vector<std::uint64_t> alone = coverage_.alone(plays_);
            const auto idle = std::find(alone.begin(), alone.end(), std::uint64_t{0});
            if (idle == alone.end() || plays_.size() <= 1) return;
            const std::size_t drop = static_cast<std::size_t>(idle - alone.begin());
            coverage_.remove(plays_[drop]);
            plays_.erase(plays_.begin() + static_cast<std::ptrdiff_t>(drop));
        }
    }

    Coverage& coverage_;
    int t_;
    RandomSource& random_;
    double cooling_;
    int neighbourhood_ = 1;
    std::vector<NumberMask> best_;
    std::vector<NumberMask> plays_;
    std::vector<std::size_t> near_;
    double temperature_ = StartTemperature;
    int sinceLevel_ = 0;
    std::uint64_t moves_ = 0;
};

// The covering without the plays it does not need: each play in turn is taken away when every
// combination it covers is covered by another play still there. One pass is enough, as taking a
// play away never makes another one unneeded.
std::vector<NumberMask> Minimal(Coverage& coverage, const std::vector<NumberMask>& covering) {
    coverage.reset(covering);
    std::vector<NumberMask> kept;
    for (std::size_t i = 0; i < covering.size(); ++i) {
        const bool others = kept.size() + (covering.size() - i - 1) > 0;
        if (others && !coverage.needed(covering[i]))
            coverage.remove(covering[i]);
        else
            kept.push_back(covering[i]);
    }
    return kept;
}

// Numbers of the forecast to their positions 1..M in it and back.
class Positions {
public:
    explicit Positions(const std::vector<std::uint8_t>& forecast) {
        for (std::size_t i = 0; i < forecast.size(); ++i) {
            position_[forecast[i]] = static_cast<std::uint8_t>(i + 1);
            number_[i + 1] = forecast[i];
        }
    }
    NumberMask of(NumberMask numbers) const { return Map(numbers, position_); }
    NumberMask numbers(NumberMask positions) const { return Map(positions, number_); }

private:
    static NumberMask Map(NumberMask m, const std::array<std::uint8_t, 91>& to) {
        std::array<std::uint8_t, 90> from{};
        const int k = NumbersOf(m, from);
        NumberMask out;
        for (int i = 0; i < k; ++i) out.add(to[from[static_cast<std::size_t>(i)]]);
        return out;
    }
    std::array<std::uint8_t, 91> position_{};
    std::array<std::uint8_t, 91> number_{};
};

std::vector<Play> PlaysOf(const std::vector<NumberMask>& masks, const GuaranteedRequest& request) {
    std::vector<Play> out;
    for (const NumberMask& m : masks) {
        Play p;
        p.wheels = request.play.wheels;
        p.stakes = request.play.stakes;
        std::array<std::uint8_t, 90> numbers{};
        const int k = NumbersOf(m, numbers);
        for (int i = 0; i < k && i < Play::MaxNumbers; ++i)
            p.numbers[static_cast<std::size_t>(i)] = numbers[static_cast<std::size_t>(i)];
        out.push_back(p);
    }
    std::sort(out.begin(), out.end(), [](const Play& a, const Play& b) { return a.numbers < b.numbers; });
    return out;
}

} // namespace

bool KeepsGuarantee(std::span<const Play> committed, const GuaranteedRequest& request, std::span<const Play> plays) {
    const int n = request.play.size;
    if (n < 1 || n > Play::MaxNumbers) return false;
    const std::vector<std::uint8_t> forecast = AscendingForecast(request.play.forecast);
    const std::vector<std::uint8_t> fixed = DistinctFixed(request.play.fixed);
    const NumberMask forecastMask = NumberMask::Of(forecast), fixedMask = NumberMask::Of(fixed);
    const int t = GuaranteeThreshold(n, request.score);
    std::vector<NumberMask> cover;
    for (const Play& p : plays) {
        const NumberMask m = MaskOf(p);
        int filled = 0;
        for (std::uint8_t x : p.numbers) filled += x != 0;
        if (filled != n || m.count() != n || Without(m, forecastMask).count() != 0 ||
            Without(fixedMask, m).count() != 0 || p.wheels != request.play.wheels || p.stakes != request.play.stakes)
            return false;
        cover.push_back(m);
    }
    for (const NumberMask& m : CoveringCommitted(committed, request)) cover.push_back(m);
    CombinationEnumerator e;
    if (!e.start(forecast, n, fixed)) return true; // no combination to cover
    do {
        const NumberMask c = NumberMask::Of(std::span<const std::uint8_t>(e.numbers(), static_cast<std::size_t>(n)));
        if (!CoveredBy(c, cover, t)) return false;
    } while (e.next());
    return true;
}

CoveringResult OptimiseCovering(std::span<const Play> committed, const GuaranteedRequest& request,
                                std::span<const Play> start, std::int64_t budgetMs, Clock& clock, RandomSource& random,
                                const Progress& progress) {
    const std::int64_t begun = clock.milliseconds();
    CoveringResult out;
    out.greedyCount = static_cast<int>(start.size());
    out.lowerBound = out.greedyCount;
    out.plays.assign(start.begin(), start.end());
    const int n = request.play.size;
    if (start.size() <= 1 || n < 1 || n > Play::MaxNumbers || budgetMs <= 0) return out;

    const std::vector<std::uint8_t> forecast = AscendingForecast(request.play.forecast);
    const std::vector<std::uint8_t> fixed = DistinctFixed(request.play.fixed);
    const NumberMask fixedMask = NumberMask::Of(fixed);
    const int t = GuaranteeThreshold(n, request.score);
    const std::vector<NumberMask> committedCover = CoveringCommitted(committed, request);

    CombinationEnumerator e;
    if (!e.start(forecast, n, fixed)) return out;
    if (e.count() > CoveringCombinationLimit ||
        e.count() * (start.size() + committedCover.size() + 1) > CoveringCheckLimit) {
        out.status = CoveringStatus::TooLarge;
        return out;
    }
    // The search works on the positions 1..M of the numbers in the forecast, so that forecasts
    // of up to 64 numbers take masks of one word.
    const Positions positions(forecast);
    std::vector<NumberMask> open;
    do {
        const NumberMask c = NumberMask::Of(std::span<const std::uint8_t>(e.numbers(), static_cast<std::size_t>(n)));
        if (!CoveredBy(c, committedCover, t)) open.push_back(positions.of(c));
    } while (e.next());

    // No play of N numbers holding the fixed ones covers more combinations than `most`.
    const int f = static_cast<int>(fixed.size());
    const int freeSize = n - f, freeNumbers = static_cast<int>(forecast.size()) - f;
    double most = 0;
    for (int j = std::max(0, t - f); j <= freeSize; ++j)
        most += static_cast<double>(Binomial(freeSize, j)) *
                static_cast<double>(Binomial(freeNumbers - freeSize, freeSize - j));
    out.lowerBound =
        open.empty() ? 0 : std::max(1, static_cast<int>(std::ceil(static_cast<double>(open.size()) / most - 1e-9)));
    if (out.greedyCount <= out.lowerBound) return out;

    ProgressTicker ticker(progress, static_cast<std::uint64_t>(std::max<std::int64_t>(0, budgetMs)));
    ticker.setFound(start.size());
    bool stopped = !ticker.report();
    Coverage coverage(std::move(open), positions.of(fixedMask), t);
    std::vector<NumberMask> covering;
    for (const Play& p : start) covering.push_back(positions.of(MaskOf(p)));
    Annealing annealing(coverage, t, freeSize, freeNumbers, random);
    annealing.begin(covering);

    std::uint64_t nextReading = coverage.work() + ClockWork;
    while (!stopped) {
        if (coverage.work() >= nextReading || !annealing.searching()) {
            nextReading = coverage.work() + ClockWork;
            const std::int64_t spent = clock.milliseconds() - begun;
            ticker.setDone(
                static_cast<std::uint64_t>(std::clamp<std::int64_t>(spent, 0, std::max<std::int64_t>(0, budgetMs))));
            ticker.setFound(annealing.best().size());
            if (!ticker.report()) {
                stopped = true;
                break;
            }
            if (spent >= budgetMs || !annealing.searching()) break;
        }
        if (annealing.move() && static_cast<int>(annealing.best().size()) <= out.lowerBound) break;
    }
    out.moves = annealing.moves();
    if (stopped) {
        out.outcome = RunOutcome::Interrupted;
        out.plays.clear();
        return out;
    }
    const std::vector<NumberMask> minimal = Minimal(coverage, annealing.best());
    if (static_cast<int>(minimal.size()) < out.greedyCount) {
        std::vector<NumberMask> best;
        for (const NumberMask& m : minimal) best.push_back(positions.numbers(m));
        std::vector<Play> found = PlaysOf(best, request);
        if (KeepsGuarantee(committed, request, found)) {
            out.plays = std::move(found);
            out.status = CoveringStatus::Improved;
        }
    }
    return out;
}

CoveringResult ReduceToGuaranteeOptimised(std::span<const Play> committed, const GuaranteedRequest& request,
                                          std::int64_t budgetMs, Clock& clock, RandomSource& random,
                                          const Progress& greedyProgress, const Progress& searchProgress, int room) {
    GuaranteedPlays greedy = ReduceToGuarantee(committed, request, greedyProgress, room);
    if (greedy.outcome != RunOutcome::Completed) {
        CoveringResult out;
        out.outcome = greedy.outcome;
        return out;
    }
    return OptimiseCovering(committed, request, greedy.plays, budgetMs, clock, random, searchProgress);
}

OptimisedRun ReduceGuaranteedOptimised(PlayList& list, const GuaranteedRequest& request, std::int64_t budgetMs,
                                       Clock& clock, RandomSource& random, const Progress& greedyProgress,
                                       const Progress& searchProgress) {
    const int base = list.count();
    CoveringResult r =
        ReduceToGuaranteeOptimised(std::span<const Play>(list.data(), static_cast<std::size_t>(base)), request,
                                   budgetMs, clock, random, greedyProgress, searchProgress, PlayList::Capacity - base);
    OptimisedRun run;
    run.outcome = r.outcome;
    run.status = r.status;
    run.greedy = r.greedyCount;
    if (r.outcome != RunOutcome::Completed) return run;
    for (std::size_t i = 0; i < r.plays.size(); ++i) list.play(base + 1 + static_cast<int>(i)) = r.plays[i];
    list.setCount(base + static_cast<int>(r.plays.size()));
    run.added = static_cast<int>(r.plays.size());
    return run;
}

} // namespace numora
