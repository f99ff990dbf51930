// Numora, the desktop program.
#include "components/UTiledPanel.h"
#include "components/UTranslations.h"
#include "core/DataFolder.h"
#include "core/Globali.h"
#include "main/UProgram.h"
#include "platform/QtSettingsStore.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char** argv) {
    numora::PrepareItalianLocale();
    QApplication app(argc, argv);
    numora::RestoreNumericLocale();
    QApplication::setWindowIcon(numora::ProgramIcon());
    QApplication::setDesktopFileName(QStringLiteral("numora"));
    // An installed program's folder is read-only for the user: the data then lives in the user's folder.
    numora::Globals().userDataDir = numora::UserDataFolder([](const char* name) { return std::getenv(name); });
    numora::QtSettingsStore store;
    return numora::RunProgram(app, store);
}
