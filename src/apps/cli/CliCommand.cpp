#include "apps/cli/CliCommand.h"

#include "core/FileIo.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <ostream>
#include <stdexcept>

namespace numora {

const std::vector<CliCommand>& CliCommands() {
    static const std::vector<CliCommand> table = {
        ImportCommand(),   InfoCommand(),      TablesCommand(),    SystemCommand(),        StatsCommand(),
        WinningsCommand(), SmorfiaCommand(),   CheckCommand(),     ProbabilityCommand(),   DistributionCommand(),
        PrintCommand(),    ExtractCommand(),   DevelopCommand(),   ReduceCommand(),        GenioCommand(),
        OptimiseCommand(), EliminateCommand(), ConditionCommand(), ConditionStatsCommand()};
    return table;
}

std::string CliUsageText() {
    // Each command on a line of its own with its arguments, its description beside it (below it
    // when the arguments are long).
    constexpr std::size_t column = 24;
    std::string text = "Uso: numora-cli [--dir CARTELLA] COMANDO [argomenti]\n";
    for (const CliCommand& c : CliCommands()) {
        const std::string u = "  " + c.usage();
        if (u.size() + 2 <= column)
            text += u + std::string(column - u.size(), ' ') + c.description + "\n";
        else
            text += u + "\n" + std::string(column, ' ') + c.description + "\n";
    }
    return text;
}

int RunCli(std::vector<std::string> args, const std::function<std::string()>& defaultDir, std::ostream& out,
           std::ostream& err) {
    // Nothing may leave the program as an uncaught exception: whatever fails is reported.
    try {
        std::string dir;
        if (args.size() >= 2 && args[0] == "--dir") {
            // A mistyped folder would otherwise read as an empty archive, and a save would fail late.
            std::error_code ec;
            if (!std::filesystem::is_directory(std::filesystem::path(std::u8string(args[1].begin(), args[1].end())),
                                               ec)) {
                err << "La cartella " << args[1] << " non esiste.\n";
                return 2;
            }
            dir = WithTrailingSeparator(args[1]);
            args.erase(args.begin(), args.begin() + 2);
        } else {
            dir = defaultDir();
        }
        const auto& table = CliCommands();
        const auto it = args.empty() ? table.end() : std::find_if(table.begin(), table.end(), [&](const CliCommand& c) {
            return c.name == args[0];
        });
        const std::size_t given = args.size() - 1;
        if (it == table.end() || (it->variadic ? given < it->argumentCount : given != it->argumentCount)) {
            err << CliUsageText();
            return 2;
        }
        const CliContext context{dir, std::vector<std::string>(args.begin() + 1, args.end()), out, err};
        return it->run(context);
    } catch (const std::bad_alloc&) {
        err << "Memoria insufficiente: l'operazione è stata interrotta e nessun file è stato modificato.\n";
    } catch (const std::exception& e) {
        err << "Errore imprevisto: " << e.what() << ". Nessun file è stato modificato.\n";
    } catch (...) {
        err << "Errore imprevisto. Nessun file è stato modificato.\n";
    }
    return 1;
}

std::string TerminalText(std::string s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\r') {
            out.push_back(s[i]);
        } else if (i + 1 >= s.size() || s[i + 1] != '\n') {
            out.push_back('\n'); // "\r\n" keeps its own "\n"
        }
    }
    return out;
}

CliArchiveLoad LoadCliArchive(const CliContext& c, CliArchive& a) {
    ArchiveLoadReport report;
    if (!LoadArchive(c.dir + ArchiveFileName, a.draws, a.delays, a.frequencies, &report))
        return CliArchiveLoad::Missing;
    if (report.unreadable) {
        c.err << "Impossibile leggere il file " << c.dir << ArchiveFileName
              << ": l'archivio storico non è stato caricato e non viene modificato.\n";
        return CliArchiveLoad::Unreadable;
    }
    if (report.truncated) {
        c.err << "Attenzione: il file " << ArchiveFileName << " contiene " << report.recordsInFile
              << " estrazioni; sono state caricate solo le prime " << DrawArchive::Capacity << ".\n";
        return CliArchiveLoad::Truncated;
    }
    return CliArchiveLoad::Ok;
}

} // namespace numora
