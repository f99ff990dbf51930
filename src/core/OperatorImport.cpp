#include "core/OperatorImport.h"

#include "core/TextHelpers.h"

#include <unordered_map>

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

OperatorText ParseOperatorText(std::string_view text) {
    OperatorText out;
    std::unordered_map<std::uint32_t, std::size_t> byDate;
    std::size_t pos = 0;
    int lineNo = 0;
    auto fail = [&](std::string reason) {
        out.ok = false;
        out.errorLine = lineNo;
        out.error = std::move(reason);
        out.draws.clear();
        return out;
    };
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") pos = 3;
    while (pos < text.size()) {
        auto nl = text.find('\n', pos);
        std::string_view line = text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
        pos = nl == std::string_view::npos ? text.size() : nl + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        auto f = Fields(line);
        if (f.empty()) continue;
        if (f.size() != 7)
            return fail("attesi 7 campi (data, ruota e cinque numeri), trovati " + std::to_string(f.size()));
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
        auto [it, inserted] = byDate.try_emplace(key, out.draws.size());
        if (inserted) out.draws.push_back(date);
        DrawRecord& d = out.draws[it->second];
        if (d.number(w, 0) != 0)
            return fail("la ruota di " + std::string(WheelName(w)) + " compare due volte il " + DateText(d));
        for (int k = 0; k < 5; ++k) d.setNumber(w, k, static_cast<std::uint8_t>(nums[k]));
    }
    out.ok = true;
    return out;
}

ImportResult ImportOperatorText(std::string_view text, DrawArchive& archive, const ImportProgress& progress) {
    ImportResult r;
    OperatorText parsed = ParseOperatorText(text);
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
            const int before = work.count();
            InsertDraw(work, parsed.draws[static_cast<std::size_t>(i)]);
            if (work.count() != before) ++r.newDraws;
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

} // namespace numora
