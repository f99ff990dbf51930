#pragma once

#include <iosfwd>
#include <string>

namespace numora {

// numora-cli [--dir DIR] system FILE: reads DIR's Numora.ini (for Decimali), loads FILE and
// prints its forecast, its fixed numbers, every play and the total cost. A file that cannot
// be opened or is refused prints the program's messages to err and returns 1.
int RunSystemCommand(const std::string& dir, const std::string& file, std::ostream& out, std::ostream& err);

} // namespace numora
