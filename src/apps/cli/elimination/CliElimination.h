#pragma once
// numora-cli's forms of the dialogs that use the custom probabilities and of the eliminators:
// `extract --custom` ("Estrai giocate con probabilità personalizzate") and `eliminate`.

#include "apps/cli/CliCommand.h"

namespace numora {

// extract --custom, on the options extract's declaration accepted; the exit code (2: the line is wrong).
int RunCustomExtract(const CliContext& context);

} // namespace numora
