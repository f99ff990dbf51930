#include "core/OperatorImport.h"

#include "core/TextHelpers.h"

#include <filesystem>
#include <fstream>

namespace numora {

namespace {

constexpr std::string_view WheelCodes[] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"};

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == '\t' || line[i] == ' ')) ++i;
        if (i >= line.size()) break;
        std::size_t j = i;
        while (j < line.size() && line[j] != '\t' && line[j] != ' ') ++j;
        out.push_back(line.substr(i, j - i));
        i = j;
    }
    return out;
}

bool ParseIsoDate(std::string_view s, DrawRecord& d) {
    if (s.size() != 10 || s[4] != '/' || s[7] != '/') return false;
    long long y = 0, m = 0, day = 0;
    if (!ParseWholeNumber(s.substr(0, 4), y) || !ParseWholeNumber(s.substr(5, 2), m) ||
        !ParseWholeNumber(s.substr(8, 2), day))
        return false;
    if (y < 1900 || y > 2100 || !IsValidCalendarDate(static_cast<int>(day), static_cast<int>(m), static_cast<int>(y)))
        return false;
    d.day = static_cast<std::uint8_t>(day);
    d.month = static_cast<std::uint8_t>(m);
    d.year = static_cast<std::uint16_t>(y);
    return true;
}

} // namespace

int WheelFromCode(std::string_view code) {
    if (code == "NZ") return WheelNazionale;
    for (int w = 0; w < WheelCount; ++w)
        if (WheelCodes[w] == code) return w + 1;
    return 0;
}

bool OperatorTextReader::fail(std::string reason) {
    failed_ = true;
    out_.ok = false;
    out_.errorLine = lineNo_;
    out_.error = std::move(reason);
    out_.draws.clear();
    byDate_.clear();
    return false;
}

void OperatorTextReader::refuseLongLine() {
    if (failed_) return;
    ++lineNo_;
    fail("la riga supera i " + std::to_string(MaxOperatorLineLength) + " caratteri");
}

bool OperatorTextReader::addLine(std::string_view line) {
    if (failed_) return false;
    ++lineNo_;
    if (lineNo_ == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > MaxOperatorLineLength)
        return fail("la riga supera i " + std::to_string(MaxOperatorLineLength) + " caratteri");
    auto f = Fields(line);
    if (f.empty()) return true;
    if (f.size() != 7) return fail("attesi 7 campi (data, ruota e cinque numeri), trovati " + std::to_string(f.size()));
    DrawRecord date;
    if (!ParseIsoDate(f[0], date)) return fail("la data '" + std::string(f[0]) + "' non è valida");
    const int w = WheelFromCode(f[1]);
    if (w == 0) return fail("la ruota '" + std::string(f[1]) + "' non esiste");
    int nums[5];
    for (int k = 0; k < 5; ++k) {
        long long v = 0;
        if (!ParseWholeNumber(f[static_cast<std::size_t>(k + 2)], v) || v < 1 || v > 90)
            return fail("il numero '" + std::string(f[static_cast<std::size_t>(k + 2)]) +
                        "' non è compreso tra 1 e 90");
        nums[k] = static_cast<int>(v);
        for (int q = 0; q < k; ++q)
            if (nums[q] == nums[k])
                return fail("il numero " + std::to_string(v) + " è ripetuto sulla ruota di " +
                            std::string(WheelName(w)));
    }
    const std::uint32_t key = (std::uint32_t(date.year) << 16) | (std::uint32_t(date.month) << 8) | date.day;
    auto [it, inserted] = byDate_.try_emplace(key, out_.draws.size());
    if (inserted) out_.draws.push_back(date);
    DrawRecord& d = out_.draws[it->second];
    if (d.number(w, 0) != 0)
        return fail("la ruota di " + std::string(WheelName(w)) + " compare due volte il " + DateText(d));
    for (int k = 0; k < 5; ++k) d.setNumber(w, k, static_cast<std::uint8_t>(nums[k]));
    return true;
}

OperatorText& OperatorTextReader::finish() {
    out_.ok = !failed_;
    return out_;
}

OperatorText ParseOperatorText(std::string_view text) {
    OperatorTextReader reader;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto nl = text.find('\n', pos);
        const std::string_view line =
            text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
        pos = nl == std::string_view::npos ? text.size() : nl + 1;
        if (!reader.addLine(line)) break;
    }
    return std::move(reader.finish());
}

OperatorText ReadOperatorFile(const std::string& path) {
    OperatorTextReader reader;
    std::ifstream in(std::filesystem::path(std::u8string(path.begin(), path.end())), std::ios::binary);
    if (!in) {
        OperatorText out;
        out.cannotRead = true;
        return out;
    }
    // One block at a time; a line is kept only up to the longest a valid line can be (plus its
    // "\r" and the BOM of the first line), so memory stays the same whatever the file holds.
    std::string line;
    const std::size_t keep = MaxOperatorLineLength + 4;
    char block[65536];
    bool going = true;
    while (going && in) {
        in.read(block, sizeof block);
        const std::string_view got(block, static_cast<std::size_t>(in.gcount()));
        std::size_t pos = 0;
        while (going && pos < got.size()) {
            const auto nl = got.find('\n', pos);
            const std::size_t end = nl == std::string_view::npos ? got.size() : nl;
            line.append(got.substr(pos, end - pos));
            pos = nl == std::string_view::npos ? got.size() : nl + 1;
            if (line.size() > keep) {
                reader.refuseLongLine();
                going = false;
            } else if (nl != std::string_view::npos) {
                going = reader.addLine(line);
                line.clear();
            }
        }
    }
    if (going && in.bad()) {
        OperatorText out;
        out.cannotRead = true;
        return out;
    }
    if (going && !line.empty()) reader.addLine(line);
    return std::move(reader.finish());
}

ImportResult MergeOperatorDraws(const OperatorText& parsed, DrawArchive& archive, const ImportProgress& progress) {
    ImportResult r;
    if (!parsed.ok) {
        r.error = "Riga " + std::to_string(parsed.errorLine) + ": " + parsed.error + ".";
        return r;
    }
    DrawArchive work = archive;
    const int total = static_cast<int>(parsed.draws.size());
    try {
        for (int i = 0; i < total; ++i) {
            if (progress && i % 64 == 0 && !progress(i, total)) {
                r.error = "Importazione interrotta: l'archivio non è stato modificato.";
                return r;
            }
            const DrawRecord& in = parsed.draws[static_cast<std::size_t>(i)];
            const int at = FindDrawByDate(work, in);
            if (at == 0) {
                const int before = work.count();
                InsertDraw(work, in);
                if (work.count() != before) ++r.newDraws;
                continue;
            }
            DrawRecord& stored = work.draw(at);
            bool changed = false;
            for (int w = 1; w <= WheelCount; ++w) {
                if (in.number(w, 0) == 0) continue; // the text says nothing of this wheel
                for (int k = 0; k < NumbersPerWheel; ++k)
                    if (stored.number(w, k) != in.number(w, k)) {
                        stored.setNumber(w, k, in.number(w, k));
                        changed = true;
                    }
            }
            if (changed) ++r.changedDraws;
        }
    } catch (const ArchiveError& e) {
        r.error = e.what();
        return r;
    }
    if (progress) progress(total, total);
    archive = work;
    r.ok = true;
    return r;
}

ImportResult ImportOperatorText(std::string_view text, DrawArchive& archive, const ImportProgress& progress) {
    return MergeOperatorDraws(ParseOperatorText(text), archive, progress);
}

std::string ImportReportText(const ImportResult& r) {
    return "Nº di nuove estrazioni: " + std::to_string(r.newDraws) +
           "\r\nNº di estrazioni modificate: " + std::to_string(r.changedDraws);
}

} // namespace numora
