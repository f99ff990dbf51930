#pragma once

#include "core/DrawArchive.h"
#include "core/PlaySystem.h"
#include "core/Random.h"
#include "core/Settings.h"

#include <functional>
#include <memory>
#include <string>

namespace numora {

// Every process-wide datum of the program, created once at start-up and kept until exit.
// Windows and commands reach them through Globals(); engines take what they need as arguments.
inline constexpr const char* OversizedArchiveCopy = "Numora.dtb.completo";

// Shown at start (and by the commands that would save) when "Numora.dtb" exists but could not be
// opened or read: nothing was loaded, and the archive is not saved for the rest of the run.
inline constexpr const char* UnreadableArchiveMessage =
    "Impossibile leggere il file Numora.dtb: l'archivio storico non è stato caricato.\r\n"
    "Per non perdere le estrazioni che contiene, l'archivio non verrà modificato fino alla chiusura di Numora.\r\n"
    "Controllare il file (permessi, disco) e riavviare Numora.";

// What to tell the user after a load that found more draws than the capacity: how many the file
// holds, how many were loaded, and where the whole file was kept (or that it could not be).
std::string OversizedArchiveMessage(const ArchiveLoadReport& report);

struct Globali {
    std::string appDir; // ends with the platform's separator
    bool readOnly = false;
    // The folder of the executable and its installation files; AppDir too unless it is read-only
    // and userDataDir (set by the program entry before start-up) took its place.
    std::string programDir;
    std::string userDataDir;
    std::string dataFolderProblem; // why userDataDir could not be used, when it could not

    DrawArchive archive;
    ArchiveLoadReport lastLoad; // what the last loadArchive() found in the file
    DelayTable delays;
    FrequencyTable frequencies;

    Settings settings;
    std::string installationId;

    StdRandom random;
    KeyValueStore* store = nullptr; // the per-user store; owned by the program entry

    // The plays, their undo snapshot, the modified flag, the custom probabilities, the current
    // system path and the forecast.
    PlaySystem system;

    std::string path(const std::string& fileName) const { return appDir + fileName; }

    // Loads AppDir's archive; false when there is no file. A file beyond the capacity is kept
    // aside whole first (lastLoad tells where); an unreadable one leaves the archive empty and
    // locked against saving (archiveUnreadable()).
    [[nodiscard]] bool loadArchive(ArchiveLoadReport* report = nullptr);
    // Saves the archive; false when refused or failed, with lastSaveError saying why.
    [[nodiscard]] bool saveArchive() { return saveArchive(archive); }
    // Writes `candidate` as the archive file (the update writes its merge before adopting it);
    // the candidate then remembers the file it wrote, as the archive does after its own save.
    [[nodiscard]] bool saveArchive(DrawArchive& candidate);
    bool archiveUnreadable() const { return archive.fromUnreadableFile(); }
    std::string lastSaveError; // the message for the user after a failed saveArchive()
    int insertDraw(const DrawRecord& record) { return InsertDraw(archive, record); }
    void deleteDraw(int i) { DeleteDraw(archive, i); }
    void rebuildDerivedTables() { RebuildDerivedTables(archive, delays, frequencies); }

    void readSettings();
    WriteResult writeSettings();
    void readCalibration();
    void writeCalibration();
};

Globali& Globals();

// Runs the data-layer start-up in its order: random seed, AppDir, the write test, the
// forecast cleared, the archive, the settings, the conditions, the calibration and the
// installation identifier.
void StartDataLayer(Globali& g, const std::string& executableDir, KeyValueStore& store);

// The write test alone: false when "tmptmp.tmp" cannot be created and written in dir.
bool DirectoryIsWritable(const std::string& dir);

} // namespace numora
