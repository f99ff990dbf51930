#pragma once

#include "core/Types.h"

#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace numora {

// One draw. The in-memory layout is the file layout: for wheel w (1..11) and position
// k (0..4) the number is at byte k*11 + (w-1); then day, month, a reserved byte, and the
// year as little-endian 16 bits. It is still read and written field by field.
struct DrawRecord {
    std::array<std::uint8_t, 55> numbers{};
    std::uint8_t day = 0;
    std::uint8_t month = 0;
    std::uint8_t reserved = 0;
    std::uint16_t year = 0;

    static constexpr std::size_t Size = 60;

    std::uint8_t number(int wheel, int pos) const { return numbers[static_cast<std::size_t>(pos * 11 + wheel - 1)]; }
    void setNumber(int wheel, int pos, std::uint8_t n) { numbers[static_cast<std::size_t>(pos * 11 + wheel - 1)] = n; }
    bool hasNumber(int wheel, int n) const;

    void toBytes(std::uint8_t* out) const;
    static DrawRecord fromBytes(const std::uint8_t* in);

    bool operator==(const DrawRecord&) const = default;
};
static_assert(sizeof(DrawRecord) == DrawRecord::Size, "DrawRecord must be exactly 60 bytes");

// Raised by InsertDraw for a date that does not exist in the calendar and for a
// new draw that would not fit; the calling command stops and shows what().
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Draws 1..count() in ascending date order; the slots are allocated once.
class DrawArchive {
public:
    static constexpr int Capacity = 10000;

    DrawArchive();
    DrawArchive(const DrawArchive& other);
    DrawArchive& operator=(const DrawArchive& other);

    int count() const { return count_; }
    bool empty() const { return count_ == 0; }
    const DrawRecord& draw(int i) const { return slots_[static_cast<std::size_t>(i - 1)]; }
    DrawRecord& draw(int i) { return slots_[static_cast<std::size_t>(i - 1)]; }
    const DrawRecord& last() const { return draw(count_); }

    // Low-level slot access for loaders and InsertDraw/DeleteDraw.
    void setCount(int n) { count_ = n; }
    DrawRecord* data() { return slots_.get(); }
    const DrawRecord* data() const { return slots_.get(); }
    void clear() { count_ = 0; }

    // Set by LoadArchive when the archive file exists but could not be read: this archive (and
    // every copy of it) then stands for draws it does not hold, and SaveArchive refuses to put
    // it in the file's place. Only a later load clears it.
    bool fromUnreadableFile() const { return unreadable_; }
    void setFromUnreadableFile(bool v) { unreadable_ = v; }

    // The file these draws were last loaded from or saved to, and what told that file apart then
    // (its random header and its size; "" when there was no file). A save to that file which finds
    // it changed by someone else refuses rather than drop what the other writer kept.
    const std::string& filePath() const { return filePath_; }
    const std::string& fileStamp() const { return fileStamp_; }
    void setFileStamp(std::string path, std::string stamp) {
        filePath_ = std::move(path);
        fileStamp_ = std::move(stamp);
    }

private:
    std::unique_ptr<DrawRecord[]> slots_;
    int count_ = 0;
    bool unreadable_ = false;
    std::string filePath_;
    std::string fileStamp_;
};

// Rows 1..12 (wheel, 12 = "Tutte"), columns 0..90 (number; column 0 unused).
struct DerivedTable {
    std::array<std::array<std::int32_t, 91>, 13> v{};
    std::int32_t at(int wheel, int number) const {
        return v[static_cast<std::size_t>(wheel)][static_cast<std::size_t>(number)];
    }
    std::int32_t& at(int wheel, int number) {
        return v[static_cast<std::size_t>(wheel)][static_cast<std::size_t>(number)];
    }
    bool operator==(const DerivedTable&) const = default;
};
struct DelayTable : DerivedTable {};
struct FrequencyTable : DerivedTable {};

inline constexpr const char* ArchiveFileName = "Numora.dtb";
inline constexpr std::size_t ArchiveHeaderSize = 19;
inline constexpr int FrequencyWindow = 100;

// Calendar check: the day exists in that month of that year (years 1..9999).
bool IsValidCalendarDate(int day, int month, int year);
// day/month/year without leading zeros, as dates are shown throughout the program.
std::string DateText(const DrawRecord& d);

// Appends, inserts or replaces by date; returns the index where the draw now stands.
// Throws ArchiveError for an impossible date or when a new draw would exceed the capacity;
// in both cases the archive is unchanged.
int InsertDraw(DrawArchive& archive, const DrawRecord& record);
// The index of the draw dated as `date` (day, month and year; the numbers are ignored), 0 when
// none. The archive holds each date once; in a file out of order the latest match wins.
int FindDrawByDate(const DrawArchive& archive, const DrawRecord& date);
// Removes draw i (1..count()); later draws move down by one.
void DeleteDraw(DrawArchive& archive, int i);

void RebuildDerivedTables(const DrawArchive& archive, DelayTable& delays, FrequencyTable& frequencies);

struct ArchiveLoadReport {
    long long recordsInFile = 0; // whole records the file holds
    bool truncated = false;      // more than Capacity records: only the first Capacity were loaded
    bool copied = false;         // the whole file was kept aside before anything could overwrite it
    std::string keptAs;          // where the whole file was kept, when copied
    bool unreadable = false;     // the file exists but could not be opened or read: no draw loaded
};

// Reads path into the archive (count 0 first) and rebuilds the tables.
// Returns false when the file does not exist; the tables are then left as they are. A file
// that exists but cannot be read gives an empty archive marked fromUnreadableFile().
[[nodiscard]] bool LoadArchive(const std::string& path, DrawArchive& archive, DelayTable& delays,
                               FrequencyTable& frequencies, ArchiveLoadReport* report = nullptr);

class RandomSource;
// The whole file image: 19 fresh random bytes, then draws 1..N.
std::string ArchiveFileImage(const DrawArchive& archive, RandomSource& random);
// Writes path through a temporary file so that a failed save leaves the old file intact;
// rebuilds the tables on success. An archive fromUnreadableFile() is never saved. On failure
// *why (when given) says what went wrong.
// The save holds the folder's lock (FolderLock) while it checks and writes, and refuses when the
// file changed since these draws were loaded from it.
[[nodiscard]] bool SaveArchive(const std::string& path, DrawArchive& archive, DelayTable& delays,
                               FrequencyTable& frequencies, RandomSource& random, std::string* why = nullptr);

} // namespace numora
