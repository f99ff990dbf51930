#include "core/Globali.h"

#include "core/ConditionSet.h"

#include "core/DataFolder.h"
#include "core/FileIo.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

namespace numora {

Globali& Globals() {
    static Globali g;
    return g;
}

namespace {

bool SameBytes(const std::string& a, const std::string& b) {
    if (FileSize(a) != FileSize(b)) return false;
    const auto x = ReadFileBytes(a);
    const auto y = ReadFileBytes(b);
    return x && y && *x == *y;
}

} // namespace

std::string OversizedArchiveMessage(const ArchiveLoadReport& report) {
    std::string text = "Il file Numora.dtb contiene " + std::to_string(report.recordsInFile) +
                       " estrazioni: l'archivio storico ne può contenere al massimo " +
                       std::to_string(DrawArchive::Capacity) + ", sono state caricate le prime " +
                       std::to_string(DrawArchive::Capacity) + ".\r";
    if (report.copied)
        text += "Il file completo è conservato come " + report.keptAs + ".";
    else
        text += "Impossibile conservare una copia del file completo: salvando l'archivio le estrazioni in eccesso "
                "andranno perse.";
    return text;
}

bool Globali::loadArchive(ArchiveLoadReport* report) {
    const bool found = LoadArchive(path(ArchiveFileName), archive, delays, frequencies, &lastLoad);
    // The draws beyond the capacity would be gone with the next save: keep the whole file aside,
    // under the first free name, unless an earlier start already kept these very bytes.
    for (int k = 0; lastLoad.truncated && !lastLoad.copied && k < 100; ++k) {
        const std::string copy = path(OversizedArchiveCopy) + (k == 0 ? std::string() : std::to_string(k));
        if (PathExists(copy) && !SameBytes(copy, path(ArchiveFileName))) continue;
        lastLoad.copied = PathExists(copy) || CopyFileOver(path(ArchiveFileName), copy);
        if (lastLoad.copied) lastLoad.keptAs = copy;
        break;
    }
    if (report) *report = lastLoad;
    return found;
}

bool Globali::saveArchive(DrawArchive& candidate) {
    lastSaveError.clear();
    if (archiveUnreadable()) {
        lastSaveError = UnreadableArchiveMessage;
        return false;
    }
    std::string why;
    if (SaveArchive(path(ArchiveFileName), candidate, delays, frequencies, random, &why)) return true;
    lastSaveError = readOnly ? std::string(ReadOnlyMessage)
                             : "Impossibile salvare l'archivio storico nel file " + path(ArchiveFileName) + ": " + why +
                                   ".\r\nL'archivio non è stato modificato.";
    return false;
}

void Globali::readSettings() {
    ReadSettings(path(SettingsFileName), settings);
}

WriteResult Globali::writeSettings() {
    return WriteSettings(path(SettingsFileName), settings, readOnly);
}

void Globali::readCalibration() {
    if (store) ReadCalibration(*store, settings);
}

void Globali::writeCalibration() {
    if (store) WriteCalibration(*store, settings);
}

bool DirectoryIsWritable(const std::string& dir) {
    const std::string probe = dir + "tmptmp.tmp";
    bool ok = false;
    if (std::FILE* f = std::fopen(probe.c_str(), "wb")) {
        const std::uint8_t zero[4] = {0, 0, 0, 0};
        ok = std::fwrite(zero, 1, sizeof zero, f) == sizeof zero;
        ok = std::fclose(f) == 0 && ok;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (FileExists(probe)) RemoveFile(probe);
    return ok;
}

void StartDataLayer(Globali& g, const std::string& executableDir, KeyValueStore& store) {
    g.random.seedFromClock();
    g.programDir = WithTrailingSeparator(executableDir);
    const DataFolderChoice data = ChooseDataFolder(g.programDir, g.userDataDir, DirectoryIsWritable);
    g.appDir = data.folder;
    g.dataFolderProblem = data.problem;
    g.store = &store;
    g.readOnly = !DirectoryIsWritable(g.appDir);
    // An interrupted save leaves its temporary file; nothing else ever names one like it.
    if (!g.readOnly)
        RemoveStaleTemporaryFiles(g.appDir,
                                  {ArchiveFileName, OversizedArchiveCopy, SettingsFileName, ConditionsFileName,
                                   "Numora.smo", "aggio.dat", "Msg.rtf"},
                                  {".lpc"});
    g.system.forecast.clear();
    // A missing file is an empty archive; what the file held is in lastLoad.
    static_cast<void>(g.loadArchive());
    g.readSettings();
    static_cast<void>(LoadStartupConditions(g.appDir, Conditions()));
    g.readCalibration();
    g.installationId = InstallationId(store, g.random);
}

} // namespace numora
