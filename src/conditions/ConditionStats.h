#pragma once
// The archive statistics of the conditions: every past draw on the chosen wheels developed into
// combinations of a chosen size, one quantity measured on them, and how many draws gave each
// value.
//
// A wheel that was not drawn on a date (its numbers are zeros: "R. Nazionale" before May 2005,
// the wartime gaps) is not a draw of that wheel: it adds to no count. The divisor W of the
// statistics counted per wheel (1-6 and the ranges) stays the number of wheels used, so a bar is
// the number of draws per wheel; the statistics of one value per draw (7 and 8) average over the
// wheels used that were drawn on that date, and skip a date on which none was.

#include "core/ConditionSet.h"
#include "core/DrawArchive.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace numora {

inline constexpr int ConditionStatisticCount = 11;
inline constexpr int StatisticsMinimumDraws = 400;
inline constexpr const char* TooFewDrawsMessage = "L'archivio storico contiene meno di 400 estrazioni.";
inline constexpr const char* PlaysAxisTitle = "Nº di giocate";

// The entry of "Grafico: " for statistic k (1..11): the name of the statistic, "Numeri da x a y"
// for the three ranges of the record.
std::string ConditionStatisticEntry(int k, const ConditionSet& set);
// The chart's title and foot: the name, "Quantità di numeri da x a y" for the ranges.
std::string ConditionStatisticTitle(int k, const ConditionSet& set);

// Wheel w (1..11) is used for a mask of the wheel boxes: a regional wheel when its own box or
// "Tutte" is checked, "R. Nazionale" only for its own box.
bool StatisticWheelUsed(std::uint16_t mask, int wheel);
// A wheel was drawn on a date when its five numbers are all numbers 1..90.
bool WheelDrawn(const DrawRecord& draw, int wheel);

// The combinations of the five positions of a draw taken `size` at a time (5, 4, 3 or 2): 1, 5,
// 10 and 10 of them.
int DevelopmentCount(int size);

struct ConditionChart {
    std::string title;
    std::vector<std::pair<int, int>> bars; // label value, height; in chart order
};

// Statistic k (1..11) of the archive with combinations of `size` numbers on the wheels of the
// mask; the ranges of 9..11 come from the record.
ConditionChart ConditionStatistic(const DrawArchive& archive, int statistic, int size, std::uint16_t wheels,
                                  const ConditionSet& set);

} // namespace numora
