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
    const CliOptions& o = c.options;
    int divisor = 1;
    const int n = static_cast<int>(o.whole("--played", 5));
    const int h = static_cast<int>(o.whole("--hits", 1));
    std::vector<std::string> fields;
    if (o.has("--wheels")) {
        std::string code;
        for (char ch : o.value("--wheels"))
            code.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(ch))));
        if (std::find(codes.begin(), codes.end(), code) == codes.end()) return 2;
        divisor = code == "TT" ? 10 : 1;
    }
    if (o.has("--stakes") && !SplitStakes(o.value("--stakes"), fields)) return 2;
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
            "vincita di una giocata, come \"Calcola Vincite\"",
            {},
            {{"--wheels", "CODICE", "la ruota: BA, CA, FI, GE, MI, NA, PA, RM, TO, VE, RN o TT (Tutte)"},
             {"--played", "N", "numeri giocati (1..10, predefiniti 5)", CliValue::Whole, 1, 10},
             {"--hits", "H", "numeri indovinati (0..10, predefiniti 1)", CliValue::Whole, 0, 10},
             {"--stakes", "E,A,T,Q,C",
              "poste di estratto, ambo, terno, quaterna e cinquina (\";\" se la virgola è decimale)"}},
            RunWinnings};
}

} // namespace numora
