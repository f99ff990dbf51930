// The windows of the statistics of single numbers and their rows of the "Statistiche" menu.
#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"
#include "stats/UStatFre.h"
#include "stats/UStatNumMenoFre.h"
#include "stats/UStatNumPiuRit.h"
#include "stats/UStatRit.h"

using namespace Qt::StringLiterals;

namespace numora {

namespace {

template <class T> void ShowStatsWindow() {
    if (T* w = T::instance()) {
        w->show();
        w->raise();
        w->activateWindow();
    }
}

} // namespace

void RegisterStatsNumbersFeature(CommandTable& t, WindowRegistry& w) {
    w.add(6, [](QWidget* main) { return new TStatRit(main); });
    w.add(7, [](QWidget* main) { return new TStatFre(main); });
    w.add(10, [](QWidget* main) { return new TStatNumMenoFre(main); });
    w.add(15, [](QWidget* main) { return new TStatNumPiuRit(main); });

    const QString st = u"Statistiche"_s;
    auto item = [&](int order, const QString& caption, const QString& name, bool sep, void (*show)()) {
        CommandRow r = MenuItem(st, caption, name, order, sep);
        r.action = [show](QWidget*) { show(); };
        t.add(std::move(r));
    };
    item(20, u"I Ritardi dei 90 numeri"_s, u"IRitardidei90numeri1"_s, true, ShowStatsWindow<TStatRit>);
    item(30, u"Le Frequenze dei 90 numeri"_s, u"LeFrequenzedei90numeri1"_s, false, ShowStatsWindow<TStatFre>);
    item(50, u"I Numeri più ritardatari"_s, u"INumeripiritardatari1"_s, false, ShowStatsWindow<TStatNumPiuRit>);
    item(60, u"I Numeri meno frequenti"_s, u"INumerimenofrequenti1"_s, false, ShowStatsWindow<TStatNumMenoFre>);
}

} // namespace numora
