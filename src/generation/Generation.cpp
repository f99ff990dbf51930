#include "generation/Generation.h"

#include "core/Combinations.h"
#include "core/PlayIndex.h"
#include "core/PlayList.h"
#include "core/Random.h"
#include "probability/NumberProbability.h"
#include "stats/DrawWindow.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace numora {

namespace {

bool InList(std::span<const std::uint8_t> list, std::uint8_t n) {
    return std::find(list.begin(), list.end(), n) != list.end();
}

// The kept slots of ExtractBestPlays once they are all filled: the smallest score and the first
// slot holding it, kept in a tournament tree so that replacing one slot costs log M instead of a
// rescan of every slot. It answers what the rescan from the start value 10000000 answers: a slot
// becomes the worst only with a score strictly below the start value.
class WorstSlot {
public:
    static constexpr double StartValue = 10000000;

    void build(const std::vector<double>& scores) {
        n_ = scores.size();
        size_ = 1;
        while (size_ < n_) size_ *= 2;
        tree_.assign(2 * size_, Leaf{std::numeric_limits<double>::infinity(), 0});
        for (std::size_t i = 0; i < n_; ++i) tree_[size_ + i] = Leaf{scores[i], i};
        for (std::size_t i = size_ - 1; i >= 1; --i) tree_[i] = Better(tree_[2 * i], tree_[2 * i + 1]);
        settle();
    }
    void update(std::size_t slot, double score) {
        std::size_t i = size_ + slot;
        tree_[i].score = score;
        for (i /= 2; i >= 1; i /= 2) tree_[i] = Better(tree_[2 * i], tree_[2 * i + 1]);
        settle();
    }
    double score() const { return worst_; }
    std::size_t slot() const { return slot_; }

private:
    struct Leaf {
        double score;
        std::size_t slot;
    };
    // The smaller score; of equal scores the lower slot (the left child holds the lower slots).
    static Leaf Better(const Leaf& a, const Leaf& b) { return b.score < a.score ? b : a; }
    void settle() {
        worst_ = StartValue;
        if (tree_[1].score < StartValue) {
            worst_ = tree_[1].score;
            slot_ = tree_[1].slot;
        }
    }

    std::vector<Leaf> tree_;
    std::size_t n_ = 0;
    std::size_t size_ = 1;
    double worst_ = StartValue;
    std::size_t slot_ = 0;
};

// The selection of ExtractBestPlays: offer() takes each candidate's score and, only when it can
// enter, its numbers.
class Selection {
public:
    Selection(PlayList& list, int plays, std::uint16_t wheels)
        : list_(list), base_(list.count()), m_(static_cast<std::size_t>(plays)), wheels_(wheels),
          scores_(static_cast<std::size_t>(plays), 0.0) {
        if (base_ > 0) committed_.build(list, 1, base_);
    }

    // Whether a candidate with this score would be looked at further: above 0, and above the worst
    // kept score once every slot is taken.
    bool mayEnter(double s) const { return s > threshold(); }
    // The score a candidate must pass (every kept score is above 0, so the worst one is too).
    double threshold() const { return j_ < m_ ? 0.0 : worst_.score(); }

    template <typename WriteNumbers> void offer(double s, WriteNumbers&& write) {
        if (!mayEnter(s)) return;
        Play candidate;
        write(candidate.numbers.data());
        candidate.wheels = wheels_;
        if (base_ > 0 && committed_.contains(candidate)) return;
        std::size_t slot;
        if (j_ < m_) {
            slot = j_++;
        } else {
            slot = worst_.slot();
        }
        candidate.stakes[0] = s; // the score waits in the estratto stake until the commit
        list_.play(base_ + 1 + static_cast<int>(slot)) = candidate;
        scores_[slot] = s;
        if (j_ == m_) {
            if (!treeBuilt_) {
                worst_.build(scores_);
                treeBuilt_ = true;
            } else {
                worst_.update(slot, s);
            }
        }
    }

    int kept() const { return static_cast<int>(j_); }

    void commit(const std::array<double, 5>& stakes) {
        for (std::size_t s = 0; s < j_; ++s) {
            Play& p = list_.play(base_ + 1 + static_cast<int>(s));
            p.stakes = stakes;
            p.wheels = wheels_;
        }
        list_.setCount(base_ + static_cast<int>(j_));
    }

private:
    PlayList& list_;
    int base_;
    std::size_t m_;
    std::uint16_t wheels_;
    std::vector<double> scores_;
    std::size_t j_ = 0;
    PlayIndex committed_;
    WorstSlot worst_;
    bool treeBuilt_ = false;
};

// The gauge points of the extraction: one every `interval` combinations of the lexicographic
// order, reported with done = the point, as the literal enumeration reports them. Points inside
// combinations the search scores are all reported. Inside a skipped subtree only the first point
// of each new percentage is reported: the gauge passes through the same percentages in the same
// order, the run can still be stopped there, and a skipped stretch costs at most a hundred calls.
class PointProgress {
public:
    PointProgress(const Progress& progress, std::uint64_t total)
        : callback_(progress.callback), interval_(progress.interval == 0 ? 1 : progress.interval), total_(total),
          next_(interval_) {}

    bool visited(std::uint64_t count) {
        position_ += count;
        if (!callback_) return true;
        for (; next_ <= position_; next_ += interval_)
            if (!report(next_)) return false;
        return true;
    }

    bool skipped(std::uint64_t count) {
        position_ += count;
        if (!callback_) return true;
        while (next_ <= position_) {
            if (Percent(next_) != lastPercent_) {
                if (!report(next_)) return false;
                next_ += interval_;
            } else {
                next_ = std::max(next_ + interval_, FirstPointAbove(lastPercent_));
            }
        }
        return true;
    }

private:
    // The gauge's reading: round(done / total x 100).
    long Percent(std::uint64_t done) const {
        return std::lround(static_cast<double>(done) / static_cast<double>(total_) * 100.0);
    }
    // The first point whose percentage passes `percent` (the percentage never falls as done grows).
    std::uint64_t FirstPointAbove(long percent) const {
        if (percent >= 100) return std::numeric_limits<std::uint64_t>::max();
        const double guess = (static_cast<double>(percent) + 0.5) / 100.0 * static_cast<double>(total_);
        std::uint64_t m = std::max<std::uint64_t>(interval_, static_cast<std::uint64_t>(guess) / interval_ * interval_);
        while (m > interval_ && Percent(m - interval_) > percent) m -= interval_;
        while (Percent(m) <= percent) m += interval_;
        return m;
    }
    bool report(std::uint64_t done) {
        lastPercent_ = Percent(done);
        ProgressStatus status;
        status.done = done;
        status.total = total_;
        return callback_(status);
    }

    ProgressCallback callback_;
    std::uint64_t interval_;
    std::uint64_t total_;
    std::uint64_t next_;
    std::uint64_t position_ = 0;
    long lastPercent_ = -1;
};

// The lexicographic enumeration of ExtractBestPlays without fixed numbers, as a branch and bound.
// The sums of the leading numbers are carried down, so a step adds only the terms of the number it
// chooses, in the same order as a full sum; the last number runs along a row, where a candidate
// costs its two additions and one comparison with the score it must beat. Before choosing a number
// at some depth the search bounds the best score of every completion from there on; when the bound
// does not pass the score a candidate must beat, the rest of that loop is skipped. The score to
// beat never falls and nothing enters while a subtree is skipped, so the kept plays, their slots
// and their order are those of the full enumeration.
template <bool Mean> class BestPlaySearch {
public:
    BestPlaySearch(const std::vector<std::uint8_t>& forecast, int k, const PlayScore& score, Selection& selection,
                   const Progress& progress)
        : forecast_(forecast), n_(static_cast<int>(forecast.size())), k_(k), last_(k - 1), divisor_(score.divisor),
          selection_(selection), progress_(progress, Binomial(n_, k)) {
        bool finite = true;
        for (int p = 0; p < n_; ++p) {
            const std::size_t at = forecast[static_cast<std::size_t>(p)];
            first_[static_cast<std::size_t>(p)] = score.first[at];
            second_[static_cast<std::size_t>(p)] = Mean ? 0.0 : score.second[at];
            finite = finite && std::isfinite(first_[static_cast<std::size_t>(p)]) &&
                     std::isfinite(second_[static_cast<std::size_t>(p)]);
        }
        prune_ = finite && (!Mean || divisor_ > 0);
        if (prune_) prepareBounds();
        threshold_ = selection_.threshold();
    }

    // False when the run was stopped.
    bool run() { return last_ == 0 ? row(0, 0.0, 0.0) : descend(0, 0, 0.0, 0.0); }

private:
    static constexpr std::size_t At(int i) { return static_cast<std::size_t>(i); }

    // Per start position q: the largest single terms from q on (the term a later step can add is
    // at most the one of its earliest possible position), and the r largest summed terms from q on.
    void prepareBounds() {
        for (int m = 0; m <= 90; ++m) {
            binomial_[At(m)][0] = 1;
            for (int r = 1; r <= 10; ++r)
                binomial_[At(m)][At(r)] = m == 0 ? 0 : binomial_[At(m - 1)][At(r - 1)] + binomial_[At(m - 1)][At(r)];
        }
        std::array<double, 90> terms{};
        double maxFirst = -std::numeric_limits<double>::infinity(), maxSecond = maxFirst, maxAbs = 0;
        for (int q = n_ - 1; q >= 0; --q) {
            maxFirst = std::max(maxFirst, first_[At(q)]);
            maxSecond = std::max(maxSecond, second_[At(q)]);
            maxAbs = std::max(maxAbs, std::fabs(first_[At(q)]) + std::fabs(second_[At(q)]));
            suffixFirst_[At(q)] = maxFirst;
            suffixSecond_[At(q)] = maxSecond;
            suffixAbs_[At(q)] = maxAbs;
            const int count = n_ - q;
            for (int p = q; p < n_; ++p) terms[At(p - q)] = first_[At(p)] + second_[At(p)];
            const int wanted = std::min(count, k_);
            std::partial_sort(terms.begin(), terms.begin() + wanted, terms.begin() + count, std::greater<>());
            double sum = 0;
            for (int r = 1; r <= wanted; ++r) {
                sum += terms[At(r - 1)];
                best_[At(r)][At(q)] = sum;
            }
        }
    }

    // At least the score of every candidate that adds r numbers from position q on to the leading
    // sums a and b, as computed. Two bounds, the smaller wins: the same additions with each term
    // replaced by the largest it could be (exact, as rounding never reverses an order; tight when
    // the terms are equal), and the real sum of the best terms plus a margin far above the
    // rounding error of r + 2 operations on numbers of that size.
    double bound(double a, double b, int q, int r) const {
        double sa = a, sb = b;
        for (int j = 0; j < r; ++j) {
            sa += suffixFirst_[At(q + j)];
            if constexpr (!Mean) sb += suffixSecond_[At(q + j)];
        }
        const double stepwise = Mean ? sa / divisor_ : sa + sb;
        const double magnitude = std::fabs(a) + std::fabs(b) + r * suffixAbs_[At(q)];
        const double real = (a + b) + best_[At(r)][At(q)] + magnitude * Slack;
        const double margin = Mean ? real / divisor_ : real;
        return margin < stepwise ? margin : stepwise;
    }

    bool descend(int depth, int from, double a, double b) {
        const int r = k_ - depth;
        for (int p = from; p <= n_ - r; ++p) {
            if (prune_ && bound(a, b, p, r) <= threshold_) return progress_.skipped(binomial_[At(n_ - p)][At(r)]);
            idx_[At(depth)] = p;
            const double na = a + first_[At(p)];
            const double nb = b + second_[At(p)];
            if (!(depth + 1 == last_ ? row(p + 1, na, nb) : descend(depth + 1, p + 1, na, nb))) return false;
        }
        return true;
    }

    bool row(int from, double pa, double pb) {
        if (prune_ && bound(pa, pb, from, 1) <= threshold_)
            return progress_.skipped(static_cast<std::uint64_t>(n_ - from));
        for (int p = from; p < n_; ++p) {
            const double s = Mean ? (pa + first_[At(p)]) / divisor_ : (pa + first_[At(p)]) + (pb + second_[At(p)]);
            if (s > threshold_) {
                idx_[At(last_)] = p;
                selection_.offer(s, [&](std::uint8_t* out) {
                    for (int i = 0; i < k_ && i < 10; ++i) out[i] = forecast_[At(idx_[At(i)])];
                });
                threshold_ = selection_.threshold();
                if (prune_ && p + 1 < n_ && bound(pa, pb, p + 1, 1) <= threshold_) break;
            }
        }
        return progress_.visited(static_cast<std::uint64_t>(n_ - from));
    }

    static constexpr double Slack = 1e-13;

    const std::vector<std::uint8_t>& forecast_;
    int n_, k_, last_;
    double divisor_;
    Selection& selection_;
    PointProgress progress_;
    bool prune_ = false;
    double threshold_ = 0;
    std::array<int, 90> idx_{};
    std::array<double, 90> first_{}, second_{};
    std::array<double, 90> suffixFirst_{}, suffixSecond_{}, suffixAbs_{};
    std::array<std::array<double, 90>, 11> best_{};
    std::array<std::array<std::uint64_t, 11>, 91> binomial_{};
};

} // namespace

bool WheelUsed(std::uint16_t mask, int wheel) {
    if (wheel == 11) return (mask & (1u << 10)) != 0;
    return (mask & (1u << (wheel - 1))) != 0 || (mask & (1u << 11)) != 0;
}

int UsedWheelCount(std::uint16_t mask) {
    int w = 0;
    for (int wheel = 1; wheel <= 11; ++wheel) w += WheelUsed(mask, wheel) ? 1 : 0;
    return w;
}

const char* ReadScoreCriteria(const ScoreCriteriaTexts& t, ScoreCriteria& c) {
    c = ScoreCriteria{};
    c.delayOn = t.delayOn;
    c.frequencyOn = t.frequencyOn;
    c.dlo = c.dhi = c.fmost = c.fleast = 0;
    auto percentage = [](const std::string& text, int& v) { return ParseFieldInteger(text, v) && v >= 0 && v <= 100; };
    if (t.delayOn) {
        if (!percentage(t.dlo, c.dlo)) return InvalidDloMessage;
        if (!percentage(t.dhi, c.dhi)) return InvalidDhiMessage;
        if (c.dlo > c.dhi) return MinAboveMaxMessage;
    }
    if (t.frequencyOn) {
        if (!percentage(t.fmost, c.fmost)) return InvalidFmostMessage;
        if (!percentage(t.fleast, c.fleast)) return InvalidFleastMessage;
        if (c.fmost > c.fleast) return MinAboveMaxMessage;
    }
    if (c.dhi + c.fleast > 100) return MaximaAbove100Message;
    if (c.dhi + c.fleast <= c.dlo + c.fmost) return MaximaNotAboveMinimaMessage;
    return nullptr;
}

bool ReadPlayCount(std::string_view text, int& plays) {
    return ParseFieldInteger(text, plays) && plays >= 1;
}

PlayScore DelayFrequencyScore(std::span<const std::uint8_t> forecast, int size, std::uint16_t wheels,
                              const ScoreCriteria& c, const DelayTable& delays, const FrequencyTable& frequencies) {
    PlayScore score;
    if (size < 1) return score;
    const int w = UsedWheelCount(wheels);
    std::array<std::int64_t, 91> d{};
    std::array<std::int64_t, 91> f{};
    std::int64_t minD = 100000000, maxD = -1, minF = 100000000, maxF = -1;
    for (std::uint8_t n : forecast) {
        if (n < 1 || n > 90) continue;
        std::int64_t delay = std::numeric_limits<std::int64_t>::max();
        std::int64_t sum = 0;
        for (int wheel = 1; wheel <= 11; ++wheel) {
            if (!WheelUsed(wheels, wheel)) continue;
            delay = std::min<std::int64_t>(delay, delays.at(wheel, n));
            const std::int64_t single = frequencies.at(wheel, n);
            sum += single;
            minF = std::min(minF, single);
            maxF = std::max(maxF, single);
        }
        d[n] = delay;
        f[n] = sum;
        minD = std::min(minD, delay);
        maxD = std::max(maxD, delay);
    }
    minF *= w;
    maxF *= w;
    const double k = size;
    for (std::uint8_t n : forecast) {
        if (n < 1 || n > 90) continue;
        if (c.delayOn) {
            const double num = static_cast<double>(static_cast<std::int64_t>(c.dhi - c.dlo) * (d[n] - minD));
            const double frac = maxD == minD ? 0.0 : num / static_cast<double>(maxD - minD);
            score.first[n] = (c.dlo + frac) / k;
        }
        if (c.frequencyOn) {
            const double num = static_cast<double>(static_cast<std::int64_t>(c.fleast - c.fmost) * (maxF - f[n]));
            const double frac = maxF == minF ? 0.0 : num / static_cast<double>(maxF - minF);
            score.second[n] = (c.fmost + frac) / k;
        }
    }
    return score;
}

PlayScore CustomProbabilityScore(const std::array<double, 90>& probabilities, int size) {
    PlayScore score;
    for (int n = 1; n <= 90; ++n)
        score.first[static_cast<std::size_t>(n)] = probabilities[static_cast<std::size_t>(n - 1)];
    score.divisor = size;
    return score;
}

double PlayCountOf(int n, int k) {
    if (k < 0 || k > n) return 0;
    double c = 1;
    for (int i = k + 1; i <= n; ++i) c *= i;
    for (int i = 1; i <= n - k; ++i) c /= i;
    return c;
}

RunResult ExtractBestPlays(PlayList& list, const PlayRequest& request, int plays, const PlayScore& score,
                           const Progress& progress) {
    RunResult result;
    if (plays < 1) return result;
    if (static_cast<long long>(list.count()) + plays > PlayList::Capacity) {
        result.outcome = RunOutcome::ListFull;
        return result;
    }
    const std::vector<std::uint8_t> forecast = AscendingForecast(request.forecast);
    const std::vector<std::uint8_t> fixed = DistinctFixed(request.fixed);
    const int n = static_cast<int>(forecast.size());
    const int k = request.size;
    Selection selection(list, plays, request.wheels);
    const bool mean = score.divisor != 0;
    auto join = [&](double a, double b) { return mean ? a / score.divisor : a + b; };

    if (k == 1) {
        // One number per play: every forecast number in turn, without progress.
        for (std::uint8_t v : forecast) {
            if (!fixed.empty() && !(fixed.size() == 1 && fixed[0] == v)) continue;
            const double s = join(0.0 + score.first[v], 0.0 + score.second[v]);
            selection.offer(s, [v](std::uint8_t* out) { out[0] = v; });
        }
    } else if (k >= 2 && k <= n && fixed.empty()) {
        if (!(mean ? BestPlaySearch<true>(forecast, k, score, selection, progress).run()
                   : BestPlaySearch<false>(forecast, k, score, selection, progress).run())) {
            result.outcome = RunOutcome::Interrupted;
            return result;
        }
    } else if (k >= 2) {
        // With fixed numbers only the combinations holding them all can score above 0; they are
        // visited in the same order, each summed afresh in ascending order.
        CombinationEnumerator e;
        if (e.start(forecast, k, fixed)) {
            ProgressTicker ticker(progress, e.count());
            std::array<std::uint8_t, 90> sorted{};
            do {
                e.sorted(sorted.data());
                double sa = 0, sb = 0;
                for (int i = 0; i < k; ++i) {
                    sa += score.first[sorted[static_cast<std::size_t>(i)]];
                    sb += score.second[sorted[static_cast<std::size_t>(i)]];
                }
                selection.offer(join(sa, sb), [&](std::uint8_t* out) {
                    for (int i = 0; i < k && i < 10; ++i) out[i] = sorted[static_cast<std::size_t>(i)];
                });
                if (!ticker.step()) {
                    result.outcome = RunOutcome::Interrupted;
                    return result;
                }
            } while (e.next());
        }
    }
    selection.commit(request.stakes);
    result.added = selection.kept();
    return result;
}

RunResult ExtractRandomPlays(PlayList& list, const PlayRequest& request, int plays, RandomSource& random,
                             const Progress& progress) {
    RunResult result;
    if (plays < 1) return result;
    const int base = list.count();
    if (static_cast<long long>(base) + plays > PlayList::Capacity) {
        result.outcome = RunOutcome::ListFull;
        return result;
    }
    const std::vector<std::uint8_t> forecast = AscendingForecast(request.forecast);
    const int n = static_cast<int>(forecast.size());
    const int k = request.size;
    const int f = static_cast<int>(request.fixed.size());
    // Enough distinct numbers for every play, or the draws below would never end.
    int available = f;
    for (std::uint8_t v : forecast) available += InList(request.fixed, v) ? 0 : 1;
    if (k < 1 || k > Play::MaxNumbers || f > k || n < 1 || available < k) return result;

    // One index for both kinds of repeat: the committed plays and the plays of this run.
    PlayIndex seen(list, 1, base);
    seen.reserve(base + plays);
    ProgressTicker ticker(Progress{progress.callback, 1}, static_cast<std::uint64_t>(plays));
    Play templ;
    templ.wheels = request.wheels;
    templ.stakes = request.stakes;
    int added = 0;
    int repeats = 0;
    do {
        Play c = templ;
        for (int i = 0; i < f; ++i) c.numbers[static_cast<std::size_t>(i)] = request.fixed[static_cast<std::size_t>(i)];
        int i = f;
        while (i < k) {
            const std::uint8_t x = forecast[static_cast<std::size_t>(random.below(n))];
            if (std::find(c.numbers.begin(), c.numbers.begin() + i, x) != c.numbers.begin() + i) continue;
            c.numbers[static_cast<std::size_t>(i++)] = x;
        }
        std::sort(c.numbers.begin(), c.numbers.begin() + k);
        if (seen.contains(c)) {
            ++repeats;
        } else {
            ++added;
            list.play(base + added) = c;
            seen.insert(c, base + added);
            repeats = 0;
        }
        ticker.setDone(static_cast<std::uint64_t>(added));
        ticker.setFound(static_cast<std::uint64_t>(added));
        if (!ticker.report()) {
            result.outcome = RunOutcome::Interrupted;
            return result;
        }
    } while (added < plays && repeats <= RandomRepeatLimit);
    list.setCount(base + added);
    result.added = added;
    return result;
}

bool EliminateRandomPlays(PlayList& list, int plays, RandomSource& random) {
    const int p = list.count();
    if (plays < 1 || plays > p) return false;
    if (plays == p) {
        list.setCount(0);
        return true;
    }
    // Removing position i of the current list is removing the i-th play still there; a Fenwick
    // tree over the original positions finds it in log P, and the survivors move once at the end.
    std::vector<int> tree(static_cast<std::size_t>(p) + 1, 0);
    for (int i = 1; i <= p; ++i) {
        tree[static_cast<std::size_t>(i)] += 1;
        const int up = i + (i & -i);
        if (up <= p) tree[static_cast<std::size_t>(up)] += tree[static_cast<std::size_t>(i)];
    }
    int top = 1;
    while (top * 2 <= p) top *= 2;
    std::vector<bool> removed(static_cast<std::size_t>(p) + 1, false);
    int current = p;
    for (int e = 0; e < plays; ++e) {
        int rank = random.below(current) + 1;
        int pos = 0;
        for (int step = top; step > 0; step /= 2) {
            const int next = pos + step;
            if (next <= p && tree[static_cast<std::size_t>(next)] < rank) {
                pos = next;
                rank -= tree[static_cast<std::size_t>(next)];
            }
        }
        const int victim = pos + 1;
        removed[static_cast<std::size_t>(victim)] = true;
        for (int i = victim; i <= p; i += i & -i) tree[static_cast<std::size_t>(i)] -= 1;
        --current;
    }
    int out = 0;
    for (int i = 1; i <= p; ++i)
        if (!removed[static_cast<std::size_t>(i)]) {
            ++out;
            if (out != i) list.play(out) = list.play(i);
        }
    list.setCount(out);
    return true;
}

bool CandidatePasses(const Play& candidate, std::span<const std::uint8_t> fixed, const PlayIndex& committed) {
    if (!fixed.empty()) {
        std::size_t pairs = 0;
        for (std::uint8_t v : candidate.numbers) {
            if (v == 0) continue;
            for (std::uint8_t x : fixed) pairs += v == x ? 1 : 0;
        }
        if (pairs < fixed.size()) return false;
    }
    return committed.size() == 0 || !committed.contains(candidate);
}

RunResult DevelopIntegral(PlayList& list, const PlayRequest& request, const Progress& progress) {
    RunResult result;
    const int base = list.count();
    const std::vector<std::uint8_t> forecast = AscendingForecast(request.forecast);
    const std::vector<std::uint8_t> fixed = DistinctFixed(request.fixed);
    const int k = request.size;
    CombinationEnumerator e;
    // Only the combinations holding every fixed number are visited: the others fail the test.
    if (!e.start(forecast, k, fixed)) return result;
    PlayIndex committed;
    if (base > 0) committed.build(list, 1, base);
    Play candidate;
    candidate.stakes = request.stakes;
    candidate.wheels = request.wheels;
    ProgressTicker ticker(k >= 2 ? progress : Progress{}, e.count());
    int added = 0;
    do {
        e.writeTo(candidate);
        if (base == 0 || !committed.contains(candidate)) {
            if (base + added >= PlayList::Capacity) {
                result.outcome = RunOutcome::ListFull;
                return result;
            }
            ++added;
            list.play(base + added) = candidate;
        }
        ticker.setFound(static_cast<std::uint64_t>(added));
        if (!ticker.step()) {
            result.outcome = RunOutcome::Interrupted;
            return result;
        }
    } while (e.next());
    list.setCount(base + added);
    result.added = added;
    return result;
}

} // namespace numora
