// numora-cli reduce, genio and optimise: "Riduzione a garanzia", "Riduzione Genio" and "Ottimizza
// probabilità assoluta di vincita" on a system, with the dialogs' checks in their order.
#include "apps/cli/CliCommand.h"
#include "apps/cli/CliPlayOptions.h"
#include "core/Clock.h"
#include "core/CommandChecks.h"
#include "core/PlayList.h"
#include "core/PlaySystem.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "core/StakeRule.h"
#include "core/TextHelpers.h"
#include "generation/Generation.h"
#include "reduction/CoveringOptimiser.h"
#include "reduction/GenioReduction.h"
#include "reduction/GuaranteedReduction.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <ostream>

namespace numora {

namespace {

constexpr long long MaxSeed = 1ll << 62;
// A search runs at most a day, however it is asked for: longer is a typing error, not a wish.
constexpr long long OneDaySeconds = 86400;
constexpr long long MaxBudget = OneDaySeconds * 1000; // milliseconds

// "estratto".."cinquina" in any case, or 1..5.
bool ParseScore(std::string text, int& score) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    static const char* const names[5] = {"estratto", "ambo", "terno", "quaterna", "cinquina"};
    for (int k = 0; k < 5; ++k)
        if (text == names[k] || text == std::to_string(k + 1)) {
            score = k + 1;
            return true;
        }
    return false;
}

// The end of a run that adds plays: the summary row and the written system, or the refusal.
int Finish(const CliContext& c, const CliOptions& o, CliPlayInput& in, RunOutcome outcome, int added) {
    if (outcome == RunOutcome::ListFull) return CliRefuse(c, PlayListFullMessage);
    if (outcome != RunOutcome::Completed) return 1;
    if (added == 0) return CliRefuse(c, NoPlayAddedMessage);
    if (const int rc = WriteCliSystem(c, o, *in.system); rc != 0) return rc;
    c.out << "aggiunte\tgiocate\n" << added << '\t' << in.system->list.count() << '\n';
    return 0;
}

void SeedRandom(StdRandom& random, const CliOptions& o, long long seed) {
    if (o.has("--seed")) random.seed(static_cast<std::uint64_t>(seed));
}

int RunReduce(const CliContext& c) {
    const CliOptions& o = c.options;
    const long long size = o.whole("--size", 1), seconds = o.whole("--optimise", 0), seed = o.whole("--seed", 0);
    if (o.has("--seed") && !o.has("--optimise")) return 2;
    // A clock for the budget only with a budget, and one clock.
    if ((o.has("--cpu-time") || o.has("--wall-time")) &&
        (!o.has("--optimise") || (o.has("--cpu-time") && o.has("--wall-time"))))
        return 2;
    int score = 1;
    if (o.has("--score") && !ParseScore(o.value("--score"), score)) return 2;
    CliPlayInput in;
    if (const int rc = ReadCliPlayInput(c, o, in); rc != 0) return rc;
    PlaySystem& s = *in.system;
    if (const auto failure = RunCheck(Check::ForecastNotEmpty, s)) return CliRefuse(c, failure->text);
    const int n = static_cast<int>(size);
    const int m = s.forecast.chosenCount();
    if (n > m) return CliRefuse(c, PlaySizeAboveForecastMessage);
    const StakeSet stakes = CliStakes(in, n);
    if (!stakes.valid || !(PlayCountOf(m, n) * stakes.total > 0)) return CliRefuse(c, StakeRuleMessage(in.settings));
    if (static_cast<int>(CliFixedNumbers(in).size()) > n) return CliRefuse(c, FixedAbovePlaySizeMessage);
    GuaranteedRequest r;
    r.play = CliPlayRequest(in, n, stakes);
    r.score = ClampedScore(n, score);
    RunResult result;
    ChangePlays(s, [&](PlayList& list) {
        if (o.has("--optimise")) {
            StdRandom random;
            SeedRandom(random, o, seed);
            SystemClock wall;
            ProcessorClock processor;
            Clock& clock = o.has("--wall-time") ? static_cast<Clock&>(wall) : static_cast<Clock&>(processor);
            const OptimisedRun run = ReduceGuaranteedOptimised(list, r, seconds * 1000, clock, random);
            // The greedy's plays are kept; the user is told why they were not optimised.
            if (run.outcome == RunOutcome::Completed && run.status == CoveringStatus::TooLarge)
                c.err << CoveringTooLargeMessage << '\n';
            result = {run.outcome, run.added};
        } else {
            result = ReduceGuaranteed(list, r);
        }
        return result.outcome == RunOutcome::Completed && result.added > 0;
    });
    return Finish(c, o, in, result.outcome, result.added);
}

int RunGenio(const CliContext& c) {
    const CliOptions& o = c.options;
    const long long size = o.whole("--size", 2), precision = o.whole("--precision", 50), seed = o.whole("--seed", 0),
                    budget = o.whole("--budget-ms", 0);
    CliPlayInput in;
    if (const int rc = ReadCliPlayInput(c, o, in); rc != 0) return rc;
    PlaySystem& s = *in.system;
    if (const auto failure = RunCheck(Check::ForecastAtLeastThree, s)) return CliRefuse(c, failure->text);
    const int k = static_cast<int>(size);
    if (k > s.forecast.chosenCount()) return CliRefuse(c, PlaySizeAboveForecastMessage);
    const StakeSet stakes = CliStakes(in, k);
    int plays = 0;
    const bool playsValid = ReadPlayCount(o.value("--plays"), plays);
    if (!stakes.valid || !playsValid || !(plays * stakes.total > 0)) return CliRefuse(c, StakeRuleMessage(in.settings));
    if (static_cast<int>(CliFixedNumbers(in).size()) > k) return CliRefuse(c, FixedAbovePlaySizeMessage);
    GenioRequest r;
    r.play = CliPlayRequest(in, k, stakes);
    r.plays = plays;
    r.budget = o.has("--budget-ms") ? budget : GenioBudget(static_cast<int>(precision));
    StdRandom random;
    SeedRandom(random, o, seed);
    SystemClock clock;
    GenioResult result;
    ChangePlays(s, [&](PlayList& list) {
        result = ReduceGenio(list, r, random, clock);
        return result.outcome == RunOutcome::Completed && result.added > 0;
    });
    return Finish(c, o, in, result.outcome, result.added);
}

int RunOptimise(const CliContext& c) {
    const CliOptions& o = c.options;
    const long long replace = o.whole("--replace", 10), precision = o.whole("--precision", 50),
                    seed = o.whole("--seed", 0), budget = o.whole("--budget-ms", 0);
    CliPlayInput in;
    if (const int rc = ReadCliPlayInput(c, o, in); rc != 0) return rc;
    PlaySystem& s = *in.system;
    if (const auto failure = RunCheck(Check::AtLeastTwoPlays, s)) return CliRefuse(c, failure->text);
    OptimiseRequest r;
    r.forecast = CliForecastNumbers(s);
    r.fixed = CliFixedNumbers(in);
    r.replace = static_cast<int>(replace);
    r.budget = o.has("--budget-ms") ? budget : OptimiserBudget(static_cast<int>(precision));
    StdRandom random;
    SeedRandom(random, o, seed);
    SystemClock clock;
    ChangePlays(s, [&](PlayList& list) {
        OptimisePlays(list, r, random, clock);
        return true;
    });
    if (const int rc = WriteCliSystem(c, o, s); rc != 0) return rc;
    c.out << "aggiunte\tgiocate\n" << 0 << '\t' << s.list.count() << '\n';
    return 0;
}

} // namespace

CliCommand ReduceCommand() {
    return {
        "reduce",
        "riduce il pronostico a garanzia",
        {},
        WithPlayOptions({{"--size", "N", "quantità di numeri per ogni giocata (1..10)", CliValue::Whole, 1, 10},
                         {"--score", "PUNTEGGIO", "la garanzia: estratto, ambo, terno, quaterna, cinquina o 1..5"},
                         {"--optimise", "SECONDI", "cerca per al massimo SECONDI meno giocate con la stessa garanzia",
                          CliValue::Whole, 0, OneDaySeconds},
                         {"--seed", "N", "seme del caso, con --optimise", CliValue::Whole, 0, MaxSeed},
                         {"--cpu-time", "", "i SECONDI di --optimise sono tempo di processore (il normale)"},
                         {"--wall-time", "", "i SECONDI di --optimise sono tempo dell'orologio"}}),
        RunReduce};
}

CliCommand GenioCommand() {
    return {"genio",
            "aggiunge le giocate più rappresentative del pronostico (Riduzione Genio)",
            {},
            WithPlayOptions({{"--size", "K", "quantità di numeri per ogni giocata (2..10)", CliValue::Whole, 2, 10},
                             {"--plays", "M", "quante giocate aggiungere"},
                             {"--precision", "P", "precisione 0..100 (predefinita 50)", CliValue::Whole, 0, 100},
                             {"--seed", "N", "seme del caso", CliValue::Whole, 0, MaxSeed},
                             {"--budget-ms", "N", "millisecondi di ricerca, al posto di --precision", CliValue::Whole,
                              0, MaxBudget}}),
            RunGenio};
}

CliCommand OptimiseCommand() {
    return {
        "optimise",
        "ottimizza la probabilità assoluta di vincita delle giocate",
        {},
        WithPlayOptions(
            {"--system", "--numbers", "--fixed", "--ignore-fixed", "--out"},
            {{"--replace", "R", "numeri sostituibili in ogni giocata (1..10, predefiniti 10)", CliValue::Whole, 1, 10},
             {"--precision", "P", "precisione 0..100 (predefinita 50)", CliValue::Whole, 0, 100},
             {"--seed", "N", "seme del caso", CliValue::Whole, 0, MaxSeed},
             {"--budget-ms", "N", "millisecondi di ricerca, al posto di --precision", CliValue::Whole, 0, MaxBudget}}),
        RunOptimise};
}

} // namespace numora
