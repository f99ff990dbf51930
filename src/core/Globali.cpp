#include "core/Globali.h"

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

bool Globali::loadArchive(ArchiveLoadReport* report) {
    lastLoad = ArchiveLoadReport{};
    const bool found = LoadArchive(path(ArchiveFileName), archive, delays, frequencies, &lastLoad);
    // The draws beyond the capacity would be gone with the next save: keep the whole file aside.
    if (lastLoad.truncated && !FileExists(path(OversizedArchiveCopy)))
        lastLoad.copied = CopyFileOver(path(ArchiveFileName), path(OversizedArchiveCopy));
    if (report) *report = lastLoad;
    return found;
}

bool Globali::saveArchive() { return SaveArchive(path(ArchiveFileName), archive, delays, frequencies, random); }

void Globali::readSettings() { ReadSettings(path(SettingsFileName), settings); }

WriteResult Globali::writeSettings() { return WriteSettings(path(SettingsFileName), settings, readOnly); }

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
    g.appDir = WithTrailingSeparator(executableDir);
    g.store = &store;
    g.readOnly = !DirectoryIsWritable(g.appDir);
    g.system.forecast.clear();
    g.loadArchive();
    g.readSettings();
    if (g.loadConditions) g.loadConditions();
    g.readCalibration();
    g.installationId = InstallationId(store, g.random);
}

} // namespace numora
