#pragma once
// The notices the generator dialogs give at the end of a run, while the hourglass is still on.

#include <QString>

class QWidget;

namespace numora {

struct RunResult;

// An "Attenzione" box with the exclamation icon, shown with the ordinary pointer.
void ShowRunNotice(QWidget* parent, const char* text);
// The notices of a run of the shared engines: the play-list-full message (the run's plays are
// discarded), and for a completed run that added nothing, the empty-result message. True when the
// run completed, with or without plays.
bool ReportRun(QWidget* parent, const RunResult& result);

} // namespace numora
