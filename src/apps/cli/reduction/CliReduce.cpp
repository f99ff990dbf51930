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

constexpr const char* ReduceUsage =
    "Uso: numora-cli [--dir CARTELLA] reduce [--system SISTEMA.lpc] [--numbers LISTA] [--fixed LISTA]\n"
    "       [--ignore-fixed] [--size N] [--score PUNTEGGIO] [--stakes E,A,T,Q,C] [--wheels RUOTE]\n"
    "       [--optimise SECONDI [--seed N] [--cpu-time | --wall-time]] [--out SISTEMA.lpc]\n"
    "  PUNTEGGIO: estratto, ambo, terno, quaterna, cinquina o 1..5\n"
    "  --optimise: cerca per al massimo SECONDI un sistema con meno giocate e la stessa garanzia;\n"
    "    i secondi sono di tempo di processore (--cpu-time, il normale) o di orologio (--wall-time)\n";
constexpr const char* GenioUsage =
    "Uso: numora-cli [--dir CARTELLA] genio [--system SISTEMA.lpc] [--numbers LISTA] [--fixed LISTA]\n"
    "       [--ignore-fixed] [--size K] [--plays M] [--stakes E,A,T,Q,C] [--wheels RUOTE] [--precision P]\n"
    "       [--seed N] [--budget-ms N] [--out SISTEMA.lpc]\n";
constexpr const char* OptimiseUsage =
    "Uso: numora-cli [--dir CARTELLA] optimise --system SISTEMA.lpc [--numbers LISTA] [--fixed LISTA]\n"
    "       [--ignore-fixed] [--replace R] [--precision P] [--seed N] [--budget-ms N] [--out SISTEMA.lpc]\n";

int Usage(const CliContext& c, const char* text) {
    c.err << text;
    return 2;
}

// A whole number within bounds, or the fallback when the option is absent; false for anything else.
bool BoundedOption(const CliOptions& o, std::string_view name, long long low, long long high, long long& value) {
    if (!o.has(name)) return true;
    return ParseWholeNumber(o.value(name), value) && value >= low && value <= high;
}

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
    in.system->modified = true;
    if (const int rc = WriteCliSystem(c, o, *in.system); rc != 0) return rc;
    c.out << "aggiunte\tgiocate\n" << added << '\t' << in.system->list.count() << '\n';
    return 0;
}

void SeedRandom(StdRandom& random, const CliOptions& o, long long seed) {
    if (o.has("--seed")) random.seed(static_cast<std::uint64_t>(seed));
}

int RunReduce(const CliContext& c) {
    static const std::vector<CliOptionRule> rules =
        WithPlayOptions({{"--score"}, {"--optimise"}, {"--seed"}, {"--cpu-time", false}, {"--wall-time", false}});
    CliOptions o;
    if (!o.parse(c.args, rules)) return Usage(c, ReduceUsage);
    long long size = 1, seconds = 0, seed = 0;
    if (!BoundedOption(o, "--size", 1, 10, size) || !BoundedOption(o, "--optimise", 0, 86400, seconds) ||
        !BoundedOption(o, "--seed", 0, (1ll << 62), seed) || (o.has("--seed") && !o.has("--optimise")) ||
        ((o.has("--cpu-time") || o.has("--wall-time")) && !o.has("--optimise")) ||
        (o.has("--cpu-time") && o.has("--wall-time")))
        return Usage(c, ReduceUsage);
    int score = 1;
    if (o.has("--score") && !ParseScore(o.value("--score"), score)) return Usage(c, ReduceUsage);
    CliPlayInput in;
    if (const int rc = ReadCliPlayInput(c, o, in); rc != 0) return rc == 2 ? Usage(c, ReduceUsage) : rc;
    PlaySystem& s = *in.system;
    if (const auto failure = RunCheck(Check::ForecastNotEmpty, s)) return CliRefuse(c, failure->text);
    const int n = static_cast<int>(size);
    const int m = s.forecast.chosenCount();
    if (n > m) return CliRefuse(c, PlaySizeAboveForecastMessage);
    const StakeSet stakes = CliStakes(in, n);
    if (!stakes.valid || !(PlayCountOf(m, n) * stakes.total > 0)) return CliRefuse(c, StakeRuleMessage(in.settings));
    if (static_cast<int>(CliFixedNumbers(in).size()) > n) return CliRefuse(c, FixedAbovePlaySizeMessage);
    TakeUndoSnapshot(s);
    GuaranteedRequest r;
    r.play = CliPlayRequest(in, n, stakes);
    r.score = ClampedScore(n, score);
    if (o.has("--optimise")) {
        StdRandom random;
        SeedRandom(random, o, seed);
        SystemClock wall;
        ProcessorClock processor;
        Clock& clock = o.has("--wall-time") ? static_cast<Clock&>(wall) : static_cast<Clock&>(processor);
        const OptimisedRun run = ReduceGuaranteedOptimised(s.list, r, seconds * 1000, clock, random);
        // The greedy's plays are kept; the user is told why they were not optimised.
        if (run.outcome == RunOutcome::Completed && run.status == CoveringStatus::TooLarge)
            c.err << CoveringTooLargeMessage << '\n';
        return Finish(c, o, in, run.outcome, run.added);
    }
    const RunResult result = ReduceGuaranteed(s.list, r);
    return Finish(c, o, in, result.outcome, result.added);
}

int RunGenio(const CliContext& c) {
    static const std::vector<CliOptionRule> rules =
        WithPlayOptions({{"--plays"}, {"--precision"}, {"--seed"}, {"--budget-ms"}});
    CliOptions o;
    if (!o.parse(c.args, rules)) return Usage(c, GenioUsage);
    long long size = 2, precision = 50, seed = 0, budget = 0;
    if (!BoundedOption(o, "--size", 2, 10, size) || !BoundedOption(o, "--precision", 0, 100, precision) ||
        !BoundedOption(o, "--seed", 0, (1ll << 62), seed) || !BoundedOption(o, "--budget-ms", 0, (1ll << 40), budget))
        return Usage(c, GenioUsage);
    CliPlayInput in;
    if (const int rc = ReadCliPlayInput(c, o, in); rc != 0) return rc == 2 ? Usage(c, GenioUsage) : rc;
    PlaySystem& s = *in.system;
    if (const auto failure = RunCheck(Check::ForecastAtLeastThree, s)) return CliRefuse(c, failure->text);
    const int k = static_cast<int>(size);
    if (k > s.forecast.chosenCount()) return CliRefuse(c, PlaySizeAboveForecastMessage);
    const StakeSet stakes = CliStakes(in, k);
    int plays = 0;
    const bool playsValid = ReadPlayCount(o.value("--plays"), plays);
    if (!stakes.valid || !playsValid || !(plays * stakes.total > 0)) return CliRefuse(c, StakeRuleMessage(in.settings));
    if (static_cast<int>(CliFixedNumbers(in).size()) > k) return CliRefuse(c, FixedAbovePlaySizeMessage);
    TakeUndoSnapshot(s);
    GenioRequest r;
    r.play = CliPlayRequest(in, k, stakes);
    r.plays = plays;
    r.budget = o.has("--budget-ms") ? budget : GenioBudget(static_cast<int>(precision));
    StdRandom random;
    SeedRandom(random, o, seed);
    SystemClock clock;
    const GenioResult result = ReduceGenio(s.list, r, random, clock);
    return Finish(c, o, in, result.outcome, result.added);
}

int RunOptimise(const CliContext& c) {
    static const std::vector<CliOptionRule> rules = {
        {"--system"},  {"--numbers"},   {"--fixed"}, {"--out"},      {"--ignore-fixed", false},
        {"--replace"}, {"--precision"}, {"--seed"},  {"--budget-ms"}};
    CliOptions o;
    if (!o.parse(c.args, rules)) return Usage(c, OptimiseUsage);
    long long replace = 10, precision = 50, seed = 0, budget = 0;
    if (!BoundedOption(o, "--replace", 1, 10, replace) || !BoundedOption(o, "--precision", 0, 100, precision) ||
        !BoundedOption(o, "--seed", 0, (1ll << 62), seed) || !BoundedOption(o, "--budget-ms", 0, (1ll << 40), budget))
        return Usage(c, OptimiseUsage);
    CliPlayInput in;
    if (const int rc = ReadCliPlayInput(c, o, in); rc != 0) return rc == 2 ? Usage(c, OptimiseUsage) : rc;
    PlaySystem& s = *in.system;
    if (const auto failure = RunCheck(Check::AtLeastTwoPlays, s)) return CliRefuse(c, failure->text);
    TakeUndoSnapshot(s);
    OptimiseRequest r;
    r.forecast = CliForecastNumbers(s);
    r.fixed = CliFixedNumbers(in);
    r.replace = static_cast<int>(replace);
    r.budget = o.has("--budget-ms") ? budget : OptimiserBudget(static_cast<int>(precision));
    StdRandom random;
    SeedRandom(random, o, seed);
    SystemClock clock;
    OptimisePlays(s.list, r, random, clock);
    s.modified = true;
    if (const int rc = WriteCliSystem(c, o, s); rc != 0) return rc;
    c.out << "aggiunte\tgiocate\n" << 0 << '\t' << s.list.count() << '\n';
    return 0;
}

} // namespace

CliCommand ReduceCommand() {
    return {"reduce", "[opzioni]", "riduce il pronostico a garanzia", 0, RunReduce, true};
}

CliCommand GenioCommand() {
    return {"genio", "[opzioni]", "aggiunge le giocate più rappresentative del pronostico (Riduzione Genio)",
            0,       RunGenio,    true};
}

CliCommand OptimiseCommand() {
    return {"optimise", "[opzioni]", "ottimizza la probabilità assoluta di vincita delle giocate",
            0,          RunOptimise, true};
}

} // namespace numora
