#include "printing/OldSlipSettings.h"

#include "core/FileIo.h"
#include "core/IniFile.h"
#include "core/TextHelpers.h"

#include <filesystem>

namespace numora::printing {

IniKeys OldLayoutKeys(SlipOrientation o, const OldSlipLayout& l) {
    const std::string suffix = o == SlipOrientation::Vertical ? "_ver" : "";
    const std::pair<const char*, double> values[] = {
        {"sinistro", l.sinistro},
        {"superiore", l.superiore},
        {"distanza_righe", l.distanza_righe},
        {"distanza_colonne", l.distanza_colonne},
        {"diametro", l.diametro},
        {"sinistro_nome", l.sinistro_nome},
        {"superiore_nome", l.superiore_nome},
        {"altezza_nome", l.altezza_nome},
        {"distanza_importi", l.distanza_importi},
    };
    IniKeys keys;
    for (const auto& [name, v] : values) keys.emplace_back(name + suffix, FormatReal(v, 10));
    return keys;
}

bool WriteIniKeys(const std::string& iniPath, const std::string& section, const IniKeys& keys) {
    constexpr std::size_t MaxIniBytes = 4u << 20;
    auto previous = ReadFileBytes(iniPath, MaxIniBytes);
    std::error_code ec;
    // A file that is there but cannot be read is left alone rather than replaced by our keys alone.
    if (!previous && std::filesystem::exists(iniPath, ec)) return false;
    IniFile ini = IniFile::parse(previous ? *previous : std::string());
    for (const auto& [k, v] : keys) ini.set(section, k, v);
    return WriteFileAtomically(iniPath, ini.text());
}

} // namespace numora::printing
