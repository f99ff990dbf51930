#include "core/DataFolder.h"

#include "core/FileIo.h"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace numora {

const std::vector<std::string>& InstallationFiles() {
    static const std::vector<std::string> files{"Numora.ini", "Numora.smo", "Condizioni.ori", "Condizioni.def",
                                                "Numora.dtb"};
    return files;
}

std::string UserDataFolder(const std::function<const char*(const char*)>& environment) {
#ifdef _WIN32
    // A drive path ("C:\\Users\\anna\\AppData\\Roaming") or a network one ("\\\\server\\anna").
    const char* appData = environment("APPDATA");
    // Checked by hand: MinGW's std::filesystem takes a network path for a relative one.
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    const bool absolute =
        appData &&
        ((std::isalpha(static_cast<unsigned char>(appData[0])) && appData[1] == ':' && separator(appData[2])) ||
         (separator(appData[0]) && separator(appData[1]) && appData[2]));
    if (absolute) return WithTrailingSeparator(std::string(appData) + "\\Numora");
    return {};
#else
    const char* xdg = environment("XDG_DATA_HOME");
    if (xdg && *xdg == '/') return WithTrailingSeparator(std::string(xdg) + "/Numora");
    const char* home = environment("HOME");
    if (home && *home) return WithTrailingSeparator(std::string(home) + "/.local/share/Numora");
    return {};
#endif
}

DataFolderChoice ChooseDataFolder(const std::string& programDir, const std::string& userDir,
                                  const std::function<bool(const std::string&)>& writable) {
    DataFolderChoice choice;
    const std::string program = WithTrailingSeparator(programDir);
    choice.folder = program;
    if (userDir.empty() || writable(program)) return choice;
    const std::string user = WithTrailingSeparator(userDir);
    std::error_code ec;
    std::filesystem::create_directories(user, ec);
    if (ec || !writable(user)) {
        choice.problem = "Impossibile usare la cartella dei dati \"" + user + "\"" + (ec ? ": " + ec.message() : "");
        return choice;
    }
    choice.folder = user;
    choice.inUserFolder = true;
    for (const std::string& name : InstallationFiles()) {
        if (PathExists(user + name) || !FileExists(program + name)) continue;
        std::string why;
        if (CopyFileOver(program + name, user + name, &why))
            choice.copied.push_back(name);
        else if (choice.problem.empty())
            choice.problem = "Impossibile copiare " + name + " nella cartella dei dati: " + why;
    }
    return choice;
}

} // namespace numora
