#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace numora {

// An initialisation file held in memory: [SECTION] headers and key=value lines. Section
// and key names compare without case; values are trimmed; unknown lines are kept as they are.
// text() ends its lines as the parsed text did, or as the platform does for a text without any.
class IniFile {
public:
    static IniFile parse(std::string_view text);
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    void set(std::string_view section, std::string_view key, std::string_view value);
    std::string text() const;

private:
    struct Entry {
        std::string key; // empty for a line that is not key=value
        std::string value;
        std::string raw;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    Section* find(std::string_view section);
    const Section* find(std::string_view section) const;
    std::vector<Entry> preamble_;
    std::vector<Section> sections_;
#ifdef _WIN32
    std::string eol_ = "\r\n";
#else
    std::string eol_ = "\n";
#endif
};

} // namespace numora
