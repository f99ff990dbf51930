// numora-cli distribution: the histogram of the mean custom probability, over the combinations
// of the forecast (--size K) or over the plays of the system (--plays).
#include "apps/cli/CliCommand.h"
#include "apps/cli/CliPlayOptions.h"
#include "core/PlaySystem.h"
#include "probability/ProbabilityDistribution.h"

#include <ostream>
#include <vector>

namespace numora {

namespace {

constexpr const char* DistributionUsage =
    "Uso: numora-cli [--dir CARTELLA] distribution [--system F.lpc] [--numbers LISTA] (--size K | --plays)\n";

constexpr CliOptionRule DistributionOptions[] = {
    {"--system"}, {"--numbers"}, {"--fixed"}, {"--size"}, {"--plays", false},
};

int RunDistribution(const CliContext& c) {
    CliOptions options;
    if (!options.parse(c.args, DistributionOptions) || options.has("--size") == options.has("--plays")) {
        c.err << DistributionUsage;
        return 2;
    }
    PlaySystem system;
    if (const int code = PrepareCliSystem(c, options, system); code != 0) {
        if (code == 2) c.err << DistributionUsage;
        return code;
    }
    DistributionBins bins{};
    if (options.has("--plays")) {
        CountPlayBins(system.list, system.customProbabilities, bins);
    } else {
        int k = 0;
        if (const char* refusal = ReadDistributionSize(options.value("--size"), system.forecast.chosenCount(), k))
            return CliRefuse(c, refusal);
        std::vector<std::uint8_t> numbers;
        for (int n = 1; n <= 90; ++n)
            if (system.forecast.isChosen(n)) numbers.push_back(static_cast<std::uint8_t>(n));
        CountCombinationBins(numbers, k, system.customProbabilities, bins);
    }
    std::string text = "probabilità\tgiocate\n";
    for (std::size_t b = 0; b < bins.size(); ++b) text += std::to_string(b) + "\t" + std::to_string(bins[b]) + "\n";
    c.out << text;
    return 0;
}

} // namespace

CliCommand DistributionCommand() {
    return {"distribution",
            "(--size K | --plays) [opzioni]",
            "probabilità media personalizzata delle combinazioni del pronostico o delle giocate",
            0,
            RunDistribution,
            true};
}

} // namespace numora
