#pragma once
// The notices the generator dialogs give at the end of a run, while the hourglass is still on.

#include <QString>

class QWidget;

namespace numora {

// An "Attenzione" box with the exclamation icon, shown with the ordinary pointer.
void ShowRunNotice(QWidget* parent, const char* text);

} // namespace numora
