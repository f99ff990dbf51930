// From process start to the main window shown with the real archive, the splash left out:
// the data layer, the windows created, filled and shown, and the first paint done.
#include "core/FileIo.h"
#include "core/Globali.h"
#include "core/OperatorImport.h"
#include "main/UPri.h"
#include "main/UProgram.h"
#include "platform/QtSettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

using namespace numora;

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    const char* shared = std::getenv("NUMORA_SHARED_DATA");
    const std::string storico = std::string(shared ? shared : "../shared/data") + "/storico.txt";
    QTemporaryDir dir;
    const std::string appDir = WithTrailingSeparator(dir.path().toStdString());
    {
        // Prepare the folder as an installation with the real archive (not timed).
        auto text = ReadFileBytes(storico);
        if (!text) {
            std::fprintf(stderr, "storico.txt not found: nothing measured\n");
            return 0;
        }
        Globali& g = Globals();
        g.appDir = appDir;
        if (!ImportOperatorText(*text, g.archive).ok || !g.saveArchive()) return 1;
        g.archive.clear();
    }
    const qint64 prepared = clock.elapsed();
    clock.restart();
    QtSettingsStore store(QString::fromStdString(appDir + "registry.ini"));
    StartDataLayer(Globals(), appDir, store);
    const qint64 dataLayer = clock.elapsed();
    CreateWindows();
    ShowWindows();
    TPri::instance()->reminderTimer()->stop();
    QApplication::processEvents();
    TPri::instance()->repaint();
    QApplication::processEvents();
    const qint64 shown = clock.elapsed();
    std::printf("draws %d, preparation %lld ms (not counted)\n", Globals().archive.count(), prepared);
    std::printf("data layer %lld ms, main window shown %lld ms after start\n", dataLayer, shown);
    delete TPri::instance();
    return 0;
}
