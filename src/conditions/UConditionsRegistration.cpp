// The conditioned reduction and its archive statistics: their windows and the menu row the
// toolbar's "Riduzione Condizionata" follows.
#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"
#include "conditions/URidCond.h"
#include "conditions/UStatsRidCond.h"

using namespace Qt::StringLiterals;

namespace numora {

void RegisterConditionsFeature(CommandTable& t, WindowRegistry& w) {
    w.add(36, [](QWidget* main) { return new TRidCond(main); });
    w.add(37, [](QWidget* main) { return new TStatsRidCond(main); });

    CommandRow r = MenuItem(u"Riduzioni"_s, u"Riduzione condizionata"_s, u"Riduzionecondizionata1"_s, 30);
    r.check = Check::ForecastOrPlays;
    r.action = [](QWidget*) {
        if (TRidCond* d = TRidCond::instance()) d->exec();
    };
    t.add(std::move(r));
    t.add(SameAs(ToolButton(u"SpeedButton7"_s, u"Riduzione Condizionata"_s, 170), u"Riduzionecondizionata1"_s));
}

} // namespace numora
