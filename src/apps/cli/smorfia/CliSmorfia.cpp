// numora-cli smorfia TERM...: the search of "La smorfia" over the folder's Numora.smo.
#include "apps/cli/CliCommand.h"
#include "smorfia/SmorfiaTable.h"

#include <ostream>

namespace numora {

namespace {

// The search box holds at most 500 characters.
constexpr std::size_t MaxSearchText = 500;

std::size_t Utf8Length(const std::string& s) {
    std::size_t n = 0;
    for (char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return n;
}

int RunSmorfia(const CliContext& c) {
    std::string text;
    for (std::size_t i = 0; i < c.args.size(); ++i) text += (i == 0 ? "" : " ") + c.args[i];
    const std::vector<std::string> terms = SearchTerms(text);
    if (Utf8Length(text) > MaxSearchText || terms.empty()) return 2;
    const std::vector<SmorfiaEntry> entries = ReadSmorfia(c.dir + SmorfiaFileName);
    c.out << "numero\tdescrizione\n";
    for (std::size_t i : SearchSmorfia(entries, terms))
        c.out << entries[i].number << '\t' << Cp1252ToUtf8(DisplayedMeaning(entries[i].text)) << '\n';
    return 0;
}

} // namespace

CliCommand SmorfiaCommand() {
    return {"smorfia",
            "ricerca nella smorfia, come \"La smorfia\"",
            {{"TERMINE", false, true}},
            {},
            RunSmorfia,
            "I termini insieme sono al più " + std::to_string(MaxSearchText) + " caratteri.\n"};
}

} // namespace numora
