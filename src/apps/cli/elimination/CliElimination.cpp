// numora-cli extract --custom and eliminate: the dialogs' checks in their order on a system, the
// probability grid given as a file of typed cells.
#include "apps/cli/elimination/CliElimination.h"

#include "apps/cli/CliPlayOptions.h"
#include "core/CommandChecks.h"
#include "core/PlayList.h"
#include "core/PlaySystem.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "core/StakeRule.h"
#include "core/TextHelpers.h"
#include "elimination/Elimination.h"
#include "elimination/ProbabilityGrid.h"
#include "generation/Generation.h"
#include "stats/DrawWindow.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <ostream>
#include <sstream>

namespace numora {

namespace {

std::vector<std::uint8_t> ForecastOf(const PlaySystem& s) {
    std::vector<std::uint8_t> list;
    for (int n = 1; n <= 90; ++n)
        if (s.forecast.isChosen(n)) list.push_back(static_cast<std::uint8_t>(n));
    return list;
}

// The cells the user typed: "NUMBER [TEXT]" a line, each a forecast number once. False for any
// other line (the command line is wrong: exit 2).
bool ReadProbabilityFile(const std::string& path, const PlaySystem& s, std::map<int, std::string>& typed) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::stringstream text;
    text << in.rdbuf();
    return !in.bad() && ParseProbabilityLines(text.str(), s.forecast.chosen, typed);
}

// StoreGrid over the forecast numbers: the typed cells as given, the others as the grid shows
// the stored values.
int StoreTypedGrid(PlaySystem& s, const std::map<int, std::string>& typed) {
    std::vector<ProbabilityRow> rows;
    for (std::uint8_t n : ForecastOf(s)) {
        const auto it = typed.find(n);
        rows.push_back({n, it != typed.end() ? it->second : ProbabilityText(s.customProbability(n))});
    }
    return StoreProbabilityRows(rows, s.customProbabilities);
}

// "Suggerisci probabilità" over the wheels of the mask; false when the archive cannot be read.
bool Suggest(const CliContext& c, PlaySystem& s, std::uint16_t wheels) {
    CliArchive a;
    if (LoadCliArchive(c, a) == CliArchiveLoad::Unreadable) return false;
    s.customProbabilities = SuggestedProbabilities(ComputeArchiveHistory(a.draws, wheels));
    return true;
}

int RunEliminate(const CliContext& c) {
    const CliOptions& o = c.options;
    const bool custom = o.has("--custom");
    const bool random = o.has("--random");
    const bool criteria = HasAny(o, CriteriaOptionRules);
    const bool grid = o.has("--suggest") || o.has("--probabilities");
    if ((custom && (random || criteria)) || (random && (criteria || grid)) || (!custom && grid) ||
        (!random && o.has("--seed")))
        return 2;
    const long long seed = o.whole("--seed", 0);

    auto system = std::make_unique<PlaySystem>();
    PlaySystem& s = *system;
    if (const int rc = PrepareCliSystem(c, o, s); rc != 0) return rc;
    if (const auto failure = RunCheck(Check::PlaysToEliminate, s)) return CliRefuse(c, failure->text);
    if (custom && o.has("--suggest") && !Suggest(c, s, AllElevenWheels)) return 1;

    const int p = s.list.count();
    int e = 0;
    if (!ReadEliminationCount(o.value("--plays"), p, e)) return CliRefuse(c, InvalidEliminationCountMessage);
    // The scores first, so that every refusal comes before the plays change.
    std::vector<double> scores;
    if (!random && e != p) {
        if (custom) {
            std::map<int, std::string> typed;
            if (o.has("--probabilities") && !ReadProbabilityFile(o.value("--probabilities"), s, typed)) return 2;
            if (const int row = StoreTypedGrid(s, typed); row != 0) return CliRefuse(c, InvalidRowMessage(row, true));
            CustomProbabilityScores(s.list, s.customProbabilities, scores);
        } else {
            EliminationCriteriaTexts texts;
            texts.delayOn = !o.has("--no-delay");
            texts.frequencyOn = !o.has("--no-frequency");
            texts.dlo = o.value("--dlo", "0");
            texts.dhi = o.value("--dhi", "50");
            texts.fmost = o.value("--fmost", "0");
            texts.fleast = o.value("--fleast", "50");
            EliminationCriteria k;
            if (const char* message = ReadEliminationCriteria(texts, k)) return CliRefuse(c, message);
            CliArchive a;
            if (LoadCliArchive(c, a) == CliArchiveLoad::Unreadable) return 1;
            LessProbableScores(s.list, k, a.delays, a.frequencies, scores);
        }
    }
    ChangePlays(s, [&](PlayList& list) {
        if (random) {
            StdRandom generator;
            if (o.has("--seed")) generator.seed(static_cast<std::uint64_t>(seed));
            EliminateRandomPlays(list, e, generator);
        } else if (e == p) {
            list.clear();
        } else {
            RemoveLeastScored(list, scores, e);
        }
        return true;
    });
    if (const int rc = WriteCliSystem(c, o, s); rc != 0) return rc;
    c.out << "eliminate\tgiocate\n" << e << '\t' << s.list.count() << '\n';
    return 0;
}

} // namespace

int RunCustomExtract(const CliContext& c) {
    const CliOptions& o = c.options;
    std::array<std::string, 5> stakeTexts;
    std::uint16_t wheels = 0;
    if (!SplitCliStakes(o.value("--stakes"), stakeTexts) || !CliPlayWheels(o, wheels)) return 2;
    auto system = std::make_unique<PlaySystem>();
    PlaySystem& s = *system;
    if (const int rc = PrepareCliSystem(c, o, s); rc != 0) return rc;
    std::map<int, std::string> typed;
    if (o.has("--probabilities") && !ReadProbabilityFile(o.value("--probabilities"), s, typed)) return 2;
    const Settings settings = CliSettings(c);
    if (const auto failure = RunCheck(Check::ForecastNotEmpty, s)) return CliRefuse(c, failure->text);
    if (o.has("--suggest") && !Suggest(c, s, wheels)) return 1;

    if (const int row = StoreTypedGrid(s, typed); row != 0) return CliRefuse(c, InvalidRowMessage(row, true));
    const int n = s.forecast.chosenCount();
    int k = 0;
    if (!ParseFieldInteger(o.value("--size"), k) || k < 1 || k > n || k >= 11)
        return CliRefuse(c, InvalidPlaySizeMessage);
    std::array<bool, 5> enabled{};
    for (int j = 0; j < 5; ++j) enabled[static_cast<std::size_t>(j)] = j == 0 || j + 1 <= k;
    const StakeSet stakes = StakeRule(stakeTexts, enabled, settings);
    int plays = 0;
    const bool playsValid = ReadPlayCount(o.value("--plays"), plays);
    if (!stakes.valid || !playsValid || !(plays * stakes.total > 0)) return CliRefuse(c, StakeRuleMessage(settings));

    PlayRequest request;
    request.forecast = ForecastOf(s);
    if (s.forecast.fixedCount > 0 && !o.has("--ignore-fixed")) {
        const int f = std::min<int>(s.forecast.fixedCount, static_cast<int>(s.forecast.fixed.size()));
        request.fixed.assign(s.forecast.fixed.begin(), s.forecast.fixed.begin() + f);
    }
    if (static_cast<int>(request.fixed.size()) > k) return CliRefuse(c, FixedAbovePlaySizeMessage);
    if (static_cast<long long>(s.list.count()) + plays > PlayList::Capacity) return CliRefuse(c, PlayListFullMessage);
    request.size = k;
    request.wheels = wheels;
    request.stakes = stakes.stakes;

    RunResult r;
    ChangePlays(s, [&](PlayList& list) {
        r = ExtractBestPlays(list, request, plays, CustomProbabilityScore(s.customProbabilities, k));
        return r.outcome == RunOutcome::Completed;
    });
    if (r.outcome == RunOutcome::ListFull) return CliRefuse(c, PlayListFullMessage);
    if (r.added == 0) c.err << TerminalText(NoPlayAddedMessage) << '\n';
    if (const int rc = WriteCliSystem(c, o, s); rc != 0) return rc;
    c.out << "aggiunte\tgiocate\n" << r.added << '\t' << s.list.count() << '\n';
    return 0;
}

CliCommand EliminateCommand() {
    return {"eliminate",
            "elimina dal sistema le giocate meno probabili o casuali",
            {},
            Joined(Joined(Joined(WithPlayOptions({"--system", "--numbers", "--fixed", "--out"},
                                                 {{"--plays", "E", "quante giocate eliminare"}}),
                                 CriteriaOptionRules),
                          CustomGridOptionRules),
                   {{{"--random", "", "elimina giocate casuali invece delle meno probabili"},
                     {"--seed", "N", "seme del caso, con --random", CliValue::Whole}}}),
            RunEliminate};
}

} // namespace numora
