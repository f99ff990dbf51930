// The conditioned reduction and its archive statistics: their windows and the menu row the
// toolbar's "Riduzione Condizionata" follows.
#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"
#include "conditions/ConditionSet.h"
#include "conditions/URidCond.h"
#include "conditions/UStatsRidCond.h"
#include "core/Globali.h"

using namespace Qt::StringLiterals;

namespace numora {

void RegisterConditionsFeature(CommandTable& t, WindowRegistry& w) {
    // The data layer reads the conditions before any window exists; the hook is set when the
    // program loads (ConditionSet.cpp) and again here, for a program assembled without it.
    Globals().loadConditions = [] { LoadStartupConditions(Globals().appDir, Conditions()); };
    w.add(36, [](QWidget* main) { return new TRidCond(main); });
    w.add(37, [](QWidget* main) { return new TStatsRidCond(main); });

    CommandRow r = MenuItem(u"Riduzioni"_s, u"Riduzione condizionata"_s, u"Riduzionecondizionata1"_s, 30);
    r.check = Check::C;
    r.action = [](QWidget*) {
        if (TRidCond* d = TRidCond::instance()) d->exec();
    };
    t.add(std::move(r));
}

} // namespace numora
