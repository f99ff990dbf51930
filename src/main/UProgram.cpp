#include "main/UProgram.h"

#include "components/UCommandTable.h"
#include "components/UMessageBox.h"
#include "components/UTranslations.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "main/UFeatures.h"
#include "main/UPri.h"
#include "main/USplash.h"

#include <QApplication>
#include <QFont>

namespace numora {

void CreateWindows() {
    // The table and the registry start afresh, so a test may build the program's windows again.
    Windows().reset();
    Commands().clear();
    RegisterFeatures(Commands(), Windows());
    auto* pri = new TPri;
    Windows().createAll(pri);
}

void ShowWindows() {
    for (const auto& [w, place] : Windows().placedWindows()) w->show();
    if (auto* pri = TPri::instance()) pri->show();
}

void ShowStartMessages(QWidget* parent) {
    const Globali& g = Globals();
    if (g.archiveUnreadable())
        MessageBox::error(parent, QString::fromUtf8(UnreadableArchiveMessage));
    else if (g.lastLoad.truncated)
        MessageBox::warning(parent, QString::fromStdString(OversizedArchiveMessage(g.lastLoad)));
}

int RunProgram(QApplication& app, KeyValueStore& store, int splashMilliseconds) {
    Globali& g = Globals();
    StartDataLayer(g, QCoreApplication::applicationDirPath().toStdString(), store);
    QApplication::setApplicationName(QStringLiteral("Numora"));
    LoadItalianTranslations(app);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    QApplication::setFont(font);

    CreateWindows();
    TPri* pri = TPri::instance();
    ShowStartMessages(pri);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    pri->setArguments(args);
    const SharedViews& views = Commands().views;
    for (const auto& refresh : {views.refreshPlayList, views.refreshForecast, views.refreshViewerToLast})
        if (refresh) refresh();
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
