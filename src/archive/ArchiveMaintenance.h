#pragma once

#include "core/DrawArchive.h"

#include <string>

namespace numora {

// Replaces draw `index` with `record`, which then stands in its own date order: the old draw
// goes, the new one is inserted, and a date equal to another draw's replaces that draw.
// Returns the new index. The work is done on a copy, so when InsertDraw refuses the record
// (impossible date) the ArchiveError leaves the archive exactly as it was.
int ReplaceDraw(DrawArchive& archive, int index, const DrawRecord& record);

// Deletes draws first..last (1 <= first <= last <= count), the last one first.
void DeleteDrawRange(DrawArchive& archive, int first, int last);

// "Eliminare l'estrazione nº 7 del 5/3/2004 ?"
std::string DeleteDrawQuestion(int index, const DrawRecord& draw);
// "Eliminare le estrazioni dalla nº 5 alla nº 7 ?"
std::string DeleteRangeQuestion(int first, int last);
// Asked before an edited draw replaces the draw already on its new date (No preselected):
// "L'estrazione nº 14 del 10/6/2014 ha la stessa data: sostituirla con quella modificata ?"
std::string ReplaceOtherDrawQuestion(int index, const DrawRecord& draw);
// "nº 7 del 5/3/2004": how the range window names a draw after its caption.
std::string DrawReference(int index, const DrawRecord& draw);

// Copies appDir's "Numora.dtb" into folder (a separator is added when missing), overwriting.
[[nodiscard]] bool BackupArchiveFile(const std::string& appDir, const std::string& folder);
// What a failed backup tells the user: that there is no archive file yet, that appDir's file
// could not be read, or else that the chosen folder could not be written.
std::string BackupFailureMessage(const std::string& appDir);
// Copies folder's "Numora.dtb" over appDir's; false, with appDir's file untouched, when the
// backup is missing or the copy fails.
[[nodiscard]] bool RestoreArchiveFile(const std::string& folder, const std::string& appDir);

// Shown instead of a draw when the archive holds none.
inline constexpr const char* EmptyArchiveMessage = "L'archivio storico non contiene nessuna estrazione.";

} // namespace numora
