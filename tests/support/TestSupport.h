#pragma once

#include "core/DrawArchive.h"
#include "core/Play.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace numora {
struct Globali;
}

namespace numora::test {

// A fresh empty folder under the system's temporary folder, removed when the object dies.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // Ends with the platform's separator, like AppDir.
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// ../shared/data/storico.txt when present, else empty (tests then skip).
std::string StoricoPath();
// The real archive read from StoricoPath() once per test program; null when it is absent or
// unreadable (tests then skip).
const DrawArchive* RealArchive();
// The folder of the built executables (numora-cli, data files).
std::string BinDir();
// The built numora-cli's file, ".exe" included on Windows.
std::string NumoraCliPath();

std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::string& bytes);

// A play of the given numbers; by default one euro on the estratto and the wheel "Tutte".
Play MakePlay(std::initializer_list<int> numbers, std::array<double, 5> stakes = {1, 0, 0, 0, 0},
              std::uint16_t wheels = 1u << 11);

// numora-cli run as a user runs it, from a shell: `arguments` as the shell takes them ("--dir X
// extract ..."), `prefix` before the program (a limit, another user).
struct CliRun {
    int code = -1; // the exit code, -1 when the program did not exit normally
    std::string out;
    std::string err;
};
CliRun RunNumoraCli(const std::string& arguments, const std::string& prefix = "");

// A command line as a POSIX shell reads it (words in quotes, redirections, /dev/null), run by the
// platform's shell: on Windows cmd.exe gets the same words quoted its way, as UTF-16, so the
// program sees the same arguments as on Linux. The exit code, -1 when the program did not exit
// normally; `out`, when given, receives what the command writes to its standard output.
int RunShell(const std::string& command, std::string* out = nullptr);
// The line cmd.exe is given for a POSIX command line (the identity elsewhere); exposed for its test.
std::string ForPlatformShell(const std::string& command);
// True where numora-cli runs on Windows; the tests of POSIX permissions, users and limits skip.
constexpr bool kWindows =
#ifdef _WIN32
    true;
#else
    false;
#endif

// Empties the shared data a test may have changed: plays, undo, modified flag, forecast, archive
// and its tables. The folder and the settings stay.
void ResetGlobals(Globali& g);

} // namespace numora::test
