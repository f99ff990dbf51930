#pragma once

#include "core/TextHelpers.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace numora {

inline constexpr const char* SmorfiaFileName = "Numora.smo";

// One record of "Numora.smo": 82 bytes, the length of the meaning (0..80), 80 bytes of
// Windows-1252 text of which the first length count, and the number.
struct SmorfiaEntry {
    static constexpr std::size_t RecordSize = 82;
    static constexpr std::size_t MaxText = 80;
    int number = 0;
    std::string text; // Windows-1252, as in the file
};

// The texts are converted at the file boundary with Cp1252ToUtf8 and Utf8ToCp1252 (core/TextHelpers.h).

// Every whole record of the bytes in file order; a length above 80 counts as 80 and a partial
// record at the end is ignored.
std::vector<SmorfiaEntry> ParseSmorfia(std::string_view bytes);
// The file's entries; a missing or unreadable file gives none.
std::vector<SmorfiaEntry> ReadSmorfia(const std::string& path);
// The file image of the entries, each text cut to 80 bytes.
std::string SmorfiaImage(const std::vector<SmorfiaEntry>& entries);

// The entry as the windows show it: the first character in upper case (ASCII letters only).
std::string DisplayedMeaning(std::string_view cp1252);

// The capital of a Windows-1252 letter that has one there (a..z, à..þ but ÷, š, œ, ž, ÿ);
// every other byte (ß and µ included) as it is.
unsigned char Cp1252Upper(unsigned char c);
// ASCII letters only, as the editor lowers a description before saving it.
std::string AsciiLower(std::string_view s);

// The search box's text as terms: runs of blanks as one, trimmed, split at the blanks; empty
// when nothing is left.
std::vector<std::string> SearchTerms(std::string_view text);

// The search of the smorfia window over the entries (terms in UTF-8): for each entry the first
// matching term decides; a term matches inside the meaning (letters compared by their capitals)
// or as the exact decimal of the number. Entries matched at the start of the meaning or by
// number come first, the most recently read first, then the rest in file order. Returns the
// indices into entries.
std::vector<std::size_t> SearchSmorfia(const std::vector<SmorfiaEntry>& entries, const std::vector<std::string>& terms);

} // namespace numora
