// The probability windows and their commands: the toolbar button the two menu items of the
// probability window follow.
#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"
#include "probability/UVisuaProba90.h"

using namespace Qt::StringLiterals;

namespace numora {

void RegisterProbabilityFeature(CommandTable& t, WindowRegistry& w) {
    w.add(17, [](QWidget* main) { return new TVisuaProba90(main); });

    CommandRow b = ToolButton(u"SpeedButton13"_s,
                              u" Visualizza probabilità dei 90 numeri |Questa scheda permette di visualizzare le probabilità dei 90 numeri."_s,
                              80, true);
    b.action = [](QWidget*) {
        if (TVisuaProba90* v = TVisuaProba90::instance()) {
            v->show();
            v->raise();
            v->activateWindow();
        }
    };
    t.add(std::move(b));
}

} // namespace numora
