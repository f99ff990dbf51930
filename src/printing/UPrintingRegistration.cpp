// The printing commands of the "Stampa" menu.
#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"
#include "printing/UColSuCarta.h"
#include "printing/UNewCalibra.h"
#include "printing/UNewColSuSche.h"

using namespace Qt::StringLiterals;

namespace numora {

void RegisterPrintingFeature(CommandTable& t, WindowRegistry&) {
    CommandRow slips = MenuItem(u"Stampa"_s, u"Stampa giocate su schedine"_s, u"Stampagiocatesuschedine2"_s, 20, true);
    slips.check = Check::G;
    slips.action = [](QWidget* parent) {
        TNewColSuSche dialog(parent);
        dialog.exec();
    };
    t.add(slips);
    CommandRow vertical = MenuItem(u"Stampa"_s, u"Calibra la stampa verticale su schedine"_s,
                                   u"Calibralastampaverticalesuschedine1"_s, 30);
    vertical.action = [](QWidget* parent) {
        TNewCalibraVer dialog(parent);
        dialog.exec();
    };
    t.add(vertical);
    CommandRow horizontal = MenuItem(u"Stampa"_s, u"Calibra la stampa orizzontale su schedine"_s,
                                     u"Calibralastampaorizzontalesuschedine1"_s, 40);
    horizontal.action = [](QWidget* parent) {
        TNewCalibra dialog(parent);
        dialog.exec();
    };
    t.add(horizontal);
    CommandRow plain = MenuItem(u"Stampa"_s, u"Stampa giocate su carta comune"_s, u"Stampagiocatesucartacomune1"_s, 50, true);
    plain.check = Check::G;
    plain.action = [](QWidget* parent) {
        TColSuCarta dialog(parent);
        dialog.fillHeading();
        dialog.exec();
    };
    t.add(plain);
}

} // namespace numora
