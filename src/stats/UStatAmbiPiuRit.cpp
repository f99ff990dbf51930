#include "stats/UStatAmbiPiuRit.h"

#include "components/UFieldFilters.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"

#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace numora {

TStatAmbiPiuRit::TStatAmbiPiuRit(QWidget* parent)
    : TStatAmbiTop(parent, u"Gli Ambi più ritardatari"_s, {true, u"Ritardo"_s, QColor(255, 128, 0), false, 13}) {
    setObjectName(u"TStatAmbiPiuRit"_s);
    Label1 = new QLabel(u"Numero di ambi più ritardatari da visualizzare (da 1 a 5000):"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Edit1 = new QLineEdit(u"250"_s, this);
    Edit1->setObjectName(u"Edit1"_s);
    ApplyNumberFilter(Edit1, 4);
    Edit1->setFixedWidth(60);
    addField(Label1, Edit1);
    Windows().enrol(this);
}

TStatAmbiPiuRit::~TStatAmbiPiuRit() {
    Windows().forget(this);
}

TStatAmbiPiuRit* TStatAmbiPiuRit::instance() {
    return Windows().find<TStatAmbiPiuRit>();
}

bool TStatAmbiPiuRit::readInputs(Inputs& in) {
    const std::optional<int> k = ParseTopPairsCount(Edit1->text().toStdString());
    if (!k) {
        refuse(InvalidTopPairsMessage);
        return false;
    }
    in.k = *k;
    return true;
}

TopPairsResult TStatAmbiPiuRit::scan(const Inputs& in, int lastWheel, const ProgressCallback& progress) {
    return MostDelayedPairs(Globals().archive, lastWheel, in.k, progress);
}

} // namespace numora
