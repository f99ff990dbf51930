#pragma once

#include "core/PlaySystem.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace numora {

// The ".lpc" layout of format byte 2. Formats 0 and 1 lack bytes 1..1440: their forecast
// flags follow the format byte and everything after is shifted down by LegacyShift.
namespace lpc {
inline constexpr std::uint8_t CurrentFormat = 2;
inline constexpr std::size_t FormatOffset = 0;
inline constexpr std::size_t Probabilities1Offset = 1;
inline constexpr std::size_t Probabilities2Offset = 721;
inline constexpr std::size_t ChosenOffset = 1441;
inline constexpr std::size_t FixedOffset = 1531;
inline constexpr std::size_t FixedCountOffset = 1540;
inline constexpr std::size_t ProbabilitiesOffset = 1544; // the copy that is read back
inline constexpr std::size_t CountOffset = 2264;
inline constexpr std::size_t PlaysOffset = 2268;
inline constexpr std::size_t ProbabilitiesSize = 720;
inline constexpr std::size_t LegacyShift = 1440;
inline constexpr int MaxFixed = 9;
} // namespace lpc

inline constexpr const char* SystemFileExtension = ".lpc";

inline constexpr const char* UnsavedSystemQuestion = "Il sistema attuale non è stato salvato!\rVuoi salvarlo ?";
inline constexpr const char* IncompatibleSystemMessage =
    "Questa versione non è compatibile con la versione usata per creare il sistema da aprire.";
inline constexpr const char* OpenSystemErrorMessage = "Si è verificato un errore durante l'apertura del sistema.";
inline constexpr const char* SaveSystemErrorMessage =
    "Si è verificato un errore durante il salvataggio del sistema!\rImpossibile scrivere sul disco.\r"
    "Il sistema non è stato salvaro";
inline constexpr const char* NoPlaysToDeleteMessage = "Non ci sono giocate da eliminare!";
inline constexpr const char* DeleteAllPlaysQuestion = "Sei sicuro di voler eliminare tutte le giocate ?";
inline constexpr const char* NoPlaysToRestoreMessage = "Non ci sono giocate da ripristinare!";
inline constexpr const char* OpenSystemDialogTitle = "Apri sistema Numora";
inline constexpr const char* SaveSystemDialogTitle = "Salva sistema Numora";
inline constexpr const char* SystemFileFilter = "*.lpc (File Numora)|*.lpc|*.* (Tutti i file)|*.*";

// "Sostituire le attuali " + N + " giocate con le " + undo count + " vecchie giocate ?"
std::string UndoQuestion(int count, int undoCount);
// "Numora - [" + file name + "]" and "Salva " + file name, shown after "Nuovo" and "Apri".
std::string SystemWindowTitle(const std::string& path);
std::string SaveMenuCaption(const std::string& path);

// appDir + "Sistema" + N + ".lpc" for the first N in 1..100 whose file does not exist; 101 when
// all of them exist. appDir ends with the separator.
std::string DefaultSystemPath(const std::string& appDir);

// Zeroes every play slot, N = 0, clears the forecast. The current path, the custom
// probabilities, the undo snapshot and the modified flag are not touched.
void NewSystem(PlaySystem& system);

// The whole file, format byte 2: 2268 + 64 * N bytes.
std::string SystemFileImage(const PlaySystem& system);
// Writes the image through a temporary file beside path; a failed save returns false and
// leaves the previous file as it was.
[[nodiscard]] bool SaveSystem(const std::string& path, const PlaySystem& system, std::string* why = nullptr);

enum class LoadSystemResult {
    Ok,
    CannotOpen,   // the file cannot be opened for reading
    Incompatible, // format byte above 2: show IncompatibleSystemMessage, then OpenSystemErrorMessage
    Corrupt,      // short file, a count out of range, or a value no program could have written
};

// Reads a system file into system; the undo snapshot, the modified flag and the current path
// are never touched. CannotOpen and Incompatible change nothing. A Corrupt file leaves what was read and accepted
// before the failure, field group by field group in file order (the custom probabilities, the forecast flags, the fixed
// numbers with their count); a group not accepted keeps what it held. The plays are all or nothing: they are copied
// only when N is in 0..100000, the file holds all N plays and every play is sound; a Corrupt result always leaves the
// list empty (count 0), never a partly read or unchecked play. Accepted: fixed count 0..9 with each counted fixed
// number in 1..90 and none twice (entries past the count are stored as 0); every number byte of a play in 0..90 with no
// number twice; no wheel mask bit above "Tutte" (bit 11); every stake finite and >= 0.
// A forecast flag byte counts as chosen only when it is 1. Bytes after play N are ignored.
LoadSystemResult LoadSystem(const std::string& path, PlaySystem& system);
// The same on a file image held in memory.
LoadSystemResult LoadSystemImage(std::string_view bytes, PlaySystem& system);

} // namespace numora
