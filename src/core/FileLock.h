#pragma once

#include <string>

namespace numora {

// An exclusive lock on the files of one folder, held by a save for its whole read-merge-write so
// that two programs saving into the same data folder (two numora-cli imports, the program and an
// import) take turns instead of each writing over what the other just kept. Advisory: it binds
// only the writers that take it. On POSIX it is flock() on the folder itself, which leaves no file
// behind; on Windows LockFileEx() on a "Numora.lck" file in the folder.
//
// A process that already holds a folder's lock takes it again at once (a save inside an import),
// and the lock goes with the outermost holder.
class FolderLock {
public:
    // Waits up to waitMs for the lock of `folder`. A folder that cannot be opened gives a lock that
    // is not held but not refused either: the save that follows fails on its own, with its reason.
    explicit FolderLock(const std::string& folder, int waitMs = DefaultWaitMs);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Another process held the lock for the whole wait.
    bool refused() const { return refused_; }

    static constexpr int DefaultWaitMs = 15000;
    // Completes "Impossibile scrivere ...: " when refused().
    static constexpr const char* RefusedReason =
        "un altro programma sta salvando nella stessa cartella; riprovare tra poco";

private:
    std::string key_;
    bool refused_ = false;
    bool owner_ = false;
};

} // namespace numora
