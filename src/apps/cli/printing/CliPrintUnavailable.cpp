// numora-cli print in a build without the Qt layers: painting a PDF needs Qt Gui.
#include "apps/cli/CliCommand.h"

#include <ostream>

namespace numora {

CliCommand PrintCommand() {
    return {"print",
            "SISTEMA --pdf FILE [opzioni]",
            "non disponibile: numora-cli compilato senza Qt",
            3,
            [](const CliContext& context) {
                context.err << "La stampa richiede numora-cli compilato con Qt (NUMORA_BUILD_UI).\n";
                return 1;
            },
            true};
}

} // namespace numora
