#include "checking/BacktestReport.h"

#include <algorithm>

namespace numora {

namespace {

double Euro(AmountUnits units) {
    return static_cast<double>(units) / static_cast<double>(Amount::PerEuro);
}

std::string Money(SignedAmount a, int decimals) {
    return FormatSignedAmount(a, decimals) + " €";
}

// The thousands dots go: "1234,50" is one plain number to a spreadsheet set to Italian, with
// nothing left for its import to guess about.
std::string WithoutGrouping(std::string amount) {
    amount.erase(std::remove(amount.begin(), amount.end(), '.'), amount.end());
    return amount;
}

} // namespace

std::vector<BacktestLine> BacktestLines(const BacktestResult& result, const DrawArchive& archive, int decimals) {
    std::vector<BacktestLine> lines;
    lines.reserve(result.rows.size());
    const std::string cost = FormatAmount(result.costPerDraw, decimals);
    const double draws = static_cast<double>(std::max<std::size_t>(1, result.rows.size()));
    const double expectedPerDraw = Euro(result.expectedWin.units) / draws;
    const double costPerDraw = Euro(result.costPerDraw.units);
    SignedAmount balance;
    int done = 0;
    for (const BacktestRow& row : result.rows) {
        ++done;
        balance.units += row.win.units - result.costPerDraw.units;
        BacktestLine l;
        l.draw = row.draw;
        if (row.draw >= 1 && row.draw <= archive.count()) l.date = DateText(archive.draw(row.draw));
        l.counts = row.counts;
        l.win = FormatAmount(row.win, decimals);
        l.cost = cost;
        l.balance = FormatSignedAmount(balance, decimals);
        l.winning = row.win.positive();
        l.balanceEuro = Euro(balance.units);
        l.expectedBalanceEuro = done * (expectedPerDraw - costPerDraw);
        lines.push_back(std::move(l));
    }
    return lines;
}

std::vector<std::pair<std::string, std::string>> BacktestSummaryFields(const BacktestResult& result, int decimals) {
    const BacktestSummary s = SummarizeBacktest(result);
    return {
        {"Estrazioni:", std::to_string(s.draws)},
        {"Estrazioni vincenti:", std::to_string(s.winningDraws)},
        {"Spesa totale:", FormatAmount(s.totalCost, decimals) + " €"},
        {"Vincite totali:", FormatAmount(s.totalWin, decimals) + " €"},
        {"Saldo:", Money(s.balance, decimals)},
        {"Vincita attesa:", FormatAmount(result.expectedWin, decimals) + " €"},
        {"Massimo periodo senza vincite:", std::to_string(s.longestDry) + " estrazioni"},
    };
}

std::string BacktestCsv(const std::vector<BacktestLine>& lines, bool onlyWinning) {
    std::string out = "estrazione;data;estratti;ambi;terni;quaterne;cinquine;vincita;spesa;saldo\r\n";
    for (const BacktestLine& l : lines) {
        if (onlyWinning && !l.winning) continue;
        out += std::to_string(l.draw) + ';' + l.date;
        for (long long c : l.counts) out += ';' + std::to_string(c);
        out += ';' + WithoutGrouping(l.win) + ';' + WithoutGrouping(l.cost) + ';' + WithoutGrouping(l.balance) + "\r\n";
    }
    return out;
}

} // namespace numora
