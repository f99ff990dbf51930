#include "archive/DrawUpdateFile.h"

#include "core/FileIo.h"

#include <algorithm>

namespace numora {

namespace {

UpdateFileContent Refuse(UpdateFileError error, std::string reason, int badDraw = 0) {
    UpdateFileContent out;
    out.error = error;
    out.reason = std::move(reason);
    out.badDraw = badDraw;
    return out;
}

// The stored draw of that date; the search starts from the end, where an update's dates are.
const DrawRecord* StoredDrawOfDate(const DrawArchive& archive, const DrawRecord& d) {
    for (int i = archive.count(); i >= 1; --i) {
        const DrawRecord& s = archive.draw(i);
        if (s.day == d.day && s.month == d.month && s.year == d.year) return &s;
    }
    return nullptr;
}

} // namespace

int DrawnWheels(const DrawRecord& d) {
    int drawn = 0;
    for (int w = 1; w <= 11; ++w) {
        bool complete = true;
        for (int k = 0; k < 5; ++k)
            if (d.number(w, k) == 0) complete = false;
        if (complete) ++drawn;
    }
    return drawn;
}

UpdateFileContent ReadUpdateFile(std::string_view bytes) {
    if (bytes.size() > MaxUpdateFileSize)
        return Refuse(UpdateFileError::TooLarge,
                      "il file di aggiornamento supera i " + std::to_string(MaxUpdateFileSize) + " byte");
    if (bytes.size() < 2) return Refuse(UpdateFileError::NoCount, "il file di aggiornamento è vuoto");
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t count = GetU16(p);
    if (count < static_cast<std::size_t>(MinUpdateDraws))
        return Refuse(UpdateFileError::TooFewDraws,
                      "il file di aggiornamento contiene solo " + std::to_string(count) + " estrazioni");
    const std::size_t drawsEnd = 2 + DrawRecord::Size * count;
    if (bytes.size() < drawsEnd) return Refuse(UpdateFileError::Truncated, "il file di aggiornamento è incompleto");

    UpdateFileContent out;
    out.draws.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const DrawRecord d = DrawRecord::fromBytes(p + 2 + i * DrawRecord::Size);
        const int position = static_cast<int>(i) + 1;
        if (d.year < 1900 || d.year > 2100 || !IsValidCalendarDate(d.day, d.month, d.year))
            return Refuse(UpdateFileError::BadDate,
                          "l'estrazione " + std::to_string(position) + " ha la data impossibile " + DateText(d),
                          position);
        for (std::uint8_t n : d.numbers)
            if (n > MaxNumber)
                return Refuse(UpdateFileError::BadNumber,
                              "l'estrazione del " + DateText(d) + " contiene il numero " + std::to_string(n), position);
        out.draws.push_back(d);
    }
    if (bytes.size() > drawsEnd + UpdateMessageThreshold) {
        out.hasMessage = true;
        out.message.assign(bytes.substr(drawsEnd));
    }
    return out;
}

UpdateMergeResult MergeUpdateDraws(const std::vector<DrawRecord>& draws, DrawArchive& work) {
    UpdateMergeResult r;
    try {
        for (const DrawRecord& d : draws) {
            if (const DrawRecord* stored = StoredDrawOfDate(work, d)) {
                if (DrawnWheels(d) < DrawnWheels(*stored)) {
                    ++r.refused;
                    continue;
                }
                if (*stored == d) continue;
            }
            const int before = work.count();
            InsertDraw(work, d);
            r.changed = true;
            if (work.count() != before)
                ++r.newDraws;
            else
                ++r.replaced;
        }
    } catch (const ArchiveError& e) {
        r.error = e.what();
        r.newDraws = 0;
        r.replaced = 0;
        r.refused = 0;
        return r;
    }
    r.ok = true;
    return r;
}

std::vector<DrawRecord> MostRecentDraws(const DrawArchive& archive, int count) {
    const int n = archive.count();
    const int take = std::clamp(count, 0, n);
    std::vector<DrawRecord> out;
    out.reserve(static_cast<std::size_t>(take));
    for (int i = n - take + 1; i <= n; ++i) out.push_back(archive.draw(i));
    return out;
}

std::string BuildUpdateFile(const std::vector<DrawRecord>& draws, std::string_view message) {
    const std::size_t count = std::min<std::size_t>(draws.size(), 0xFFFF);
    std::string out;
    out.reserve(2 + count * DrawRecord::Size + message.size());
    PutU16(out, static_cast<std::uint16_t>(count));
    std::uint8_t record[DrawRecord::Size];
    for (std::size_t i = 0; i < count; ++i) {
        draws[i].toBytes(record);
        out.append(reinterpret_cast<const char*>(record), sizeof record);
    }
    out.append(message);
    return out;
}

} // namespace numora
