// numora-cli info: how many draws the archive holds, and the dates of the first and the last.
#include "apps/cli/CliCommand.h"

#include <ostream>

namespace numora {

namespace {

int RunInfo(const CliContext& c) {
    CliArchive a;
    if (LoadCliArchive(c, a) == CliArchiveLoad::Unreadable) return 1;
    c.out << "Estrazioni: " << a.draws.count() << "\n";
    if (!a.draws.empty()) {
        c.out << "Prima: " << DateText(a.draws.draw(1)) << "\n";
        c.out << "Ultima: " << DateText(a.draws.last()) << "\n";
    }
    return 0;
}

} // namespace

CliCommand InfoCommand() {
    return {"info", "numero di estrazioni, data della prima e dell'ultima", {}, {}, RunInfo};
}

} // namespace numora
