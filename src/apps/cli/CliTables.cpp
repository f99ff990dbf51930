// numora-cli tables: the delay and the frequency of every number on every wheel.
#include "apps/cli/CliCommand.h"

#include <ostream>

namespace numora {

namespace {

int RunTables(const CliContext& c) {
    CliArchive a;
    if (LoadCliArchive(c, a) == CliArchiveLoad::Unreadable) return 1;
    std::string out = "ruota\tnumero\tritardo\tfrequenza\n";
    for (int w = 1; w <= 12; ++w)
        for (int n = 1; n <= 90; ++n)
            out += std::to_string(w) + "\t" + std::to_string(n) + "\t" + std::to_string(a.delays.at(w, n)) + "\t" +
                   std::to_string(a.frequencies.at(w, n)) + "\n";
    c.out << out;
    return 0;
}

} // namespace

CliCommand TablesCommand() {
    return {"tables", "ritardi e frequenze: ruota, numero, ritardo, frequenza", {}, {}, RunTables};
}

} // namespace numora
