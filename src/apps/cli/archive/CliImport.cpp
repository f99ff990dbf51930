// numora-cli import FILE: merges the operator's text file into the archive, as "Importa archivio
// da file…" does in the window.
#include "apps/cli/CliCommand.h"
#include "core/OperatorImport.h"
#include "core/Random.h"

#include <ostream>

namespace numora {

namespace {

int RunImport(const CliContext& c) {
    const std::string& file = c.args[0];
    const OperatorText parsed = ReadOperatorFile(file);
    if (parsed.cannotRead) {
        c.err << "Impossibile leggere il file " << file << ".\n";
        return 1;
    }
    CliArchive a;
    switch (LoadCliArchive(c, a)) {
    case CliArchiveLoad::Truncated:
        c.err << "Importazione annullata per non perdere le estrazioni in eccesso.\n";
        return 1;
    case CliArchiveLoad::Unreadable:
        return 1;
    case CliArchiveLoad::Ok:
    case CliArchiveLoad::Missing:
        break;
    }
    const ImportResult r = MergeOperatorDraws(parsed, a.draws);
    if (!r.ok) {
        c.err << file << ": " << r.error << "\nL'archivio non è stato modificato.\n";
        return 1;
    }
    // A file that changes nothing leaves the archive file as it is, header bytes included.
    StdRandom random;
    std::string why;
    if (r.changed() && !SaveArchive(c.dir + ArchiveFileName, a.draws, a.delays, a.frequencies, random, &why)) {
        c.err << "Impossibile scrivere " << c.dir << ArchiveFileName << " (" << why
              << "): l'archivio non è stato modificato.\n";
        return 1;
    }
    c.out << TerminalText(ImportReportText(r)) << "\n";
    return 0;
}

} // namespace

CliCommand ImportCommand() {
    return {
        "import", "aggiunge all'archivio le estrazioni del file di testo dell'operatore", {{"FILE"}}, {}, RunImport};
}

} // namespace numora
