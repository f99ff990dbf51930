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

int RunDistribution(const CliContext& c) {
    const CliOptions& options = c.options;
    if (options.has("--size") == options.has("--plays")) return 2;
    PlaySystem system;
    if (const int code = PrepareCliSystem(c, options, system); code != 0) return code;
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
            "probabilità media personalizzata delle combinazioni del pronostico o delle giocate",
            {},
            WithPlayOptions({"--system", "--numbers", "--fixed"},
                            {{"--size", "K", "sulle combinazioni di K numeri del pronostico (o --plays)"},
                             {"--plays", "", "sulle giocate del sistema (o --size)"}}),
            RunDistribution};
}

} // namespace numora
