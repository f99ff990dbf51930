// numora-cli check SYSTEM [--draw N | --date D]: "Verifica" of "Spoglio delle giocate" on the
// plays of a system file against an archived draw.
#include "apps/cli/CliCommand.h"
#include "apps/cli/CliPlayOptions.h"
#include "checking/CheckPlays.h"
#include "core/PlaySystem.h"
#include "core/Settings.h"
#include "core/SystemFile.h"
#include "core/TextHelpers.h"

#include <memory>
#include <ostream>

namespace numora {

namespace {

int RunCheck(const CliContext& c) {
    const bool byDraw = c.options.has("--draw"), byDate = c.options.has("--date");
    if (byDraw && byDate) return 2;
    const long long drawIndex = c.options.whole("--draw", 0);

    auto system = std::make_unique<PlaySystem>();
    NewSystem(*system);
    if (const int rc = LoadCliSystem(c, c.args[0], *system, NoPlaysToCheckMessage); rc != 0) return rc;
    DateParse date;
    if (byDate) {
        date = ParseDate(c.options.value("--date"));
        if (!date.ok) {
            c.err << InvalidDateMessage << '\n';
            return 1;
        }
    }
    CliArchive a;
    switch (LoadCliArchive(c, a)) {
    case CliArchiveLoad::Unreadable:
        return 1;
    case CliArchiveLoad::Ok:
    case CliArchiveLoad::Missing:
    case CliArchiveLoad::Truncated:
        break;
    }
    if (a.draws.empty()) {
        c.err << "L'archivio storico non contiene estrazioni: non c'è nessuna estrazione da usare per lo spoglio.\n";
        return 1;
    }
    int index = a.draws.count();
    if (byDraw) {
        if (drawIndex > a.draws.count()) return 2;
        index = static_cast<int>(drawIndex);
    } else if (byDate) {
        DrawRecord wanted;
        wanted.day = date.day;
        wanted.month = date.month;
        wanted.year = date.year;
        index = FindDrawByDate(a.draws, wanted);
        if (index == 0) {
            c.err << "Nell'archivio storico non c'è nessuna estrazione del " << int{date.day} << '/' << int{date.month}
                  << '/' << date.year << ".\n";
            return 1;
        }
    }

    Settings settings;
    ReadSettings(c.dir + SettingsFileName, settings);
    const DrawRecord& d = a.draws.draw(index);
    // The totals come first in the output; the listing follows as it is made, never held whole.
    const CheckDraw draw = CheckDrawOf(d);
    const Amount cap = Amount::fromDouble(settings.vincitaMassima);
    const CheckResult r = CheckTotals(system->list.data(), system->list.count(), draw, cap);
    c.out << "Estrazione del: " << DateText(d) << '\n';
    for (std::size_t k = 0; k < 5; ++k)
        c.out << HitLabels[k] << ' ' << r.counts[k] << "\tVincita: " << FormatAmount(r.amounts[k], settings) << " €\n";
    c.out << "Vincita Totale*: " << FormatAmount(r.total, settings) << " €\n";
    WriteCheckListing(system->list.data(), system->list.count(), draw, cap, settings.decimali,
                      [&](const std::string& line) { c.out << line << '\n'; });
    return 0;
}

} // namespace

CliCommand CheckCommand() {
    return {
        "check",
        "spoglio delle giocate di un sistema su un'estrazione dell'archivio",
        {{"SISTEMA"}},
        {{"--draw", "N", "l'estrazione numero N dell'archivio (senza --draw e --date: l'ultima)", CliValue::Whole, 1},
         {"--date", "gg/mm/aaaa", "l'estrazione di quella data, al posto di --draw"}},
        RunCheck};
}

} // namespace numora
