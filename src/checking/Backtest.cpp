#include "checking/Backtest.h"

#include "checking/CheckPlays.h"
#include "core/TextHelpers.h"
#include "core/Types.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <exception>
#include <limits>
#include <mutex>
#include <system_error>
#include <thread>
#include <unordered_map>

namespace numora {

std::string FormatSignedAmount(SignedAmount a, int decimals) {
    if (!a.negative()) return FormatAmount(Amount{a.units}, decimals);
    return "-" + FormatAmount(Amount{-a.units}, decimals);
}

namespace {

__extension__ typedef unsigned __int128 Wide128;

constexpr AmountUnits UnitsPerNano = Amount::PerEuro / 1'000'000'000LL;
constexpr std::uint16_t RegionalBits = 0x3FF;

// The wheels a play is checked on, as CheckPlays reads the mask: bit w-1 for wheel w (1..11).
std::uint16_t PlayedWheels(const Play& play) {
    const bool tutte = (play.wheels & WheelBit(WheelTutte)) != 0;
    std::uint16_t played = tutte ? RegionalBits : static_cast<std::uint16_t>(play.wheels & RegionalBits);
    if ((play.wheels & WheelBit(WheelNazionale)) != 0) played |= WheelBit(WheelNazionale);
    return played;
}

// A stake's exact amount goes through its decimal text; a system holds few distinct stakes.
class StakeAmounts {
public:
    Amount operator()(double x) {
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
        auto it = seen_.find(bits);
        if (it == seen_.end()) it = seen_.emplace(bits, Amount::fromDouble(x)).first;
        return it->second;
    }

private:
    std::unordered_map<std::uint64_t, Amount> seen_;
};

// An unsigned integer of 256 bits, enough for the expected win's numerator over every input a
// system file and an archive can give.
struct Wide {
    std::array<std::uint64_t, 4> limb{};

    static Wide From(Wide128 v) {
        Wide w;
        w.limb[0] = static_cast<std::uint64_t>(v);
        w.limb[1] = static_cast<std::uint64_t>(v >> 64);
        return w;
    }
    void multiply(std::uint64_t m) {
        Wide128 carry = 0;
        for (auto& l : limb) {
            const Wide128 p = static_cast<Wide128>(l) * m + carry;
            l = static_cast<std::uint64_t>(p);
            carry = p >> 64;
        }
    }
    void add(const Wide& o) {
        Wide128 carry = 0;
        for (std::size_t i = 0; i < limb.size(); ++i) {
            const Wide128 s = static_cast<Wide128>(limb[i]) + o.limb[i] + carry;
            limb[i] = static_cast<std::uint64_t>(s);
            carry = s >> 64;
        }
    }
    // Divides in place, rounding down.
    void divide(std::uint64_t d) {
        Wide128 rest = 0;
        for (std::size_t i = limb.size(); i-- > 0;) {
            const Wide128 cur = (rest << 64) | limb[i];
            limb[i] = static_cast<std::uint64_t>(cur / d);
            rest = cur % d;
        }
    }
};

} // namespace

Amount SystemCostPerDraw(const Play* plays, int count) {
    StakeAmounts exact;
    Amount total;
    for (int p = 0; p < count; ++p) {
        Amount sum;
        for (double v : plays[p].stakes)
            if (v > 0) sum += exact(v);
        total.units += sum.units * plays[p].wheelCount();
    }
    return total;
}

Amount ExpectedWin(const Play* plays, int count, int draws) {
    if (draws <= 0) return Amount{};
    // C(5,k)/C(90,k) over the common denominator C(90,5).
    constexpr std::uint64_t Denominator = 43'949'268;
    constexpr std::array<std::uint64_t, 5> Numerator = {2'441'626, 109'736, 3'741, 86, 1};
    // Per bet kind, the stakes in nano-euros times the wheels they are played on; a "Tutte" play
    // is on ten wheels with divisor ten, one wheel's worth.
    std::array<Wide128, 5> staked{};
    StakeAmounts exact;
    for (int p = 0; p < count; ++p) {
        const Play& play = plays[p];
        const bool tutte = (play.wheels & WheelBit(WheelTutte)) != 0;
        const int wheels = (tutte ? 1 : std::popcount(static_cast<unsigned>(play.wheels & RegionalBits))) +
                           ((play.wheels & WheelBit(WheelNazionale)) != 0 ? 1 : 0);
        const int n = play.numberCount();
        for (int k = 1; k <= 5 && k <= n; ++k) {
            const Amount s = exact(play.stakes[static_cast<std::size_t>(k - 1)]);
            if (!s.positive()) continue;
            staked[static_cast<std::size_t>(k - 1)] +=
                static_cast<Wide128>(s.units / UnitsPerNano) * static_cast<unsigned>(wheels);
        }
    }
    // nano-euro x thousandth of multiplier = 10^-12 euro = PerEuro / 10^12 units.
    constexpr std::uint64_t UnitsPerNanoMilli = static_cast<std::uint64_t>(Amount::PerEuro / 1'000'000'000'000LL);
    Wide sum;
    for (std::size_t k = 0; k < 5; ++k) {
        Wide term = Wide::From(staked[k]);
        term.multiply(static_cast<std::uint64_t>(draws));
        term.multiply(static_cast<std::uint64_t>(MultiplierMilli[k]));
        term.multiply(UnitsPerNanoMilli);
        term.multiply(Numerator[k]);
        sum.add(term);
    }
    sum.divide(Denominator);
    constexpr auto Largest = static_cast<Wide128>(std::numeric_limits<std::int64_t>::max()) << 63;
    if (sum.limb[2] != 0 || sum.limb[3] != 0) return Amount{static_cast<AmountUnits>(Largest)};
    const Wide128 v = (static_cast<Wide128>(sum.limb[1]) << 64) | sum.limb[0];
    return Amount{static_cast<AmountUnits>(std::min(v, Largest))};
}

namespace {

// What a play wins on one wheel with h hits (h 0..5), each term capped as CheckPlays caps it,
// shared by the plays with the same count of numbers, stakes, divisor and group.
struct Profile {
    std::array<Amount, 6> regional{};
    std::array<Amount, 6> national{};
    std::uint8_t kinds = 0; // bit k-1: bet kind k is counted through the play's slot
};

// The plays' slots come in groups, each starting at a word of its own so that one threshold
// serves a whole word. Group (k, open) holds the plays that win from k hits on. An open play can
// never reach the cap in one draw, so its wins add up wheel by wheel without being gathered per
// play; and its estratto, a win proportional to the hits, is summed per drawn number from a
// table, so that an open play is visited only from its second smallest kind's hits on.
constexpr int Groups = 10;
constexpr int GroupOf(int k, bool open) {
    return (k - 1) * 2 + (open ? 1 : 0);
}

struct Layout {
    int words = 0;
    std::array<int, Groups> start{}; // the group's words
    std::array<int, Groups> end{};
    std::vector<std::uint64_t> numberBits;             // (n * words + word): the slot's play holds n (1..90)
    std::vector<std::uint64_t> wheelBits;              // ((w-1) * words + word): the slot's play is checked on w
    std::vector<std::array<std::uint64_t, 2>> numbers; // per slot, its numbers as a 128-bit set
    std::vector<std::int32_t> profile;                 // per slot
    std::vector<Profile> profiles;
    // Per wheel and number, the open plays' estratto: their wins for one hit, and how many they are.
    std::array<std::array<Amount, MaxNumber + 1>, WheelCount> estratto{};
    std::array<std::array<long long, MaxNumber + 1>, WheelCount> estrattoPlays{};
    std::vector<Play> irregular; // plays that repeat a number: checked play by play
};

constexpr std::array<std::array<int, 6>, 6> Binomial = [] {
    std::array<std::array<int, 6>, 6> t{};
    for (std::size_t a = 0; a < 6; ++a) {
        t[a][0] = 1;
        for (std::size_t k = 1; k <= a; ++k) t[a][k] = t[a - 1][k - 1] + (k < a ? t[a - 1][k] : 0);
    }
    return t;
}();

Layout MakeLayout(const Play* plays, int count, Amount cap) {
    Layout L;
    StakeAmounts exact;
    const Amount uncapped{static_cast<AmountUnits>(1) << 120};
    struct Slotted {
        int play;
        int group;
        int profile;
    };
    std::vector<Slotted> kept;
    std::unordered_map<std::string, int> profileIndex;
    for (int p = 0; p < count; ++p) {
        const Play& play = plays[p];
        const std::uint16_t wheels = PlayedWheels(play);
        const int n = play.numberCount();
        std::array<Amount, 5> stakes{};
        for (std::size_t k = 0; k < 5; ++k) stakes[k] = exact(play.stakes[k]);
        std::array<std::uint64_t, 2> set{};
        bool repeated = false;
        for (auto number : play.numbers) {
            if (number == 0 || number > MaxNumber) continue;
            std::uint64_t& word = set[number >> 6];
            const std::uint64_t bit = std::uint64_t{1} << (number & 63);
            repeated = repeated || (word & bit) != 0;
            word |= bit;
        }
        if (wheels == 0) continue; // checked on no wheel: it never wins nor counts
        if (repeated) {
            L.irregular.push_back(play);
            continue;
        }
        const int most = std::min(5, std::popcount(set[0]) + std::popcount(set[1]));
        const bool tutte = (play.wheels & WheelBit(WheelTutte)) != 0;
        const bool national = (wheels & WheelBit(WheelNazionale)) != 0;
        const int regional = std::popcount(static_cast<unsigned>(wheels & RegionalBits));
        Amount highest; // its wins in a draw where every played wheel gives it `most` hits, uncapped
        for (int k = 1; k <= most; ++k) {
            const Amount s = stakes[static_cast<std::size_t>(k - 1)];
            highest.units += BetWin(k, s, most, n, tutte ? 10 : 1, uncapped).units * regional;
            if (national) highest += BetWin(k, s, most, n, 1, uncapped);
        }
        const bool open = highest <= cap;
        if (open && stakes[0].positive() && most >= 1)
            for (int w = 1; w <= WheelCount; ++w) {
                if ((wheels & WheelBit(w)) == 0) continue;
                const Amount one = BetWin(1, stakes[0], 1, n, w == WheelNazionale || !tutte ? 1 : 10, cap);
                for (auto number : play.numbers) {
                    if (number == 0 || number > MaxNumber) continue;
                    L.estratto[static_cast<std::size_t>(w - 1)][number] += one;
                    ++L.estrattoPlays[static_cast<std::size_t>(w - 1)][number];
                }
            }
        std::uint8_t kinds = 0;
        for (int k = open ? 2 : 1; k <= most; ++k)
            if (stakes[static_cast<std::size_t>(k - 1)].positive()) kinds |= static_cast<std::uint8_t>(1 << (k - 1));
        if (kinds == 0) continue; // nothing left to count through a slot
        const int smallest = std::countr_zero(kinds) + 1;

        std::string key(reinterpret_cast<const char*>(stakes.data()), sizeof stakes);
        key += static_cast<char>(n);
        key += tutte ? 'T' : 'R';
        key += open ? 'O' : 'C';
        auto [it, added] = profileIndex.emplace(std::move(key), static_cast<int>(L.profiles.size()));
        if (added) {
            Profile pr;
            pr.kinds = kinds;
            for (int h = 0; h <= 5; ++h)
                for (int k = 1; k <= h; ++k) {
                    if ((kinds & (1 << (k - 1))) == 0) continue;
                    const Amount s = stakes[static_cast<std::size_t>(k - 1)];
                    pr.regional[static_cast<std::size_t>(h)] += BetWin(k, s, h, n, tutte ? 10 : 1, cap);
                    pr.national[static_cast<std::size_t>(h)] += BetWin(k, s, h, n, 1, cap);
                }
            L.profiles.push_back(pr);
        }
        kept.push_back({p, GroupOf(smallest, open), it->second});
    }
    std::stable_sort(kept.begin(), kept.end(), [](const Slotted& a, const Slotted& b) { return a.group < b.group; });

    std::vector<int> slotOf(kept.size());
    int next = 0;
    std::size_t i = 0;
    for (int g = 0; g < Groups; ++g) {
        next = (next + 63) / 64 * 64;
        L.start[static_cast<std::size_t>(g)] = next / 64;
        for (; i < kept.size() && kept[i].group == g; ++i) slotOf[i] = next++;
        L.end[static_cast<std::size_t>(g)] = (next + 63) / 64;
    }
    L.words = (next + 63) / 64;
    const auto words = static_cast<std::size_t>(L.words);
    L.numberBits.assign(static_cast<std::size_t>(MaxNumber + 1) * words, 0);
    L.wheelBits.assign(static_cast<std::size_t>(WheelCount) * words, 0);
    L.numbers.assign(words * 64, {0, 0});
    L.profile.assign(words * 64, -1);
    for (std::size_t j = 0; j < kept.size(); ++j) {
        const Play& play = plays[kept[j].play];
        const auto slot = static_cast<std::size_t>(slotOf[j]);
        const std::uint64_t bit = std::uint64_t{1} << (slot & 63);
        const std::size_t word = slot >> 6;
        for (auto number : play.numbers) {
            if (number == 0 || number > MaxNumber) continue;
            L.numberBits[number * words + word] |= bit;
            L.numbers[slot][number >> 6] |= std::uint64_t{1} << (number & 63);
        }
        const std::uint16_t wheels = PlayedWheels(play);
        for (int w = 1; w <= WheelCount; ++w)
            if ((wheels & WheelBit(w)) != 0) L.wheelBits[static_cast<std::size_t>(w - 1) * words + word] |= bit;
        L.profile[slot] = kept[j].profile;
    }
    return L;
}

// The slots of words [first, last) with at least K of the inputs' bits set, among the wheel's
// played slots, into out[0..last - first).
template <int K>
inline void AtLeast(const std::array<const std::uint64_t*, 5>& in, const std::uint64_t* played, std::uint64_t* out,
                    int first, int last) {
    for (int j = first; j < last; ++j) {
        std::array<std::uint64_t, K + 1> ge{};
        for (const std::uint64_t* x : in) {
            const std::uint64_t v = x[j];
            for (int t = K; t >= 2; --t) ge[static_cast<std::size_t>(t)] |= ge[static_cast<std::size_t>(t - 1)] & v;
            ge[1] |= v;
        }
        out[j - first] = ge[K] & played[j];
    }
}

// Where the processor has them, the hit counts take one instruction and the word loops four words
// at a time; the loader picks the version once.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__ELF__)
#define NUMORA_BACKTEST_CLONES __attribute__((target_clones("avx2", "popcnt", "default")))
#else
#define NUMORA_BACKTEST_CLONES
#endif

// A draw as the counting reads it: its drawn wheels, each with its numbers as a 128-bit set and
// the bit rows of the plays holding them (a row of zeros where a wheel drew fewer than five).
struct DrawnWheels {
    int live = 0;
    std::array<int, WheelCount> wheel{};
    std::array<std::array<std::uint64_t, 2>, WheelCount> set{};
    std::array<std::array<const std::uint64_t*, 5>, WheelCount> in{};
    std::array<std::array<long long, 6>, 32> tally{}; // [kinds][h]: winning wheels seen
};

// Words counted for every draw of a batch before the next ones: the plays' bit rows of a block
// stay in the processor's cache across the batch.
constexpr int BlockWords = 32;
constexpr int Batch = 16;

// The rows of draws[0..count) (count <= Batch); hits holds WheelCount * BlockWords words, zeros
// `BlockWords` plus the layout's words.
NUMORA_BACKTEST_CLONES
void CountDraws(const Layout& L, std::uint64_t* hits, const std::uint64_t* zeros, const CheckDraw* draws, int count,
                Amount cap, BacktestRow* rows) {
    const auto words = static_cast<std::size_t>(L.words);
    std::array<DrawnWheels, Batch> batch;
    for (int d = 0; d < count; ++d) {
        DrawnWheels& dw = batch[static_cast<std::size_t>(d)];
        BacktestRow& row = rows[d];
        for (int w = 1; w <= WheelCount; ++w) {
            auto& set = dw.set[static_cast<std::size_t>(dw.live)];
            auto& inputs = dw.in[static_cast<std::size_t>(dw.live)];
            set = {0, 0};
            std::size_t used = 0;
            for (int n : draws[d][static_cast<std::size_t>(w - 1)]) {
                if (n < 1 || n > MaxNumber) continue;
                const std::uint64_t bit = std::uint64_t{1} << (n & 63);
                if ((set[static_cast<std::size_t>(n >> 6)] & bit) != 0) continue;
                set[static_cast<std::size_t>(n >> 6)] |= bit;
                inputs[used++] = L.numberBits.data() + static_cast<std::size_t>(n) * words;
                row.win += L.estratto[static_cast<std::size_t>(w - 1)][static_cast<std::size_t>(n)];
                row.counts[0] += L.estrattoPlays[static_cast<std::size_t>(w - 1)][static_cast<std::size_t>(n)];
            }
            if (used == 0) continue; // a wheel not drawn that day wins nothing
            for (; used < 5; ++used) inputs[used] = zeros;
            dw.wheel[static_cast<std::size_t>(dw.live++)] = w;
        }
    }
    // The block's hits on live wheel i.
    auto hitsOf = [&](int i) { return hits + static_cast<std::size_t>(i) * BlockWords; };
    auto hitsAt = [&](const std::array<std::uint64_t, 2>& set, std::size_t slot) {
        return static_cast<std::size_t>(std::popcount(L.numbers[slot][0] & set[0]) +
                                        std::popcount(L.numbers[slot][1] & set[1]));
    };
    for (int g = 0; g < Groups; ++g) {
        const int k = g / 2 + 1;
        const bool open = g % 2 == 1;
        for (int b = L.start[static_cast<std::size_t>(g)]; b < L.end[static_cast<std::size_t>(g)]; b += BlockWords) {
            const int e = std::min(b + BlockWords, L.end[static_cast<std::size_t>(g)]);
            for (int d = 0; d < count; ++d) {
                DrawnWheels& dw = batch[static_cast<std::size_t>(d)];
                BacktestRow& row = rows[d];
                for (int i = 0; i < dw.live; ++i) {
                    const std::uint64_t* played =
                        L.wheelBits.data() +
                        static_cast<std::size_t>(dw.wheel[static_cast<std::size_t>(i)] - 1) * words;
                    const auto& inputs = dw.in[static_cast<std::size_t>(i)];
                    switch (k) {
                    case 1:
                        AtLeast<1>(inputs, played, hitsOf(i), b, e);
                        break;
                    case 2:
                        AtLeast<2>(inputs, played, hitsOf(i), b, e);
                        break;
                    case 3:
                        AtLeast<3>(inputs, played, hitsOf(i), b, e);
                        break;
                    case 4:
                        AtLeast<4>(inputs, played, hitsOf(i), b, e);
                        break;
                    default:
                        AtLeast<5>(inputs, played, hitsOf(i), b, e);
                        break;
                    }
                }
                if (open) {
                    // Open plays: every winning wheel adds its win.
                    for (int i = 0; i < dw.live; ++i) {
                        const bool national = dw.wheel[static_cast<std::size_t>(i)] == WheelNazionale;
                        const auto& set = dw.set[static_cast<std::size_t>(i)];
                        const std::uint64_t* h = hitsOf(i);
                        for (int j = b; j < e; ++j)
                            for (std::uint64_t bits = h[j - b]; bits != 0; bits &= bits - 1) {
                                const std::size_t slot =
                                    static_cast<std::size_t>(j) * 64 + static_cast<std::size_t>(std::countr_zero(bits));
                                const Profile& pr = L.profiles[static_cast<std::size_t>(L.profile[slot])];
                                const std::size_t hit = hitsAt(set, slot);
                                row.win += national ? pr.national[hit] : pr.regional[hit];
                                ++dw.tally[pr.kinds][hit];
                            }
                    }
                    continue;
                }
                // Plays that may reach the cap: their wheels' wins are gathered, then capped.
                for (int j = b; j < e; ++j) {
                    std::uint64_t any = 0;
                    for (int i = 0; i < dw.live; ++i) any |= hitsOf(i)[j - b];
                    for (; any != 0; any &= any - 1) {
                        const int bit = std::countr_zero(any);
                        const std::size_t slot = static_cast<std::size_t>(j) * 64 + static_cast<std::size_t>(bit);
                        const Profile& pr = L.profiles[static_cast<std::size_t>(L.profile[slot])];
                        Amount playTotal;
                        for (int i = 0; i < dw.live; ++i) {
                            if (((hitsOf(i)[j - b] >> bit) & 1) == 0) continue;
                            const std::size_t hit = hitsAt(dw.set[static_cast<std::size_t>(i)], slot);
                            playTotal += dw.wheel[static_cast<std::size_t>(i)] == WheelNazionale ? pr.national[hit]
                                                                                                 : pr.regional[hit];
                            ++dw.tally[pr.kinds][hit];
                        }
                        row.win += Capped(playTotal, cap);
                    }
                }
            }
        }
    }
    for (int d = 0; d < count; ++d) {
        const auto& tally = batch[static_cast<std::size_t>(d)].tally;
        BacktestRow& row = rows[d];
        for (std::size_t kinds = 1; kinds < tally.size(); ++kinds)
            for (std::size_t h = 1; h <= 5; ++h) {
                const long long times = tally[kinds][h];
                if (times == 0) continue;
                for (std::size_t k = 1; k <= h; ++k)
                    if ((kinds >> (k - 1)) & 1) row.counts[k - 1] += times * Binomial[h][k];
            }
        if (!L.irregular.empty()) {
            const CheckResult r = CheckTotals(L.irregular.data(), static_cast<int>(L.irregular.size()), draws[d], cap);
            for (std::size_t k = 0; k < 5; ++k) row.counts[k] += r.counts[k];
            row.win += r.total;
        }
    }
}

} // namespace

BacktestResult RunBacktest(const Play* plays, int count, const DrawArchive& archive, int first, int last, Amount cap,
                           const Progress& progress) {
    BacktestResult result;
    result.first = first;
    result.last = last;
    result.costPerDraw = SystemCostPerDraw(plays, count);
    if (first < 1 || last > archive.count() || first > last) {
        result.completed = true;
        return result;
    }
    const int total = last - first + 1;
    result.expectedWin = ExpectedWin(plays, count, total);
    const Layout layout = MakeLayout(plays, count, cap);
    result.rows.resize(static_cast<std::size_t>(total));

    // The draws go out in small batches to every thread; each row is its draw's alone, so the
    // result does not depend on which thread took which batch. Only the calling thread talks to
    // the progress callback.
    const int batches = (total + Batch - 1) / Batch;
    std::atomic<int> nextBatch{0};
    std::atomic<int> done{0};
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::mutex failureLock;
    ProgressTicker ticker(progress, static_cast<std::uint64_t>(total));
    int reported = 0;
    auto work = [&](bool calling) {
        try {
            std::vector<std::uint64_t> hits(static_cast<std::size_t>(WheelCount) * BlockWords);
            const std::vector<std::uint64_t> zeros(static_cast<std::size_t>(layout.words) + BlockWords);
            std::array<CheckDraw, Batch> draws{};
            while (!stop.load(std::memory_order_relaxed)) {
                const int b = nextBatch.fetch_add(1, std::memory_order_relaxed);
                if (b >= batches) break;
                const int from = b * Batch, to = std::min(total, from + Batch);
                for (int i = from; i < to; ++i) {
                    result.rows[static_cast<std::size_t>(i)].draw = first + i;
                    draws[static_cast<std::size_t>(i - from)] = CheckDrawOf(archive.draw(first + i));
                }
                CountDraws(layout, hits.data(), zeros.data(), draws.data(), to - from, cap, result.rows.data() + from);
                const int now = done.fetch_add(to - from, std::memory_order_relaxed) + (to - from);
                if (calling) {
                    if (!ticker.advance(static_cast<std::uint64_t>(now - reported))) stop = true;
                    reported = now;
                }
            }
        } catch (...) {
            const std::lock_guard<std::mutex> lock(failureLock);
            if (!failure) failure = std::current_exception();
            stop = true;
        }
    };
    const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < cores && static_cast<int>(t) < batches; ++t) {
        try {
            helpers.emplace_back(work, false);
        } catch (const std::system_error&) {
            break; // fewer threads, same rows
        }
    }
    work(true);
    for (std::thread& t : helpers) t.join();
    if (failure) std::rethrow_exception(failure);
    if (!stop) {
        ticker.setDone(static_cast<std::uint64_t>(done.load()));
        stop = !ticker.report();
    }
    if (stop) {
        result.rows.clear();
        result.rows.shrink_to_fit();
        return result;
    }
    result.completed = true;
    return result;
}

BacktestSummary SummarizeBacktest(const BacktestResult& result) {
    BacktestSummary s;
    s.draws = static_cast<int>(result.rows.size());
    int dry = 0;
    for (const BacktestRow& row : result.rows) {
        s.totalWin += row.win;
        if (row.win.positive()) {
            ++s.winningDraws;
            dry = 0;
        } else {
            s.longestDry = std::max(s.longestDry, ++dry);
        }
    }
    s.totalCost.units = result.costPerDraw.units * s.draws;
    s.balance = s.totalWin - s.totalCost;
    return s;
}

} // namespace numora
