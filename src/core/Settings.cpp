#include "core/Settings.h"

#include "core/FileIo.h"
#include "core/FileLock.h"
#include "core/IniFile.h"
#include "core/Random.h"
#include "core/TextHelpers.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

namespace numora {

namespace {

constexpr std::size_t MaxIniBytes = 4u << 20;

// The number a value begins with, as the locale-independent reader takes it; 0 when none.
double LeadingReal(std::string_view s) {
    s = TrimBlanks(s);
    while (!s.empty() && s.front() == '\t') s.remove_prefix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || !((s.front() >= '0' && s.front() <= '9') || s.front() == '.')) return 0;
    double v = 0;
    auto res = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (res.ec != std::errc() || !std::isfinite(v)) return 0;
    return negative ? -v : v;
}

long long LeadingInteger(std::string_view s) {
    s = TrimBlanks(s);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    long long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') break;
        v = std::min<long long>(v * 10 + (c - '0'), INT_MAX);
    }
    return negative ? -v : v;
}

double RealKey(const IniFile& ini, const char* section, const char* key, double def) {
    auto v = ini.value(section, key);
    return v ? LeadingReal(*v) : def;
}

int IntKey(const IniFile& ini, const char* section, const char* key, int def) {
    auto v = ini.value(section, key);
    return v ? static_cast<int>(LeadingInteger(*v)) : def;
}

std::string TextKey(const IniFile& ini, const char* section, const char* key, const std::string& def) {
    auto v = ini.value(section, key);
    return v ? *v : def;
}

std::string Fixed10(double x) {
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 10);
    return res.ec == std::errc() ? std::string(buf, res.ptr) : std::string("0.0000000000");
}

struct LayoutKey {
    const char* name;
    double OldSlipLayout::*field;
};
constexpr LayoutKey LayoutKeys[] = {
    {"sinistro", &OldSlipLayout::sinistro},
    {"superiore", &OldSlipLayout::superiore},
    {"distanza_righe", &OldSlipLayout::distanza_righe},
    {"distanza_colonne", &OldSlipLayout::distanza_colonne},
    {"diametro", &OldSlipLayout::diametro},
    {"sinistro_nome", &OldSlipLayout::sinistro_nome},
    {"superiore_nome", &OldSlipLayout::superiore_nome},
    {"altezza_nome", &OldSlipLayout::altezza_nome},
};

} // namespace

void ReadSettingsText(const std::string& iniText, Settings& s) {
    const IniFile ini = IniFile::parse(iniText);
    for (int k = 1; k <= 18; ++k) s.i(k) = RealKey(ini, "IMPORTI", ("i" + std::to_string(k)).c_str(), 0);
    s.minimo = RealKey(ini, "IMPORTI", "Minimo", 1);
    s.massimo = RealKey(ini, "IMPORTI", "Massimo", 1);
    s.multiplo = RealKey(ini, "IMPORTI", "Multiplo", 1);
    s.decimali = std::clamp(IntKey(ini, "IMPORTI", "Decimali", 2), 0, Settings::MaxDecimali);
    s.vincitaMassima = RealKey(ini, "IMPORTI", "VincitaMassima", 1);
    s.notificaaggio = IntKey(ini, "GENERALI", "notificaaggio", 1);
    s.proxyServer = TextKey(ini, "GENERALI", "ProxyServer", "");
    s.proxyPorta = TextKey(ini, "GENERALI", "ProxyPorta", "");
    s.updateServer = TextKey(ini, "GENERALI", "ServerAggiornamento", DefaultUpdateServer);
    for (const auto& k : LayoutKeys) {
        s.oldHorizontal.*k.field = RealKey(ini, "MARGINI_STAMPANTE", k.name, 0);
        s.oldVertical.*k.field = RealKey(ini, "MARGINI_STAMPANTE", (std::string(k.name) + "_ver").c_str(), 0);
    }
    s.oldHorizontal.distanza_importi = RealKey(ini, "MARGINI_STAMPANTE", "distanza_importi", 0);
    s.oldVertical.distanza_importi = RealKey(ini, "MARGINI_STAMPANTE", "distanza_importi_ver", 0);
    s.orientamento = IntKey(ini, "MARGINI_STAMPANTE", "orientamento", 0);
    if (s.orientamento > 1 || s.orientamento < 0) s.orientamento = 0;
}

void ReadSettings(const std::string& iniPath, Settings& settings) {
    auto bytes = ReadFileBytes(iniPath, MaxIniBytes);
    ReadSettingsText(bytes ? *bytes : std::string(), settings);
}

std::string SettingsText(const Settings& s, const std::string& previousText) {
    IniFile ini = IniFile::parse(previousText);
    for (int k = 1; k <= 18; ++k) ini.set("IMPORTI", "i" + std::to_string(k), Fixed10(s.i(k)));
    ini.set("IMPORTI", "Minimo", Fixed10(s.minimo));
    ini.set("IMPORTI", "Massimo", Fixed10(s.massimo));
    ini.set("IMPORTI", "Multiplo", Fixed10(s.multiplo));
    ini.set("IMPORTI", "Decimali", std::to_string(s.decimali));
    ini.set("IMPORTI", "VincitaMassima", Fixed10(s.vincitaMassima));
    ini.set("GENERALI", "notificaaggio", std::to_string(s.notificaaggio));
    ini.set("GENERALI", "ProxyServer", s.proxyServer);
    ini.set("GENERALI", "ProxyPorta", s.proxyPorta);
    for (const auto& k : LayoutKeys) ini.set("MARGINI_STAMPANTE", k.name, FormatReal(s.oldHorizontal.*k.field, 10));
    for (const auto& k : LayoutKeys)
        ini.set("MARGINI_STAMPANTE", std::string(k.name) + "_ver", FormatReal(s.oldVertical.*k.field, 10));
    ini.set("MARGINI_STAMPANTE", "distanza_importi", FormatReal(s.oldHorizontal.distanza_importi, 10));
    ini.set("MARGINI_STAMPANTE", "distanza_importi_ver", FormatReal(s.oldVertical.distanza_importi, 10));
    ini.set("MARGINI_STAMPANTE", "orientamento", std::to_string(s.orientamento));
    return ini.text();
}

WriteResult WriteSettings(const std::string& iniPath, const Settings& settings, bool readOnly) {
    if (readOnly) return WriteResult::ReadOnly;
    const FolderLock lock(DirectoryOf(iniPath));
    if (lock.refused()) return WriteResult::Failed;
    auto previous = ReadFileBytes(iniPath, MaxIniBytes);
    return WriteFileAtomically(iniPath, SettingsText(settings, previous ? *previous : std::string()))
               ? WriteResult::Written
               : WriteResult::Failed;
}

KeyValueStore::Status MemoryStore::read(const std::string& name, std::string& value) {
    if (!available || (failReadsAfter >= 0 && reads_ >= failReadsAfter)) return Status::Error;
    ++reads_;
    for (const auto& [k, v] : values)
        if (k == name) {
            value = v;
            return Status::Ok;
        }
    return Status::Absent;
}

bool MemoryStore::write(const std::string& name, const std::string& value) {
    if (!available) return false;
    for (auto& [k, v] : values)
        if (k == name) {
            v = value;
            return true;
        }
    values.emplace_back(name, value);
    return true;
}

std::optional<std::string> MemoryStore::get(const std::string& name) const {
    for (const auto& [k, v] : values)
        if (k == name) return v;
    return std::nullopt;
}

void ReadCalibration(KeyValueStore& store, Settings& s) {
    if (!store.open()) return;
    auto readReal = [&](const std::string& name, double def, double& target) {
        std::string text;
        auto st = store.read(name, text);
        if (st == KeyValueStore::Status::Error) return false;
        if (st == KeyValueStore::Status::Absent || text.empty()) {
            target = def;
            return true;
        }
        auto t = TrimBlanks(text);
        double v = 0;
        auto res = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
        if (res.ec != std::errc() || res.ptr != t.data() + t.size() || !std::isfinite(v)) return false;
        target = v;
        return true;
    };
    auto readInt = [&](const std::string& name, int def, int& target) {
        std::string text;
        auto st = store.read(name, text);
        if (st == KeyValueStore::Status::Error) return false;
        int v = def;
        if (st == KeyValueStore::Status::Ok) {
            auto t = TrimBlanks(text);
            long long parsed = 0;
            auto res = std::from_chars(t.data(), t.data() + t.size(), parsed);
            if (res.ec != std::errc() || res.ptr != t.data() + t.size()) return false;
            v = static_cast<int>(std::clamp<long long>(parsed, INT_MIN, INT_MAX));
        }
        target = (v > 1 || v < 0) ? 0 : v;
        return true;
    };
    for (int k = 0; k < 5; ++k)
        if (!readReal("new_cal_or_" + std::to_string(k + 1), SlipCalibration::DefaultHorizontal[k],
                      s.calibration.horizontal[k]))
            return;
    for (int k = 0; k < 5; ++k)
        if (!readReal("new_cal_ver_" + std::to_string(k + 1), SlipCalibration::DefaultVertical[k],
                      s.calibration.vertical[k]))
            return;
    if (!readInt("ms_orientamento", 1, s.orientamento)) return;
    if (!readInt("ms_tipo_bloccaggio", 0, s.tipoBloccaggio)) return;
    readInt("ms_tipo_bloccaggio_ver", 0, s.tipoBloccaggioVer);
}

void WriteCalibration(KeyValueStore& store, const Settings& s) {
    if (!store.open()) return;
    for (int k = 0; k < 5; ++k)
        store.write("new_cal_or_" + std::to_string(k + 1), FormatReal(s.calibration.horizontal[k], 12));
    for (int k = 0; k < 5; ++k)
        store.write("new_cal_ver_" + std::to_string(k + 1), FormatReal(s.calibration.vertical[k], 12));
    store.write("ms_orientamento", std::to_string(s.orientamento));
    store.write("ms_tipo_bloccaggio", std::to_string(s.tipoBloccaggio));
    store.write("ms_tipo_bloccaggio_ver", std::to_string(s.tipoBloccaggioVer));
}

std::string InstallationId(KeyValueStore& store, RandomSource& random) {
    std::string candidate;
    for (int k = 0; k < 10; ++k) candidate.push_back(static_cast<char>('A' + random.below(26)));
    if (!store.open()) return candidate;
    std::string stored;
    if (store.read("idi", stored) != KeyValueStore::Status::Ok) stored.clear();
    if (stored.size() == 10) return stored;
    if (stored.empty()) store.write("idi", candidate);
    return candidate;
}

} // namespace numora
