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

// What the plays sharing a count of numbers, the same stakes and the same divisor win on one
// wheel with h hits (h 0..5), each term capped as CheckPlays caps it.
struct Profile {
    std::array<Amount, 6> regional{};
    std::array<Amount, 6> national{};
    std::uint8_t kinds = 0; // bit k-1: a stake above 0 on bet kind k
};

// The plays of a run, laid out for counting 64 at a time: slot i of the layout holds one play,
// ordered by the smallest bet kind it stakes on, each kind's run starting at a word of its own
// so that one threshold serves a whole word.
struct Layout {
    int words = 0;
    std::array<int, 6> kindStart{}; // [k]: the words of the plays whose smallest kind is k (1..5)
    std::array<int, 6> kindEnd{};
    std::vector<std::uint64_t> numberBits;             // (n * words + word): play of the slot holds n (1..90)
    std::vector<std::uint64_t> wheelBits;              // ((w-1) * words + word): play of the slot is checked on w
    std::vector<std::array<std::uint64_t, 2>> numbers; // per slot, its numbers as a 128-bit set
    std::vector<std::int32_t> profile;                 // per slot, its profile
    std::vector<Profile> profiles;
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
    struct Slotted {
        int play;
        int kind;
        int profile;
    };
    std::vector<Slotted> kept;
    std::unordered_map<std::string, int> profileIndex;
    for (int p = 0; p < count; ++p) {
        const Play& play = plays[p];
        const std::uint16_t wheels = PlayedWheels(play);
        const int n = play.numberCount();
        std::array<Amount, 5> stakes{};
        int smallest = 0;
        for (int k = 5; k >= 1; --k) {
            stakes[static_cast<std::size_t>(k - 1)] = exact(play.stakes[static_cast<std::size_t>(k - 1)]);
            if (stakes[static_cast<std::size_t>(k - 1)].positive()) smallest = k;
        }
        // A play that stakes nothing, plays no wheel or has fewer numbers than its smallest kind
        // never wins nor counts a combination.
        if (smallest == 0 || wheels == 0 || smallest > n) continue;
        std::array<std::uint64_t, 2> set{};
        bool repeated = false;
        for (auto number : play.numbers) {
            if (number == 0 || number > MaxNumber) continue;
            std::uint64_t& word = set[number >> 6];
            const std::uint64_t bit = std::uint64_t{1} << (number & 63);
            repeated = repeated || (word & bit) != 0;
            word |= bit;
        }
        if (repeated) {
            L.irregular.push_back(play);
            continue;
        }
        const bool tutte = (play.wheels & WheelBit(WheelTutte)) != 0;
        std::string key(reinterpret_cast<const char*>(stakes.data()), sizeof stakes);
        key += static_cast<char>(n);
        key += tutte ? 'T' : 'R';
        auto [it, added] = profileIndex.emplace(std::move(key), static_cast<int>(L.profiles.size()));
        if (added) {
            Profile pr;
            for (int k = 1; k <= 5; ++k)
                if (stakes[static_cast<std::size_t>(k - 1)].positive())
                    pr.kinds |= static_cast<std::uint8_t>(1 << (k - 1));
            for (int h = 0; h <= 5; ++h)
                for (int k = 1; k <= h; ++k) {
                    const Amount s = stakes[static_cast<std::size_t>(k - 1)];
                    if (!s.positive()) continue;
                    pr.regional[static_cast<std::size_t>(h)] += BetWin(k, s, h, n, tutte ? 10 : 1, cap);
                    pr.national[static_cast<std::size_t>(h)] += BetWin(k, s, h, n, 1, cap);
                }
            L.profiles.push_back(pr);
        }
        kept.push_back({p, smallest, it->second});
    }
    std::stable_sort(kept.begin(), kept.end(), [](const Slotted& a, const Slotted& b) { return a.kind < b.kind; });

    // Slot numbers: each kind's run starts on a word boundary.
    std::vector<int> slotOf(kept.size());
    int next = 0;
    std::size_t i = 0;
    for (int k = 1; k <= 5; ++k) {
        next = (next + 63) / 64 * 64;
        L.kindStart[static_cast<std::size_t>(k)] = next / 64;
        for (; i < kept.size() && kept[i].kind == k; ++i) slotOf[i] = next++;
        L.kindEnd[static_cast<std::size_t>(k)] = (next + 63) / 64;
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

// The slots of words [first, last) with at least K of the inputs' bits set, on the wheel's played slots.
template <int K>
void AtLeast(const std::array<const std::uint64_t*, 5>& in, const std::uint64_t* played, std::uint64_t* out, int first,
             int last) {
    for (int j = first; j < last; ++j) {
        std::array<std::uint64_t, K + 1> ge{};
        for (const std::uint64_t* x : in) {
            const std::uint64_t v = x[j];
            for (int t = K; t >= 2; --t) ge[static_cast<std::size_t>(t)] |= ge[static_cast<std::size_t>(t - 1)] & v;
            ge[1] |= v;
        }
        out[j] = ge[K] & played[j];
    }
}

// One draw's row, by the layout; scratch holds WheelCount * words words.
class DrawCounter {
public:
    DrawCounter(const Layout& layout, Amount cap)
        : L_(layout), cap_(cap), zeros_(static_cast<std::size_t>(std::max(layout.words, 1)), 0),
          hits_(static_cast<std::size_t>(WheelCount) * static_cast<std::size_t>(layout.words), 0) {}

    void count(const CheckDraw& draw, BacktestRow& row) {
        const auto words = static_cast<std::size_t>(L_.words);
        std::array<std::array<std::uint64_t, 2>, WheelCount> drawn{};
        std::array<std::array<const std::uint64_t*, 5>, WheelCount> in{};
        int live = 0;
        std::array<int, WheelCount> wheelOf{};
        for (int w = 1; w <= WheelCount; ++w) {
            auto& set = drawn[static_cast<std::size_t>(live)];
            auto& inputs = in[static_cast<std::size_t>(live)];
            set = {0, 0};
            std::size_t used = 0;
            for (int n : draw[static_cast<std::size_t>(w - 1)]) {
                if (n < 1 || n > MaxNumber) continue;
                const std::uint64_t bit = std::uint64_t{1} << (n & 63);
                if ((set[static_cast<std::size_t>(n >> 6)] & bit) != 0) continue;
                set[static_cast<std::size_t>(n >> 6)] |= bit;
                inputs[used++] = L_.numberBits.data() + static_cast<std::size_t>(n) * words;
            }
            if (used == 0) continue; // a wheel not drawn that day wins nothing
            for (; used < 5; ++used) inputs[used] = zeros_.data();
            wheelOf[static_cast<std::size_t>(live++)] = w;
        }
        std::array<std::array<long long, 6>, 32> tally{};
        for (int k = 1; k <= 5; ++k) {
            const int first = L_.kindStart[static_cast<std::size_t>(k)], last = L_.kindEnd[static_cast<std::size_t>(k)];
            if (first >= last) continue;
            for (int i = 0; i < live; ++i) {
                const std::uint64_t* played =
                    L_.wheelBits.data() + static_cast<std::size_t>(wheelOf[static_cast<std::size_t>(i)] - 1) * words;
                std::uint64_t* out = hits_.data() + static_cast<std::size_t>(i) * words;
                const auto& inputs = in[static_cast<std::size_t>(i)];
                switch (k) {
                case 1:
                    AtLeast<1>(inputs, played, out, first, last);
                    break;
                case 2:
                    AtLeast<2>(inputs, played, out, first, last);
                    break;
                case 3:
                    AtLeast<3>(inputs, played, out, first, last);
                    break;
                case 4:
                    AtLeast<4>(inputs, played, out, first, last);
                    break;
                default:
                    AtLeast<5>(inputs, played, out, first, last);
                    break;
                }
            }
            for (int j = first; j < last; ++j) {
                std::uint64_t any = 0;
                for (int i = 0; i < live; ++i)
                    any |= hits_[static_cast<std::size_t>(i) * words + static_cast<std::size_t>(j)];
                while (any != 0) {
                    const int b = std::countr_zero(any);
                    any &= any - 1;
                    const std::size_t slot = static_cast<std::size_t>(j) * 64 + static_cast<std::size_t>(b);
                    const auto& set = L_.numbers[slot];
                    const Profile& pr = L_.profiles[static_cast<std::size_t>(L_.profile[slot])];
                    Amount playTotal;
                    for (int i = 0; i < live; ++i) {
                        if (((hits_[static_cast<std::size_t>(i) * words + static_cast<std::size_t>(j)] >> b) & 1) == 0)
                            continue;
                        const auto& d = drawn[static_cast<std::size_t>(i)];
                        const int h = std::popcount(set[0] & d[0]) + std::popcount(set[1] & d[1]);
                        playTotal += wheelOf[static_cast<std::size_t>(i)] == WheelNazionale
                                         ? pr.national[static_cast<std::size_t>(h)]
                                         : pr.regional[static_cast<std::size_t>(h)];
                        ++tally[pr.kinds][static_cast<std::size_t>(h)];
                    }
                    row.win += Capped(playTotal, cap_);
                }
            }
        }
        for (std::size_t kinds = 1; kinds < tally.size(); ++kinds)
            for (std::size_t h = 1; h <= 5; ++h) {
                const long long times = tally[kinds][h];
                if (times == 0) continue;
                for (std::size_t k = 1; k <= h; ++k)
                    if ((kinds >> (k - 1)) & 1) row.counts[k - 1] += times * Binomial[h][k];
            }
        if (!L_.irregular.empty()) {
            const CheckResult r = CheckTotals(L_.irregular.data(), static_cast<int>(L_.irregular.size()), draw, cap_);
            for (std::size_t k = 0; k < 5; ++k) row.counts[k] += r.counts[k];
            row.win += r.total;
        }
    }

private:
    const Layout& L_;
    Amount cap_;
    std::vector<std::uint64_t> zeros_;
    std::vector<std::uint64_t> hits_;
};

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
    constexpr int Batch = 8;
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
            DrawCounter counter(layout, cap);
            while (!stop.load(std::memory_order_relaxed)) {
                const int b = nextBatch.fetch_add(1, std::memory_order_relaxed);
                if (b >= batches) break;
                const int from = b * Batch, to = std::min(total, from + Batch);
                for (int i = from; i < to; ++i) {
                    BacktestRow& row = result.rows[static_cast<std::size_t>(i)];
                    row.draw = first + i;
                    counter.count(CheckDrawOf(archive.draw(first + i)), row);
                }
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
