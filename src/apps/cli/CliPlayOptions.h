#pragma once
// What the commands that run a generator, an eliminator or a reduction share: their option
// parser, the system they start from, the stakes and wheels of the new plays, the refusals and
// the system they write.

#include "apps/cli/CliCommand.h"
#include "core/PlaySystem.h"
#include "core/Settings.h"
#include "core/StakeRule.h"
#include "generation/Generation.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace numora {

// The options every such command takes, in the order of the usage. A command that checks a
// value itself (--size has different bounds and refusals per dialog) overrides the rule.
inline constexpr CliOptionRule PlayOptionRules[] = {
    {"--system", "SISTEMA.lpc", "il sistema di partenza (altrimenti un sistema vuoto)"},
    {"--numbers", "LISTA", "i numeri del pronostico: \"1,2,3\" o \"1 2 3\"", CliValue::Numbers},
    {"--fixed", "LISTA", "i numeri fissi (al più nove)", CliValue::Numbers},
    {"--ignore-fixed", "", "non considera i numeri fissi"},
    {"--size", "K", "quantità di numeri per ogni giocata"},
    {"--stakes", "E,A,T,Q,C", "poste di estratto, ambo, terno, quaterna e cinquina (\";\" se la virgola è decimale)"},
    {"--wheels", "RUOTE", "ruote delle nuove giocate: BA,CA,FI,GE,MI,NA,PA,RM,TO,VE,RN o TT"},
    {"--play-wheels", "RUOTE", "come --wheels"},
    {"--out", "SISTEMA.lpc", "scrive qui il sistema risultante"},
};
// The play options followed by the command's own; an own rule replaces the play rule of its name.
std::vector<CliOptionRule> WithPlayOptions(std::initializer_list<CliOptionRule> own);
// The play options of the given names followed by the command's own, as above.
std::vector<CliOptionRule> WithPlayOptions(std::initializer_list<std::string_view> names,
                                           std::initializer_list<CliOptionRule> own);

// The delay and frequency criteria of the dialogs that rank numbers by them.
inline constexpr CliOptionRule CriteriaOptionRules[] = {
    {"--dlo", "P", "% al numero meno ritardatario (predefinita 0)"},
    {"--dhi", "P", "% al numero più ritardatario (predefinita 50)"},
    {"--fmost", "P", "% al numero più frequente (predefinita 0)"},
    {"--fleast", "P", "% al numero meno frequente (predefinita 50)"},
    {"--no-delay", "", "non considera il ritardo"},
    {"--no-frequency", "", "non considera la frequenza"},
};
// The grid of the custom probabilities, for the dialogs that use it.
inline constexpr CliOptionRule CustomGridOptionRules[] = {
    {"--custom", "", "usa le probabilità personalizzate dei numeri del pronostico"},
    {"--suggest", "", "con --custom: suggerisce le probabilità dall'archivio"},
    {"--probabilities", "FILE", "con --custom: righe \"NUMERO TESTO\" della griglia"},
};
// The rules followed by more.
std::vector<CliOptionRule> Joined(std::vector<CliOptionRule> rules, std::span<const CliOptionRule> more);
// Whether any option of the rules is given.
bool HasAny(const CliOptions& options, std::span<const CliOptionRule> rules);

// The system a command starts from: --system's file (the open-error messages on err and 1 when it
// cannot be read) or an empty one; then --numbers replaces the chosen numbers and --fixed the
// fixed ones (at most nine: else 2). 0 when the system is ready, else the exit code.
int PrepareCliSystem(const CliContext& context, const CliOptions& options, PlaySystem& system);
// Loads a system file into system, telling err the program's open-error messages: 0, or 1.
// With emptyMessage, a system without plays is refused with it too (1).
int LoadCliSystem(const CliContext& context, const std::string& path, PlaySystem& system,
                  const char* emptyMessage = nullptr);

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
