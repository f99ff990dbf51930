#include "stats/UStatAmbiRit.h"

#include "components/UWheelSelection.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"

using namespace Qt::StringLiterals;

namespace numora {

TStatAmbiRit::TStatAmbiRit(QWidget* parent)
    : TStatAmbiLista(parent, u"I Ritardi dei 4005 Ambi"_s, {false, u"Ritardo"_s, QColor(0, 128, 0), false, 16}) {
    setObjectName(u"TStatAmbiRit"_s);
    Windows().enrol(this);
}

TStatAmbiRit::~TStatAmbiRit() {
    Windows().forget(this);
}

TStatAmbiRit* TStatAmbiRit::instance() {
    return Windows().find<TStatAmbiRit>();
}

bool TStatAmbiRit::compute(std::vector<PairValue>& rows, int& neverDrawnFrom) {
    const DrawArchive& draws = Globals().archive;
    rows = PairDelays(draws, CountedWheels(ruote->mask()));
    neverDrawnFrom = draws.count() - 1;
    return true;
}

} // namespace numora
