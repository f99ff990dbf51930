#pragma once

#include "core/DrawArchive.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace numora {

inline constexpr const char* UpdateFileName = "aggio.dat";
inline constexpr const char* UpdateMessageFileName = "Msg.rtf";
// Left behind by older versions of the program; removed with the other two.
inline constexpr const char* UpdateHeaderFileName = "Aggio.hea";

// A file with fewer draws than this is not a genuine update: the server always sends the
// recent draws, including ones already archived.
inline constexpr int MinUpdateDraws = 50;
inline constexpr std::size_t MaxUpdateFileSize = 32768;
// Only more than this many bytes after the draws make a message; fewer are padding.
inline constexpr std::size_t UpdateMessageThreshold = 10;

enum class UpdateFileError {
    None,
    NoCount,     // fewer than the two bytes of the count
    TooFewDraws, // count below MinUpdateDraws
    Truncated,   // shorter than the count says
    TooLarge,    // above MaxUpdateFileSize
    BadDate,     // a draw dated on a day the calendar does not have, or outside 1900..2100
    BadNumber,   // a draw holding a number above 90
};

struct UpdateFileContent {
    UpdateFileError error = UpdateFileError::None;
    int badDraw = 0;               // 1-based position in the file of the draw that was refused
    std::string reason;            // what was wrong, in Italian, for the log and for the tests
    std::vector<DrawRecord> draws; // in file order; empty unless the whole file is sound
    bool hasMessage = false;
    std::string message; // the bytes after the draws, when they make a message

    bool ok() const { return error == UpdateFileError::None; }
};

// Checks the whole file before anything uses it: a single bad draw refuses it all.
UpdateFileContent ReadUpdateFile(std::string_view bytes);

// Wheels whose five numbers are all there (a wheel not drawn that day holds zeros).
int DrawnWheels(const DrawRecord& d);

struct UpdateMergeResult {
    bool ok = false;
    int newDraws = 0;
    int replaced = 0;     // stored draws the file corrected
    int refused = 0;      // draws that would have replaced a stored draw with fewer drawn wheels
    bool changed = false; // the archive differs from what it was
    std::string error;    // InsertDraw's refusal when !ok
};

// Inserts the draws, in order, into `work` (the caller's copy of the archive) and counts those
// that made the archive grow. A draw for a stored date replaces it only when it has at least as
// many drawn wheels: an update may correct a draw, never empty it. On failure `work` is left
// half-merged: the caller drops the copy.
UpdateMergeResult MergeUpdateDraws(const std::vector<DrawRecord>& draws, DrawArchive& work);

// The last `count` draws of the archive (all of them when it holds fewer), oldest first.
std::vector<DrawRecord> MostRecentDraws(const DrawArchive& archive, int count);

// The file image the server sends: the count, the draws and the message bytes as they are.
// The count field holds 16 bits, so at most 65535 draws are written.
std::string BuildUpdateFile(const std::vector<DrawRecord>& draws, std::string_view message = {});

} // namespace numora
