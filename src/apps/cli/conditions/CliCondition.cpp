// numora-cli condition and condition-stats: the conditioned reduction on a system and the archive
// statistics of the conditions, with the dialogs' checks in their order.
#include "apps/cli/CliCommand.h"
#include "apps/cli/CliPlayOptions.h"
#include "conditions/ConditionStats.h"
#include "conditions/ConditionedReduction.h"
#include "core/CommandChecks.h"
#include "core/FileIo.h"
#include "core/PlayList.h"
#include "core/PlaySystem.h"
#include "core/Settings.h"
#include "core/StakeRule.h"
#include "core/TextHelpers.h"
#include "generation/Generation.h"

#include <algorithm>
#include <memory>
#include <ostream>

namespace numora {

namespace {

constexpr const char* ConditionUsage =
    "Uso: numora-cli [--dir CARTELLA] condition [--conditions FILE] [--mode forecast|plays] [--system SISTEMA.lpc]\n"
    "       [--numbers LISTA] [--fixed LISTA] [--ignore-fixed] [--size K] [--stakes E,A,T,Q,C] [--wheels RUOTE]\n"
    "       [--out SISTEMA.lpc]\n";
constexpr const char* ConditionStatsUsage =
    "Uso: numora-cli [--dir CARTELLA] condition-stats [--stat 1..11] [--develop 5|4|3|2] [--wheels RUOTE]\n"
    "       [--conditions FILE]\n";

int Usage(const CliContext& c, const char* text) {
    c.err << text;
    return 2;
}

// --conditions FILE, or the folder's conditions as the program reads them at start-up
// ("Condizioni.def", else the shipped "Condizioni.ori"; all zero, as in the program, when neither
// can be read). 0 when read, else 1 with the message.
int ReadCliConditions(const CliContext& c, const CliOptions& o, ConditionSet& set) {
    set = ConditionSet{};
    if (!o.has("--conditions")) {
        if (!LoadStartupConditions(c.dir, set)) set = ConditionSet{};
        return 0;
    }
    const std::string path = o.value("--conditions");
    if (!LoadConditions(path, set)) return CliRefuse(c, "Impossibile leggere il file " + path + ".");
    return 0;
}

int RunCondition(const CliContext& c) {
    static const std::vector<CliOptionRule> rules = WithPlayOptions({{"--conditions"}, {"--mode"}});
    CliOptions o;
    if (!o.parse(c.args, rules)) return Usage(c, ConditionUsage);
    const std::string mode = o.value("--mode");
    if (o.has("--mode") && mode != "forecast" && mode != "plays") return Usage(c, ConditionUsage);
    int size = 1;
    if (o.has("--size")) {
        long long k = 0;
        if (!ParseWholeNumber(o.value("--size"), k) || k < 1 || k > 10) return Usage(c, ConditionUsage);
        size = static_cast<int>(k);
    }
    std::array<std::string, 5> stakeTexts;
    std::uint16_t wheels = 0;
    if (!SplitCliStakes(o.value("--stakes"), stakeTexts) || !CliPlayWheels(o, wheels)) return Usage(c, ConditionUsage);
    auto system = std::make_unique<PlaySystem>();
    PlaySystem& s = *system;
    if (const int rc = PrepareCliSystem(c, o, s); rc != 0) return rc == 2 ? Usage(c, ConditionUsage) : rc;
    ConditionSet set;
    if (const int rc = ReadCliConditions(c, o, set); rc != 0) return rc;

    if (const auto failure = RunCheck(Check::ForecastOrPlays, s)) return CliRefuse(c, failure->text);
    if (const auto bad = CheckConditions(set)) return CliRefuse(c, bad->message);
    const bool forecastMode = o.has("--mode") ? mode == "forecast" : s.list.empty();
    std::vector<std::uint8_t> fixed;
    if (s.forecast.fixedCount > 0 && !o.has("--ignore-fixed")) {
        const int f = std::min<int>(s.forecast.fixedCount, static_cast<int>(s.forecast.fixed.size()));
        fixed.assign(s.forecast.fixed.begin(), s.forecast.fixed.begin() + f);
    }
    std::vector<std::uint8_t> forecast;
    for (int n = 1; n <= 90; ++n)
        if (s.forecast.isChosen(n)) forecast.push_back(static_cast<std::uint8_t>(n));
    const int n = static_cast<int>(forecast.size());
    StakeSet stakes;
    if (forecastMode) {
        if (size > n) return CliRefuse(c, PlaySizeAboveForecastMessage);
        const Settings settings = CliSettings(c);
        std::array<bool, 5> enabled{};
        for (int j = 0; j < 5; ++j) enabled[static_cast<std::size_t>(j)] = j == 0 || j + 1 <= size;
        stakes = StakeRule(stakeTexts, enabled, settings);
        if (!stakes.valid || !(PlayCountOf(n, size) * stakes.total > 0))
            return CliRefuse(c, StakeRuleMessage(settings));
        if (static_cast<int>(fixed.size()) > size) return CliRefuse(c, FixedAbovePlaySizeMessage);
    }

    CliArchive a;
    if (LoadCliArchive(c, a) == CliArchiveLoad::Unreadable) return 1;
    const ConditionFilter filter = MakeConditionFilter(set, a.delays, a.frequencies);
    const int before = s.list.count();
    ConditionedRun run;
    if (forecastMode) {
        TakeUndoSnapshot(s);
        run = ConditionForecast(s.list, forecast, size, fixed, wheels, stakes.stakes, filter);
        if (run.limitReached) c.err << TerminalText(PlayListFullMessage) << '\n';
    } else {
        run = ConditionCurrentPlays(s.list, s.undo, filter, fixed);
    }
    if (run.kept == 0) return CliRefuse(c, AllPlaysDiscardedMessage);
    s.modified = true;
    if (const int rc = WriteCliSystem(c, o, s); rc != 0) return rc;
    if (forecastMode)
        c.out << "aggiunte\tgiocate\n" << run.kept << '\t' << s.list.count() << '\n';
    else
        c.out << "eliminate\tgiocate\n" << before - run.kept << '\t' << s.list.count() << '\n';
    return 0;
}

int RunConditionStats(const CliContext& c) {
    static const std::vector<CliOptionRule> rules = {{"--stat"}, {"--develop"}, {"--wheels"}, {"--conditions"}};
    CliOptions o;
    if (!o.parse(c.args, rules)) return Usage(c, ConditionStatsUsage);
    long long stat = 1, develop = 5;
    if (o.has("--stat") && (!ParseWholeNumber(o.value("--stat"), stat) || stat < 1 || stat > ConditionStatisticCount))
        return Usage(c, ConditionStatsUsage);
    if (o.has("--develop") && (!ParseWholeNumber(o.value("--develop"), develop) || develop < 2 || develop > 5))
        return Usage(c, ConditionStatsUsage);
    std::uint16_t wheels = 1;
    if (o.has("--wheels") && !ParseCliPlayWheels(o.value("--wheels"), wheels)) return Usage(c, ConditionStatsUsage);
    ConditionSet set;
    if (const int rc = ReadCliConditions(c, o, set); rc != 0) return rc;
    if (const auto bad = CheckConditions(set)) return CliRefuse(c, bad->message);
    CliArchive a;
    if (LoadCliArchive(c, a) == CliArchiveLoad::Unreadable) return 1;
    if (a.draws.count() < StatisticsMinimumDraws) return CliRefuse(c, TooFewDrawsMessage);
    const ConditionChart chart =
        ConditionStatistic(a.draws, static_cast<int>(stat), static_cast<int>(develop), wheels, set);
    std::string text = chart.title + "\nvalore\t" + PlaysAxisTitle + "\n";
    for (const auto& [x, y] : chart.bars) text += std::to_string(x) + "\t" + std::to_string(y) + "\n";
    c.out << text;
    return 0;
}

} // namespace

CliCommand ConditionCommand() {
    return {"condition", "[opzioni]", "riduzione condizionata del pronostico o delle giocate", 0, RunCondition, true};
}

CliCommand ConditionStatsCommand() {
    return {"condition-stats", "[opzioni]", "statistiche sull'archivio storico per le condizioni", 0,
            RunConditionStats, true};
}

} // namespace numora
