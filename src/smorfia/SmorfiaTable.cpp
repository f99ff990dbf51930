#include "smorfia/SmorfiaTable.h"

#include "core/FileIo.h"
#include "core/TextHelpers.h"

#include <algorithm>
#include <array>

namespace numora {

namespace {

std::string UpperCp1252(std::string_view s) {
    std::string u(s);
    for (char& c : u) c = static_cast<char>(Cp1252Upper(static_cast<unsigned char>(c)));
    return u;
}

} // namespace

std::vector<SmorfiaEntry> ParseSmorfia(std::string_view bytes) {
    std::vector<SmorfiaEntry> entries;
    const std::size_t count = bytes.size() / SmorfiaEntry::RecordSize;
    entries.reserve(count);
    for (std::size_t r = 0; r < count; ++r) {
        const std::string_view rec = bytes.substr(r * SmorfiaEntry::RecordSize, SmorfiaEntry::RecordSize);
        const std::size_t len = std::min<std::size_t>(static_cast<unsigned char>(rec[0]), SmorfiaEntry::MaxText);
        entries.push_back({static_cast<unsigned char>(rec[81]), std::string(rec.substr(1, len))});
    }
    return entries;
}

std::vector<SmorfiaEntry> ReadSmorfia(const std::string& path) {
    const auto bytes = ReadFileBytes(path);
    return bytes ? ParseSmorfia(*bytes) : std::vector<SmorfiaEntry>{};
}

std::string SmorfiaImage(const std::vector<SmorfiaEntry>& entries) {
    std::string out;
    out.reserve(entries.size() * SmorfiaEntry::RecordSize);
    for (const SmorfiaEntry& e : entries) {
        const std::string text = e.text.substr(0, SmorfiaEntry::MaxText);
        out.push_back(static_cast<char>(text.size()));
        out += text;
        out.append(SmorfiaEntry::MaxText - text.size(), '\0');
        out.push_back(static_cast<char>(e.number));
    }
    return out;
}

std::string DisplayedMeaning(std::string_view s) {
    std::string d(s);
    if (!d.empty() && d[0] >= 'a' && d[0] <= 'z') d[0] = static_cast<char>(d[0] - 'a' + 'A');
    return d;
}

unsigned char Cp1252Upper(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    switch (c) {
    case 0x9A: return 0x8A; // š
    case 0x9C: return 0x8C; // œ
    case 0x9E: return 0x8E; // ž
    case 0xFF: return 0x9F; // ÿ
    default: return c;
    }
}

std::string AsciiLower(std::string_view s) {
    std::string d(s);
    for (char& c : d)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return d;
}

std::vector<std::string> SearchTerms(std::string_view text) {
    std::vector<std::string> terms;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ') ++i;
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ') ++i;
        if (i > start) terms.emplace_back(text.substr(start, i - start));
    }
    return terms;
}

std::vector<std::size_t> SearchSmorfia(const std::vector<SmorfiaEntry>& entries, const std::vector<std::string>& terms) {
    // Each term once in upper-case Windows-1252; a term with a character the code page lacks
    // can only match as a number, which it is not either.
    struct Term {
        std::string upper;
        bool convertible;
        const std::string* text;
    };
    std::vector<Term> prepared;
    prepared.reserve(terms.size());
    for (const std::string& t : terms) {
        std::string cp;
        const bool ok = Utf8ToCp1252(t, cp);
        prepared.push_back({UpperCp1252(cp), ok, &t});
    }
    std::vector<std::size_t> top;  // in the order read: listed last first
    std::vector<std::size_t> rest; // in file order
    for (std::size_t e = 0; e < entries.size(); ++e) {
        const std::string meaning = UpperCp1252(entries[e].text);
        const std::string number = std::to_string(entries[e].number);
        for (const Term& t : prepared) {
            if (*t.text == number) {
                top.push_back(e);
                break;
            }
            if (!t.convertible) continue;
            const std::size_t at = meaning.find(t.upper);
            if (at == std::string::npos) continue;
            (at == 0 ? top : rest).push_back(e);
            break;
        }
    }
    std::vector<std::size_t> result(top.rbegin(), top.rend());
    result.insert(result.end(), rest.begin(), rest.end());
    return result;
}

} // namespace numora
