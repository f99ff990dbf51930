// numora-print: the painting half of numora-cli print, started by numora-cli with the line it has
// already checked ("--dir DIR print [options] -- SYSTEM"), so that only printing loads QtGui.
#include "apps/cli/CliCommand.h"

namespace numora {

const std::vector<CliCommand>& CliCommands() {
    static const std::vector<CliCommand> table = {PrintCommand()};
    return table;
}

} // namespace numora
