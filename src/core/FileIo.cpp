#include "core/FileIo.h"

#include <bit>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace numora {

namespace {
// Paths travel as UTF-8 text; the platform's own encoding is chosen here only.
fs::path ToPath(const std::string& s) { return fs::path(std::u8string(s.begin(), s.end())); }
std::string FromPath(const fs::path& p) {
    auto u = p.u8string();
    return std::string(u.begin(), u.end());
}
} // namespace

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(ToPath(path), ec);
}

bool RemoveFile(const std::string& path) {
    std::error_code ec;
    return fs::remove(ToPath(path), ec);
}

long long FileSize(const std::string& path) {
    std::error_code ec;
    auto size = fs::file_size(ToPath(path), ec);
    return ec ? -1 : static_cast<long long>(size);
}

std::optional<std::string> ReadFileBytes(const std::string& path, std::size_t maxBytes) {
    std::ifstream in(ToPath(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::string out;
    char buf[65536];
    while (out.size() < maxBytes && in) {
        std::size_t want = std::min(sizeof buf, maxBytes - out.size());
        in.read(buf, static_cast<std::streamsize>(want));
        out.append(buf, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return std::nullopt;
    return out;
}

bool WriteFileAtomically(const std::string& path, std::string_view content) {
    static std::random_device rd;
    const fs::path target = ToPath(path);
    fs::path temp;
    std::FILE* f = nullptr;
    for (int attempt = 0; attempt < 16 && !f; ++attempt) {
        temp = target;
        std::string suffix(1, '.');
        suffix += std::to_string(rd() % 1000000u);
        suffix += ".tmp";
        temp += suffix;
        std::error_code ec;
        if (fs::exists(temp, ec)) continue;
        #ifdef _WIN32
        f = _wfopen(temp.c_str(), L"wb");
#else
        f = std::fopen(temp.c_str(), "wb");
#endif
    }
    if (!f) return false;
    bool ok = content.empty() || std::fwrite(content.data(), 1, content.size(), f) == content.size();
    ok = (std::fflush(f) == 0) && ok;
    ok = (std::fclose(f) == 0) && ok;
    std::error_code ec;
    if (ok) {
        fs::rename(temp, target, ec);
        ok = !ec;
    }
    if (!ok) fs::remove(temp, ec);
    return ok;
}

bool CopyFileOver(const std::string& from, const std::string& to) {
    auto bytes = ReadFileBytes(from);
    return bytes && WriteFileAtomically(to, *bytes);
}

std::string WithTrailingSeparator(std::string dir) {
    const char sep = static_cast<char>(fs::path::preferred_separator);
    if (dir.empty() || (dir.back() != sep && dir.back() != '/')) dir.push_back(sep);
    return dir;
}

std::string DirectoryOf(const std::string& path) {
    auto parent = ToPath(path).parent_path();
    return WithTrailingSeparator(FromPath(parent));
}

std::string FileNameOf(const std::string& path) {
    return FromPath(ToPath(path).filename());
}

void PutF64(std::string& out, double v) {
    auto u = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
}

double GetF64(const unsigned char* p) {
    std::uint64_t u = 0;
    for (int i = 0; i < 8; ++i) u |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    return std::bit_cast<double>(u);
}

} // namespace numora
