#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace numora {

bool FileExists(const std::string& path);
// True when something (a file, a folder, a link to one of them) has that name; a link that
// leads nowhere counts as nothing.
bool PathExists(const std::string& path);
bool RemoveFile(const std::string& path);
// Reads at most maxBytes of the file; nullopt when it is not a regular file (a FIFO would hang the
// read, a device never ends), cannot be opened or a read fails.
[[nodiscard]] std::optional<std::string> ReadFileBytes(const std::string& path, std::size_t maxBytes = SIZE_MAX);
// The whole file, or nullopt as above and also when it holds more than maxBytes: a file larger
// than its format allows is not one the program wrote, and is never read whole.
[[nodiscard]] std::optional<std::string> ReadBoundedFile(const std::string& path, std::size_t maxBytes);
// Size of the file, or -1.
long long FileSize(const std::string& path);
// Writes content to a temporary file beside path and then replaces path with it. On any
// failure the temporary file is removed, path is left as it was, the result is false and
// *why (when given) says what went wrong, in Italian, to follow "Impossibile scrivere ...: ".
// A symbolic link is written through when its target lies in the link's folder (or below it): the
// target is replaced and the link stays; a link that leads out of its folder is refused, naming
// both. The new file keeps the old one's permissions; a file without write permission is refused,
// not replaced. Temporary files of the same target left by killed saves go first.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::string_view content, std::string* why = nullptr);
[[nodiscard]] bool CopyFileOver(const std::string& from, const std::string& to, std::string* why = nullptr);

// The temporary files WriteFileAtomically names after `fileName`: fileName + ".N.tmp", N the
// process id of the writer (one to ten digits). Only an interrupted save leaves one behind.
bool IsTemporaryFileOf(std::string_view candidate, std::string_view fileName);
// True while the process of that id runs, this one excepted: a temporary file named after this
// process is a leftover of a dead one whose id came back.
bool OtherProcessAlive(long long pid);
// Removes from dir every temporary file of the given names, and of any name ending in one of
// the given extensions (".lpc"), unless another live process is writing it; returns how many went.
int RemoveStaleTemporaryFiles(const std::string& dir, std::initializer_list<std::string_view> fileNames,
                              std::initializer_list<std::string_view> extensions = {});

// Directory part of a path, ending with the platform's separator.
std::string DirectoryOf(const std::string& path);
std::string FileNameOf(const std::string& path);
std::string WithTrailingSeparator(std::string dir);

// Little-endian field helpers for the binary formats.
inline void PutU16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}
inline void PutI32(std::string& out, std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
}
void PutF64(std::string& out, double v);
inline std::uint16_t GetU16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::int32_t GetI32(const unsigned char* p) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                                     (static_cast<std::uint32_t>(p[2]) << 16) |
                                     (static_cast<std::uint32_t>(p[3]) << 24));
}
double GetF64(const unsigned char* p);

} // namespace numora
