// The commands whose windows are still to be built. They keep the menu and the toolbar in their
// final shape and show disabled; a feature folder that builds one registers a row of the same
// name, with its action, which takes this row's place. Buttons and items that do what another
// command does are complete already: they come alive with the command they follow.
#include "components/UCommandTable.h"

using namespace Qt::StringLiterals;

namespace numora {

void RegisterPendingCommands(CommandTable& t) {
    auto item = [&t](const QString& menu, int order, const QString& caption, const QString& name, bool sep = false,
                     std::optional<Check> check = std::nullopt, const QString& sameAs = QString(),
                     std::function<void()> prelude = {}) {
        CommandRow r = MenuItem(menu, caption, name, order, sep);
        r.check = check;
        r.sameAs = sameAs;
        r.prelude = std::move(prelude);
        t.add(std::move(r));
    };
    auto showForecast = [&t] {
        if (t.views.showForecast) t.views.showForecast();
    };

    const QString st = u"Statistiche"_s;
    item(st, 40, u"Probabilità dei 90 numeri"_s, u"Probabilitdei90numeri1"_s, false, std::nullopt, u"SpeedButton13"_s);

    const QString pr = u"Pronostico"_s;
    item(pr, 20, u"Visualizza probabilità dei 90 numeri"_s, u"Visualizzaprobabilitdei90numeri1"_s, true, std::nullopt,
         u"SpeedButton13"_s, showForecast);
    item(pr, 70, u"Visualizza scheda statistiche"_s, u"Visualizzastatistichesuinumeri1"_s, true, std::nullopt,
         u"Visualizza2"_s);

    auto button = [&t](int order, const QString& name, const QString& hint, bool sep, const QString& sameAs,
                       std::optional<Check> check = std::nullopt) {
        CommandRow r = ToolButton(name, hint, order, sep);
        r.sameAs = sameAs;
        r.check = check;
        t.add(std::move(r));
    };
    button(20, u"SpeedButton11"_s, u"Permette di estrarre dal pronostico le giocate più probabili"_s, false,
           u"Estraigiocatepiprobabili2"_s);
    button(
        130, u"SpeedButton16"_s,
        u"Spoglio delle giocate|Lo spoglio delle giocate permette di controllare i punteggi e le vincite realizzate."_s,
        true, u"Spogliodellegiocate1"_s);
    button(140, u"stmstp"_s, u"Stampa le giocate direttamente sulle schedine del Lotto"_s, false,
           u"Stampagiocatesuschedine1"_s);
    button(160, u"SpeedButton6"_s, u"Riduzione del pronostico a garanzia"_s, true, u"Riduzioneagaranzia1"_s);
    button(170, u"SpeedButton7"_s, u"Riduzione Condizionata"_s, false, u"Riduzionecondizionata1"_s);
    button(180, u"SpeedButton8"_s, u"Riduzione Genio - Aggiungi giocate più rappresentative"_s, false,
           u"Riduzioneacruciverba1"_s);
    button(190, u"SpeedButton12"_s, u"Ottimizza probabilità assoluta di vincita"_s, false,
           u"Ottimizzaprobabilitassolutadivincita1"_s);
}

} // namespace numora
