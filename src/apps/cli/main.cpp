// numora-cli: the engine from a terminal.
#include "apps/cli/CliSystem.h"
#include "core/DrawArchive.h"
#include "core/FileIo.h"
#include "core/OperatorImport.h"
#include "core/Random.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace numora;

namespace {

std::string ExecutableDir(const char* argv0) {
#ifdef _WIN32
    wchar_t buf[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
    auto p = std::filesystem::path(std::wstring(buf, n)).parent_path().u8string();
    return WithTrailingSeparator(std::string(p.begin(), p.end()));
#else
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) self = std::filesystem::absolute(argv0, ec);
    return WithTrailingSeparator(self.parent_path().string());
#endif
}

int Usage(std::ostream& err) {
    err << "Uso: numora-cli [--dir CARTELLA] import FILE | info | tables | system FILE\n"
           "  import FILE   aggiunge all'archivio le estrazioni del file di testo dell'operatore\n"
           "  info          numero di estrazioni, data della prima e dell'ultima\n"
           "  tables        ritardi e frequenze: ruota, numero, ritardo, frequenza\n"
           "  system FILE   contenuto di un sistema (.lpc)\n";
    return 2;
}

struct Archive {
    DrawArchive draws;
    DelayTable delays;
    FrequencyTable frequencies;
};

bool Load(const std::string& dir, Archive& a, std::ostream& err) {
    ArchiveLoadReport report;
    LoadArchive(dir + ArchiveFileName, a.draws, a.delays, a.frequencies, &report);
    if (report.truncated) {
        err << "Attenzione: il file " << ArchiveFileName << " contiene " << report.recordsInFile
            << " estrazioni; sono state caricate solo le prime " << DrawArchive::Capacity << ".\n";
        return false;
    }
    return true;
}

int Import(const std::string& dir, const std::string& file) {
    auto text = ReadFileBytes(file);
    if (!text) {
        std::cerr << "Impossibile leggere il file " << file << ".\n";
        return 1;
    }
    Archive a;
    if (!Load(dir, a, std::cerr)) {
        std::cerr << "Importazione annullata per non perdere le estrazioni in eccesso.\n";
        return 1;
    }
    ImportResult r = ImportOperatorText(*text, a.draws);
    if (!r.ok) {
        std::cerr << file << ": " << r.error << "\nL'archivio non è stato modificato.\n";
        return 1;
    }
    StdRandom random;
    if (!SaveArchive(dir + ArchiveFileName, a.draws, a.delays, a.frequencies, random)) {
        std::cerr << "Impossibile scrivere " << dir << ArchiveFileName << ": l'archivio non è stato modificato.\n";
        return 1;
    }
    std::cout << "Nº di nuove estrazioni: " << r.newDraws << "\n";
    return 0;
}

int Info(const std::string& dir) {
    Archive a;
    Load(dir, a, std::cerr);
    std::cout << "Estrazioni: " << a.draws.count() << "\n";
    if (!a.draws.empty()) {
        std::cout << "Prima: " << DateText(a.draws.draw(1)) << "\n";
        std::cout << "Ultima: " << DateText(a.draws.last()) << "\n";
    }
    return 0;
}

int Tables(const std::string& dir) {
    Archive a;
    Load(dir, a, std::cerr);
    std::string out = "ruota\tnumero\tritardo\tfrequenza\n";
    for (int w = 1; w <= 12; ++w)
        for (int n = 1; n <= 90; ++n)
            out += std::to_string(w) + "\t" + std::to_string(n) + "\t" + std::to_string(a.delays.at(w, n)) + "\t" +
                   std::to_string(a.frequencies.at(w, n)) + "\n";
    std::cout << out;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string dir = ExecutableDir(argv[0]);
    if (args.size() >= 2 && args[0] == "--dir") {
        dir = WithTrailingSeparator(args[1]);
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty()) return Usage(std::cerr);
    const std::string& cmd = args[0];
    if (cmd == "import" && args.size() == 2) return Import(dir, args[1]);
    if (cmd == "info" && args.size() == 1) return Info(dir);
    if (cmd == "tables" && args.size() == 1) return Tables(dir);
    if (cmd == "system" && args.size() == 2) return RunSystemCommand(dir, args[1], std::cout, std::cerr);
    return Usage(std::cerr);
}
