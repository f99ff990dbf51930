#pragma once

#include <string>

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
// The folder of the built executables (numora-cli, data files).
std::string BinDir();

std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::string& bytes);

} // namespace numora::test
