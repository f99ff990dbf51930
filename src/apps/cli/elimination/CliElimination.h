#pragma once
// numora-cli's forms of the dialogs that use the custom probabilities and of the eliminators:
// `extract --custom` ("Estrai giocate con probabilità personalizzate") and `eliminate`.

#include "apps/cli/CliCommand.h"

namespace numora {

// extract --custom [play options] --plays M [--suggest] [--probabilities FILE]; the exit code.
int RunCustomExtract(const CliContext& context);

} // namespace numora
