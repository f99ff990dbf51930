#include "apps/cli/CliPlayOptions.h"

#include "core/PlaySystem.h"
#include "core/Settings.h"
#include "core/SystemFile.h"
#include "core/TextHelpers.h"

#include <algorithm>
#include <cctype>
#include <ostream>

namespace numora {

int LoadCliSystem(const CliContext& c, const std::string& path, PlaySystem& system, const char* emptyMessage) {
    switch (LoadSystem(path, system)) {
    case LoadSystemResult::Ok:
        if (emptyMessage && system.list.empty()) {
            c.err << emptyMessage << '\n';
            return 1;
        }
        return 0;
    case LoadSystemResult::Incompatible:
        c.err << TerminalText(IncompatibleSystemMessage) << '\n';
        [[fallthrough]];
    case LoadSystemResult::CannotOpen:
    case LoadSystemResult::Corrupt:
        break;
    }
    c.err << TerminalText(OpenSystemErrorMessage) << '\n';
    return 1;
}

namespace {

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> Split(std::string_view text, char at) {
    std::vector<std::string_view> parts;
    std::size_t pos = 0;
    while (true) {
        const std::size_t next = text.find(at, pos);
        parts.push_back(text.substr(pos, next == std::string_view::npos ? std::string_view::npos : next - pos));
        if (next == std::string_view::npos) break;
        pos = next + 1;
    }
    return parts;
}

} // namespace

std::vector<CliOptionRule> WithPlayOptions(std::initializer_list<std::string_view> names,
                                           std::initializer_list<CliOptionRule> own) {
    std::vector<CliOptionRule> rules;
    for (const CliOptionRule& r : PlayOptionRules) {
        const bool wanted = std::find(names.begin(), names.end(), r.name) != names.end();
        const auto mine =
            std::find_if(own.begin(), own.end(), [&](const CliOptionRule& o) { return o.name == r.name; });
        if (wanted) rules.push_back(mine != own.end() ? *mine : r);
    }
    for (const CliOptionRule& o : own)
        if (std::none_of(rules.begin(), rules.end(), [&](const CliOptionRule& r) { return r.name == o.name; }))
            rules.push_back(o);
    return rules;
}

std::vector<CliOptionRule> WithPlayOptions(std::initializer_list<CliOptionRule> own) {
    return WithPlayOptions({"--system", "--numbers", "--fixed", "--ignore-fixed", "--size", "--stakes", "--wheels",
                            "--play-wheels", "--out"},
                           own);
}

std::vector<CliOptionRule> Joined(std::vector<CliOptionRule> rules, std::span<const CliOptionRule> more) {
    rules.insert(rules.end(), more.begin(), more.end());
    return rules;
}

bool HasAny(const CliOptions& options, std::span<const CliOptionRule> rules) {
    return std::any_of(rules.begin(), rules.end(), [&](const CliOptionRule& r) { return options.has(r.name); });
}

int PrepareCliSystem(const CliContext& c, const CliOptions& options, PlaySystem& system) {
    const std::vector<int> numbers = options.numbers("--numbers");
    const std::vector<int> fixed = options.numbers("--fixed");
    if (fixed.size() > system.forecast.fixed.size()) return 2;
    NewSystem(system);
    if (options.has("--system")) {
        if (const int rc = LoadCliSystem(c, options.value("--system"), system); rc != 0) return rc;
    }
    if (options.has("--numbers")) {
        system.forecast.chosen.fill(0);
        for (int n : numbers) system.forecast.setChosen(n, true);
    }
    if (options.has("--fixed")) {
        system.forecast.fixed.fill(0);
        for (std::size_t i = 0; i < fixed.size(); ++i) system.forecast.fixed[i] = static_cast<std::uint8_t>(fixed[i]);
        system.forecast.fixedCount = static_cast<std::int32_t>(fixed.size());
    }
    return 0;
}

bool SplitCliStakes(std::string_view text, std::array<std::string, 5>& fields) {
    fields = {};
    const bool semicolons = text.find(';') != std::string_view::npos;
    const std::vector<std::string_view> parts = Split(text, semicolons ? ';' : ',');
    if (parts.size() > fields.size()) return false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::string field(parts[i]);
        // The fields take "," as the decimal comma, as a typed "." becomes one.
        std::replace(field.begin(), field.end(), '.', ',');
        fields[i] = field;
    }
    return true;
}

bool ParseCliPlayWheels(std::string_view text, std::uint16_t& mask) {
    static constexpr std::array<std::string_view, 12> codes = {"BA", "CA", "FI", "GE", "MI", "NA",
                                                               "PA", "RM", "TO", "VE", "RN", "TT"};
    std::uint16_t m = 0;
    for (std::string_view part : Split(text, ',')) {
        std::string code;
        for (char ch : Trimmed(part)) code.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(ch))));
        const auto it = std::find(codes.begin(), codes.end(), code);
        if (it == codes.end()) return false;
        m = static_cast<std::uint16_t>(m | (1u << (it - codes.begin())));
    }
    const bool regional = (m & 0x3FF) != 0;
    const bool all = (m & (1u << 11)) != 0;
    if (m == 0 || (regional && all)) return false;
    mask = m;
    return true;
}

bool CliPlayWheels(const CliOptions& options, std::uint16_t& mask) {
    if (options.has("--wheels") && options.has("--play-wheels")) return false;
    if (options.has("--wheels")) return ParseCliPlayWheels(options.value("--wheels"), mask);
    if (options.has("--play-wheels")) return ParseCliPlayWheels(options.value("--play-wheels"), mask);
    mask = static_cast<std::uint16_t>(1u << 11);
    return true;
}

int CliRefuse(const CliContext& c, std::string_view message) {
    c.err << TerminalText(std::string(message)) << '\n';
    return 1;
}

int WriteCliSystem(const CliContext& c, const CliOptions& options, const PlaySystem& system) {
    if (!options.has("--out")) return 0;
    std::string why;
    if (!SaveSystem(options.value("--out"), system, &why))
        return CliRefuse(c, std::string(SaveSystemErrorMessage) + "\r(" + options.value("--out") + ": " + why + ")");
    return 0;
}

Settings CliSettings(const CliContext& c) {
    Settings s;
    ReadSettings(c.dir + SettingsFileName, s);
    return s;
}

int ReadCliPlayInput(const CliContext& c, const CliOptions& o, CliPlayInput& in) {
    if (!SplitCliStakes(o.value("--stakes"), in.stakeTexts) || !CliPlayWheels(o, in.wheels)) return 2;
    if (const int rc = PrepareCliSystem(c, o, *in.system); rc != 0) return rc;
    in.settings = CliSettings(c);
    in.considerFixed = in.system->forecast.fixedCount > 0 && !o.has("--ignore-fixed");
    return 0;
}

std::vector<std::uint8_t> CliForecastNumbers(const PlaySystem& s) {
    std::vector<std::uint8_t> list;
    for (int n = 1; n <= 90; ++n)
        if (s.forecast.isChosen(n)) list.push_back(static_cast<std::uint8_t>(n));
    return list;
}

std::vector<std::uint8_t> CliFixedNumbers(const CliPlayInput& in) {
    if (!in.considerFixed) return {};
    const int f = std::min<int>(in.system->forecast.fixedCount, static_cast<int>(in.system->forecast.fixed.size()));
    return std::vector<std::uint8_t>(in.system->forecast.fixed.begin(), in.system->forecast.fixed.begin() + f);
}

StakeSet CliStakes(const CliPlayInput& in, int size) {
    std::array<bool, 5> enabled{};
    for (int j = 0; j < 5; ++j) enabled[static_cast<std::size_t>(j)] = j == 0 || j + 1 <= size;
    return StakeRule(in.stakeTexts, enabled, in.settings);
}

PlayRequest CliPlayRequest(const CliPlayInput& in, int size, const StakeSet& stakes) {
    PlayRequest r;
    r.forecast = CliForecastNumbers(*in.system);
    r.fixed = CliFixedNumbers(in);
    r.size = size;
    r.wheels = in.wheels;
    r.stakes = stakes.stakes;
    return r;
}

} // namespace numora
