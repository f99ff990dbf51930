#include "support/TestSupport.h"

#include "core/Globali.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/wait.h>

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

std::string BinDir() {
    const char* dir = std::getenv("NUMORA_BIN_DIR");
    return dir ? std::string(dir) + "/" : std::string();
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
    const std::string cmd = prefix + BinDir() + "numora-cli " + arguments + " 2>" + errDir.file("err.txt");
    CliRun r;
    FILE* p = popen(cmd.c_str(), "r");
    if (p == nullptr) return r;
    std::array<char, 65536> buf;
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int status = pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = ReadAll(errDir.file("err.txt"));
    return r;
}

} // namespace numora::test
