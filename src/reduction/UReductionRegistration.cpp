// The guaranteed reduction, the Genio reduction and the optimiser: their long-lived dialogs and
// the menu rows the toolbar buttons follow.
#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"
#include "reduction/UGenio.h"
#include "reduction/UOttimizzaPro.h"
#include "reduction/URidGara.h"

using namespace Qt::StringLiterals;

namespace numora {

void RegisterReductionFeature(CommandTable& t, WindowRegistry& w) {
    w.add(33, [](QWidget* main) { return new TRidGara(main); });
    w.add(34, [](QWidget* main) { return new TGenio(main); });
    w.add(35, [](QWidget* main) { return new TOttimizzaPro(main); });

    const QString rd = u"Riduzioni"_s;
    CommandRow gara = MenuItem(rd, u"Riduzione a garanzia"_s, u"Riduzioneagaranzia1"_s, 20);
    gara.check = Check::ForecastNotEmpty;
    gara.action = [](QWidget*) {
        if (auto* d = TRidGara::instance()) d->exec();
    };
    t.add(std::move(gara));

    CommandRow genio =
        MenuItem(rd, u"Riduzione Genio - Aggiungi giocate più rappresentative"_s, u"Riduzioneacruciverba1"_s, 40);
    genio.check = Check::ForecastAtLeastThree;
    genio.action = [](QWidget*) {
        if (auto* d = TGenio::instance()) d->exec();
    };
    t.add(std::move(genio));

    CommandRow best =
        MenuItem(rd, u"Ottimizza probabilità assoluta di vincita"_s, u"Ottimizzaprobabilitassolutadivincita1"_s, 50);
    best.check = Check::AtLeastTwoPlays;
    best.action = [](QWidget*) {
        if (auto* d = TOttimizzaPro::instance()) d->exec();
    };
    t.add(std::move(best));
    t.add(SameAs(ToolButton(u"SpeedButton6"_s, u"Riduzione del pronostico a garanzia"_s, 160, true),
                 u"Riduzioneagaranzia1"_s));
    t.add(SameAs(ToolButton(u"SpeedButton8"_s, u"Riduzione Genio - Aggiungi giocate più rappresentative"_s, 180),
                 u"Riduzioneacruciverba1"_s));
    t.add(SameAs(ToolButton(u"SpeedButton12"_s, u"Ottimizza probabilità assoluta di vincita"_s, 190),
                 u"Ottimizzaprobabilitassolutadivincita1"_s));
}

} // namespace numora
