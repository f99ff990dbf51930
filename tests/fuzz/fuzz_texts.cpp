// libFuzzer harness for the readers of the text files a user or an operator hands the program:
// the operator's archive text, "Numora.ini" and "Numora.smo". Built once per reader with
// NUMORA_FUZZ_READER naming it. Whatever the bytes, a reader must neither crash nor read out of
// bounds, and what it accepts must keep its own rules.
#include "core/DrawArchive.h"
#include "core/OperatorImport.h"
#include "core/Settings.h"
#include "smorfia/SmorfiaTable.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

using namespace numora;

namespace {

void OperatorArchive(std::string_view bytes) {
    const OperatorText parsed = ParseOperatorText(bytes);
    if (!parsed.ok) return;
    for (const DrawRecord& d : parsed.draws)
        if (!IsValidCalendarDate(d.day, d.month, d.year)) std::abort();
    // Merging what was accepted keeps the archive within its capacity.
    static auto* archive = new DrawArchive();
    archive->clear();
    MergeOperatorDraws(parsed, *archive);
    if (archive->count() < 0 || archive->count() > DrawArchive::Capacity) std::abort();
}

void SettingsFile(std::string_view bytes) {
    Settings s;
    ReadSettingsText(std::string(bytes), s);
    // Whatever the file says, the amounts stay usable: the writer must be able to put them back.
    Settings again;
    ReadSettingsText(SettingsText(s), again);
}

void SmorfiaFile(std::string_view bytes) {
    const std::vector<SmorfiaEntry> entries = ParseSmorfia(bytes);
    const std::vector<SmorfiaEntry> again = ParseSmorfia(SmorfiaImage(entries));
    if (again.size() != entries.size()) std::abort();
    SearchSmorfia(entries, SearchTerms(bytes.substr(0, 64)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
#if NUMORA_FUZZ_READER == 1
    OperatorArchive(bytes);
#elif NUMORA_FUZZ_READER == 2
    SettingsFile(bytes);
#elif NUMORA_FUZZ_READER == 3
    SmorfiaFile(bytes);
#else
#error "NUMORA_FUZZ_READER names the reader"
#endif
    return 0;
}
