// The checking and winnings commands and their long-lived windows, as the main window's table
// and registry take them.
#include "checking/UCalcVin.h"
#include "checking/USpoglio.h"
#include "checking/UVerificaArchivio.h"
#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"

using namespace Qt::StringLiterals;

namespace numora {

void RegisterCheckingFeature(CommandTable& t, WindowRegistry& w) {
    w.add(19, [](QWidget* main) { return new TCalcVin(main); });
    w.add(27, [](QWidget* main) { return new TSpoglio(main); });
    w.add(39, [](QWidget* main) { return new TVerificaArchivio(main); });

    CommandRow calc = MenuItem(u"Opzioni generali"_s, u"Calcola vincite"_s, u"Calcolatoredellevincite1"_s, 30);
    calc.action = [](QWidget*) {
        if (auto* d = TCalcVin::instance()) d->exec();
    };
    t.add(calc);

    CommandRow check = MenuItem(u"Giocate"_s, u"Spoglio delle giocate"_s, u"Spogliodellegiocate1"_s, 20, true);
    check.check = Check::PlaysToCheck;
    check.action = [](QWidget*) {
        if (auto* d = TSpoglio::instance()) d->exec();
    };
    t.add(check);
    CommandRow period = MenuItem(u"Giocate"_s, u"Verifica su archivio"_s, u"Verificasuarchivio1"_s, 21);
    period.check = Check::PlaysToCheck;
    period.action = [](QWidget*) {
        if (auto* d = TVerificaArchivio::instance()) d->exec();
    };
    t.add(period);
    t.add(SameAs(
        ToolButton(
            u"SpeedButton16"_s,
            u"Spoglio delle giocate|Lo spoglio delle giocate permette di controllare i punteggi e le vincite realizzate."_s,
            130, true),
        u"Spogliodellegiocate1"_s));
}

} // namespace numora
