#include "reduction/GuaranteedReduction.h"

#include "core/Combinations.h"
#include "reduction/NumberMask.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace numora {

namespace {

// Calls f with the mask of every t-subset of numbers[0..count-1].
template <typename F> void ForEachSubset(const std::uint8_t* numbers, int count, int t, F&& f) {
    if (t < 1 || t > count) return;
    std::array<int, 10> idx{};
    for (int k = 0; k < t; ++k) idx[static_cast<std::size_t>(k)] = k;
    for (;;) {
        NumberMask m;
        for (int k = 0; k < t; ++k) m.add(numbers[idx[static_cast<std::size_t>(k)]]);
        f(m);
        int i = t - 1;
        while (i >= 0 && idx[static_cast<std::size_t>(i)] == count - t + i) --i;
        if (i < 0) return;
        ++idx[static_cast<std::size_t>(i)];
        for (int k = i + 1; k < t; ++k) idx[static_cast<std::size_t>(k)] = idx[static_cast<std::size_t>(k - 1)] + 1;
    }
}

// A set of number masks, open addressing with linear probing; the empty mask marks a free slot
// (no subset of a play is empty).
class MaskSet {
public:
    bool contains(NumberMask m) const {
        if (slots_.empty()) return false;
        for (std::size_t i = Hash(m) & mask_;; i = (i + 1) & mask_) {
            const NumberMask& s = slots_[i];
            if (s == m) return true;
            if (s.empty()) return false;
        }
    }
    void insert(NumberMask m) {
        if ((size_ + 1) * 2 > slots_.size()) grow();
        for (std::size_t i = Hash(m) & mask_;; i = (i + 1) & mask_) {
            NumberMask& s = slots_[i];
            if (s == m) return;
            if (s.empty()) {
                s = m;
                ++size_;
                return;
            }
        }
    }
    std::size_t size() const { return size_; }
    void clear() {
        slots_.clear();
        slots_.shrink_to_fit();
        size_ = 0;
        mask_ = 0;
    }

private:
    static std::size_t Hash(NumberMask m) {
        std::uint64_t x = m.lo * 0x9E3779B97F4A7C15ull ^ (m.hi + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
        x ^= x >> 31;
        x *= 0xBF58476D1CE4E5B9ull;
        x ^= x >> 29;
        return static_cast<std::size_t>(x);
    }
    void grow() {
        std::vector<NumberMask> old = std::move(slots_);
        slots_.assign(old.empty() ? 1024 : old.size() * 2, NumberMask{});
        mask_ = slots_.size() - 1;
        size_ = 0;
        for (const NumberMask& m : old)
            if (!m.empty()) insert(m);
    }

    std::vector<NumberMask> slots_;
    std::size_t mask_ = 0;
    std::size_t size_ = 0;
};

// Whether some play shares at least t numbers with a candidate of n numbers. Two exact ways:
// compare with every play (one popcount each), or look the candidate's C(n, t) subsets of t
// numbers up among the subsets of the plays; each candidate takes the cheaper one.
class Coverage {
public:
    // Beyond this many subsets the index costs more memory than it saves: plays are compared.
    static constexpr std::size_t SubsetLimit = std::size_t{1} << 21;

    Coverage(int n, int t) : t_(t) {
        // The subsets of t positions out of n, as lists of positions.
        std::array<std::uint8_t, 10> positions{};
        for (int k = 0; k < n; ++k) positions[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(k + 1);
        ForEachSubset(positions.data(), n, t, [&](NumberMask m) {
            std::array<std::uint8_t, 10> p{};
            int c = 0;
            for (int k = 1; k <= n; ++k)
                if (m.has(k)) p[static_cast<std::size_t>(c++)] = static_cast<std::uint8_t>(k - 1);
            patterns_.push_back(p);
        });
    }

    void add(const std::uint8_t* numbers, int count) {
        NumberMask m;
        for (int k = 0; k < count; ++k) m.add(numbers[k]);
        if (m.count() < t_) return; // it covers nothing
        plays_.push_back(m);
        if (!indexed_) return;
        std::array<std::uint8_t, 10> valid{};
        int c = 0;
        for (int k = 0; k < count; ++k)
            if (numbers[k] >= 1 && numbers[k] <= 90) valid[static_cast<std::size_t>(c++)] = numbers[k];
        ForEachSubset(valid.data(), c, t_, [&](NumberMask s) { subsets_.insert(s); });
        if (subsets_.size() > SubsetLimit) {
            indexed_ = false;
            subsets_.clear();
        }
    }

    bool covers(NumberMask candidate, const std::uint8_t* numbers) const {
        if (plays_.empty()) return false;
        if (!indexed_ || plays_.size() <= patterns_.size()) {
            for (const NumberMask& p : plays_)
                if (CommonCount(p, candidate) >= t_) return true;
            return false;
        }
        for (const auto& pattern : patterns_) {
            NumberMask s;
            for (int k = 0; k < t_; ++k) s.add(numbers[pattern[static_cast<std::size_t>(k)]]);
            if (subsets_.contains(s)) return true;
        }
        return false;
    }

private:
    int t_;
    std::vector<std::array<std::uint8_t, 10>> patterns_;
    std::vector<NumberMask> plays_;
    MaskSet subsets_;
    bool indexed_ = true;
};

// The candidates waiting for a greedy step, each with its weight: 1 plus the other buffered
// candidates it covers. The weights follow every entry and exit, so a step reads them instead of
// comparing every pair.
class GreedyBuffer {
public:
    explicit GreedyBuffer(int t) : t_(t) {}

    int count() const { return count_; }

    void append(NumberMask m, const std::uint8_t* numbers, int n) {
        const std::size_t b = static_cast<std::size_t>(count_);
        masks_[b] = m;
        std::copy(numbers, numbers + n, numbers_[b].begin());
        int w = 1;
        for (std::size_t j = 0; j < b; ++j)
            if (CommonCount(masks_[j], m) >= t_) {
                ++weights_[j];
                ++w;
            }
        weights_[b] = w;
        ++count_;
    }

    // The first candidate of the greatest weight.
    int choice() const {
        int best = 0;
        for (int i = 1; i < count_; ++i)
            if (weights_[static_cast<std::size_t>(i)] > weights_[static_cast<std::size_t>(best)]) best = i;
        return best;
    }
    const std::uint8_t* numbers(int i) const { return numbers_[static_cast<std::size_t>(i)].data(); }

    // Keeps, in their order, the candidates the chosen one does not cover.
    void removeCoveredBy(int chosen) {
        const NumberMask c = masks_[static_cast<std::size_t>(chosen)];
        int keptCount = 0, removedCount = 0;
        for (int i = 0; i < count_; ++i) {
            const std::size_t s = static_cast<std::size_t>(i);
            if (CommonCount(masks_[s], c) < t_)
                kept_[static_cast<std::size_t>(keptCount++)] = i;
            else
                removed_[static_cast<std::size_t>(removedCount++)] = i;
        }
        if (removedCount <= keptCount) {
            for (int a = 0; a < keptCount; ++a) {
                const std::size_t i = static_cast<std::size_t>(kept_[static_cast<std::size_t>(a)]);
                for (int r = 0; r < removedCount; ++r)
                    if (CommonCount(masks_[i],
                                    masks_[static_cast<std::size_t>(removed_[static_cast<std::size_t>(r)])]) >= t_)
                        --weights_[i];
            }
        } else {
            for (int a = 0; a < keptCount; ++a) {
                const std::size_t i = static_cast<std::size_t>(kept_[static_cast<std::size_t>(a)]);
                int w = 1;
                for (int b = 0; b < keptCount; ++b)
                    if (b != a &&
                        CommonCount(masks_[i], masks_[static_cast<std::size_t>(kept_[static_cast<std::size_t>(b)])]) >=
                            t_)
                        ++w;
                weights_[i] = w;
            }
        }
        for (int a = 0; a < keptCount; ++a) {
            const std::size_t from = static_cast<std::size_t>(kept_[static_cast<std::size_t>(a)]);
            const std::size_t to = static_cast<std::size_t>(a);
            if (from == to) continue;
            masks_[to] = masks_[from];
            numbers_[to] = numbers_[from];
            weights_[to] = weights_[from];
        }
        count_ = keptCount;
    }

private:
    static constexpr std::size_t Cap = GuaranteeBufferCapacity;
    int t_;
    int count_ = 0;
    std::array<NumberMask, Cap> masks_{};
    std::array<std::array<std::uint8_t, 10>, Cap> numbers_{};
    std::array<int, Cap> weights_{};
    std::array<int, Cap> kept_{};
    std::array<int, Cap> removed_{};
};

} // namespace

int ClampedScore(int size, int score) {
    if (score < 1) score = 1;
    if (score > 5) score = 5;
    return score > size ? size : score;
}

int GuaranteeThreshold(int size, int score) {
    const int s = ClampedScore(size, score);
    return size <= 5 ? s : s + size - 5;
}

GuaranteedPlays ReduceToGuarantee(std::span<const Play> committed, const GuaranteedRequest& request,
                                  const Progress& progress, int room) {
    GuaranteedPlays out;
    const int n = request.play.size;
    if (room < 0) room = std::max(0, PlayList::Capacity - static_cast<int>(committed.size()));
    if (n < 1 || n > Play::MaxNumbers) return out;
    const std::vector<std::uint8_t> forecast = AscendingForecast(request.play.forecast);
    const std::vector<std::uint8_t> fixed = DistinctFixed(request.play.fixed);
    const int t = GuaranteeThreshold(n, request.score);

    Coverage coverage(n, t);
    for (const Play& p : committed)
        if (p.wheels == request.play.wheels && p.stakes == request.play.stakes) {
            std::array<std::uint8_t, 10> numbers{};
            int c = 0;
            for (std::uint8_t x : p.numbers)
                if (x != 0) numbers[static_cast<std::size_t>(c++)] = x;
            coverage.add(numbers.data(), c);
        }

    Play candidate;
    candidate.stakes = request.play.stakes;
    candidate.wheels = request.play.wheels;
    // False when the list has no room for the play.
    auto take = [&](const std::uint8_t* numbers) {
        if (static_cast<int>(out.plays.size()) >= room) return false;
        candidate.numbers.fill(0);
        std::copy(numbers, numbers + n, candidate.numbers.begin());
        out.plays.push_back(candidate);
        coverage.add(numbers, n);
        return true;
    };
    auto fail = [&](RunOutcome outcome) {
        out.outcome = outcome;
        out.plays.clear();
        return out;
    };

    if (n == 1) {
        for (std::uint8_t x : forecast) {
            if (!fixed.empty() && !(fixed.size() == 1 && fixed[0] == x)) continue;
            NumberMask m;
            m.add(x);
            if (coverage.covers(m, &x)) continue;
            if (!take(&x)) return fail(RunOutcome::ListFull);
        }
        return out;
    }

    CombinationEnumerator e;
    if (!e.start(forecast, n, fixed)) return out;
    ProgressTicker ticker(progress, e.count());
    GreedyBuffer buffer(t);
    auto step = [&] {
        const int chosen = buffer.choice();
        if (!take(buffer.numbers(chosen))) return false;
        buffer.removeCoveredBy(chosen);
        return true;
    };
    std::array<std::uint8_t, 10> numbers{};
    do {
        e.sorted(numbers.data());
        NumberMask m;
        for (int k = 0; k < n; ++k) m.add(numbers[static_cast<std::size_t>(k)]);
        if (!coverage.covers(m, numbers.data())) {
            buffer.append(m, numbers.data(), n);
            if (buffer.count() == GuaranteeBufferCapacity && !step()) return fail(RunOutcome::ListFull);
        }
        ticker.setFound(out.plays.size());
        if (!ticker.step()) return fail(RunOutcome::Interrupted);
    } while (e.next());
    while (buffer.count() > 0)
        if (!step()) return fail(RunOutcome::ListFull);
    return out;
}

RunResult ReduceGuaranteed(PlayList& list, const GuaranteedRequest& request, const Progress& progress) {
    const int base = list.count();
    GuaranteedPlays r = ReduceToGuarantee(std::span<const Play>(list.data(), static_cast<std::size_t>(base)), request,
                                          progress, PlayList::Capacity - base);
    RunResult result;
    result.outcome = r.outcome;
    if (r.outcome != RunOutcome::Completed) return result;
    for (std::size_t i = 0; i < r.plays.size(); ++i) list.play(base + 1 + static_cast<int>(i)) = r.plays[i];
    list.setCount(base + static_cast<int>(r.plays.size()));
    result.added = static_cast<int>(r.plays.size());
    return result;
}

} // namespace numora
