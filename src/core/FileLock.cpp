#include "core/FileLock.h"

#include "core/FileIo.h"

#include <chrono>
#include <map>
#include <mutex>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace numora {

namespace {

#ifdef _WIN32
using Handle = HANDLE;
const Handle NoHandle = INVALID_HANDLE_VALUE;

Handle OpenFolderLock(const std::string& folder) {
    const std::string name = folder + "Numora.lck";
    const int n = MultiByteToWideChar(CP_UTF8, 0, name.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, name.c_str(), -1, wide.data(), n);
    return CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}
bool TryLock(Handle h) {
    OVERLAPPED at{};
    return LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at) != 0;
}
void Release(Handle h) {
    OVERLAPPED at{};
    UnlockFileEx(h, 0, 1, 0, &at);
    CloseHandle(h);
}
#else
using Handle = int;
const Handle NoHandle = -1;

Handle OpenFolderLock(const std::string& folder) {
    return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}
bool TryLock(Handle h) {
    while (::flock(h, LOCK_EX | LOCK_NB) != 0)
        if (errno != EINTR) return false;
    return true;
}
void Release(Handle h) {
    ::flock(h, LOCK_UN);
    ::close(h);
}
#endif

struct Held {
    Handle handle = NoHandle;
    int depth = 0;
};

std::mutex& HeldMutex() {
    static std::mutex m;
    return m;
}
std::map<std::string, Held>& HeldLocks() {
    static std::map<std::string, Held> held;
    return held;
}

} // namespace

FolderLock::FolderLock(const std::string& folder, int waitMs) : key_(WithTrailingSeparator(folder)) {
    {
        std::lock_guard<std::mutex> guard(HeldMutex());
        auto it = HeldLocks().find(key_);
        if (it != HeldLocks().end()) {
            ++it->second.depth;
            owner_ = true;
            return;
        }
    }
    const Handle h = OpenFolderLock(key_);
    if (h == NoHandle) return;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (!TryLock(h)) {
        if (std::chrono::steady_clock::now() >= until) {
            Release(h);
            refused_ = true;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::lock_guard<std::mutex> guard(HeldMutex());
    HeldLocks()[key_] = Held{h, 1};
    owner_ = true;
}

FolderLock::~FolderLock() {
    if (!owner_) return;
    std::lock_guard<std::mutex> guard(HeldMutex());
    auto it = HeldLocks().find(key_);
    if (it == HeldLocks().end() || --it->second.depth > 0) return;
    Release(it->second.handle);
    HeldLocks().erase(it);
}

} // namespace numora
