#pragma once
// The old-slip values as the initialisation file keeps them (section MARGINI_STAMPANTE).

#include "core/Settings.h"
#include "printing/SlipGeometry.h"

#include <string>
#include <utility>
#include <vector>

namespace numora::printing {

using IniKeys = std::vector<std::pair<std::string, std::string>>;

// The nine keys of the orientation ("_ver" ones for vertical) with their values as reals, trailing
// zeros trimmed.
IniKeys OldLayoutKeys(SlipOrientation o, const OldSlipLayout& layout);

// Sets the keys in one section of the ini file, keeping every other line, written atomically:
// a failed write leaves the old file as it was. False when the write failed.
bool WriteIniKeys(const std::string& iniPath, const std::string& section, const IniKeys& keys);

} // namespace numora::printing
