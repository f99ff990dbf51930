#pragma once
// The conditions of the conditioned reduction: the 132-byte record kept in "Condizioni.def" (and
// shipped as "Condizioni.ori"), its file, and the reading of the conditions page into it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace numora {

inline constexpr const char* ConditionsFileName = "Condizioni.def";
inline constexpr const char* OriginalConditionsFileName = "Condizioni.ori";
inline constexpr int ConditionCount = 11;
// The conditions 9..11 count the numbers of a play that fall in a range.
inline constexpr int FirstRangeCondition = 9;

inline constexpr const char* ConditionsWriteErrorMessage =
    "Si è verificato un errore durante la scrittura sul disco.\r\n"
    "Probabilmente l'unità dalla quale è stato eseguito Numora è di sola lettura.";
inline constexpr const char* ConditionsSavedMessage = "Condizioni salvate con successo.";
inline constexpr const char* MinimumConditionsMessage = "Il valore del numero minimo di condizioni non è valido!";
inline constexpr const char* MaximumConditionsMessage = "Il valore del numero massimo di condizioni non è valido!";
// "Un valore della condizione nº " + k + " non è valido!"
std::string ConditionValueMessage(int condition);

// The record as it is in the file: thirty signed 32-bit values in file order, then one flag byte
// per condition and a reserved byte. Values 0..15 are minimum and maximum of conditions 1..8;
// 16..27 start, end, minimum and maximum count of conditions 9..11; 28 and 29 the minimum and
// maximum number of satisfied conditions. A flag byte other than 0 means on; the bytes are kept
// as they came, so a record goes back to its file byte for byte.
struct ConditionSet {
    static constexpr std::size_t Size = 132;
    static constexpr int ValueCount = 30;
    static constexpr int MinConditionsField = 28;
    static constexpr int MaxConditionsField = 29;

    std::array<std::int32_t, ValueCount> values{};
    std::array<std::uint8_t, 12> flags{}; // conditions 1..11, then the reserved byte

    // The index in `values` of each bound of condition k (1..11).
    static int MinimumField(int k) {
        return k < FirstRangeCondition ? 2 * (k - 1) : 16 + 4 * (k - FirstRangeCondition) + 2;
    }
    static int MaximumField(int k) { return MinimumField(k) + 1; }
    static int RangeStartField(int k) { return 16 + 4 * (k - FirstRangeCondition); }
    static int RangeEndField(int k) { return RangeStartField(k) + 1; }
    // The condition a value belongs to, 0 for the number of conditions.
    static int ConditionOfField(int field) {
        return field < 16 ? field / 2 + 1 : (field < MinConditionsField ? FirstRangeCondition + (field - 16) / 4 : 0);
    }

    std::int32_t value(int field) const { return values[static_cast<std::size_t>(field)]; }
    std::int32_t minimum(int k) const { return value(MinimumField(k)); }
    std::int32_t maximum(int k) const { return value(MaximumField(k)); }
    std::int32_t rangeStart(int k) const { return value(RangeStartField(k)); }
    std::int32_t rangeEnd(int k) const { return value(RangeEndField(k)); }
    std::int32_t minConditions() const { return value(MinConditionsField); }
    std::int32_t maxConditions() const { return value(MaxConditionsField); }
    bool enabled(int k) const { return flags[static_cast<std::size_t>(k - 1)] != 0; }
    void setEnabled(int k, bool on) { flags[static_cast<std::size_t>(k - 1)] = on ? 1 : 0; }

    std::string toBytes() const;
    // The first 132 bytes of p.
    static ConditionSet fromBytes(const unsigned char* p);

    bool operator==(const ConditionSet&) const = default;
};

// The program's one record: loaded at start-up, changed by every accepted reading of the page.
ConditionSet& Conditions();

// Reads the first 132 bytes of the file into set; false, leaving set as it was, when the file is
// missing, unreadable or shorter.
bool LoadConditions(const std::string& path, ConditionSet& set);
// Writes the record through a temporary file; on failure the old file stays and *why says why.
[[nodiscard]] bool SaveConditions(const std::string& path, const ConditionSet& set, std::string* why = nullptr);
// The start-up read of AppDir (ending with its separator): "Condizioni.def", or "Condizioni.ori"
// when there is no readable "Condizioni.def" yet (a fresh installation). False when neither is.
bool LoadStartupConditions(const std::string& appDir, ConditionSet& set);

// The conditions page as text: the thirty fields in record order and the eleven check boxes.
struct ConditionTexts {
    std::array<std::string, ConditionSet::ValueCount> values;
    std::array<bool, ConditionCount> enabled{};
};
// What the page shows for a record: every value as decimal text, every flag as its box.
ConditionTexts ConditionTextsOf(const ConditionSet& set);

struct ConditionReadError {
    int field = 0; // the value index whose control receives the focus
    std::string message;
};
// Reads the page into set in the order of the record (per condition its values, then its flag;
// last the number of conditions), storing each value as soon as it is accepted, so that a failure
// leaves the values read before it stored. A value is a whole decimal number (an empty field is
// not); a maximum is not below its minimum; a range lies in 1..90 with its end not below its
// start. Nothing when every value is accepted.
std::optional<ConditionReadError> ReadConditions(const ConditionTexts& texts, ConditionSet& set);
// The same checks on a record as it stands (the command line's file).
std::optional<ConditionReadError> CheckConditions(const ConditionSet& set);

} // namespace numora
