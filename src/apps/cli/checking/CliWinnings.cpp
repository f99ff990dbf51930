// numora-cli winnings: the total of "Calcola Vincite" for one play.
#include "apps/cli/CliCommand.h"
#include "checking/Payout.h"
#include "core/FileIo.h"
#include "core/Settings.h"
#include "core/TextHelpers.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <ostream>

namespace numora {

namespace {

constexpr const char* WinningsUsage =
    "Uso: numora-cli [--dir CARTELLA] winnings [--wheels BA|..|RN|TT] [--played N] [--hits H] [--stakes E,A,T,Q,C]\n";

int UsageError(const CliContext& c) {
    c.err << WinningsUsage;
    return 2;
}

bool ReadCount(const std::string& text, int from, int to, int& value) {
    long long v = 0;
    if (!ParseWholeNumber(text, v) || v < from || v > to) return false;
    value = static_cast<int>(v);
    return true;
}

// The five fields at "," or, when the text holds a ";", at ";" with "," read as the point.
bool SplitStakes(std::string text, std::vector<std::string>& fields) {
    char separator = ',';
    if (text.find(';') != std::string::npos) {
        separator = ';';
        std::replace(text.begin(), text.end(), ',', '.');
    }
    fields.clear();
    std::size_t pos = 0;
    while (true) {
        const std::size_t at = text.find(separator, pos);
        fields.push_back(text.substr(pos, at == std::string::npos ? std::string::npos : at - pos));
        if (at == std::string::npos) break;
        pos = at + 1;
    }
    return fields.size() <= 5;
}

int RunWinnings(const CliContext& c) {
    static constexpr std::array<std::string_view, 12> codes = {"BA", "CA", "FI", "GE", "MI", "NA",
                                                               "PA", "RM", "TO", "VE", "RN", "TT"};
    int divisor = 1;
    int n = 5;
    int h = 1;
    std::vector<std::string> fields;
    bool wheelsGiven = false, playedGiven = false, hitsGiven = false, stakesGiven = false;
    for (std::size_t i = 0; i < c.args.size(); ++i) {
        const std::string& opt = c.args[i];
        if (i + 1 >= c.args.size()) return UsageError(c);
        const std::string& value = c.args[++i];
        if (opt == "--wheels" && !wheelsGiven) {
            wheelsGiven = true;
            std::string code;
            for (char ch : value) code.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(ch))));
            const auto it = std::find(codes.begin(), codes.end(), code);
            if (it == codes.end()) return UsageError(c);
            divisor = code == "TT" ? 10 : 1;
        } else if (opt == "--played" && !playedGiven) {
            playedGiven = true;
            if (!ReadCount(value, 1, 10, n)) return UsageError(c);
        } else if (opt == "--hits" && !hitsGiven) {
            hitsGiven = true;
            if (!ReadCount(value, 0, 10, h)) return UsageError(c);
        } else if (opt == "--stakes" && !stakesGiven) {
            stakesGiven = true;
            if (!SplitStakes(value, fields)) return UsageError(c);
        } else {
            return UsageError(c);
        }
    }
    if (h > n) {
        c.err << "I numeri indovinati (" << h << ") non possono essere più dei numeri giocati (" << n << ").\n";
        return 1;
    }
    std::array<Amount, 5> stakes{};
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (!ParseCalculatorStake(fields[k], stakes[k])) {
            c.err << StakeFieldMessages[k] << '\n';
            return 1;
        }
    }
    Amount sum;
    for (const Amount& s : stakes) sum += s;
    if (!sum.positive()) {
        c.err << StakesNotPositiveMessage << '\n';
        return 1;
    }
    Settings settings;
    ReadSettings(c.dir + SettingsFileName, settings);
    const Amount total = CalculatorTotal(stakes, h, n, divisor, Amount::fromDouble(settings.vincitaMassima));
    c.out << "Totale*: " << FormatAmount(total, settings) << " €\n";
    return 0;
}

} // namespace

CliCommand WinningsCommand() {
    return {"winnings",
            "[--wheels CODICE] [--played N] [--hits H] [--stakes E,A,T,Q,C]",
            "vincita di una giocata, come \"Calcola Vincite\"",
            0,
            RunWinnings,
            true};
}

} // namespace numora
