// numora-cli stats: the statistics windows' rows from a terminal. This unit reads the options the
// kinds share and dispatches; the kinds of single numbers live here too.
#include "apps/cli/CliCommand.h"
#include "apps/cli/stats/StatsCli.h"
#include "core/TextHelpers.h"
#include "stats/NumberStats.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <ostream>
#include <sstream>

namespace numora {

namespace {

std::vector<StatsKind>& KindTable() {
    static std::vector<StatsKind> table;
    return table;
}

// The options of the command and the group of kinds that takes each.
struct StatsOptionRule {
    CliOptionRule rule;
    StatsOption group;
};
constexpr StatsOptionRule StatsOptionRules[] = {
    {{"--wheels", "RUOTE", "ruote considerate: BA,CA,FI,GE,MI,NA,PA,RM,TO,VE,RN o TT"}, WheelsOption},
    {{"--from", "N", "estrazione di partenza"}, WindowOption},
    {{"--to", "N", "estrazione finale (predefinita: l'ultima)"}, WindowOption},
    {{"--count", "K", "quanti ambi mostrare (predefiniti 250)"}, TopOption},
    {{"--with-national", "", "considera anche la ruota Nazionale"}, TopOption},
    {{"--stop-after", "S", "interrompe la ricerca dopo S passi", CliValue::Whole}, TopOption},
};

// The kinds, each with the options it takes.
std::string StatsNotes() {
    std::string text = "TIPO:\n";
    for (const StatsKind& k : StatsKinds()) {
        text += "  " + k.name;
        for (const StatsOptionRule& o : StatsOptionRules)
            if (k.options & o.group) text += " [" + std::string(o.rule.name) + "]";
        text += "\n";
    }
    return text;
}

int RunStats(const CliContext& c) {
    const auto& kinds = StatsKinds();
    const auto kind = std::find_if(kinds.begin(), kinds.end(), [&](const StatsKind& k) { return k.name == c.args[0]; });
    if (kind == kinds.end()) return 2;
    const CliOptions& o = c.options;
    for (const StatsOptionRule& r : StatsOptionRules)
        if (o.has(r.rule.name) && (kind->options & r.group) == 0) return 2;

    WheelSet wheels = RegionalWheelSet;
    if (o.has("--wheels") && !ParseWheelCodes(o.value("--wheels"), wheels)) return 2;
    std::string fromText = o.value("--from"), toText = o.value("--to");
    const std::string countText = o.value("--count", "250");
    const bool fromGiven = o.has("--from"), toGiven = o.has("--to"), withNational = o.has("--with-national");
    const long long stopAfter = o.whole("--stop-after", -1);

    CliArchive a;
    if (LoadCliArchive(c, a) == CliArchiveLoad::Unreadable) return 1;
    const int n = a.draws.count();
    // The rows wait for the kind's own checks: a refusal prints nothing on stdout, not even the header.
    std::ostringstream rows;
    StatsRequest request{a.draws, wheels, {}, countText, withNational, stopAfter, rows, c.err};
    if (kind->options & WindowOption) {
        if (!fromGiven) fromText = std::to_string(kind->defaultSpan > 0 ? n - kind->defaultSpan + 1 : 1);
        if (!toGiven) toText = std::to_string(n);
        const DrawWindowReading w = ReadDrawWindow(fromText, toText, n);
        if (!w.ok) {
            c.err << w.message << "\n";
            return 1;
        }
        request.window = w.window;
    }
    const int code = kind->run(request);
    if (code == 0) c.out << kind->header << "\n" << rows.str();
    return code;
}

void PrintNumbers(const StatsRequest& r, const std::vector<NumberValue>& rows) {
    std::string text;
    for (const NumberValue& v : rows) text += std::to_string(v.number) + "\t" + std::to_string(v.value) + "\n";
    r.out << text;
}

void PrintNumberWheels(const StatsRequest& r, const std::vector<NumberWheelValue>& rows) {
    std::string text;
    for (const NumberWheelValue& v : rows)
        text +=
            std::to_string(v.number) + "\t" + std::string(WheelName(v.wheel)) + "\t" + std::to_string(v.value) + "\n";
    r.out << text;
}

const StatsKindRegistration numberKinds({
    {"numbers-delay", WheelsOption, 0, "numero\tritardo",
     [](const StatsRequest& r) {
         PrintNumbers(r, NumberDelays(r.draws, r.wheels));
         return 0;
     }},
    {"numbers-frequency", WheelsOption | WindowOption, 100, "numero\tfrequenza",
     [](const StatsRequest& r) {
         PrintNumbers(r, NumberFrequencies(r.draws, r.wheels, r.window));
         return 0;
     }},
    {"list-delay", 0, 0, "numero\truota\tritardo",
     [](const StatsRequest& r) {
         PrintNumberWheels(r, NumberWheelDelays(r.draws));
         return 0;
     }},
    {"list-frequency", WindowOption, 100, "numero\truota\tpresenze",
     [](const StatsRequest& r) {
         PrintNumberWheels(r, NumberWheelFrequencies(r.draws, r.window));
         return 0;
     }},
});

} // namespace

const std::vector<StatsKind>& StatsKinds() {
    return KindTable();
}

StatsKindRegistration::StatsKindRegistration(std::vector<StatsKind> kinds) {
    for (StatsKind& k : kinds) KindTable().push_back(std::move(k));
}

bool ParseWheelCodes(std::string_view text, WheelSet& wheels) {
    static constexpr std::array<std::string_view, 11> codes = {"BA", "CA", "FI", "GE", "MI", "NA",
                                                               "PA", "RM", "TO", "VE", "RN"};
    WheelSet set = 0;
    std::size_t pos = 0;
    while (true) {
        const std::size_t comma = text.find(',', pos);
        const std::string_view part =
            text.substr(pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos);
        std::string code;
        for (char ch : part) code.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(ch))));
        if (code == "TT") {
            set = static_cast<WheelSet>(set | RegionalWheelSet);
        } else {
            const auto it = std::find(codes.begin(), codes.end(), code);
            if (it == codes.end()) return false;
            set = static_cast<WheelSet>(set | (1u << (it - codes.begin())));
        }
        if (comma == std::string_view::npos) break;
        pos = comma + 1;
    }
    wheels = set;
    return true;
}

CliCommand StatsCommand() {
    std::vector<CliOptionRule> options;
    for (const StatsOptionRule& r : StatsOptionRules) options.push_back(r.rule);
    return {"stats",     "statistiche di numeri e ambi come le mostrano le finestre", {{"TIPO"}}, options, RunStats,
            StatsNotes()};
}

} // namespace numora
