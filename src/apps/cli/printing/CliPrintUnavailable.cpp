// numora-cli print in a build without the Qt layers: painting a PDF needs Qt Gui.
#include "apps/cli/printing/CliPrintGrammar.h"

#include <ostream>

namespace numora {

CliCommand PrintCommand() {
    return PrintCommandRow("non disponibile: numora-cli compilato senza Qt", [](const CliContext& context) {
        context.err << "La stampa richiede numora-cli compilato con Qt (NUMORA_BUILD_UI).\n";
        return 1;
    });
}

} // namespace numora
