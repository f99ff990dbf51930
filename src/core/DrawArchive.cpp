#include "core/DrawArchive.h"

#include "core/FileIo.h"
#include "core/FileLock.h"
#include "core/Random.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

namespace numora {

bool DrawRecord::hasNumber(int wheel, int n) const {
    for (int k = 0; k < NumbersPerWheel; ++k)
        if (number(wheel, k) == n) return true;
    return false;
}

void DrawRecord::toBytes(std::uint8_t* out) const {
    std::memcpy(out, numbers.data(), numbers.size());
    out[55] = day;
    out[56] = month;
    out[57] = reserved;
    out[58] = static_cast<std::uint8_t>(year & 0xFF);
    out[59] = static_cast<std::uint8_t>(year >> 8);
}

DrawRecord DrawRecord::fromBytes(const std::uint8_t* in) {
    DrawRecord d;
    std::memcpy(d.numbers.data(), in, d.numbers.size());
    d.day = in[55];
    d.month = in[56];
    d.reserved = in[57];
    d.year = static_cast<std::uint16_t>(in[58] | (in[59] << 8));
    return d;
}

DrawArchive::DrawArchive() : slots_(new DrawRecord[Capacity]) {}

DrawArchive::DrawArchive(const DrawArchive& other)
    : slots_(new DrawRecord[Capacity]), count_(other.count_), unreadable_(other.unreadable_),
      filePath_(other.filePath_), fileStamp_(other.fileStamp_) {
    std::copy(other.slots_.get(), other.slots_.get() + count_, slots_.get());
}

DrawArchive& DrawArchive::operator=(const DrawArchive& other) {
    if (this != &other) {
        std::copy(other.slots_.get(), other.slots_.get() + other.count_, slots_.get());
        count_ = other.count_;
        unreadable_ = other.unreadable_;
        filePath_ = other.filePath_;
        fileStamp_ = other.fileStamp_;
    }
    return *this;
}

bool IsValidCalendarDate(int day, int month, int year) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int limit = (month == 2 && leap) ? 29 : days[month - 1];
    return day <= limit;
}

std::string DateText(const DrawRecord& d) {
    return std::to_string(d.day) + "/" + std::to_string(d.month) + "/" + std::to_string(d.year);
}

namespace {

// The ordering key: decimal year, then month and day on two digits each, compared as text.
struct DateKey {
    char text[16];
    explicit DateKey(const DrawRecord& d) {
        std::snprintf(text, sizeof text, "%u%02u%02u", unsigned(d.year), unsigned(d.month), unsigned(d.day));
    }
    int compare(const DateKey& o) const { return std::strcmp(text, o.text); }
};

long CalendarOrdinal(const DrawRecord& d) {
    return (long(d.year) * 13 + d.month) * 32 + d.day;
}

void CheckDate(const DrawRecord& d) {
    if (!IsValidCalendarDate(d.day, d.month, d.year)) throw ArchiveError("La data " + DateText(d) + " non esiste.");
}

void RequireRoom(const DrawArchive& a) {
    if (a.count() >= DrawArchive::Capacity)
        throw ArchiveError("L'archivio storico è pieno: non può contenere più di " +
                           std::to_string(DrawArchive::Capacity) + " estrazioni.");
}

} // namespace

int InsertDraw(DrawArchive& a, const DrawRecord& r) {
    // The new draw's date is checked even for the first draw, so that no impossible date
    // ever reaches the archive.
    CheckDate(r);
    const int n = a.count();
    if (n == 0) {
        a.draw(1) = r;
        a.setCount(1);
        return 1;
    }
    CheckDate(a.draw(n));
    if (CalendarOrdinal(r) > CalendarOrdinal(a.draw(n))) {
        RequireRoom(a);
        a.draw(n + 1) = r;
        a.setCount(n + 1);
        return n + 1;
    }
    const DateKey key(r);
    int i = 1;
    while (i < n && DateKey(a.draw(i)).compare(key) < 0) ++i;
    const int c = DateKey(a.draw(i)).compare(key);
    if (c > 0) {
        RequireRoom(a);
        DrawRecord* d = a.data();
        std::move_backward(d + (i - 1), d + n, d + n + 1);
        a.draw(i) = r;
        a.setCount(n + 1);
        return i;
    }
    if (c == 0) {
        a.draw(i) = r;
        return i;
    }
    // Only reached when the archive is out of order (a file taken as it was): the new draw
    // is not later than the last one yet every key is smaller; it goes at the end.
    RequireRoom(a);
    a.draw(n + 1) = r;
    a.setCount(n + 1);
    return n + 1;
}

int FindDrawByDate(const DrawArchive& a, const DrawRecord& date) {
    // From the end: the dates looked for are mostly the recent ones.
    for (int i = a.count(); i >= 1; --i) {
        const DrawRecord& d = a.draw(i);
        if (d.day == date.day && d.month == date.month && d.year == date.year) return i;
    }
    return 0;
}

void DeleteDraw(DrawArchive& a, int i) {
    const int n = a.count();
    if (i < 1 || i > n) return;
    DrawRecord* d = a.data();
    std::move(d + i, d + n, d + (i - 1));
    a.setCount(n - 1);
}

void RebuildDerivedTables(const DrawArchive& a, DelayTable& delays, FrequencyTable& freq) {
    const int n = a.count();
    freq = FrequencyTable{};
    const int first = n >= FrequencyWindow ? n - FrequencyWindow + 1 : 1;
    for (int j = first; j <= n; ++j) {
        const auto& nums = a.draw(j).numbers;
        for (int w = 1; w <= WheelCount; ++w)
            for (int k = 0; k < NumbersPerWheel; ++k) {
                const int x = nums[static_cast<std::size_t>(k * 11 + w - 1)];
                if (x > MaxNumber) continue; // a corrupt byte counts nowhere
                ++freq.at(w, x);
                if (w <= RegionalWheels) ++freq.at(WheelTutte, x);
            }
    }

    // One backward pass finds the latest draw of every (wheel, number) at once; the scan stops
    // as soon as all 990 are known. Never-seen numbers get N-1, like a number last seen in draw 1.
    delays = DelayTable{};
    std::array<std::array<std::int32_t, 91>, 12> lastSeen{};
    int missing = WheelCount * MaxNumber;
    for (int j = n; j >= 1 && missing > 0; --j) {
        const auto& nums = a.draw(j).numbers;
        for (std::size_t b = 0; b < 55; ++b) {
            const int x = nums[b];
            if (x == 0 || x > MaxNumber) continue;
            auto& seen = lastSeen[b % 11 + 1][static_cast<std::size_t>(x)];
            if (seen == 0) {
                seen = j;
                --missing;
            }
        }
    }
    for (int x = 1; x <= MaxNumber; ++x) {
        std::int32_t best = n;
        for (int w = 1; w <= WheelCount; ++w) {
            const std::int32_t r = lastSeen[static_cast<std::size_t>(w)][static_cast<std::size_t>(x)];
            const std::int32_t d = r > 0 ? n - r : n - 1;
            delays.at(w, x) = d;
            if (w <= RegionalWheels && d < best) best = d;
        }
        delays.at(WheelTutte, x) = best;
    }
}

namespace {

std::string StampOf(const std::string& path) {
    if (!PathExists(path)) return {};
    if (!FileExists(path)) return "?";
    const auto head = ReadFileBytes(path, ArchiveHeaderSize);
    return (head ? *head : std::string("?")) + "/" + std::to_string(FileSize(path));
}

} // namespace

bool LoadArchive(const std::string& path, DrawArchive& a, DelayTable& delays, FrequencyTable& freq,
                 ArchiveLoadReport* report) {
    a.clear();
    a.setFromUnreadableFile(false);
    a.setFileStamp(path, StampOf(path));
    if (report) *report = ArchiveLoadReport{};
    const bool regular = FileExists(path);
    if (!regular && !PathExists(path)) return false;
    const std::size_t limit = ArchiveHeaderSize + DrawRecord::Size * static_cast<std::size_t>(DrawArchive::Capacity);
    const long long size = FileSize(path);
    std::optional<std::string> bytes;
    if (regular && size >= 0) bytes = ReadFileBytes(path, limit);
    // A read that ends before the size the file claims is a failed read as well.
    if (!bytes || bytes->size() < std::min<std::size_t>(static_cast<std::size_t>(size), limit)) {
        a.setFromUnreadableFile(true);
        if (report) report->unreadable = true;
        RebuildDerivedTables(a, delays, freq);
        return true;
    }
    const long long inFile =
        size > static_cast<long long>(ArchiveHeaderSize)
            ? (size - static_cast<long long>(ArchiveHeaderSize)) / static_cast<long long>(DrawRecord::Size)
            : 0;
    int loaded = 0;
    if (bytes->size() > ArchiveHeaderSize) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(bytes->data()) + ArchiveHeaderSize;
        loaded = static_cast<int>((bytes->size() - ArchiveHeaderSize) / DrawRecord::Size);
        for (int i = 0; i < loaded; ++i) a.data()[i] = DrawRecord::fromBytes(p + i * DrawRecord::Size);
    }
    a.setCount(loaded);
    if (report) {
        report->recordsInFile = std::max<long long>(inFile, loaded);
        report->truncated = report->recordsInFile > DrawArchive::Capacity;
    }
    RebuildDerivedTables(a, delays, freq);
    return true;
}

std::string ArchiveFileImage(const DrawArchive& a, RandomSource& random) {
    std::string out;
    out.reserve(ArchiveHeaderSize + DrawRecord::Size * static_cast<std::size_t>(a.count()));
    for (std::size_t k = 0; k < ArchiveHeaderSize; ++k) out.push_back(static_cast<char>(random.below(256)));
    std::uint8_t rec[DrawRecord::Size];
    for (int i = 1; i <= a.count(); ++i) {
        a.draw(i).toBytes(rec);
        out.append(reinterpret_cast<const char*>(rec), DrawRecord::Size);
    }
    return out;
}

bool SaveArchive(const std::string& path, DrawArchive& a, DelayTable& delays, FrequencyTable& freq,
                 RandomSource& random, std::string* why) {
    if (a.fromUnreadableFile()) {
        if (why) *why = "il file esistente non è stato letto e non viene sostituito";
        return false;
    }
    const FolderLock lock(DirectoryOf(path));
    if (lock.refused()) {
        if (why) *why = FolderLock::RefusedReason;
        return false;
    }
    if (a.filePath() == path && StampOf(path) != a.fileStamp()) {
        if (why)
            *why = "nel frattempo un altro programma ha modificato l'archivio; ricaricarlo e ripetere l'operazione";
        return false;
    }
    if (!WriteFileAtomically(path, ArchiveFileImage(a, random), why)) return false;
    a.setFileStamp(path, StampOf(path));
    RebuildDerivedTables(a, delays, freq);
    return true;
}

} // namespace numora
