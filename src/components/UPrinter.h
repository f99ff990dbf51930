#pragma once

class QPainter;
class QPrinter;
class QWidget;

namespace numora {

// The program's one printer: "Imposta stampante" sets it up, and every window that prints uses it,
// so the choice of printer and paper made once holds for the whole run. The reference stays good
// until a print fails to start (see BeginPrint): take it afresh for each job.
QPrinter& ProgramPrinter();

// Said when a job cannot start: no printer on the machine and no PDF file chosen, or a PDF file
// that cannot be written.
inline constexpr const char* PrintStartFailedMessage =
    "Impossibile avviare la stampa.\rScegliere una stampante o un file PDF in \"Imposta stampante\" e riprovare.";

// Begins a job on printer. When it cannot start, shows PrintStartFailedMessage over parent and
// answers false; the program's printer is then replaced by a new one with the same choices, since
// a printer whose start failed refuses every later change and every later job.
bool BeginPrint(QPainter& painter, QPrinter& printer, QWidget* parent);

// "Imposta stampante": the system's print dialog on the program's printer, with printing to a PDF
// file among its choices and a confirm button that does not claim to print; false when cancelled.
bool SetUpProgramPrinter(QWidget* parent);

} // namespace numora
