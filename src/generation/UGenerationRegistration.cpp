// The generator dialogs and their commands of the "Riduzioni" menu: each dialog is made at
// start-up and shown modally by its command after the command's check.
#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"
#include "generation/UEliminaCasu.h"
#include "generation/UGioca.h"
#include "generation/UGiocateCasuali.h"
#include "generation/USvilInt.h"

using namespace Qt::StringLiterals;

namespace numora {

void RegisterGenerationFeature(CommandTable& t, WindowRegistry& w) {
    w.add(20, [](QWidget* main) { return new TGioca(main); });
    w.add(25, [](QWidget* main) { return new TGiocateCasuali(main); });
    w.add(26, [](QWidget* main) { return new TEliminaCasu(main); });
    w.add(32, [](QWidget* main) { return new TSvilInt(main); });

    auto item = [&t](int order, const QString& caption, const QString& name, bool sep, Check check,
                     std::function<QDialog*()> dialog) {
        CommandRow r = MenuItem(u"Riduzioni"_s, caption, name, order, sep);
        r.check = check;
        r.action = [dialog = std::move(dialog)](QWidget*) {
            if (QDialog* d = dialog()) d->exec();
        };
        t.add(std::move(r));
    };
    item(10, u"Sviluppo integrale"_s, u"Sviluppointegraledelpronostico1"_s, false, Check::ForecastNotEmpty,
         [] { return TSvilInt::instance(); });
    item(60, u"Estrai giocate più probabili"_s, u"Estraigiocatepiprobabili2"_s, true, Check::ForecastNotEmpty,
         [] { return TGioca::instance(); });
    item(80, u"Estrai giocate casualmente"_s, u"Estraigiocatecasualmente1"_s, false, Check::ForecastNotEmpty,
         [] { return TGiocateCasuali::instance(); });
    item(110, u"Elimina giocate casualmente"_s, u"Eliminagiocatecasualmente1"_s, false, Check::PlaysToEliminate,
         [] { return TEliminaCasu::instance(); });
    t.add(SameAs(ToolButton(u"SpeedButton11"_s, u"Permette di estrarre dal pronostico le giocate più probabili"_s, 20),
                 u"Estraigiocatepiprobabili2"_s));
}

} // namespace numora
