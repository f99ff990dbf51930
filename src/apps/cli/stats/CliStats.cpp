// numora-cli stats: the statistics windows' rows from a terminal. This unit reads the options the
// kinds share and dispatches; the kinds of single numbers live here too.
#include "apps/cli/CliCommand.h"
#include "core/TextHelpers.h"
#include "stats/NumberStats.h"
#include "apps/cli/stats/StatsCli.h"

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

std::string StatsUsage() {
    std::string text = "Uso: numora-cli [--dir CARTELLA] stats TIPO [opzioni]\n";
    for (const StatsKind& k : StatsKinds()) {
        text += "  " + k.name;
        if (k.options & WheelsOption) text += " [--wheels BA,CA,..|TT]";
        if (k.options & WindowOption) text += " [--from N] [--to N]";
        if (k.options & TopOption) text += " [--count K] [--with-national] [--stop-after S]";
        text += "\n";
    }
    return text;
}

int UsageError(const CliContext& c) {
    c.err << StatsUsage();
    return 2;
}

int RunStats(const CliContext& c) {
    const auto& kinds = StatsKinds();
    const auto kind = std::find_if(kinds.begin(), kinds.end(), [&](const StatsKind& k) { return k.name == c.args[0]; });
    if (kind == kinds.end()) return UsageError(c);

    WheelSet wheels = RegionalWheelSet;
    std::string fromText, toText, countText = "250";
    bool fromGiven = false, toGiven = false, withNational = false;
    long long stopAfter = -1;
    for (std::size_t i = 1; i < c.args.size(); ++i) {
        const std::string& opt = c.args[i];
        const bool hasValue = i + 1 < c.args.size();
        auto takes = [&](unsigned option) { return (kind->options & option) != 0; };
        if (opt == "--wheels" && takes(WheelsOption) && hasValue) {
            if (!ParseWheelCodes(c.args[++i], wheels)) return UsageError(c);
        } else if (opt == "--from" && takes(WindowOption) && hasValue) {
            fromText = c.args[++i];
            fromGiven = true;
        } else if (opt == "--to" && takes(WindowOption) && hasValue) {
            toText = c.args[++i];
            toGiven = true;
        } else if (opt == "--count" && takes(TopOption) && hasValue) {
            countText = c.args[++i];
        } else if (opt == "--with-national" && takes(TopOption)) {
            withNational = true;
        } else if (opt == "--stop-after" && takes(TopOption) && hasValue) {
            if (!ParseWholeNumber(c.args[++i], stopAfter)) return UsageError(c);
        } else {
            return UsageError(c);
        }
    }

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
    return {"stats", "TIPO [opzioni]", "statistiche di numeri e ambi come le mostrano le finestre", 1, RunStats, true};
}

} // namespace numora
