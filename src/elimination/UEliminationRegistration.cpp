// The eliminators by score and the extraction with the custom probabilities: their windows and
// their rows of the "Riduzioni" menu.
#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"
#include "elimination/UEliMenoPro.h"
#include "elimination/UEliMiaProba.h"
#include "elimination/UEstraiMiaProba.h"

using namespace Qt::StringLiterals;

namespace numora {

void RegisterEliminationFeature(CommandTable& t, WindowRegistry& w) {
    w.add(22, [](QWidget* main) { return new TEliMenoPro(main); });
    w.add(23, [](QWidget* main) { return new TEstraiMiaProba(main); });
    w.add(24, [](QWidget* main) { return new TEliMiaProba(main); });

    const QString rd = u"Riduzioni"_s;
    auto item = [&t, &rd](int order, const QString& caption, const QString& name, bool sep, Check check,
                          std::function<QDialog*()> dialog) {
        CommandRow r = MenuItem(rd, caption, name, order, sep);
        r.check = check;
        r.action = [dialog = std::move(dialog)](QWidget*) {
            if (QDialog* d = dialog()) d->exec();
        };
        t.add(std::move(r));
    };
    item(70, u"Estrai giocate con probabilità personalizzate"_s, u"RIduzionepersonalizzata1"_s, false,
         Check::ForecastNotEmpty, [] { return TEstraiMiaProba::instance(); });
    item(90, u"Elimina giocate meno probabili"_s, u"Eliminagiocatemenoprobabili1"_s, true, Check::PlaysToEliminate,
         [] { return TEliMenoPro::instance(); });
    item(100, u"Elimina giocate con probabilità personalizzate"_s, u"Estraigiocateconprobabilitpersonalizzata1"_s,
         false, Check::PlaysToEliminate, [] { return TEliMiaProba::instance(); });
}

} // namespace numora
