#pragma once

#include "checking/Payout.h"
#include "core/DrawArchive.h"
#include "core/Play.h"
#include "core/Progress.h"

#include <array>
#include <string>
#include <vector>

namespace numora {

// A system checked against every draw of a period of the archive ("Verifica su archivio").

// One draw of the period: what "Verifica" gives for that draw alone.
struct BacktestRow {
    int draw = 0;                      // its "Nº Concorso", 1-based index in the archive
    std::array<long long, 5> counts{}; // winning combinations per bet kind, as CheckTotals counts them
    Amount win;                        // the plays' total win, each play capped, as CheckTotals gives it
};

// A signed amount: the balance goes below zero as soon as a draw costs more than it paid.
struct SignedAmount {
    AmountUnits units = 0;
    bool negative() const { return units < 0; }
};
// Found by ordinary lookup: neither operand is a SignedAmount, so a friend would never be seen.
inline SignedAmount operator-(Amount a, Amount b) {
    return SignedAmount{a.units - b.units};
}
// FormatAmount of the absolute value, with a leading "-" when the amount is below zero
// (a balance that rounds to zero in the decimals shown keeps its sign: "-0,00").
std::string FormatSignedAmount(SignedAmount a, int decimals);

struct BacktestResult {
    bool completed = false;        // false when the progress callback stopped the run
    int first = 0, last = 0;       // the period N1..N2
    std::vector<BacktestRow> rows; // one per draw first..last, ascending; empty when not completed
    Amount costPerDraw;            // SystemCostPerDraw of the plays
    Amount expectedWin;            // ExpectedWin of the plays over the period's draws, cut to the unit
};

// The cost of the whole system for one draw: for every play, the sum of its stakes above 0 times
// the number of wheels it is played on (its wheel bits; "Tutte" counts as one, at least one).
Amount SystemCostPerDraw(const Play* plays, int count);

// The exact expected win of the plays over `draws` draws, before any cap: for every play, every
// stake s > 0 on bet kind k and every played wheel (wheels 1..10 through their bits or "Tutte"
// with divisor 10, the national wheel through bit 10), s x multiplier(k) / d x C(5,k) / C(90,k).
// Summed exactly and cut to Amount's unit.
Amount ExpectedWin(const Play* plays, int count, int draws);

// Checks plays[0..count) against draws first..last (1 <= first <= last <= archive.count()) with the
// cap VincitaMassima. For every draw the row equals CheckTotals of that draw alone. Reports the
// draws done through `progress` (total = last - first + 1); nothing is written anywhere.
BacktestResult RunBacktest(const Play* plays, int count, const DrawArchive& archive, int first, int last, Amount cap,
                           const Progress& progress = {});

// The figures of the summary, from the rows and the cost per draw.
struct BacktestSummary {
    int draws = 0;
    int winningDraws = 0; // draws whose win is above 0
    int longestDry = 0;   // the longest run of consecutive draws with no win
    Amount totalCost;
    Amount totalWin;
    SignedAmount balance; // totalWin - totalCost
};
BacktestSummary SummarizeBacktest(const BacktestResult& result);

} // namespace numora
