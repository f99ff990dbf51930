#include "elimination/UDistriProba.h"

#include "core/Globali.h"

#include <vector>

namespace numora {

TDistriProba::TDistriProba(int k, QWidget* parent) : TDistriBase(5, 103, CombinationInterval, parent), k_(k) {
    setObjectName(QStringLiteral("TDistriProba"));
}

bool TDistriProba::compute(DistributionBins& bins, const Progress& progress) {
    const PlaySystem& system = Globals().system;
    std::vector<std::uint8_t> numbers;
    for (int n = 1; n <= 90; ++n)
        if (system.forecast.isChosen(n)) numbers.push_back(static_cast<std::uint8_t>(n));
    return CountCombinationBins(numbers, k_, system.customProbabilities, bins, progress);
}

} // namespace numora
