// The per-number panel and the statistics selector: created at start below the forecast window
// (the panel first, the selector under it), and the command that shows them both.
#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"
#include "stats/UNumStats.h"
#include "stats/UStats.h"

using namespace Qt::StringLiterals;

namespace numora {

void RegisterStatsSelectorFeature(CommandTable& t, WindowRegistry& w) {
    w.add(4, [](QWidget* main) { return new TStats(main); }, {0, 2, false});
    w.add(38, [](QWidget* main) { return new TNumStats(main); }, {0, 1, false});

    CommandRow r = MenuItem(u"Statistiche"_s, u"Visualizza"_s, u"Visualizza2"_s, 10);
    r.action = [](QWidget*) {
        for (QWidget* win : {static_cast<QWidget*>(TNumStats::instance()), static_cast<QWidget*>(TStats::instance())})
            if (win) {
                win->show();
                win->raise();
            }
    };
    t.add(std::move(r));
    t.add(SameAs(
        MenuItem(u"Pronostico"_s, u"Visualizza scheda statistiche"_s, u"Visualizzastatistichesuinumeri1"_s, 70, true),
        u"Visualizza2"_s));
}

} // namespace numora
