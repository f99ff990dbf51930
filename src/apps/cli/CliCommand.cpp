#include "apps/cli/CliCommand.h"

#include "core/FileIo.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <ostream>
#include <stdexcept>

namespace numora {

namespace {

constexpr std::string_view UsagePrefix = "Uso: numora-cli [--dir CARTELLA] ";

// "  head   text": the text beside the head at `column`, or on the next line when the head is long.
std::string Row(const std::string& head, std::string_view text, std::size_t column) {
    const std::string h = "  " + head;
    if (h.size() + 2 <= column) return h + std::string(column - h.size(), ' ') + std::string(text) + "\n";
    return h + "\n" + std::string(column, ' ') + std::string(text) + "\n";
}

bool IsHelp(const std::string& word) {
    return word == "--help" || word == "-h";
}

} // namespace

std::string CliCommand::synopsis() const {
    std::string s = name;
    for (const CliArgumentRule& a : arguments) {
        std::string word(a.name);
        if (a.variadic) word += "...";
        s += " " + (a.optional ? "[" + word + "]" : word);
    }
    if (!options.empty()) s += " [opzioni]";
    return s;
}

std::string CliCommand::usage() const {
    std::string text = std::string(UsagePrefix) + synopsis() + "\n" + description + "\n";
    constexpr std::size_t column = 30;
    text += "Opzioni:\n";
    for (const CliOptionRule& o : options) {
        std::string head(o.name);
        if (o.takesValue()) head += " " + std::string(o.placeholder);
        text += Row(head, o.description, column);
    }
    text += Row("-h, --help", "mostra questo aiuto", column);
    if (!notes.empty()) text += notes;
    return text;
}

std::string CliUsageText() {
    constexpr std::size_t column = 24;
    std::string text = std::string(UsagePrefix) + "COMANDO [argomenti]\n";
    for (const CliCommand& c : CliCommands()) text += Row(c.synopsis(), c.description, column);
    text += "Le opzioni di un comando: numora-cli COMANDO --help\n";
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
        if (args.size() == 1 && IsHelp(args[0])) {
            out << CliUsageText();
            return 0;
        }
        const auto& table = CliCommands();
        const auto it = args.empty() ? table.end() : std::find_if(table.begin(), table.end(), [&](const CliCommand& c) {
            return c.name == args[0];
        });
        if (it == table.end()) {
            err << CliUsageText();
            return 2;
        }
        CliCommandLine line =
            CliCommandLine::Parse(std::vector<std::string>(args.begin() + 1, args.end()), it->arguments, it->options);
        if (line.help) {
            out << it->usage();
            return 0;
        }
        if (!line.error.empty()) {
            err << it->usage() << line.error << "\n";
            return 2;
        }
        const CliContext context{dir, std::move(line.arguments), std::move(line.options), out, err};
        const int code = it->run(context);
        if (code == 2) err << it->usage();
        return code;
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
