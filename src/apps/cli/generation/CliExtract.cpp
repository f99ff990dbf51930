// numora-cli extract and develop: "Estrai giocate più probabili", "Estrai giocate casualmente"
// (--random) and "Sviluppo integrale" on a system, with the dialogs' checks in their order.
#include "apps/cli/CliCommand.h"
#include "apps/cli/CliPlayOptions.h"
#include "core/PlayList.h"
#include "core/PlaySystem.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "core/TextHelpers.h"
#include "apps/cli/elimination/CliElimination.h"
#include "generation/Generation.h"
#include "core/CommandChecks.h"
#include "core/StakeRule.h"
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

// The end of a run: the summary row and the written system, or the run's refusal.
int Finish(const CliContext& c, const CliOptions& o, CliPlayInput& in, const RunResult& r, bool emptyRefused) {
    if (r.outcome == RunOutcome::ListFull) return CliRefuse(c, PlayListFullMessage);
    if (r.added == 0) {
        if (emptyRefused) return CliRefuse(c, NoPlayAddedMessage);
        c.err << TerminalText(NoPlayAddedMessage) << '\n';
    }
    if (const int rc = WriteCliSystem(c, o, *in.system); rc != 0) return rc;
    c.out << "aggiunte\tgiocate\n" << r.added << '\t' << in.system->list.count() << '\n';
    return 0;
}

int RunExtract(const CliContext& c) {
    // "Estrai giocate con probabilità personalizzate" has its own options.
    if (std::find(c.args.begin(), c.args.end(), "--custom") != c.args.end()) return RunCustomExtract(c);
    static const std::vector<CliOptionRule> rules = WithPlayOptions({{"--plays"},
                                                                     {"--dlo"},
                                                                     {"--dhi"},
                                                                     {"--fmost"},
                                                                     {"--fleast"},
                                                                     {"--no-delay", false},
                                                                     {"--no-frequency", false},
                                                                     {"--random", false},
                                                                     {"--seed"}});
    CliOptions o;
    if (!o.parse(c.args, rules)) return Usage(c, ExtractUsage);
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

    CliPlayInput in;
    if (const int rc = ReadCliPlayInput(c, o, in); rc != 0) return rc == 2 ? Usage(c, ExtractUsage) : rc;
    PlaySystem& s = *in.system;
    if (const auto failure = RunCheck(Check::ForecastNotEmpty, s)) return CliRefuse(c, failure->text);
    const int n = s.forecast.chosenCount();

    int size = comboSize;
    if (random) {
        // "Quantità di numeri per ogni giocata:" is a text field here.
        if (!ParseFieldInteger(o.value("--size"), size) || size <= 0 || size > n || size > 10)
            return CliRefuse(c, InvalidPlaySizeMessage);
    } else if (size > n) {
        return CliRefuse(c, PlaySizeAboveForecastMessage);
    }
    const StakeSet stakes = CliStakes(in, size);
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
    if (static_cast<int>(CliFixedNumbers(in).size()) > size) return CliRefuse(c, FixedAbovePlaySizeMessage);
    if (static_cast<long long>(s.list.count()) + plays > PlayList::Capacity) return CliRefuse(c, PlayListFullMessage);

    const PlayRequest request = CliPlayRequest(in, size, stakes);
    CliArchive a;
    if (!random && LoadCliArchive(c, a) == CliArchiveLoad::Unreadable) return 1;
    RunResult r;
    ChangePlays(s, [&](PlayList& list) {
        if (random) {
            StdRandom generator;
            if (o.has("--seed")) generator.seed(static_cast<std::uint64_t>(seedValue));
            r = ExtractRandomPlays(list, request, plays, generator);
        } else {
            const PlayScore score =
                DelayFrequencyScore(request.forecast, size, request.wheels, criteria, a.delays, a.frequencies);
            r = ExtractBestPlays(list, request, plays, score);
        }
        return r.outcome == RunOutcome::Completed;
    });
    return Finish(c, o, in, r, false);
}

int RunDevelop(const CliContext& c) {
    static const std::vector<CliOptionRule> rules = WithPlayOptions({});
    CliOptions o;
    if (!o.parse(c.args, rules)) return Usage(c, DevelopUsage);
    int size = 1;
    if (o.has("--size")) {
        long long k = 0;
        if (!ParseWholeNumber(o.value("--size"), k) || k < 1 || k > 10) return Usage(c, DevelopUsage);
        size = static_cast<int>(k);
    }
    CliPlayInput in;
    if (const int rc = ReadCliPlayInput(c, o, in); rc != 0) return rc == 2 ? Usage(c, DevelopUsage) : rc;
    PlaySystem& s = *in.system;
    if (const auto failure = RunCheck(Check::ForecastNotEmpty, s)) return CliRefuse(c, failure->text);
    const int n = s.forecast.chosenCount();
    if (size > n) return CliRefuse(c, PlaySizeAboveForecastMessage);
    const StakeSet stakes = CliStakes(in, size);
    if (!stakes.valid || !(PlayCountOf(n, size) * stakes.total > 0)) return CliRefuse(c, StakeRuleMessage(in.settings));
    if (static_cast<int>(CliFixedNumbers(in).size()) > size) return CliRefuse(c, FixedAbovePlaySizeMessage);
    RunResult r;
    ChangePlays(s, [&](PlayList& list) {
        r = DevelopIntegral(list, CliPlayRequest(in, size, stakes));
        return r.outcome == RunOutcome::Completed;
    });
    return Finish(c, o, in, r, true);
}

} // namespace

CliCommand ExtractCommand() {
    return {"extract", "[opzioni]", "estrae dal pronostico le giocate più probabili o casuali", 0, RunExtract, true};
}

CliCommand DevelopCommand() {
    return {"develop", "[opzioni]", "sviluppo integrale del pronostico", 0, RunDevelop, true};
}

} // namespace numora
