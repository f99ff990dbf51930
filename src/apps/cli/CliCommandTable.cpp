// numora-cli's commands. A program of its own (numora-print) links the same dispatcher with a
// table of one row, so the table lives apart from the dispatcher.
#include "apps/cli/CliCommand.h"

namespace numora {

const std::vector<CliCommand>& CliCommands() {
    static const std::vector<CliCommand> table = {
        ImportCommand(),       InfoCommand(),     TablesCommand(),    SystemCommand(),    StatsCommand(),
        WinningsCommand(),     SmorfiaCommand(),  CheckCommand(),     BacktestCommand(),  ProbabilityCommand(),
        DistributionCommand(), PrintCommand(),    ExtractCommand(),   DevelopCommand(),   ReduceCommand(),
        GenioCommand(),        OptimiseCommand(), EliminateCommand(), ConditionCommand(), ConditionStatsCommand()};
    return table;
}

} // namespace numora
