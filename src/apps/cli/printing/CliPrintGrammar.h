#pragma once
// The grammar of numora-cli print, one for both builds: with Qt it paints the PDF, without it the
// same command line is accepted and the command says why it cannot print.

#include "apps/cli/CliCommand.h"

#include <utility>

namespace numora {

inline constexpr CliOptionRule PrintOptionRules[] = {
    {"--pdf", "FILE", "il PDF da scrivere (obbligatorio)"},
    {"--model", "new|old", "schedine nuove o vecchie (predefinite: new)", CliValue::Choice},
    {"--orientation", "vertical|horizontal", "orientamento delle schedine (predefinito: vertical)", CliValue::Choice},
    {"--plain", "", "stampa su carta comune invece che sulle schedine"},
};

// The command's row with the build's description and run; without --pdf the line is wrong (2).
inline CliCommand PrintCommandRow(std::string description, std::function<int(const CliContext&)> run) {
    return {"print",
            std::move(description),
            {{"SISTEMA"}},
            {std::begin(PrintOptionRules), std::end(PrintOptionRules)},
            [run = std::move(run)](const CliContext& c) { return c.options.has("--pdf") ? run(c) : 2; }};
}

} // namespace numora
