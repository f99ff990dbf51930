#include "stats/UStatRit.h"

#include "components/UWheelSelection.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace numora {

TStatRit::TStatRit(QWidget* parent)
    : TStatNumChart(parent, u"I Ritardi dei 90 numeri"_s,
                    {QColor(20, 230, 40), QColor(0, 0, 128), QColor(0, 0, 64), 0}) {
    Windows().enrol(this);
    setObjectName(u"TStatRit"_s);
    Label3->setText(u"Ritardo"_s);
    compute();
    go->setEnabled(false);
}

TStatRit::~TStatRit() {
    Windows().forget(this);
}

TStatRit* TStatRit::instance() {
    return Windows().find<TStatRit>();
}

bool TStatRit::compute() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ritgraf->setBusy(true);
    std::vector<NumberValue> rows = NumberDelays(Globals().archive, CountedWheels(ruote->mask()));
    ritgraf->setBusy(false);
    ritgraf->setEntries(std::move(rows));
    noteFigures(ruote->mask());
    QApplication::restoreOverrideCursor();
    return true;
}

} // namespace numora
