#pragma once

#include "apps/cli/CliGrammar.h"
#include "core/DrawArchive.h"

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace numora {

// What a command of numora-cli is given: the folder of the archive and the settings, its
// positional arguments and its options as its declaration accepted them, and the two streams.
struct CliContext {
    std::string dir; // ends with the platform's separator
    std::vector<std::string> args;
    CliOptions options;
    std::ostream& out;
    std::ostream& err;
};

// One command of numora-cli: its name, what it does, its grammar and its run. The dispatcher
// parses the command line against the grammar before run is called, answers --help with the
// usage written from it, and prints that usage on standard error when the line does not fit or
// run returns 2 (the command found the line wrong: a value it checks itself, options that exclude
// each other).
struct CliCommand {
    std::string name;
    std::string description;
    std::vector<CliArgumentRule> arguments;
    std::vector<CliOptionRule> options;
    std::function<int(const CliContext&)> run;
    std::string notes = {}; // lines after the options in the usage, or empty

    // "check SISTEMA [opzioni]": the command's line in the usage.
    std::string synopsis() const;
    // "Uso: numora-cli [--dir CARTELLA] check SISTEMA [opzioni]", the description and one line per option.
    std::string usage() const;
};

// The commands in the order of the usage text (cli/CliCommandTable.cpp). Each lives in a unit of
// its own, in cli/ or in its feature's folder under cli/; a new command adds its unit and one row
// to this table.
const std::vector<CliCommand>& CliCommands();
CliCommand ImportCommand();         // cli/archive/CliImport.cpp
CliCommand InfoCommand();           // cli/CliInfo.cpp
CliCommand TablesCommand();         // cli/CliTables.cpp
CliCommand SystemCommand();         // cli/CliSystem.cpp
CliCommand StatsCommand();          // cli/stats/CliStats.cpp
CliCommand WinningsCommand();       // cli/checking/CliWinnings.cpp
CliCommand SmorfiaCommand();        // cli/smorfia/CliSmorfia.cpp
CliCommand CheckCommand();          // cli/checking/CliCheck.cpp
CliCommand BacktestCommand();       // cli/checking/CliBacktest.cpp
CliCommand ProbabilityCommand();    // cli/probability/CliProbability.cpp
CliCommand DistributionCommand();   // cli/probability/CliDistribution.cpp
CliCommand PrintCommand();          // cli/printing/: CliPrintRelay.cpp hands over to numora-print (UCliPrint.cpp)
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

// The whole program: "--dir DIR" first if present, then "--help" or a command of the table.
// Returns the exit code: 0 with the usage on out for "--help" (the program's or the command's),
// 2 with the usage on err for an unknown command or a command line that does not fit its
// command, 2 for a --dir that is not an existing folder, 1 for a failure of any kind (every
// exception included). defaultDir is asked only without --dir: choosing the data folder may
// create one.
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
