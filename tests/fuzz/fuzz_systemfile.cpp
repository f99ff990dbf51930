// libFuzzer harness for the ".lpc" reader: every input is written to a file and loaded; a
// file that loads must save and load again to the same image.
#include "core/PlaySystem.h"
#include "core/SystemFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

const std::string& TempPath() {
    static const std::string path = [] {
        std::string p = "/tmp/numora-fuzz-" + std::to_string(getpid()) + ".lpc";
        std::atexit([] { std::remove(TempPath().c_str()); });
        return p;
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Allocated once: the two play arrays are 6.4 MB each. The state left by an input is the
    // starting state of the next, which LoadSystem must cope with anyway.
    static auto* system = new numora::PlaySystem();
    static auto* again = new numora::PlaySystem();

    std::FILE* f = std::fopen(TempPath().c_str(), "wb");
    if (f == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);

    numora::LoadSystemResult r = numora::LoadSystem(TempPath(), *system);
    if (system->list.count() < 0 || system->list.count() > numora::PlayList::Capacity) std::abort();
    if (system->forecast.fixedCount < 0 || system->forecast.fixedCount > 9) std::abort();
    if (r == numora::LoadSystemResult::Ok) {
        const std::string image = numora::SystemFileImage(*system);
        if (numora::LoadSystemImage(image, *again) != numora::LoadSystemResult::Ok) std::abort();
        if (numora::SystemFileImage(*again) != image) std::abort();
    } else if (r == numora::LoadSystemResult::Corrupt && system->list.count() != 0) {
        std::abort();
    }
    return 0;
}
