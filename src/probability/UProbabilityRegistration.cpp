// The probability windows and their commands: the toolbar button the two menu items of the
// probability window follow, the two commands of the add/remove dialog, and the distribution of
// the numbers in the plays (toolbar button and menu item).
#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"
#include "probability/UAggNumPiuProba.h"
#include "probability/UVisuaDistri.h"
#include "probability/UVisuaProba90.h"

using namespace Qt::StringLiterals;

namespace numora {

void RegisterProbabilityFeature(CommandTable& t, WindowRegistry& w) {
    w.add(17, [](QWidget* main) { return new TVisuaProba90(main); });
    w.add(18, [](QWidget* main) { return new TAggNumPiuProba(main); });

    CommandRow b = ToolButton(
        u"SpeedButton13"_s,
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

    // The forecast window first, then the dialog in its mode, modal.
    auto item = [&t](int order, const QString& caption, const QString& name, TAggNumPiuProba::Mode mode) {
        CommandRow r = MenuItem(u"Pronostico"_s, caption, name, order);
        r.action = [&t, mode](QWidget*) {
            if (t.views.showForecast) t.views.showForecast();
            if (TAggNumPiuProba* d = TAggNumPiuProba::instance()) {
                d->setMode(mode);
                d->exec();
            }
        };
        t.add(std::move(r));
    };
    item(30, u"Aggiungi numeri più probabili"_s, u"Aggiunginumeripiprobabili1"_s, TAggNumPiuProba::Adding);
    item(40, u"Elimina numeri meno probabili"_s, u"Eliminanumerimenoprobabili1"_s, TAggNumPiuProba::Removing);

    CommandRow d = ToolButton(u"SpeedButton18"_s,
                              u"Distribuzione dei numeri|Visualizza la distribuzione dei numeri nelle giocate."_s, 150);
    d.check = Check::PlaysToCheck;
    d.action = [](QWidget* main) {
        TVisuaDistri v(main);
        v.exec();
    };
    t.add(std::move(d));
    // The play list view first, then as the button.
    CommandRow m =
        MenuItem(u"Giocate"_s, u"Visualizza distribuzione dei numeri"_s, u"Visualizzadistribuzionedeinumeri1"_s, 30);
    m.sameAs = u"SpeedButton18"_s;
    m.prelude = [&t] {
        if (t.views.showPlayList) t.views.showPlayList();
    };
    t.add(std::move(m));
    t.add(SameAs(MenuItem(u"Statistiche"_s, u"Probabilità dei 90 numeri"_s, u"Probabilitdei90numeri1"_s, 40),
                 u"SpeedButton13"_s));
    t.add(SameAs(MenuItem(u"Pronostico"_s, u"Visualizza probabilità dei 90 numeri"_s,
                          u"Visualizzaprobabilitdei90numeri1"_s, 20, true),
                 u"SpeedButton13"_s, [&t] {
                     if (t.views.showForecast) t.views.showForecast();
                 }));
}

} // namespace numora
