#include "main/UProgram.h"

#include "archive/UDaiNumEstra.h"
#include "archive/Udb.h"
#include "archive/Uperrtf.h"
#include "components/UMessageBox.h"
#include "components/UTranslations.h"
#include "core/Globali.h"
#include "forecast/UPronostico.h"
#include "main/UPri.h"
#include "main/USplash.h"
#include "playlist/UDaTastiera.h"
#include "playlist/UGiocate.h"
#include "playlist/UModGiocata.h"
#include "stakes/UImporti.h"

#include <QApplication>
#include <QFont>

namespace numora {

void CreateWindows() {
    // The order of creation of the long-lived windows; those of features still to come join it
    // in their place.
    auto* pri = new TPri;
    new Tdb(pri);
    new Tperrtf(pri);
    auto* plays = new TGiocate(pri);
    QObject::connect(plays, &TGiocate::deleteSelectedRequested, pri, [pri] { pri->SpeedButton19Click(); });
    new TPronostico(pri);
    new TImporti(pri);
    new TDaiNumEstra(pri);
    new TDaTastiera(pri);
    new TModGiocata(pri);
}

void ShowWindows() {
    if (auto* v = Tdb::instance()) v->show();
    if (auto* f = TPronostico::instance()) f->show();
    if (auto* p = TGiocate::instance()) p->show();
    if (auto* pri = TPri::instance()) pri->show();
}

int RunProgram(QApplication& app, KeyValueStore& store, int splashMilliseconds) {
    Globali& g = Globals();
    StartDataLayer(g, QCoreApplication::applicationDirPath().toStdString(), store);
    QApplication::setApplicationName(QStringLiteral("Numora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Numora"));
    LoadItalianTranslations(app);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    QApplication::setFont(font);

    CreateWindows();
    TPri* pri = TPri::instance();
    if (g.lastLoad.truncated)
        MessageBox::warning(pri, QStringLiteral("Il file Numora.dtb contiene %1 estrazioni: l'archivio storico ne può "
                                                "contenere al massimo %2, sono state caricate le prime %2.\r"
                                                "Il file completo è conservato come %3.")
                                     .arg(g.lastLoad.recordsInFile)
                                     .arg(DrawArchive::Capacity)
                                     .arg(QString::fromStdString(g.path(OversizedArchiveCopy))));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    pri->setArguments(args);
    if (auto* p = TGiocate::instance()) p->RefreshPlayList();
    if (auto* f = TPronostico::instance()) f->RefreshForecast();
    if (auto* v = Tdb::instance()) v->RefreshViewerToLast();
    if (splashMilliseconds > 0) {
        TSplash splash(nullptr, splashMilliseconds);
        splash.exec();
    }
    ShowWindows();
    const int code = QApplication::exec();
    delete pri;
    return code;
}

} // namespace numora
