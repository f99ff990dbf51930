#pragma once

// The plain-paper listing of a system: the heading lines, the forecast (wrapped onto a second
// line when too wide), the fixed numbers and the plays two side by side, laid out in pages of
// text runs from the measures of the printer's font.

#include "core/Forecast.h"
#include "core/Play.h"

#include <functional>
#include <string>
#include <vector>

namespace numora::printing {

struct TextRun {
    int x = 0, y = 0;
    std::string text;
    bool operator==(const TextRun&) const = default;
};

struct PlainPage {
    std::vector<TextRun> runs;
};

struct PlainPaperOptions {
    bool fixed = true;    // "Stampa fisse"
    bool forecast = true; // "Stampa pronostico"
    bool plays = true;    // "Stampa giocate"
};

struct PlainPaperMetrics {
    int pageWidth = 0, pageHeight = 0;
    int h = 0;  // height of "Hq"
    int cw = 0; // width of "H"
    std::function<int(const std::string&)> width;
};

// The file name of the system path, lower-cased with its first letter upper-cased and its
// last four characters (the extension) removed: "C:\x\SISTEMA1.LPC" gives "Sistema1".
std::string SystemNameForHeading(const std::string& path);
// The three heading lines the main window puts in the dialog.
std::vector<std::string> PlainPaperHeading(const std::string& systemPath, int playCount,
                                           const std::string& totalCostText);

// The five lines of one play (an empty entry for a line that has nothing to print).
std::vector<std::string> PlainPaperPlayLines(const Play& play, int index, int decimals);

std::vector<PlainPage> LayOutPlainPaper(const std::vector<std::string>& heading, const Forecast& forecast,
                                        const std::vector<Play>& plays, const PlainPaperOptions& options, int decimals,
                                        const PlainPaperMetrics& metrics);

} // namespace numora::printing
