#include "probability/ProbabilityDistribution.h"

#include "core/Combinations.h"
#include "core/TextHelpers.h"

namespace numora {

const char* ReadDistributionSize(std::string_view text, int forecastCount, int& k) {
    long long v = 0;
    if (!ParseWholeNumber(text, v) || v <= 0 || v > forecastCount || v > 10) return InvalidDistributionSizeMessage;
    if (v == 1) return DistributionNeedsTwoNumbersMessage;
    k = static_cast<int>(v);
    return nullptr;
}

int DistributionBin(double sum, int count) {
    const double mean = sum / count;
    if (!(mean >= 0)) return 0; // also a NaN
    if (mean >= 100) return 100;
    // Near 2^52 the doubles are the whole numbers, so the addition rounds the mean to one in the
    // default rounding mode, an exact half to the even one, and the subtraction is exact. It is
    // what nearbyint does, without the library call.
    return static_cast<int>((mean + 0x1p52) - 0x1p52);
}

bool CountCombinationBins(std::span<const std::uint8_t> numbers, int k, const CustomProbabilityTable& probabilities,
                          DistributionBins& bins, const Progress& progress) {
    bins.fill(0);
    CombinationEnumerator all;
    if (!all.start(numbers, k)) return true;
    const int m = all.listSize();
    ProgressTicker ticker(progress, all.count());
    std::array<std::uint8_t, CombinationEnumerator::MaxNumbers> list{};
    std::array<double, CombinationEnumerator::MaxNumbers> q{}; // the probability at each position
    for (int j = 0; j < m; ++j) {
        list[static_cast<std::size_t>(j)] = all.listNumber(j + 1);
        q[static_cast<std::size_t>(j)] = probabilities[static_cast<std::size_t>(list[static_cast<std::size_t>(j)] - 1)];
    }
    if (k == 1) {
        for (int j = 0; j < m; ++j) {
            ++bins[static_cast<std::size_t>(DistributionBin(q[static_cast<std::size_t>(j)], 1))];
            if (!ticker.step()) return false;
        }
        return true;
    }
    // In the order of the enumeration, the k-combinations are the (k-1)-combinations of the
    // first m-1 numbers, each followed by every position after its last one in turn. sums[s] is
    // the sum of the prefix's slots 0..s taken from the first, so every combination's sum is
    // added in the same order as the literal count adds it; a step of the prefix changes the
    // slots from firstChanged() on.
    CombinationEnumerator prefix;
    prefix.start(std::span<const std::uint8_t>(list.data(), static_cast<std::size_t>(m - 1)), k - 1);
    std::array<double, CombinationEnumerator::MaxNumbers> sums{};
    const int last = k - 2;
    do {
        int s = prefix.firstChanged();
        double sum = s == 0 ? 0.0 : sums[static_cast<std::size_t>(s - 1)];
        for (; s <= last; ++s) {
            sum += q[static_cast<std::size_t>(prefix.position(s) - 1)];
            sums[static_cast<std::size_t>(s)] = sum;
        }
        for (int j = prefix.position(last); j < m; ++j) {
            ++bins[static_cast<std::size_t>(DistributionBin(sum + q[static_cast<std::size_t>(j)], k))];
            if (!ticker.step()) return false;
        }
    } while (prefix.next());
    return true;
}

bool CountPlayBins(const PlayList& list, const CustomProbabilityTable& probabilities, DistributionBins& bins,
                   const Progress& progress) {
    bins.fill(0);
    const int count = list.count();
    ProgressTicker ticker(progress, static_cast<std::uint64_t>(count));
    for (int i = 1; i <= count; ++i) {
        double sum = 0;
        int numbers = 0;
        for (std::uint8_t n : list.play(i).numbers) {
            if (n < 1 || n > 90) continue;
            sum += probabilities[static_cast<std::size_t>(n - 1)];
            ++numbers;
        }
        if (numbers > 0) ++bins[static_cast<std::size_t>(DistributionBin(sum, numbers))];
        if (!ticker.step()) return false;
    }
    return true;
}

bool CountNumberPresence(const PlayList& list, NumberPresence& counts, const Progress& progress) {
    counts.fill(0);
    const int count = list.count();
    const std::uint64_t interval = progress.interval == 0 ? 1 : progress.interval;
    ProgressStatus status;
    status.total = static_cast<std::uint64_t>(count);
    for (int i = 1; i <= count; ++i) {
        for (std::uint8_t n : list.play(i).numbers)
            if (n >= 1 && n <= 90) ++counts[static_cast<std::size_t>(n - 1)];
        status.done = static_cast<std::uint64_t>(i);
        if ((i == 1 || status.done % interval == 0) && progress.callback && !progress.callback(status)) return false;
    }
    return true;
}

} // namespace numora
