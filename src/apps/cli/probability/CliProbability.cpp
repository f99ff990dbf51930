// numora-cli probability: the probability window's grid, or the forecast after the add/remove
// window's walk of the ranking, from a terminal.
#include "apps/cli/CliCommand.h"
#include "core/TextHelpers.h"
#include "core/Types.h"
#include "probability/NumberProbability.h"
#include "apps/cli/stats/StatsCli.h"

#include <ostream>

namespace numora {

namespace {

constexpr const char* ProbabilityUsage =
    "Uso: numora-cli [--dir CARTELLA] probability [--from N] [--to N] [--wheels BA,CA,..|TT]\n"
    "       [--dlo P] [--dhi P] [--fmost P] [--fleast P] [--no-delay] [--no-frequency]\n"
    "       [--add M | --remove M] [--numbers \"N1 N2 ..\"]\n";

int UsageError(const CliContext& c) {
    c.err << ProbabilityUsage;
    return 2;
}

int RunProbability(const CliContext& c) {
    ProbabilityCriteria criteria;
    bool toGiven = false, modeGiven = false, add = true;
    std::string countText, numbersText;
    for (std::size_t i = 0; i < c.args.size(); ++i) {
        const std::string& opt = c.args[i];
        const bool hasValue = i + 1 < c.args.size();
        if (opt == "--no-delay") {
            criteria.delayOn = false;
        } else if (opt == "--no-frequency") {
            criteria.frequencyOn = false;
        } else if (!hasValue) {
            return UsageError(c);
        } else if (opt == "--wheels") {
            if (!ParseWheelCodes(c.args[++i], criteria.wheels)) return UsageError(c);
        } else if (opt == "--from") {
            criteria.startText = c.args[++i];
        } else if (opt == "--to") {
            criteria.endText = c.args[++i];
            toGiven = true;
        } else if (opt == "--dlo") {
            criteria.dloText = c.args[++i];
        } else if (opt == "--dhi") {
            criteria.dhiText = c.args[++i];
        } else if (opt == "--fmost") {
            criteria.fmostText = c.args[++i];
        } else if (opt == "--fleast") {
            criteria.fleastText = c.args[++i];
        } else if ((opt == "--add" || opt == "--remove") && !modeGiven) {
            modeGiven = true;
            add = opt == "--add";
            countText = c.args[++i];
        } else if (opt == "--numbers") {
            numbersText = c.args[++i];
        } else {
            return UsageError(c);
        }
    }
    Forecast forecast;
    if (!numbersText.empty()) {
        if (!modeGiven) return UsageError(c);
        const NumberListParse list = ParseNumberList(numbersText);
        if (!list.ok) return UsageError(c);
        for (int n : list.numbers) forecast.setChosen(n, true);
    }

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
    return {"probability",  "[opzioni]", "probabilità dei 90 numeri; con --add/--remove M il pronostico risultante", 0,
            RunProbability, true};
}

} // namespace numora
