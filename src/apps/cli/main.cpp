// numora-cli: the engine from a terminal. The commands are the rows of CliCommands().
#include "apps/cli/CliCommand.h"
#include "core/DataFolder.h"
#include "core/FileIo.h"
#include "core/Globali.h"

#include <cstdlib>

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
    (void)argv0;
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

} // namespace

int main(int argc, char** argv) {
    try {
        // The same data folder as the desktop program: its own folder, or the user's when that is read-only.
        const auto dir = [argv] {
            return ChooseDataFolder(ExecutableDir(argv[0]),
                                    UserDataFolder([](const char* name) { return std::getenv(name); }),
                                    DirectoryIsWritable)
                .folder;
        };
        return RunCli(std::vector<std::string>(argv + 1, argv + argc), dir, std::cout, std::cerr);
    } catch (...) {
        // Only the folder lookup or the copy of the arguments can get here.
        std::cerr << "Errore imprevisto all'avvio di numora-cli.\n";
        return 1;
    }
}
