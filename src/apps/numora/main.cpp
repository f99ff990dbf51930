// Numora, the desktop program.
#include "components/UTranslations.h"
#include "main/UProgram.h"
#include "platform/QtSettingsStore.h"

#include <QApplication>

int main(int argc, char** argv) {
    numora::PrepareItalianLocale();
    QApplication app(argc, argv);
    numora::RestoreNumericLocale();
    numora::QtSettingsStore store;
    return numora::RunProgram(app, store);
}
