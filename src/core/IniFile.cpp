#include "core/IniFile.h"

#include <algorithm>

namespace numora {

namespace {

std::string_view Trim(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    // The file's own line ending is kept; one without a line yet takes the platform's.
    if (const auto first = text.find('\n'); first != std::string_view::npos)
        ini.eol_ = first > 0 && text[first - 1] == '\r' ? "\r\n" : "\n";
    std::vector<Entry>* current = &ini.preamble_;
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto nl = text.find('\n', pos);
        std::string_view line = text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
        pos = nl == std::string_view::npos ? text.size() : nl + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        auto t = Trim(line);
        if (t.size() >= 2 && t.front() == '[' && t.find(']') != std::string_view::npos) {
            auto name = Trim(t.substr(1, t.find(']') - 1));
            ini.sections_.push_back(Section{std::string(name), {}});
            current = &ini.sections_.back().entries;
            continue;
        }
        Entry e;
        e.raw = std::string(line);
        auto eq = t.find('=');
        if (!t.empty() && t.front() != ';' && eq != std::string_view::npos && eq > 0) {
            e.key = std::string(Trim(t.substr(0, eq)));
            auto v = Trim(t.substr(eq + 1));
            if (v.size() >= 2 && ((v.front() == '"' && v.back() == '"') || (v.front() == '\'' && v.back() == '\'')))
                v = v.substr(1, v.size() - 2);
            e.value = std::string(v);
        }
        current->push_back(std::move(e));
    }
    return ini;
}

IniFile::Section* IniFile::find(std::string_view section) {
    for (auto& s : sections_)
        if (SameName(s.name, section)) return &s;
    return nullptr;
}

const IniFile::Section* IniFile::find(std::string_view section) const {
    for (const auto& s : sections_)
        if (SameName(s.name, section)) return &s;
    return nullptr;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    const Section* s = find(section);
    if (!s) return std::nullopt;
    for (const auto& e : s->entries)
        if (!e.key.empty() && SameName(e.key, key)) return e.value;
    return std::nullopt;
}

void IniFile::set(std::string_view section, std::string_view key, std::string_view value) {
    Section* s = find(section);
    if (!s) {
        sections_.push_back(Section{std::string(section), {}});
        s = &sections_.back();
    }
    std::string raw = std::string(key) + "=" + std::string(value);
    for (auto& e : s->entries) {
        if (!e.key.empty() && SameName(e.key, key)) {
            e.value = std::string(value);
            e.raw = raw;
            return;
        }
    }
    // New keys go after the last key of the section, before trailing blank lines.
    auto it = s->entries.end();
    while (it != s->entries.begin() && Trim((it - 1)->raw).empty()) --it;
    s->entries.insert(it, Entry{std::string(key), std::string(value), raw});
}

std::string IniFile::text() const {
    std::string out;
    for (const auto& e : preamble_) out += e.raw + eol_;
    for (const auto& s : sections_) {
        out += "[" + s.name + "]" + eol_;
        for (const auto& e : s.entries) out += e.raw + eol_;
    }
    return out;
}

} // namespace numora
