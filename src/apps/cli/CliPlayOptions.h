#pragma once
// What the commands that run a generator, an eliminator or a reduction share: their option
// parser, the system they start from, the stakes and wheels of the new plays, the refusals and
// the system they write.

#include "apps/cli/CliCommand.h"
#include "core/PlaySystem.h"
#include "core/Settings.h"
#include "generation/Generation.h"
#include "core/StakeRule.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace numora {

struct CliOptionRule {
    std::string_view name; // "--plays"
    bool takesValue = true;
};

// "--name VALUE" and "--flag" options in any order. parse() is false for an option the command
// lacks, a missing value or an option given twice: the caller exits with 2.
class CliOptions {
public:
    bool parse(const std::vector<std::string>& args, std::span<const CliOptionRule> rules, std::size_t first = 0);
    bool has(std::string_view name) const { return values_.count(std::string(name)) != 0; }
    // The value as given ("" is an empty field), or the fallback when the option is absent.
    std::string value(std::string_view name, std::string_view fallback = {}) const;

private:
    std::map<std::string, std::string> values_;
};

// The options every such command takes: --system F.lpc, --numbers LIST, --fixed LIST, --out F.lpc,
// --size K, --stakes E,A,T,Q,C, --wheels LIST (also --play-wheels), --ignore-fixed.
inline constexpr CliOptionRule PlayOptionRules[] = {
    {"--system"}, {"--numbers"},     {"--fixed"},
    {"--out"},    {"--size"},        {"--stakes"},
    {"--wheels"}, {"--play-wheels"}, {"--ignore-fixed", false},
};
// The play options followed by the command's own.
std::vector<CliOptionRule> WithPlayOptions(std::initializer_list<CliOptionRule> own);

// The system a command starts from: --system's file (the open-error messages on err and 1 when it
// cannot be read) or an empty one; then --numbers replaces the chosen numbers and --fixed the
// fixed ones (comma-separated numbers 1..90, none twice, at most nine fixed: else 2). 0 when the
// system is ready, else the exit code.
int PrepareCliSystem(const CliContext& context, const CliOptions& options, PlaySystem& system);

// The five stake field texts of "--stakes E,A,T,Q,C": split at ";" when the text holds one (","
// is then the decimal comma), else at ","; fields not given are empty; more than five: false.
bool SplitCliStakes(std::string_view text, std::array<std::string, 5>& fields);

// The wheel mask of the new plays from "BA,CA,...,VE,RN" or "TT" (RM is Roma, RN "Nazion.", TT
// "Tutte"; letters in any case): false for an unknown code, an empty list or TT with a regional
// code. The default (no option) is "Tutte".
bool ParseCliPlayWheels(std::string_view text, std::uint16_t& mask);
// --wheels or --play-wheels, whichever is given (TT when neither); false as above.
bool CliPlayWheels(const CliOptions& options, std::uint16_t& mask);

// A refusal: the message with its CR line breaks as terminal lines on err; returns 1.
int CliRefuse(const CliContext& context, std::string_view message);

// --out F.lpc: writes the system (format 2) through a temporary file. 0, or 1 with the program's
// save-error message on err. Without --out nothing is written and 0 is returned.
int WriteCliSystem(const CliContext& context, const CliOptions& options, const PlaySystem& system);

// The Numora.ini of the command's folder (defaults when it is missing).
Settings CliSettings(const CliContext& context);

// What a command that makes plays reads before its own checks: the system, the stake texts, the
// wheels of the new plays, whether "Considera Fisse" holds (fixed numbers present and no
// --ignore-fixed) and the folder's settings.
struct CliPlayInput {
    std::unique_ptr<PlaySystem> system = std::make_unique<PlaySystem>();
    std::array<std::string, 5> stakeTexts;
    std::uint16_t wheels = 0;
    bool considerFixed = false;
    Settings settings;
};
// The play options: 0 when ready, else the exit code (2 for the command line, 1 for the system).
int ReadCliPlayInput(const CliContext& context, const CliOptions& options, CliPlayInput& input);
// The chosen numbers of the system, ascending.
std::vector<std::uint8_t> CliForecastNumbers(const PlaySystem& system);
// The fixed numbers the new plays must hold: none unless "Considera Fisse" holds.
std::vector<std::uint8_t> CliFixedNumbers(const CliPlayInput& input);
// The stake rule over the fields a play of `size` numbers enables.
StakeSet CliStakes(const CliPlayInput& input, int size);
// The request of a run: the forecast, the fixed numbers, the size, the wheels and the stakes.
PlayRequest CliPlayRequest(const CliPlayInput& input, int size, const StakeSet& stakes);

} // namespace numora
