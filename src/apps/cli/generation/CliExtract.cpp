// numora-cli extract and develop: "Estrai giocate più probabili", "Estrai giocate casualmente"
// (--random) and "Sviluppo integrale" on a system, with the dialogs' checks in their order.
#include "apps/cli/CliCommand.h"
#include "apps/cli/CliPlayOptions.h"
#include "apps/cli/elimination/CliElimination.h"
#include "core/CommandChecks.h"
#include "core/PlayList.h"
#include "core/PlaySystem.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "core/StakeRule.h"
#include "core/TextHelpers.h"
#include "generation/Generation.h"
#include "stats/DrawWindow.h"

#include <algorithm>
#include <memory>
#include <ostream>

namespace numora {

namespace {

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
    const CliOptions& o = c.options;
    const bool criteriaGiven = HasAny(o, CriteriaOptionRules);
    // "Estrai giocate con probabilità personalizzate" has options of its own.
    if (o.has("--custom")) return criteriaGiven || o.has("--random") || o.has("--seed") ? 2 : RunCustomExtract(c);
    if (HasAny(o, CustomGridOptionRules)) return 2;
    const bool random = o.has("--random");
    if (!random && (o.has("--seed"))) return 2;
    if (random && criteriaGiven) return 2;
    int comboSize = 1;
    if (!random && o.has("--size")) {
        long long k = 0;
        if (!ParseWholeNumber(o.value("--size"), k) || k < 1 || k > 10) return 2;
        comboSize = static_cast<int>(k);
    }
    const long long seedValue = o.whole("--seed", 0);

    CliPlayInput in;
    if (const int rc = ReadCliPlayInput(c, o, in); rc != 0) return rc;
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
    const CliOptions& o = c.options;
    const int size = static_cast<int>(o.whole("--size", 1));
    CliPlayInput in;
    if (const int rc = ReadCliPlayInput(c, o, in); rc != 0) return rc;
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
    return {"extract",
            "estrae dal pronostico le giocate più probabili o casuali",
            {},
            Joined(Joined(WithPlayOptions({{"--plays", "M", "quante giocate estrarre"}}), CriteriaOptionRules),
                   Joined({{"--random", "", "estrae giocate casuali invece delle più probabili"},
                           {"--seed", "N", "seme del caso, con --random", CliValue::Whole}},
                          CustomGridOptionRules)),
            RunExtract};
}

CliCommand DevelopCommand() {
    return {"develop",
            "sviluppo integrale del pronostico",
            {},
            WithPlayOptions({{"--size", "K", "quantità di numeri per ogni giocata (1..10)", CliValue::Whole, 1, 10}}),
            RunDevelop};
}

} // namespace numora
