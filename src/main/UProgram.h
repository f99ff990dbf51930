#pragma once

#include <QStringList>

class QApplication;
class QWidget;

namespace numora {

class KeyValueStore;

// Creates every long-lived window in the program's order; the main window first.
void CreateWindows();
// Shows the working windows around the main window.
void ShowWindows();
// What the data layer's start found wrong with the archive file: unreadable (nothing is saved in
// this run) or beyond the capacity.
void ShowStartMessages(QWidget* parent);
// The whole program: data layer, windows, splash, message loop. Returns the exit code.
int RunProgram(QApplication& app, KeyValueStore& store, int splashMilliseconds = 2000);

} // namespace numora
