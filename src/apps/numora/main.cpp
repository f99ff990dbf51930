// Numora, the desktop program.
#include "main/UProgram.h"
#include "platform/QtSettingsStore.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    numora::QtSettingsStore store;
    return numora::RunProgram(app, store);
}
