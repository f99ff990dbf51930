#include "core/FileIo.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace numora {

namespace {
// Paths travel as UTF-8 text; the platform's own encoding is chosen here only.
fs::path ToPath(const std::string& s) {
    return fs::path(std::u8string(s.begin(), s.end()));
}
std::string FromPath(const fs::path& p) {
    auto u = p.u8string();
    return std::string(u.begin(), u.end());
}
} // namespace

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(ToPath(path), ec);
}

bool PathExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(ToPath(path), ec);
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
    if (!FileExists(path)) return std::nullopt;
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

std::optional<std::string> ReadBoundedFile(const std::string& path, std::size_t maxBytes) {
    const long long size = FileSize(path);
    if (size < 0 || static_cast<unsigned long long>(size) > maxBytes) return std::nullopt;
    auto bytes = ReadFileBytes(path, maxBytes == SIZE_MAX ? maxBytes : maxBytes + 1);
    if (bytes && bytes->size() > maxBytes) return std::nullopt; // it grew while being read
    return bytes;
}

namespace {

void Say(std::string* why, const char* text) {
    if (why) *why = text;
}

long long ThisProcess() {
#ifdef _WIN32
    return _getpid();
#else
    return ::getpid();
#endif
}

// The process id a temporary file of fileName carries; -1 when it is not one.
long long WriterOf(std::string_view candidate, std::string_view fileName) {
    if (!IsTemporaryFileOf(candidate, fileName)) return -1;
    const std::string_view digits = candidate.substr(fileName.size() + 1, candidate.size() - fileName.size() - 5);
    long long pid = 0;
    for (char c : digits) pid = pid * 10 + (c - '0');
    return pid;
}

// Whether a temporary file of fileName named `name` belongs to nobody any more.
bool StaleTemporaryFile(std::string_view name, std::string_view fileName) {
    const long long pid = WriterOf(name, fileName);
    return pid >= 0 && !OtherProcessAlive(pid);
}

// The part of `path` inside `folder`, both made absolute with their links resolved; false when
// path lies elsewhere.
bool LiesWithin(const fs::path& path, const fs::path& folder) {
    std::error_code ec;
    const fs::path p = fs::weakly_canonical(fs::absolute(path, ec), ec);
    const fs::path f = fs::weakly_canonical(fs::absolute(folder, ec), ec);
    if (ec) return false;
    auto pi = p.begin();
    for (auto fi = f.begin(); fi != f.end(); ++fi, ++pi) {
        if (fi->empty()) continue; // the trailing separator of a folder
        if (pi == p.end() || *pi != *fi) return false;
    }
    return true;
}

// Follows the symbolic links of path to the file a write has to replace. A link to a file
// that does not exist yet leads to that name; a loop or an unreadable link is refused.
bool ResolveLinks(const fs::path& path, fs::path& target, std::string* why) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(target, ec))) return true;
        fs::path next = fs::read_symlink(target, ec);
        if (ec) {
            Say(why, "il collegamento simbolico non può essere letto");
            return false;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    Say(why, "i collegamenti simbolici formano un ciclo");
    return false;
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string* why) {
    fs::path target;
    if (!ResolveLinks(ToPath(path), target, why)) return false;
    std::error_code ec;
    // Run as root, a link planted in a folder would otherwise make a save replace any file at all.
    if (target != ToPath(path) && !LiesWithin(target, ToPath(path).parent_path())) {
        if (why)
            *why = "il collegamento simbolico " + path + " porta a " + FromPath(target) +
                   ", fuori dalla sua cartella: il file non viene sostituito";
        return false;
    }
    const fs::file_status old = fs::status(target, ec);
    const bool replacing = fs::exists(old);
    if (replacing && !fs::is_regular_file(old)) {
        Say(why, "il nome indicato non è quello di un file");
        return false;
    }
    // The user made the file read-only: it is not ours to replace.
    if (replacing && (old.permissions() & fs::perms::owner_write) == fs::perms::none) {
        Say(why, "il file è di sola lettura");
        return false;
    }
    // Killed saves of this same file left their temporary files here; the ones whose writer is gone
    // go now, wherever the file is.
    const std::string targetName = FromPath(target.filename());
    for (fs::directory_iterator it(target.parent_path().empty() ? fs::path(".") : target.parent_path(), ec), end;
         !ec && it != end; it.increment(ec)) {
        std::error_code gone;
        if (!it->is_symlink(gone) && it->is_regular_file(gone) &&
            StaleTemporaryFile(FromPath(it->path().filename()), targetName))
            fs::remove(it->path(), gone);
    }
    ec.clear();
    fs::path temp = target;
    temp += "." + std::to_string(ThisProcess()) + ".tmp";
    std::FILE* f = nullptr;
    if (!fs::exists(fs::symlink_status(temp, ec))) {
#ifdef _WIN32
        f = _wfopen(temp.c_str(), L"wb");
#else
        f = std::fopen(temp.c_str(), "wbx");
#endif
    }
    if (!f) {
        Say(why, "impossibile creare un file nella cartella");
        return false;
    }
    bool ok = content.empty() || std::fwrite(content.data(), 1, content.size(), f) == content.size();
    ok = (std::fflush(f) == 0) && ok;
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) Say(why, "la scrittura non è riuscita (disco pieno?)");
    if (ok && replacing) {
        fs::permissions(temp, old.permissions(), fs::perm_options::replace, ec);
        ok = !ec;
        if (!ok) Say(why, "impossibile mantenere i permessi del file");
    }
    if (ok) {
        fs::rename(temp, target, ec);
        ok = !ec;
        if (!ok) Say(why, "impossibile sostituire il file");
    }
    if (!ok) fs::remove(temp, ec);
    return ok;
}

bool CopyFileOver(const std::string& from, const std::string& to, std::string* why) {
    auto bytes = ReadFileBytes(from);
    if (!bytes) {
        Say(why, "impossibile leggere il file da copiare");
        return false;
    }
    return WriteFileAtomically(to, *bytes, why);
}

bool IsTemporaryFileOf(std::string_view candidate, std::string_view fileName) {
    constexpr std::string_view tail = ".tmp";
    if (candidate.size() < fileName.size() + 2 + tail.size()) return false;
    if (candidate.substr(0, fileName.size()) != fileName || candidate.substr(candidate.size() - tail.size()) != tail)
        return false;
    const std::string_view middle = candidate.substr(fileName.size(), candidate.size() - fileName.size() - tail.size());
    if (middle.size() < 2 || middle.size() > 11 || middle[0] != '.') return false;
    return std::all_of(middle.begin() + 1, middle.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool OtherProcessAlive(long long pid) {
    if (pid <= 0 || pid == ThisProcess() || pid > 0x7FFFFFFF) return false;
#ifdef _WIN32
    HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (h == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
    const bool running = WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
    CloseHandle(h);
    return running;
#else
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#endif
}

int RemoveStaleTemporaryFiles(const std::string& dir, std::initializer_list<std::string_view> fileNames,
                              std::initializer_list<std::string_view> extensions) {
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(ToPath(dir), ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec) || it->is_symlink(ec)) continue;
        const std::string name = FromPath(it->path().filename());
        bool ours = false;
        for (std::string_view n : fileNames) ours = ours || StaleTemporaryFile(name, n);
        // name = base + ".N.tmp" with base ending in one of the extensions.
        const auto dot = name.size() > 4 ? name.rfind('.', name.size() - 5) : std::string::npos;
        if (!ours && dot != std::string::npos) {
            const std::string_view base = std::string_view(name).substr(0, dot);
            for (std::string_view e : extensions)
                ours = ours || (base.size() > e.size() && base.substr(base.size() - e.size()) == e &&
                                StaleTemporaryFile(name, base));
        }
        std::error_code gone;
        if (ours && fs::remove(it->path(), gone)) ++removed;
    }
    return removed;
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
