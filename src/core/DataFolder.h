#pragma once

#include <functional>
#include <string>
#include <vector>

namespace numora {

// Where the user's data lives. A program folder the user can write to (a copy in a personal
// folder, the build folder) keeps the data beside the program. An installed program's folder is
// read-only for an ordinary user: the data then lives in a folder of the user's own, which gets the
// installation files on first use; the program folder is never written to.

// The files shipped beside the program that a new data folder starts from; none of them is ever
// copied over one the user already has.
const std::vector<std::string>& InstallationFiles();

// The folder of the user's own data: on Windows %APPDATA%\Numora (the roaming profile, where a
// program installed under Program Files keeps what it writes); elsewhere $XDG_DATA_HOME/Numora,
// else $HOME/.local/share/Numora. Empty when the variables are not set, or hold no absolute path.
// Takes the variables as a lookup so tests can give their own.
std::string UserDataFolder(const std::function<const char*(const char*)>& environment);

struct DataFolderChoice {
    std::string folder; // AppDir: ends with the platform's separator
    bool inUserFolder = false;
    std::vector<std::string> copied; // installation files copied into the user's folder now
    std::string problem;             // why the user's folder could not be made or filled, when it could not
};

// The program folder when it passes the write test (or when there is no user folder to turn to),
// else the user's folder, created and given the missing installation files. When the user's folder
// cannot be created, the program folder stays AppDir and the start-up write test makes it read-only.
DataFolderChoice ChooseDataFolder(const std::string& programDir, const std::string& userDir,
                                  const std::function<bool(const std::string&)>& writable);

} // namespace numora
