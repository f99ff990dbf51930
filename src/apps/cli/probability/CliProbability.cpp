// numora-cli probability: the probability window's grid, or the forecast after the add/remove
// window's walk of the ranking, from a terminal.
#include "apps/cli/CliCommand.h"
#include "apps/cli/CliPlayOptions.h"
#include "apps/cli/stats/StatsCli.h"
#include "core/TextHelpers.h"
#include "core/Types.h"
#include "probability/NumberProbability.h"

#include <ostream>
#include <utility>

namespace numora {

namespace {

int RunProbability(const CliContext& c) {
    const CliOptions& o = c.options;
    ProbabilityCriteria criteria;
    criteria.delayOn = !o.has("--no-delay");
    criteria.frequencyOn = !o.has("--no-frequency");
    if (o.has("--wheels") && !ParseWheelCodes(o.value("--wheels"), criteria.wheels)) return 2;
    // The criteria's texts keep their defaults when the option is absent.
    for (auto [name, text] : {std::pair{"--from", &criteria.startText},
                              {"--to", &criteria.endText},
                              {"--dlo", &criteria.dloText},
                              {"--dhi", &criteria.dhiText},
                              {"--fmost", &criteria.fmostText},
                              {"--fleast", &criteria.fleastText}})
        if (o.has(name)) *text = o.value(name);
    const bool toGiven = o.has("--to");
    const bool add = o.has("--add");
    const bool modeGiven = add || o.has("--remove");
    if (add && o.has("--remove")) return 2;
    const std::string countText = o.value(add ? "--add" : "--remove");
    // The forecast the walk starts from; a blank list is no list, as an empty one.
    Forecast forecast;
    const std::vector<int> numbers = o.numbers("--numbers");
    if (!o.value("--numbers").empty() && (!modeGiven || numbers.empty())) return 2;
    for (int n : numbers) forecast.setChosen(n, true);

    CliArchive a;
    if (LoadCliArchive(c, a) == CliArchiveLoad::Unreadable) return 1;
    if (!toGiven) criteria.endText = std::to_string(a.draws.count());
    int m = 0;
    if (modeGiven && !ReadNumberCount(countText, m)) {
        c.err << (add ? InvalidAddCountMessage : InvalidRemoveCountMessage) << "\n";
        return 1;
    }
    const NumberProbabilities result = ComputeNumberProbabilities(a.draws, criteria);
    if (!result.ok) {
        c.err << result.message << "\n";
        return 1;
    }
    const std::vector<RankedNumber> ranking = RankNumbers(result.p, !modeGiven || add);
    std::string text;
    if (modeGiven) {
        ApplyRanking(forecast, ranking, m, add);
        text = "Pronostico (" + std::to_string(forecast.chosenCount()) + "):";
        for (int n = 1; n <= MaxNumber; ++n)
            if (forecast.isChosen(n)) text += " " + std::to_string(n);
        text += "\n";
    } else {
        text = "numero\tprobabilità\n";
        for (const RankedNumber& r : ranking)
            text += std::to_string(r.number) + "\t" + FormatProbability(r.probability) + "\n";
    }
    c.out << text;
    return 0;
}

} // namespace

CliCommand ProbabilityCommand() {
    return {
        "probability",
        "probabilità dei 90 numeri; con --add/--remove M il pronostico risultante",
        {},
        Joined({{"--from", "N", "estrazione di partenza (predefinita: la prima)"},
                {"--to", "N", "estrazione finale (predefinita: l'ultima)"},
                {"--wheels", "RUOTE", "ruote considerate: BA,CA,FI,GE,MI,NA,PA,RM,TO,VE,RN o TT"},
                {"--add", "M", "aggiunge al pronostico gli M numeri più probabili"},
                {"--remove", "M", "toglie dal pronostico gli M numeri meno probabili"},
                {"--numbers", "LISTA", "il pronostico di --add o --remove: \"1,2,3\" o \"1 2 3\"", CliValue::Numbers}},
               CriteriaOptionRules),
        RunProbability};
}

} // namespace numora
