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
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>
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

// The arguments as UTF-8, as the engine takes every text. Windows hands a narrow main() the
// arguments in the ANSI code page, which cannot hold every name a user may give.
std::vector<std::string> Arguments(int argc, char** argv) {
#ifdef _WIN32
    int n = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &n)) {
        std::vector<std::string> args;
        for (int i = 1; i < n; ++i) {
            const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
            std::string a(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
            if (size > 1) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, a.data(), size, nullptr, nullptr);
            args.push_back(std::move(a));
        }
        LocalFree(wide);
        return args;
    }
#endif
    return std::vector<std::string>(argv + 1, argv + argc);
}

// The tables and the messages are written as on Linux, byte for byte: UTF-8, lines ending in LF,
// so a script reads the same output on every system; a console shows them as UTF-8.
void SetUpOutput() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
#endif
}

} // namespace

int main(int argc, char** argv) {
    try {
        SetUpOutput();
        // The same data folder as the desktop program: its own folder, or the user's when that is read-only.
        const std::string dir =
            ChooseDataFolder(ExecutableDir(argv[0]), UserDataFolder([](const char* name) { return std::getenv(name); }),
                             DirectoryIsWritable)
                .folder;
        return RunCli(Arguments(argc, argv), dir, std::cout, std::cerr);
    } catch (...) {
        // Only the folder lookup or the copy of the arguments can get here.
        std::cerr << "Errore imprevisto all'avvio di numora-cli.\n";
        return 1;
    }
}
