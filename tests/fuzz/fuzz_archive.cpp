// Any bytes as "Numora.dtb": loading must neither crash nor read or write out of bounds, and an
// insertion into whatever was loaded must keep the archive within its capacity.
#include "core/DrawArchive.h"
#include "core/FileIo.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace numora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("numora-fuzz-" + std::to_string(getpid()) + ".dtb")).string();
    static DrawArchive archive;
    DelayTable delays;
    FrequencyTable frequencies;
    if (!WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(data), size)) ||
        !LoadArchive(path, archive, delays, frequencies))
        return 0;
    if (archive.count() > DrawArchive::Capacity) __builtin_trap();
    if (archive.count() > 0) {
        DrawRecord r = archive.draw(1);
        try {
            InsertDraw(archive, r);
        } catch (const ArchiveError&) {
        }
        DeleteDraw(archive, 1);
        RebuildDerivedTables(archive, delays, frequencies);
    }
    return 0;
}
