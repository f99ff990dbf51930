#include "stats/UStatNumPiuRit.h"

#include "components/UWindowRegistry.h"
#include "core/Globali.h"

using namespace Qt::StringLiterals;

namespace numora {

TStatNumPiuRit::TStatNumPiuRit(QWidget* parent)
    : TStatNumList(parent, u"I Numeri più ritardatari"_s, u"Ritardo"_s, QColor(192, 128, 0), false) {
    Windows().enrol(this);
    setObjectName(u"TStatNumPiuRit"_s);
}

TStatNumPiuRit::~TStatNumPiuRit() {
    Windows().forget(this);
}

TStatNumPiuRit* TStatNumPiuRit::instance() {
    return Windows().find<TStatNumPiuRit>();
}

bool TStatNumPiuRit::compute(std::vector<NumberWheelValue>& rows) {
    rows = NumberWheelDelays(Globals().archive);
    return true;
}

} // namespace numora
