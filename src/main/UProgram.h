#pragma once

#include <QStringList>

class QApplication;

namespace numora {

class KeyValueStore;

// Creates every long-lived window in the program's order; the main window first.
void CreateWindows();
// Shows the working windows around the main window.
void ShowWindows();
// The whole program: data layer, windows, splash, message loop. Returns the exit code.
int RunProgram(QApplication& app, KeyValueStore& store, int splashMilliseconds = 2000);

} // namespace numora
