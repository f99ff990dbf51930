#include "elimination/UDistriProbaPerEli.h"

#include "core/Globali.h"

namespace numora {

TDistriProbaPerEli::TDistriProbaPerEli(QWidget* parent) : TDistriBase(17, 179, DistributedPlayInterval, parent) {
    setObjectName(QStringLiteral("TDistriProbaPerEli"));
}

bool TDistriProbaPerEli::compute(DistributionBins& bins, const Progress& progress) {
    const PlaySystem& system = Globals().system;
    return CountPlayBins(system.list, system.customProbabilities, bins, progress);
}

} // namespace numora
