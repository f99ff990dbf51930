// numora-cli backtest SYSTEM [--from N] [--to N] [--last K]: "Verifica su archivio", the plays of
// a system file checked against every draw of a period, with the balance and the expected win.
#include "apps/cli/CliCommand.h"
#include "apps/cli/CliPlayOptions.h"
#include "checking/Backtest.h"
#include "checking/CheckPlays.h"
#include "core/PlaySystem.h"
#include "core/Settings.h"
#include "core/SystemFile.h"
#include "core/TextHelpers.h"

#include <memory>
#include <ostream>

namespace numora {

namespace {

int RunBacktestCommand(const CliContext& c) {
    const bool last = c.options.has("--last");
    if (last && (c.options.has("--from") || c.options.has("--to"))) return 2;

    auto system = std::make_unique<PlaySystem>();
    NewSystem(*system);
    if (const int rc = LoadCliSystem(c, c.args[0], *system, NoPlaysToCheckMessage); rc != 0) return rc;
    CliArchive a;
    if (LoadCliArchive(c, a) == CliArchiveLoad::Unreadable) return 1;
    const long long draws = a.draws.count();
    if (draws == 0) {
        c.err << "L'archivio storico è vuoto.\n";
        return 1;
    }
    long long from = c.options.whole("--from", 1), to = c.options.whole("--to", draws);
    if (last) {
        const long long k = c.options.whole("--last", 1);
        if (k > draws) return 2;
        from = draws - k + 1;
        to = draws;
    }
    if (from > to || to > draws) return 2;

    Settings settings;
    ReadSettings(c.dir + SettingsFileName, settings);
    const int decimals = settings.decimali;
    const BacktestResult r = RunBacktest(system->list.data(), system->list.count(), a.draws, static_cast<int>(from),
                                         static_cast<int>(to), Amount::fromDouble(settings.vincitaMassima));
    const std::string cost = FormatAmount(r.costPerDraw, decimals);
    c.out << "estrazione\tdata\testratti\tambi\tterni\tquaterne\tcinquine\tvincita\tspesa\tsaldo\n";
    Amount won, spent;
    for (const BacktestRow& row : r.rows) {
        won += row.win;
        spent += r.costPerDraw;
        c.out << row.draw << '\t' << DateText(a.draws.draw(row.draw));
        for (long long n : row.counts) c.out << '\t' << n;
        c.out << '\t' << FormatAmount(row.win, decimals) << '\t' << cost << '\t'
              << FormatSignedAmount(won - spent, decimals) << '\n';
    }
    const BacktestSummary s = SummarizeBacktest(r);
    c.out << "Estrazioni: " << s.draws << '\n'
          << "Estrazioni vincenti: " << s.winningDraws << '\n'
          << "Spesa totale: " << FormatAmount(s.totalCost, decimals) << " €\n"
          << "Vincite totali: " << FormatAmount(s.totalWin, decimals) << " €\n"
          << "Saldo: " << FormatSignedAmount(s.balance, decimals) << " €\n"
          << "Vincita attesa: " << FormatAmount(r.expectedWin, decimals) << " €\n"
          << "Massimo periodo senza vincite: " << s.longestDry << " estrazioni\n";
    return 0;
}

} // namespace

CliCommand BacktestCommand() {
    return {"backtest",
            "verifica di un sistema su tutte le estrazioni di un periodo dell'archivio",
            {{"SISTEMA"}},
            {{"--from", "N", "dall'estrazione numero N dell'archivio (senza: dalla prima)", CliValue::Whole, 1},
             {"--to", "N", "fino all'estrazione numero N (senza: fino all'ultima)", CliValue::Whole, 1},
             {"--last", "K", "le ultime K estrazioni, al posto di --from e --to", CliValue::Whole, 1}},
            RunBacktestCommand};
}

} // namespace numora
