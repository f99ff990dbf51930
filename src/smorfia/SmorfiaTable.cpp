#include "smorfia/SmorfiaTable.h"

#include "core/FileIo.h"

#include <algorithm>
#include <array>

namespace numora {

namespace {

// Code points of 0x80..0x9F in Windows-1252; 0 where the code page leaves the byte undefined.
constexpr std::array<char32_t, 32> High = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                           0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CodePoint(unsigned char c) {
    if (c >= 0x80 && c <= 0x9F) {
        const char32_t u = High[c - 0x80];
        return u != 0 ? u : c;
    }
    return c;
}

void AppendUtf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out.push_back(static_cast<char>(u));
    } else if (u < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (u >> 6)));
        out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (u >> 12)));
        out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    }
}

// Next code point of UTF-8 text; false on a malformed sequence.
bool NextUtf8(std::string_view s, std::size_t& i, char32_t& u) {
    const auto b = static_cast<unsigned char>(s[i]);
    int extra = 0;
    if (b < 0x80) {
        u = b;
    } else if ((b & 0xE0) == 0xC0) {
        u = b & 0x1F;
        extra = 1;
    } else if ((b & 0xF0) == 0xE0) {
        u = b & 0x0F;
        extra = 2;
    } else if ((b & 0xF8) == 0xF0) {
        u = b & 0x07;
        extra = 3;
    } else {
        return false;
    }
    ++i;
    for (int k = 0; k < extra; ++k, ++i) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return false;
        u = (u << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
    }
    return true;
}

bool ToCp1252(char32_t u, unsigned char& c) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
        c = static_cast<unsigned char>(u);
        return true;
    }
    for (std::size_t k = 0; k < High.size(); ++k) {
        if (High[k] == u || (High[k] == 0 && u == 0x80 + k)) {
            c = static_cast<unsigned char>(0x80 + k);
            return true;
        }
    }
    return false;
}

std::string UpperCp1252(std::string_view s) {
    std::string u(s);
    for (char& c : u) c = static_cast<char>(Cp1252Upper(static_cast<unsigned char>(c)));
    return u;
}

} // namespace

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) AppendUtf8(out, CodePoint(static_cast<unsigned char>(c)));
    return out;
}

bool Utf8ToCp1252(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size();) {
        char32_t u = 0;
        unsigned char c = 0;
        if (!NextUtf8(text, i, u) || !ToCp1252(u, c)) return false;
        out.push_back(static_cast<char>(c));
    }
    return true;
}

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

std::vector<SmorfiaEntry> ReadSmorfia(const std::string& path, bool* unreadable) {
    const auto bytes = ReadBoundedFile(path, SmorfiaEntry::MaxFileSize);
    if (unreadable) *unreadable = !bytes && PathExists(path);
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
    case 0x9A:
        return 0x8A; // š
    case 0x9C:
        return 0x8C; // œ
    case 0x9E:
        return 0x8E; // ž
    case 0xFF:
        return 0x9F; // ÿ
    default:
        return c;
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

std::vector<std::size_t> SearchSmorfia(const std::vector<SmorfiaEntry>& entries,
                                       const std::vector<std::string>& terms) {
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
