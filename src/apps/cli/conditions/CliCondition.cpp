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
    const CliOptions& o = c.options;
    const std::string mode = o.value("--mode");
    const int size = static_cast<int>(o.whole("--size", 1));
    std::array<std::string, 5> stakeTexts;
    std::uint16_t wheels = 0;
    if (!SplitCliStakes(o.value("--stakes"), stakeTexts) || !CliPlayWheels(o, wheels)) return 2;
    auto system = std::make_unique<PlaySystem>();
    PlaySystem& s = *system;
    if (const int rc = PrepareCliSystem(c, o, s); rc != 0) return rc;
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
    // On the current plays the run copies them to the undo snapshot itself, even when there are none.
    ChangePlays(s,
                [&](PlayList& list) {
                    run = forecastMode ? ConditionForecast(list, forecast, size, fixed, wheels, stakes.stakes, filter)
                                       : ConditionCurrentPlays(list, s.undo, filter, fixed);
                    return run.kept > 0;
                },
                {.snapshot = forecastMode});
    if (forecastMode && run.limitReached) c.err << TerminalText(PlayListFullMessage) << '\n';
    if (run.kept == 0) return CliRefuse(c, AllPlaysDiscardedMessage);
    if (const int rc = WriteCliSystem(c, o, s); rc != 0) return rc;
    if (forecastMode)
        c.out << "aggiunte\tgiocate\n" << run.kept << '\t' << s.list.count() << '\n';
    else
        c.out << "eliminate\tgiocate\n" << before - run.kept << '\t' << s.list.count() << '\n';
    return 0;
}

int RunConditionStats(const CliContext& c) {
    const CliOptions& o = c.options;
    const long long stat = o.whole("--stat", 1), develop = o.whole("--develop", 5);
    std::uint16_t wheels = 1;
    if (o.has("--wheels") && !ParseCliPlayWheels(o.value("--wheels"), wheels)) return 2;
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
    return {"condition",
            "riduzione condizionata del pronostico o delle giocate",
            {},
            WithPlayOptions(
                {{"--size", "K", "quantità di numeri per ogni giocata (1..10)", CliValue::Whole, 1, 10},
                 {"--conditions", "FILE", "il file delle condizioni (predefinito: Condizioni.def della cartella)"},
                 {"--mode", "forecast|plays", "riduce il pronostico o le giocate (predefinito: le giocate se ci sono)",
                  CliValue::Choice}}),
            RunCondition};
}

CliCommand ConditionStatsCommand() {
    return {"condition-stats",
            "statistiche sull'archivio storico per le condizioni",
            {},
            {{"--stat", "K", "la statistica, 1..11 (predefinita 1)", CliValue::Whole, 1, ConditionStatisticCount},
             {"--develop", "S", "sviluppo in 5, 4, 3 o 2 numeri (predefinito 5)", CliValue::Whole, 2, 5},
             {"--wheels", "RUOTE", "ruote considerate: BA,CA,FI,GE,MI,NA,PA,RM,TO,VE,RN o TT (predefinita BA)"},
             {"--conditions", "FILE", "il file delle condizioni (predefinito: Condizioni.def della cartella)"}},
            RunConditionStats};
}

} // namespace numora
