#pragma once
// What the statistics windows share: printing the window's image, and adding the chosen numbers
// to the forecast or as plays through the stake entry dialog.

#include "core/Play.h"
#include "core/StakeRule.h"

#include <functional>
#include <vector>

class QPrinter;
class QTableWidget;
class QWidget;

namespace numora {

// "Stampa": the printer set-up dialog, then (unless cancelled) prepare(true) hides what must
// not be printed and whitens the window, the window's image is printed scaled to the page, and
// 10 ms later prepare(false) restores it. False when the dialog was cancelled or printing failed.
bool PrintWindowImage(QWidget* window, const std::function<void(bool printing)>& prepare);
// Window tests answer the printer set-up dialog here (true: print on the printer as set up).
using PrinterSetupHook = std::function<bool(QPrinter& printer)>;
void SetPrinterSetupHook(PrinterSetupHook hook);

// Sets the forecast flag of each number (those chosen stay chosen), marks the system modified
// and refreshes the forecast window.
void AddNumbersToForecast(const std::vector<int>& numbers);

// Shows the stake entry dialog for plays of playSize numbers; true with its stakes on OK.
bool AskStakes(QWidget* parent, int playSize, StakeSet& stakes);
// Adds the plays one by one (the undo snapshot first when there are any), then refreshes the
// play list. A full list stops the adding with its message.
void AddPlaysToList(QWidget* parent, const std::vector<Play>& plays);

// The selected rows of a grid, top to bottom, each once.
std::vector<int> SelectedRows(const QTableWidget* grid);

} // namespace numora
