#pragma once

#include "core/DrawArchive.h"

#include <functional>
#include <string>
#include <vector>

namespace numora {

// The operator's archive text: lines YYYY/MM/DD<TAB>WHEEL<TAB>n1..n5, one per wheel and date.
struct OperatorText {
    bool ok = false;
    int errorLine = 0;       // 1-based line of the first bad line
    std::string error;       // the reason, in Italian
    std::vector<DrawRecord> draws; // one per date, in the order the dates first appear
};

// Wheel code (BA CA FI GE MI NA PA RM TO VE, RN or NZ) to wheel 1..11; 0 when unknown.
int WheelFromCode(std::string_view code);

OperatorText ParseOperatorText(std::string_view text);

struct ImportResult {
    bool ok = false;
    int newDraws = 0;
    std::string error; // complete message for the user when !ok
};

// Called every `step` draws with (done, total); returning false stops the import.
using ImportProgress = std::function<bool(int done, int total)>;

// Merges every draw of the text into a copy of the archive through InsertDraw, in file order;
// only when everything succeeded is the copy given back, so a bad file changes nothing.
ImportResult ImportOperatorText(std::string_view text, DrawArchive& archive, const ImportProgress& progress = {});

} // namespace numora
