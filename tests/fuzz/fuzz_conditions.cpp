// libFuzzer harness for "Condizioni.def": any bytes as the file. A record that loads goes back to
// its file byte for byte; one its checks accept reads back from the page it shows to the same
// record (a flag byte reads back as on or off); and the conditions measure any play without failing.
#include "conditions/ConditionedReduction.h"
#include "core/ConditionSet.h"
#include "core/DrawArchive.h"
#include "core/FileIo.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace numora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/numora-fuzz-" + std::to_string(getpid()) + ".def";
    if (!WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(data), size))) std::abort();
    ConditionSet set;
    if (!LoadConditions(path, set)) {
        if (size >= ConditionSet::Size) std::abort();
        return 0;
    }
    if (set.toBytes() != std::string(reinterpret_cast<const char*>(data), ConditionSet::Size)) std::abort();
    if (!CheckConditions(set)) {
        ConditionSet again;
        if (ReadConditions(ConditionTextsOf(set), again) || again.values != set.values) std::abort();
        for (int k = 1; k <= ConditionCount; ++k)
            if (again.enabled(k) != set.enabled(k)) std::abort();
    }
    static const DelayTable delays{};
    static const FrequencyTable frequencies{};
    const ConditionFilter filter = MakeConditionFilter(set, delays, frequencies);
    Play play;
    for (std::size_t k = 0; k < play.numbers.size(); ++k)
        play.numbers[k] = static_cast<std::uint8_t>(1 + (size * 7 + k * 13) % 90);
    PlayPasses(play, filter, {}, nullptr);
    return 0;
}
