#include "core/Ranking.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

// The exchange sort is a fixed sequence of compare-exchanges (i, j), each putting the better of
// two entries at i and leaving equal ones alone. Such a sequence commutes with any monotone map of
// the values, so the path of the entries of one value x is the same as in the sequence where every
// other value is only "better than x" (B) or "worse than x" (W). There the pass of position i does:
//   - while B entries remain in the suffix, it brings the first B of the suffix to i and, when the
//     suffix holds x entries before that B, moves the first of them into the B's place: among the
//     x entries and the B entries, the run of x entries before the first B turns by one;
//   - once no B entry is left, it brings the first x entry of the suffix to i.
// So the final order of the x entries is a queue: walk the x and B entries in starting order,
// append each x entry, and turn the queue by one at each B entry met once it holds something.
// The W entries never change the order of the x entries.
//
// The queue is kept as a ring with a head: appending inserts just before the head, turning moves
// the head; the inserts are placed at the end with the usual reverse pass over free slots.

namespace numora {

namespace {

// Counts over 0..n-1 with prefix sums and the search of the k-th set slot.
class FenwickTree {
public:
    explicit FenwickTree(int n) : tree_(static_cast<std::size_t>(n) + 1, 0), n_(n) {}

    void add(int index, int delta) {
        for (int i = index + 1; i <= n_; i += i & -i) tree_[static_cast<std::size_t>(i)] += delta;
    }
    // Sum over 0..index-1.
    int prefix(int index) const {
        int s = 0;
        for (int i = index; i > 0; i -= i & -i) s += tree_[static_cast<std::size_t>(i)];
        return s;
    }
    // The slot holding the (k+1)-th unit, all counts being 0 or 1.
    int findKth(int k) const {
        int pos = 0;
        int step = 1;
        while (step * 2 <= n_) step *= 2;
        for (; step > 0; step /= 2) {
            const int next = pos + step;
            if (next <= n_ && tree_[static_cast<std::size_t>(next)] <= k) {
                pos = next;
                k -= tree_[static_cast<std::size_t>(next)];
            }
        }
        return pos;
    }

private:
    std::vector<int> tree_;
    int n_;
};

} // namespace

std::vector<int> ExchangeSortOrder(std::span<const int> values, bool descending) {
    const int n = static_cast<int>(values.size());
    std::vector<int> order(static_cast<std::size_t>(n));
    if (n == 0) return order;

    // Keys where larger is better, whatever the direction.
    std::vector<std::int64_t> key(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const std::int64_t v = values[static_cast<std::size_t>(i)];
        key[static_cast<std::size_t>(i)] = descending ? v : -v;
    }
    auto keyOf = [&](int i) { return key[static_cast<std::size_t>(i)]; };

    // Best first, ties in starting order: each value's entries form one block, which is where the
    // exchange sort puts them; only the order inside a block is left to find.
    std::vector<int> byKey(static_cast<std::size_t>(n));
    std::iota(byKey.begin(), byKey.end(), 0);
    std::stable_sort(byKey.begin(), byKey.end(), [&](int a, int b) { return keyOf(a) > keyOf(b); });

    std::vector<int> rank(static_cast<std::size_t>(n)); // 0 = the best value
    int distinct = 0;
    for (int r = 0; r < n; ++r) {
        if (r > 0 && keyOf(byKey[static_cast<std::size_t>(r)]) != keyOf(byKey[static_cast<std::size_t>(r - 1)]))
            ++distinct;
        rank[static_cast<std::size_t>(byKey[static_cast<std::size_t>(r)])] = distinct;
    }
    ++distinct;

    // better[i]: how many entries before i hold a better value.
    std::vector<int> better(static_cast<std::size_t>(n));
    {
        FenwickTree seen(distinct);
        for (int i = 0; i < n; ++i) {
            better[static_cast<std::size_t>(i)] = seen.prefix(rank[static_cast<std::size_t>(i)]);
            seen.add(rank[static_cast<std::size_t>(i)], 1);
        }
    }

    std::vector<int> insertAt;
    std::vector<int> ring;
    for (int start = 0; start < n;) {
        int end = start + 1;
        while (end < n && keyOf(byKey[static_cast<std::size_t>(end)]) == keyOf(byKey[static_cast<std::size_t>(start)]))
            ++end;
        const int m = end - start;
        const int* block = byKey.data() + start; // the block's entries in starting order
        if (m == 1) {
            order[static_cast<std::size_t>(start)] = block[0];
            start = end;
            continue;
        }
        // Ring indices: head is where the queue starts; an append goes in at the head's index.
        insertAt.assign(static_cast<std::size_t>(m), 0);
        long long head = 0;
        for (int k = 1; k < m; ++k) {
            const int turns =
                better[static_cast<std::size_t>(block[k])] - better[static_cast<std::size_t>(block[k - 1])];
            head = (head + turns) % k;
            insertAt[static_cast<std::size_t>(k)] = static_cast<int>(head);
            ++head;
        }
        // Better entries after the block's last one still turn the queue; start = entries better.
        const int after = start - better[static_cast<std::size_t>(block[m - 1])];
        head = (head + after) % m;

        ring.assign(static_cast<std::size_t>(m), 0);
        FenwickTree free(m);
        for (int s = 0; s < m; ++s) free.add(s, 1);
        for (int k = m - 1; k >= 0; --k) {
            const int slot = free.findKth(insertAt[static_cast<std::size_t>(k)]);
            ring[static_cast<std::size_t>(slot)] = block[k];
            free.add(slot, -1);
        }
        for (int t = 0; t < m; ++t)
            order[static_cast<std::size_t>(start + t)] = ring[static_cast<std::size_t>((head + t) % m)];
        start = end;
    }
    return order;
}

} // namespace numora
