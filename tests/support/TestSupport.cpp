#include "support/TestSupport.h"

#include "core/Globali.h"
#include "core/OperatorImport.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace fs = std::filesystem;

namespace numora::test {

TempDir::TempDir() {
    std::random_device rd;
    for (;;) {
        auto p = fs::temp_directory_path() / ("numora-test-" + std::to_string(rd()));
        std::error_code ec;
        if (fs::create_directory(p, ec)) {
            path_ = p.string() + static_cast<char>(fs::path::preferred_separator);
            return;
        }
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string StoricoPath() {
    const char* dir = std::getenv("NUMORA_SHARED_DATA");
    fs::path p = dir ? fs::path(dir) / "storico.txt" : fs::path("../shared/data/storico.txt");
    std::error_code ec;
    return fs::is_regular_file(p, ec) ? p.string() : std::string();
}

const DrawArchive* RealArchive() {
    static const std::unique_ptr<DrawArchive> archive = [] {
        const std::string path = StoricoPath();
        if (path.empty()) return std::unique_ptr<DrawArchive>();
        auto a = std::make_unique<DrawArchive>();
        if (!ImportOperatorText(ReadAll(path), *a).ok) return std::unique_ptr<DrawArchive>();
        return a;
    }();
    return archive.get();
}

std::string BinDir() {
    const char* dir = std::getenv("NUMORA_BIN_DIR");
    return dir ? std::string(dir) + static_cast<char>(fs::path::preferred_separator) : std::string();
}

std::string NumoraCliPath() {
    return BinDir() + (kWindows ? "numora-cli.exe" : "numora-cli");
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

Play MakePlay(std::initializer_list<int> numbers, std::array<double, 5> stakes, std::uint16_t wheels) {
    Play p;
    p.setNumbers(numbers);
    p.stakes = stakes;
    p.wheels = wheels;
    return p;
}

void ResetGlobals(Globali& g) {
    g.system.list.clear();
    g.system.undo.clear();
    g.system.modified = false;
    g.system.forecast.clear();
    g.archive.clear();
    g.rebuildDerivedTables();
}

CliRun RunNumoraCli(const std::string& arguments, const std::string& prefix) {
    TempDir errDir;
    CliRun r;
    r.code =
        RunShell(prefix + "'" + BinDir() + "numora-cli' " + arguments + " 2>'" + errDir.file("err.txt") + "'", &r.out);
    r.err = ReadAll(errDir.file("err.txt"));
    return r;
}

#ifdef _WIN32
namespace {

// The redirection or control operator at line[i], longest first; "2>" only where a word starts.
std::string OperatorAt(const std::string& line, std::size_t i, bool inWord) {
    for (const char* op : {"2>&1", "2>>", "2>", ">>", "&&", "||", ">", "<", "|", "(", ")"}) {
        const std::string o(op);
        if (o[0] == '2' && inWord) continue;
        if (line.compare(i, o.size(), o) == 0) return o;
    }
    return {};
}

// The words and operators of a POSIX command line, quotes resolved; operators carry a leading
// '\0' so that a quoted word ">" stays a word. A backslash outside quotes is kept: the tests put
// Windows paths into their command lines as they are.
std::vector<std::string> ShellWords(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    auto end = [&] {
        if (inWord) words.push_back(word);
        word.clear();
        inWord = false;
    };
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\n') {
            end();
        } else if (c == '\'') {
            const std::size_t close = line.find('\'', i + 1);
            word += line.substr(i + 1, close - i - 1);
            inWord = true;
            i = close == std::string::npos ? line.size() : close;
        } else if (c == '"') {
            inWord = true;
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < line.size() &&
                    std::string("\"\\$`").find(line[i + 1]) != std::string::npos)
                    ++i;
                word += line[i];
            }
        } else if (const std::string op = OperatorAt(line, i, inWord); !op.empty()) {
            end();
            words.push_back(std::string(1, '\0') + op);
            i += op.size() - 1;
        } else {
            word += c;
            inWord = true;
        }
    }
    end();
    return words;
}

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

} // namespace
#endif

std::string ForPlatformShell(const std::string& command) {
#ifndef _WIN32
    return command;
#else
    // Each word in double quotes by the C runtime's rules (a quote escaped, the backslashes before
    // it doubled); the whole line in one more pair, which cmd /c takes off.
    std::string line = "\"";
    for (const std::string& w : ShellWords(command)) {
        if (!w.empty() && w[0] == '\0') {
            line += w.substr(1) + " ";
            continue;
        }
        const std::string word = w == "/dev/null" ? "NUL" : w;
        std::string quoted = "\"";
        std::size_t backslashes = 0;
        for (char c : word) {
            if (c == '\\') {
                ++backslashes;
            } else {
                if (c == '"') quoted.append(backslashes + 1, '\\');
                backslashes = 0;
            }
            quoted += c;
        }
        quoted.append(backslashes, '\\');
        line += quoted + "\" ";
    }
    return line + "\"";
#endif
}

int RunShell(const std::string& command, std::string* out) {
    const std::string line = ForPlatformShell(command);
#ifdef _WIN32
    FILE* p = _wpopen(Wide(line).c_str(), L"r");
#else
    FILE* p = popen(line.c_str(), "r");
#endif
    if (p == nullptr) return -1;
    std::array<char, 65536> buf;
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0)
        if (out) out->append(buf.data(), n);
#ifdef _WIN32
    return _pclose(p);
#else
    const int status = pclose(p);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

} // namespace numora::test
