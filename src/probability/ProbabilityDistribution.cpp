#include "probability/ProbabilityDistribution.h"

#include "core/Combinations.h"
#include "core/TextHelpers.h"

#include <cmath>

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
    // The default rounding mode sends an exact half to the even neighbour.
    return static_cast<int>(std::nearbyint(mean));
}

bool CountCombinationBins(std::span<const std::uint8_t> numbers, int k, const CustomProbabilityTable& probabilities,
                          DistributionBins& bins, const Progress& progress) {
    bins.fill(0);
    CombinationEnumerator e;
    if (!e.start(numbers, k)) return true;
    ProgressTicker ticker(progress, e.count());
    // sums[s] is the sum of slots 0..s, in the same order as a sum taken afresh, so every
    // combination gets exactly the mean of the literal count. A step of the enumeration changes
    // the slots from firstChanged() on; mostly that is the last slot alone.
    std::array<double, CombinationEnumerator::MaxNumbers> sums{};
    const std::uint8_t* slot = e.numbers();
    do {
        int s = e.firstChanged();
        double sum = s == 0 ? 0.0 : sums[static_cast<std::size_t>(s - 1)];
        for (; s < k; ++s) {
            sum += probabilities[static_cast<std::size_t>(slot[s] - 1)];
            sums[static_cast<std::size_t>(s)] = sum;
        }
        ++bins[static_cast<std::size_t>(DistributionBin(sum, k))];
        if (!ticker.step()) return false;
    } while (e.next());
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
