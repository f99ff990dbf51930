#include "stats/PairStats.h"

#include "core/Ranking.h"
#include "core/Types.h"

#include <algorithm>
#include <array>
#include <climits>

namespace numora {

namespace {

// index[j][k] for 1 <= j < k <= 90, and the pair of each index; either[a][b] is the index of the
// pair {a, b} in either order (-1 when a = b or either is not a number 1..90).
struct PairTable {
    std::array<std::array<std::int16_t, 91>, 91> index{};
    std::array<std::array<std::int16_t, 91>, 91> either{};
    std::array<PairNumbers, PairCount> pairs{};
    PairTable() {
        for (auto& row : either) row.fill(-1);
        int p = 0;
        for (int j = 1; j <= MaxNumber; ++j)
            for (int k = j + 1; k <= MaxNumber; ++k) {
                index[static_cast<std::size_t>(j)][static_cast<std::size_t>(k)] = static_cast<std::int16_t>(p);
                either[static_cast<std::size_t>(j)][static_cast<std::size_t>(k)] = static_cast<std::int16_t>(p);
                either[static_cast<std::size_t>(k)][static_cast<std::size_t>(j)] = static_cast<std::int16_t>(p);
                pairs[static_cast<std::size_t>(p)] = {j, k};
                ++p;
            }
    }
};

const PairTable& Pairs() {
    static const PairTable table;
    return table;
}

// Calls f(pair index) once for every pair the wheel holds in this draw. A wheel not drawn holds
// zeros; a number out of range or repeated forms no pair with itself. The order of the calls is
// not part of the contract.
template <class F> void ForEachPairOn(const DrawRecord& d, int wheel, F&& f) {
    static_assert(NumbersPerWheel == 5);
    const PairTable& t = Pairs();
    const std::uint8_t* column = d.numbers.data() + (wheel - 1);
    const unsigned a = column[0], b = column[11], c = column[22], e = column[33], g = column[44];
    // The usual wheel, five different numbers 1..90: its ten pairs straight from the table.
    const bool inRange = ((a - 1) < 90u) & ((b - 1) < 90u) & ((c - 1) < 90u) & ((e - 1) < 90u) & ((g - 1) < 90u);
    const bool distinct =
        (a != b) & (a != c) & (a != e) & (a != g) & (b != c) & (b != e) & (b != g) & (c != e) & (c != g) & (e != g);
    if (inRange & distinct) {
        const auto& x = t.either;
        f(x[a][b]);
        f(x[a][c]);
        f(x[a][e]);
        f(x[a][g]);
        f(x[b][c]);
        f(x[b][e]);
        f(x[b][g]);
        f(x[c][e]);
        f(x[c][g]);
        f(x[e][g]);
        return;
    }
    std::array<int, NumbersPerWheel> n{};
    int count = 0;
    for (int pos = 0; pos < NumbersPerWheel; ++pos) {
        const int v = d.number(wheel, pos);
        if (v < 1 || v > MaxNumber) continue;
        // Insertion into the sorted prefix, skipping a repeat.
        int i = count;
        while (i > 0 && n[static_cast<std::size_t>(i - 1)] > v) --i;
        if (i > 0 && n[static_cast<std::size_t>(i - 1)] == v) continue;
        for (int m = count; m > i; --m) n[static_cast<std::size_t>(m)] = n[static_cast<std::size_t>(m - 1)];
        n[static_cast<std::size_t>(i)] = v;
        ++count;
    }
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            f(t.index[static_cast<std::size_t>(n[static_cast<std::size_t>(i)])]
                     [static_cast<std::size_t>(n[static_cast<std::size_t>(j)])]);
}

std::vector<PairValue> Ranked(const std::vector<int>& values, bool descending) {
    const std::vector<int> order = ExchangeSortOrder(values, descending);
    std::vector<PairValue> out;
    out.reserve(order.size());
    for (int p : order) {
        const PairNumbers pn = PairAt(p);
        out.push_back({pn.j, pn.k, values[static_cast<std::size_t>(p)]});
    }
    return out;
}

// The held entries of a scan, with the weakest one (smallest strength, first slot among equals)
// kept by a tournament tree so that a store costs a logarithm, not a rescan of the list.
class HeldEntries {
public:
    explicit HeldEntries(int capacity) : capacity_(capacity) {
        leaves_ = 1;
        while (leaves_ < std::max(capacity, 1)) leaves_ *= 2;
        tree_.assign(static_cast<std::size_t>(2 * leaves_), Node{LLONG_MAX, INT_MAX});
        entries_.reserve(static_cast<std::size_t>(capacity));
        strength_.reserve(static_cast<std::size_t>(capacity));
    }

    // strength: larger is better.
    void offer(const WheelPairValue& e, long long strength) {
        if (static_cast<int>(entries_.size()) < capacity_) {
            entries_.push_back(e);
            strength_.push_back(strength);
            set(static_cast<int>(entries_.size()) - 1, strength);
        } else if (capacity_ > 0 && strength > tree_[1].strength) {
            const int slot = tree_[1].slot;
            entries_[static_cast<std::size_t>(slot)] = e;
            strength_[static_cast<std::size_t>(slot)] = strength;
            set(slot, strength);
        }
    }

    int size() const { return static_cast<int>(entries_.size()); }
    const std::vector<WheelPairValue>& entries() const { return entries_; }

private:
    struct Node {
        long long strength;
        int slot;
    };

    void set(int slot, long long strength) {
        std::size_t i = static_cast<std::size_t>(leaves_ + slot);
        tree_[i] = {strength, slot};
        for (i /= 2; i >= 1; i /= 2) {
            const Node& l = tree_[2 * i];
            const Node& r = tree_[2 * i + 1];
            tree_[i] = r.strength < l.strength ? r : l;
        }
    }

    int capacity_;
    int leaves_;
    std::vector<Node> tree_;
    std::vector<WheelPairValue> entries_;
    std::vector<long long> strength_;
};

// perWheel[w - 1][p]: the value of pair p on wheel w alone. Larger values are better when
// longest is set (delays), smaller ones otherwise (appearances).
TopPairsResult Scan(const std::vector<std::vector<int>>& perWheel, int lastWheel, int k, bool longest,
                    const ProgressCallback& progress) {
    TopPairsResult result;
    HeldEntries held(k);
    ProgressStatus status;
    status.total = PairCount;
    const PairTable& t = Pairs();
    for (int p = 0; p < PairCount && !result.interrupted; ++p) {
        status.done = static_cast<std::uint64_t>(p) + 1;
        for (int w = 1; w <= lastWheel; ++w) {
            status.found = static_cast<std::uint64_t>(held.size());
            if (progress && !progress(status)) {
                result.interrupted = true;
                break;
            }
            const int value = perWheel[static_cast<std::size_t>(w - 1)][static_cast<std::size_t>(p)];
            const PairNumbers pn = t.pairs[static_cast<std::size_t>(p)];
            held.offer({pn.j, pn.k, value, w}, longest ? value : -static_cast<long long>(value));
        }
    }
    const std::vector<WheelPairValue>& entries = held.entries();
    if (entries.size() < 2) {
        result.entries = entries;
        return result;
    }
    std::vector<int> values;
    values.reserve(entries.size());
    for (const WheelPairValue& e : entries) values.push_back(e.value);
    result.entries.reserve(entries.size());
    for (int i : ExchangeSortOrder(values, longest)) result.entries.push_back(entries[static_cast<std::size_t>(i)]);
    return result;
}

int ClampWheel(int lastWheel) {
    return std::clamp(lastWheel, 1, WheelCount);
}

} // namespace

int PairIndex(int j, int k) {
    return Pairs().index[static_cast<std::size_t>(j)][static_cast<std::size_t>(k)];
}

PairNumbers PairAt(int index) {
    return Pairs().pairs[static_cast<std::size_t>(index)];
}

std::vector<PairValue> PairDelays(const DrawArchive& archive, WheelSet wheels) {
    const int n = archive.count();
    // Backwards from the last draw: the first draw met is the pair's last appearance.
    std::vector<int> last(PairCount, 0);
    int found = 0;
    for (int d = n; d >= 1 && found < PairCount; --d) {
        const DrawRecord& draw = archive.draw(d);
        for (int w = 1; w <= WheelCount; ++w) {
            if (!Counts(wheels, w)) continue;
            ForEachPairOn(draw, w, [&](int p) {
                if (last[static_cast<std::size_t>(p)] == 0) {
                    last[static_cast<std::size_t>(p)] = d;
                    ++found;
                }
            });
        }
    }
    std::vector<int> values(PairCount);
    for (int p = 0; p < PairCount; ++p) {
        const int d = last[static_cast<std::size_t>(p)];
        values[static_cast<std::size_t>(p)] = d == 0 ? n - 1 : n - d;
    }
    return Ranked(values, true);
}

std::vector<PairValue> PairFrequencies(const DrawArchive& archive, WheelSet wheels, DrawWindow window) {
    std::vector<int> values(PairCount, 0);
    for (int d = window.start; d <= window.end; ++d) {
        const DrawRecord& draw = archive.draw(d);
        for (int w = 1; w <= WheelCount; ++w)
            if (Counts(wheels, w)) ForEachPairOn(draw, w, [&](int p) { ++values[static_cast<std::size_t>(p)]; });
    }
    return Ranked(values, false);
}

std::optional<int> ParseTopPairsCount(std::string_view text) {
    int v = 0;
    if (!ParseFieldInteger(text, v) || v < 1 || v > MaxTopPairs) return std::nullopt;
    return v;
}

TopPairsResult MostDelayedPairs(const DrawArchive& archive, int lastWheel, int k, const ProgressCallback& progress) {
    lastWheel = ClampWheel(lastWheel);
    const int n = archive.count();
    std::vector<std::vector<int>> last(static_cast<std::size_t>(lastWheel), std::vector<int>(PairCount, 0));
    for (int d = 1; d <= n; ++d) {
        const DrawRecord& draw = archive.draw(d);
        for (int w = 1; w <= lastWheel; ++w) {
            std::vector<int>& row = last[static_cast<std::size_t>(w - 1)];
            ForEachPairOn(draw, w, [&](int p) { row[static_cast<std::size_t>(p)] = d; });
        }
    }
    for (auto& row : last)
        for (int& d : row) d = d == 0 ? n - 1 : n - d;
    return Scan(last, lastWheel, k, true, progress);
}

TopPairsResult LeastFrequentPairs(const DrawArchive& archive, int lastWheel, DrawWindow window, int k,
                                  const ProgressCallback& progress) {
    lastWheel = ClampWheel(lastWheel);
    std::vector<std::vector<int>> count(static_cast<std::size_t>(lastWheel), std::vector<int>(PairCount, 0));
    for (int d = window.start; d <= window.end; ++d) {
        const DrawRecord& draw = archive.draw(d);
        for (int w = 1; w <= lastWheel; ++w) {
            std::vector<int>& row = count[static_cast<std::size_t>(w - 1)];
            ForEachPairOn(draw, w, [&](int p) { ++row[static_cast<std::size_t>(p)]; });
        }
    }
    return Scan(count, lastWheel, k, false, progress);
}

} // namespace numora
