#pragma once
// The real archive for the benchmarks: $NUMORA_SHARED_DATA/storico.txt, else
// ../shared/data/storico.txt, read once; null when it is absent or unreadable, and the benchmark
// then skips or falls back on seeded data.
#include "core/DrawArchive.h"
#include "core/FileIo.h"
#include "core/OperatorImport.h"

#include <cstdlib>
#include <memory>
#include <string>

namespace numora::bench {

inline const DrawArchive* RealArchive() {
    static const std::unique_ptr<DrawArchive> archive = [] {
        const char* dir = std::getenv("NUMORA_SHARED_DATA");
        const auto text = ReadFileBytes(std::string(dir ? dir : "../shared/data") + "/storico.txt");
        auto a = std::make_unique<DrawArchive>();
        if (!text || !ImportOperatorText(*text, *a).ok) return std::unique_ptr<DrawArchive>();
        return a;
    }();
    return archive.get();
}

} // namespace numora::bench
