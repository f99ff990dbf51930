#pragma once

#include "core/DrawArchive.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace numora {

// The operator's archive text: lines YYYY/MM/DD<TAB>WHEEL<TAB>n1..n5, one per wheel and date.
// A valid line is 28 characters with single tabs; blanks may be repeated, but no line may be
// longer than this, so a file that is no draw list is refused at its first long line without
// being read any further.
inline constexpr std::size_t MaxOperatorLineLength = 256;

struct OperatorText {
    bool ok = false;
    bool cannotRead = false; // the file could not be opened or a read failed
    int errorLine = 0;       // 1-based line of the first bad line
    std::string error;       // the reason, in Italian
    // One per date, in the order the dates first appear; a wheel absent from the text holds 0.
    std::vector<DrawRecord> draws;
};

// Wheel code (BA CA FI GE MI NA PA RM TO VE, RN or NZ) to wheel 1..11; 0 when unknown.
int WheelFromCode(std::string_view code);

// Takes the text one line at a time, so a file is never held whole; memory grows with the
// number of dates only.
class OperatorTextReader {
public:
    // One line without its line end ("\r" is dropped). False at the first bad line; the
    // reason is then in result().
    bool addLine(std::string_view line);
    // A line that grew past MaxOperatorLineLength before its end: refused as it stands.
    void refuseLongLine();
    // Ends the text: result().ok is true when no line was refused.
    OperatorText& finish();
    const OperatorText& result() const { return out_; }

private:
    bool fail(std::string reason);

    OperatorText out_;
    std::unordered_map<std::uint32_t, std::size_t> byDate_;
    int lineNo_ = 0;
    bool failed_ = false;
};

OperatorText ParseOperatorText(std::string_view text);
// Reads the file in blocks, line by line.
OperatorText ReadOperatorFile(const std::string& path);

struct ImportResult {
    bool ok = false;
    int newDraws = 0;
    int changedDraws = 0; // stored draws with at least one wheel replaced or added
    std::string error;    // complete message for the user when !ok
    bool changed() const { return newDraws > 0 || changedDraws > 0; }
};

// Called every `step` draws with (done, total); returning false stops the import.
using ImportProgress = std::function<bool(int done, int total)>;

// Merges the draws into a copy of the archive, in file order: a new date goes in through
// InsertDraw; on a stored date only the wheels the text holds are written, and a wheel whose
// numbers differ counts the draw as changed; the other wheels and the reserved byte stay. Only
// when everything succeeded is the copy given back, so a bad file changes nothing.
ImportResult MergeOperatorDraws(const OperatorText& parsed, DrawArchive& archive, const ImportProgress& progress = {});
ImportResult ImportOperatorText(std::string_view text, DrawArchive& archive, const ImportProgress& progress = {});

// "Nº di nuove estrazioni: N" and "Nº di estrazioni modificate: M" on two lines ("\r\n").
std::string ImportReportText(const ImportResult& result);

} // namespace numora
