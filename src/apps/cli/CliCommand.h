#pragma once

#include "core/DrawArchive.h"

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace numora {

// What a command of numora-cli is given: the folder of the archive and the settings, its own
// arguments (its name excluded) and the two streams.
struct CliContext {
    std::string dir; // ends with the platform's separator
    std::vector<std::string> args;
    std::ostream& out;
    std::ostream& err;
};

// One command of numora-cli: its name, its arguments and its line as the usage text shows
// them, and what it does. The dispatcher checks the number of arguments before run is called.
struct CliCommand {
    std::string name;
    std::string arguments; // "FILE", or empty
    std::string description;
    std::size_t argumentCount = 0;
    std::function<int(const CliContext&)> run;
    bool variadic = false; // argumentCount or more

    std::string usage() const { return arguments.empty() ? name : name + " " + arguments; }
};

// The commands in the order of the usage text. Each lives in a unit of its own, in cli/ or in
// its feature's folder under cli/; a new command adds its unit and one row to this table.
const std::vector<CliCommand>& CliCommands();
CliCommand ImportCommand();         // cli/archive/CliImport.cpp
CliCommand InfoCommand();           // cli/CliInfo.cpp
CliCommand TablesCommand();         // cli/CliTables.cpp
CliCommand SystemCommand();         // cli/CliSystem.cpp
CliCommand StatsCommand();          // cli/stats/CliStats.cpp
CliCommand WinningsCommand();       // cli/checking/CliWinnings.cpp
CliCommand SmorfiaCommand();        // cli/smorfia/CliSmorfia.cpp
CliCommand CheckCommand();          // cli/checking/CliCheck.cpp
CliCommand ProbabilityCommand();    // cli/probability/CliProbability.cpp
CliCommand DistributionCommand();   // cli/probability/CliDistribution.cpp
CliCommand PrintCommand();          // cli/printing/UCliPrint.cpp (Qt paints the PDF)
CliCommand ExtractCommand();        // cli/generation/CliExtract.cpp
CliCommand DevelopCommand();        // cli/generation/CliExtract.cpp
CliCommand ReduceCommand();         // cli/reduction/CliReduce.cpp
CliCommand GenioCommand();          // cli/reduction/CliReduce.cpp
CliCommand OptimiseCommand();       // cli/reduction/CliReduce.cpp
CliCommand EliminateCommand();      // cli/elimination/CliElimination.cpp
CliCommand ConditionCommand();      // cli/conditions/CliCondition.cpp
CliCommand ConditionStatsCommand(); // cli/conditions/CliCondition.cpp

// "Uso: numora-cli [--dir CARTELLA] ..." followed by one line per command.
std::string CliUsageText();

// The whole program: "--dir DIR" first if present, then a command of the table. Returns the
// exit code: 2 with the usage text for an unknown command or a wrong number of arguments, 2 for a
// --dir that is not an existing folder, 1 for a failure of any kind (every exception included).
// defaultDir is asked only without --dir: choosing the data folder may create one.
int RunCli(std::vector<std::string> args, const std::function<std::string()>& defaultDir, std::ostream& out,
           std::ostream& err);

// The program's messages hold "\r" as line breaks; a terminal wants "\n".
std::string TerminalText(std::string text);

struct CliArchive {
    DrawArchive draws;
    DelayTable delays;
    FrequencyTable frequencies;
};
enum class CliArchiveLoad { Ok, Missing, Truncated, Unreadable };
// Loads the folder's archive for a command, telling err what is wrong with it.
CliArchiveLoad LoadCliArchive(const CliContext& context, CliArchive& archive);

} // namespace numora
