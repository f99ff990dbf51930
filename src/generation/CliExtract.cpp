// numora-cli extract and develop: "Estrai giocate più probabili", "Estrai giocate casualmente"
// (--random) and "Sviluppo integrale" on a system, with the dialogs' checks in their order.
#include "apps/cli/CliCommand.h"
#include "apps/cli/CliPlayOptions.h"
#include "core/PlayList.h"
#include "core/PlaySystem.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "core/TextHelpers.h"
#include "elimination/CliElimination.h"
#include "generation/Generation.h"
#include "main/CommandChecks.h"
#include "stakes/StakeRule.h"
#include "stats/DrawWindow.h"

#include <algorithm>
#include <memory>
#include <ostream>

namespace numora {

namespace {

constexpr const char* ExtractUsage =
    "Uso: numora-cli [--dir CARTELLA] extract [--random [--seed N]] [--system SISTEMA.lpc] [--numbers LISTA]\n"
    "       [--fixed LISTA] [--ignore-fixed] [--size K] [--plays M] [--stakes E,A,T,Q,C] [--wheels RUOTE]\n"
    "       [--dlo N] [--dhi N] [--fmost N] [--fleast N] [--no-delay] [--no-frequency] [--out SISTEMA.lpc]\n";
constexpr const char* DevelopUsage =
    "Uso: numora-cli [--dir CARTELLA] develop [--system SISTEMA.lpc] [--numbers LISTA] [--fixed LISTA]\n"
    "       [--ignore-fixed] [--size K] [--stakes E,A,T,Q,C] [--wheels RUOTE] [--out SISTEMA.lpc]\n";

int Usage(const CliContext& c, const char* text) {
    c.err << text;
    return 2;
}

// What the generator commands read before their own checks.
struct GeneratorInput {
    std::unique_ptr<PlaySystem> system = std::make_unique<PlaySystem>();
    std::array<std::string, 5> stakeTexts;
    std::uint16_t wheels = 0;
    bool considerFixed = false;
    Settings settings;
};

// The play options: 0 when ready, else the exit code (2 for the command line, 1 for the system).
int ReadGeneratorInput(const CliContext& c, const CliOptions& o, GeneratorInput& in) {
    if (!SplitCliStakes(o.value("--stakes"), in.stakeTexts) || !CliPlayWheels(o, in.wheels)) return 2;
    if (const int rc = PrepareCliSystem(c, o, *in.system); rc != 0) return rc;
    in.settings = CliSettings(c);
    in.considerFixed = in.system->forecast.fixedCount > 0 && !o.has("--ignore-fixed");
    return 0;
}

std::vector<std::uint8_t> ForecastNumbers(const PlaySystem& s) {
    std::vector<std::uint8_t> list;
    for (int n = 1; n <= 90; ++n)
        if (s.forecast.isChosen(n)) list.push_back(static_cast<std::uint8_t>(n));
    return list;
}

PlayRequest RequestOf(const GeneratorInput& in, int size, const StakeSet& stakes) {
    PlayRequest r;
    r.forecast = ForecastNumbers(*in.system);
    if (in.considerFixed) {
        const int f = std::min<int>(in.system->forecast.fixedCount, static_cast<int>(in.system->forecast.fixed.size()));
        r.fixed.assign(in.system->forecast.fixed.begin(), in.system->forecast.fixed.begin() + f);
    }
    r.size = size;
    r.wheels = in.wheels;
    r.stakes = stakes.stakes;
    return r;
}

// The stake rule over the fields a play of `size` numbers enables.
StakeSet StakesFor(const GeneratorInput& in, int size) {
    std::array<bool, 5> enabled{};
    for (int j = 0; j < 5; ++j) enabled[static_cast<std::size_t>(j)] = j == 0 || j + 1 <= size;
    return StakeRule(in.stakeTexts, enabled, in.settings);
}

int FixedCount(const GeneratorInput& in) {
    return in.considerFixed ? in.system->forecast.fixedCount : 0;
}

// The end of a run: the summary row and the written system, or the run's refusal.
int Finish(const CliContext& c, const CliOptions& o, GeneratorInput& in, const RunResult& r, bool emptyRefused) {
    if (r.outcome == RunOutcome::ListFull) return CliRefuse(c, PlayListFullMessage);
    if (r.added == 0) {
        if (emptyRefused) return CliRefuse(c, NoPlayAddedMessage);
        c.err << TerminalText(NoPlayAddedMessage) << '\n';
    }
    in.system->modified = true;
    if (const int rc = WriteCliSystem(c, o, *in.system); rc != 0) return rc;
    c.out << "aggiunte\tgiocate\n" << r.added << '\t' << in.system->list.count() << '\n';
    return 0;
}

int RunExtract(const CliContext& c) {
    // "Estrai giocate con probabilità personalizzate" has its own options.
    if (std::find(c.args.begin(), c.args.end(), "--custom") != c.args.end()) return RunCustomExtract(c);
    static const std::vector<CliOptionSpec> specs = WithPlayOptions({{"--plays"},
                                                                     {"--dlo"},
                                                                     {"--dhi"},
                                                                     {"--fmost"},
                                                                     {"--fleast"},
                                                                     {"--no-delay", false},
                                                                     {"--no-frequency", false},
                                                                     {"--random", false},
                                                                     {"--seed"}});
    CliOptions o;
    if (!o.parse(c.args, specs)) return Usage(c, ExtractUsage);
    const bool random = o.has("--random");
    if (!random && (o.has("--seed"))) return Usage(c, ExtractUsage);
    if (random && (o.has("--dlo") || o.has("--dhi") || o.has("--fmost") || o.has("--fleast") || o.has("--no-delay") ||
                   o.has("--no-frequency")))
        return Usage(c, ExtractUsage);
    int comboSize = 1;
    if (!random && o.has("--size")) {
        long long k = 0;
        if (!ParseWholeNumber(o.value("--size"), k) || k < 1 || k > 10) return Usage(c, ExtractUsage);
        comboSize = static_cast<int>(k);
    }
    long long seedValue = 0;
    if (o.has("--seed") && !ParseWholeNumber(o.value("--seed"), seedValue)) return Usage(c, ExtractUsage);

    GeneratorInput in;
    if (const int rc = ReadGeneratorInput(c, o, in); rc != 0) return rc == 2 ? Usage(c, ExtractUsage) : rc;
    PlaySystem& s = *in.system;
    if (const auto failure = RunCheck(Check::A, s)) return CliRefuse(c, failure->text);
    const int n = s.forecast.chosenCount();

    int size = comboSize;
    if (random) {
        // "Quantità di numeri per ogni giocata:" is a text field here.
        if (!ParseFieldInteger(o.value("--size"), size) || size <= 0 || size > n || size > 10)
            return CliRefuse(c, InvalidPlaySizeMessage);
    } else if (size > n) {
        return CliRefuse(c, PlaySizeAboveForecastMessage);
    }
    const StakeSet stakes = StakesFor(in, size);
    int plays = 0;
    const bool playsValid = ReadPlayCount(o.value("--plays"), plays);
    if (!stakes.valid || !playsValid || !(plays * stakes.total > 0)) return CliRefuse(c, StakeRuleMessage(in.settings));

    ScoreCriteria criteria;
    if (!random) {
        ScoreCriteriaTexts texts;
        texts.delayOn = !o.has("--no-delay");
        texts.frequencyOn = !o.has("--no-frequency");
        texts.dlo = o.value("--dlo", "0");
        texts.dhi = o.value("--dhi", "50");
        texts.fmost = o.value("--fmost", "0");
        texts.fleast = o.value("--fleast", "50");
        if (const char* message = ReadScoreCriteria(texts, criteria)) return CliRefuse(c, message);
    }
    if (FixedCount(in) > size) return CliRefuse(c, FixedAbovePlaySizeMessage);
    if (static_cast<long long>(s.list.count()) + plays > PlayList::Capacity) return CliRefuse(c, PlayListFullMessage);

    TakeUndoSnapshot(s);
    const PlayRequest request = RequestOf(in, size, stakes);
    RunResult r;
    if (random) {
        StdRandom generator;
        if (o.has("--seed")) generator.seed(static_cast<std::uint64_t>(seedValue));
        r = ExtractRandomPlays(s.list, request, plays, generator);
    } else {
        CliArchive a;
        if (LoadCliArchive(c, a) == CliArchiveLoad::Unreadable) return 1;
        const PlayScore score =
            DelayFrequencyScore(request.forecast, size, request.wheels, criteria, a.delays, a.frequencies);
        r = ExtractBestPlays(s.list, request, plays, score);
    }
    return Finish(c, o, in, r, false);
}

int RunDevelop(const CliContext& c) {
    static const std::vector<CliOptionSpec> specs = WithPlayOptions({});
    CliOptions o;
    if (!o.parse(c.args, specs)) return Usage(c, DevelopUsage);
    int size = 1;
    if (o.has("--size")) {
        long long k = 0;
        if (!ParseWholeNumber(o.value("--size"), k) || k < 1 || k > 10) return Usage(c, DevelopUsage);
        size = static_cast<int>(k);
    }
    GeneratorInput in;
    if (const int rc = ReadGeneratorInput(c, o, in); rc != 0) return rc == 2 ? Usage(c, DevelopUsage) : rc;
    PlaySystem& s = *in.system;
    if (const auto failure = RunCheck(Check::A, s)) return CliRefuse(c, failure->text);
    const int n = s.forecast.chosenCount();
    if (size > n) return CliRefuse(c, PlaySizeAboveForecastMessage);
    const StakeSet stakes = StakesFor(in, size);
    if (!stakes.valid || !(PlayCountOf(n, size) * stakes.total > 0)) return CliRefuse(c, StakeRuleMessage(in.settings));
    if (FixedCount(in) > size) return CliRefuse(c, FixedAbovePlaySizeMessage);
    TakeUndoSnapshot(s);
    const RunResult r = DevelopIntegral(s.list, RequestOf(in, size, stakes));
    return Finish(c, o, in, r, true);
}

} // namespace

CliCommand ExtractCommand() {
    CliCommand c{"extract", "[opzioni]", "estrae dal pronostico le giocate più probabili o casuali", 0, RunExtract};
    c.variadic = true;
    return c;
}

CliCommand DevelopCommand() {
    CliCommand c{"develop", "[opzioni]", "sviluppo integrale del pronostico", 0, RunDevelop};
    c.variadic = true;
    return c;
}

} // namespace numora
