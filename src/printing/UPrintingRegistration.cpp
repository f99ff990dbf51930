// The printing commands of the "Stampa" menu.
#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"
#include "printing/UCalibra.h"
#include "printing/UColSuCarta.h"
#include "printing/UColSuSche.h"
#include "printing/UNewCalibra.h"
#include "printing/UNewColSuSche.h"

#include <memory>

using namespace Qt::StringLiterals;

namespace numora {

void RegisterPrintingFeature(CommandTable& t, WindowRegistry& w) {
    // The old-slip printing dialog lives for the whole run; the others are made for one use.
    w.add(21, [](QWidget* main) { return new TColSuSche(main); });

    CommandRow slips = MenuItem(u"Stampa"_s, u"Stampa giocate su schedine"_s, u"Stampagiocatesuschedine2"_s, 20, true);
    slips.check = Check::PlaysToPrint;
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
    CommandRow plain =
        MenuItem(u"Stampa"_s, u"Stampa giocate su carta comune"_s, u"Stampagiocatesucartacomune1"_s, 50, true);
    plain.check = Check::PlaysToPrint;
    plain.action = [](QWidget* parent) {
        TColSuCarta dialog(parent);
        dialog.fillHeading();
        dialog.exec();
    };
    t.add(plain);

    const QString old = u"Stampa/Stampa su vecchie schedine"_s;
    CommandRow oldSlips = MenuItem(old, u"Stampa giocate su schedine"_s, u"Stampagiocatesuschedine1"_s, 60);
    oldSlips.check = Check::PlaysToPrint;
    oldSlips.action = [](QWidget* parent) {
        TColSuSche* d = TColSuSche::instance();
        std::unique_ptr<TColSuSche> own;
        if (!d) {
            own = std::make_unique<TColSuSche>(parent);
            d = own.get();
        }
        d->exec();
    };
    t.add(oldSlips);
    CommandRow oldHorizontal =
        MenuItem(old, u"Calibra stampa orizzontale su schedine"_s, u"Calibrastampaorizzontalesuschedine1"_s, 70);
    oldHorizontal.action = [](QWidget* parent) {
        TCalibra dialog(parent);
        dialog.exec();
    };
    t.add(oldHorizontal);
    CommandRow oldVertical =
        MenuItem(old, u"Calibra stampa verticale su schedine"_s, u"Calibrastampaverticalesuschedine1"_s, 80);
    oldVertical.action = [](QWidget* parent) {
        TCalibraVer dialog(parent);
        dialog.exec();
    };
    t.add(oldVertical);
    t.add(SameAs(ToolButton(u"stmstp"_s, u"Stampa le giocate direttamente sulle schedine del Lotto"_s, 140),
                 u"Stampagiocatesuschedine1"_s));
}

} // namespace numora
