// The windows of the pair statistics and their rows of the "Statistiche" menu.
#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"
#include "stats/UStatAmbiFre.h"
#include "stats/UStatAmbiMenoFre.h"
#include "stats/UStatAmbiPiuRit.h"
#include "stats/UStatAmbiRit.h"

using namespace Qt::StringLiterals;

namespace numora {

namespace {

template <class T> void ShowPairWindow() {
    if (T* w = T::instance()) {
        w->show();
        w->raise();
        w->activateWindow();
    }
}

} // namespace

void RegisterStatsPairsFeature(CommandTable& t, WindowRegistry& w) {
    w.add(8, [](QWidget* main) { return new TStatAmbiRit(main); });
    w.add(9, [](QWidget* main) { return new TStatAmbiFre(main); });
    w.add(11, [](QWidget* main) { return new TStatAmbiPiuRit(main); });
    w.add(12, [](QWidget* main) { return new TStatAmbiMenoFre(main); });

    const QString st = u"Statistiche"_s;
    auto item = [&](int order, const QString& caption, const QString& name, bool sep, void (*show)()) {
        CommandRow r = MenuItem(st, caption, name, order, sep);
        r.action = [show](QWidget*) { show(); };
        t.add(std::move(r));
    };
    item(70, u"I Ritardi dei 4005 Ambi"_s, u"IRitardidei4005Ambi1"_s, true, ShowPairWindow<TStatAmbiRit>);
    item(80, u"Le frequenze dei 4005 Ambi"_s, u"Lefrequenzedei4005Ambi1"_s, false, ShowPairWindow<TStatAmbiFre>);
    item(90, u"Gli Ambi più ritardatari"_s, u"GliAmbipiritardatari1"_s, false, ShowPairWindow<TStatAmbiPiuRit>);
    item(100, u"Gli Ambi meno frequenti"_s, u"GliAmbimenofrequenti1"_s, false, ShowPairWindow<TStatAmbiMenoFre>);
}

} // namespace numora
