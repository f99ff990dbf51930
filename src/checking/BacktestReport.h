#pragma once

#include "checking/Backtest.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace numora {

// A period check laid out as "Verifica su archivio" shows, prints and exports it.

// One draw of the period, its amounts already in text.
struct BacktestLine {
    int draw = 0;
    std::string date; // d/m/yyyy, as "Estrazione del:" shows it
    std::array<long long, 5> counts{};
    std::string win, cost, balance; // FormatAmount; the balance with its sign
    bool winning = false;
    // For the chart, in euro: the balance after this draw, and what the payout rules promise on
    // average after as many draws (the expected win so far less the cost so far).
    double balanceEuro = 0;
    double expectedBalanceEuro = 0;
};

// The lines of a completed run; the balance is summed exactly and formatted only at the end.
std::vector<BacktestLine> BacktestLines(const BacktestResult& result, const DrawArchive& archive, int decimals);

// The summary of a completed run, caption and value, in the order and the words numora-cli
// backtest prints it ("Estrazioni", ... "Massimo periodo senza vincite"); amounts end in " €".
std::vector<std::pair<std::string, std::string>> BacktestSummaryFields(const BacktestResult& result, int decimals);

// The lines (only the winning ones when asked) as a CSV an Italian spreadsheet reads: one header
// line, ";" between fields, "," before the decimals and no thousands separator, CRLF line ends.
std::string BacktestCsv(const std::vector<BacktestLine>& lines, bool onlyWinning);

} // namespace numora
