#include "main/UFeatures.h"

#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"

namespace numora {

void RegisterMainCommands(CommandTable& t);
void RegisterArchiveFeature(CommandTable& t, WindowRegistry& w);
void RegisterForecastFeature(CommandTable& t, WindowRegistry& w);
void RegisterPlayListFeature(CommandTable& t, WindowRegistry& w);
void RegisterStakesFeature(CommandTable& t, WindowRegistry& w);
void RegisterCheckingFeature(CommandTable& t, WindowRegistry& w);
void RegisterSmorfiaFeature(CommandTable& t, WindowRegistry& w);
void RegisterStatsNumbersFeature(CommandTable& t, WindowRegistry& w);
void RegisterStatsPairsFeature(CommandTable& t, WindowRegistry& w);
void RegisterProbabilityFeature(CommandTable& t, WindowRegistry& w);
void RegisterStatsSelectorFeature(CommandTable& t, WindowRegistry& w);
void RegisterPrintingFeature(CommandTable& t, WindowRegistry& w);
void RegisterGenerationFeature(CommandTable& t, WindowRegistry& w);
void RegisterEliminationFeature(CommandTable& t, WindowRegistry& w);
void RegisterConditionsFeature(CommandTable& t, WindowRegistry& w);
void RegisterReductionFeature(CommandTable& t, WindowRegistry& w);

void RegisterFeatures(CommandTable& commands, WindowRegistry& windows) {
    RegisterMainCommands(commands);
    RegisterArchiveFeature(commands, windows);
    RegisterPlayListFeature(commands, windows);
    RegisterForecastFeature(commands, windows);
    RegisterStakesFeature(commands, windows);
    RegisterCheckingFeature(commands, windows);
    RegisterSmorfiaFeature(commands, windows);
    RegisterStatsNumbersFeature(commands, windows);
    RegisterStatsPairsFeature(commands, windows);
    RegisterProbabilityFeature(commands, windows);
    RegisterStatsSelectorFeature(commands, windows);
    RegisterPrintingFeature(commands, windows);
    RegisterGenerationFeature(commands, windows);
    RegisterEliminationFeature(commands, windows);
    RegisterConditionsFeature(commands, windows);
    RegisterReductionFeature(commands, windows);
}

} // namespace numora
