#pragma once

class QPrinter;

namespace numora {

// The program's one printer: "Imposta stampante" sets it up, and every window that prints uses it,
// so the choice of printer and paper made once holds for the whole run.
QPrinter& ProgramPrinter();

} // namespace numora
