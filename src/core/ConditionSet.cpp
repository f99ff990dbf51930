#include "core/ConditionSet.h"

#include "core/FileIo.h"
#include "core/FileLock.h"
#include "core/TextHelpers.h"

#include <limits>
#include <string_view>

namespace numora {

namespace {

// A whole decimal number within 32 bits. A minus sign is accepted: a record may hold a negative
// value, which the page shows and must be able to read back, although no one can type it.
bool ParseConditionValue(std::string_view text, std::int32_t& value) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    long long v = 0;
    if (!ParseWholeNumber(text, v)) return false;
    if (negative) v = -v;
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max()) return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

} // namespace

std::string ConditionValueMessage(int condition) {
    return "Un valore della condizione nº " + std::to_string(condition) + " non è valido!";
}

std::string ConditionSet::toBytes() const {
    std::string out;
    out.reserve(Size);
    for (std::int32_t v : values) PutI32(out, v);
    for (std::uint8_t f : flags) out.push_back(static_cast<char>(f));
    return out;
}

ConditionSet ConditionSet::fromBytes(const unsigned char* p) {
    ConditionSet s;
    for (int i = 0; i < ValueCount; ++i) s.values[static_cast<std::size_t>(i)] = GetI32(p + 4 * i);
    for (std::size_t i = 0; i < s.flags.size(); ++i) s.flags[i] = p[4 * ValueCount + i];
    return s;
}

ConditionSet& Conditions() {
    static ConditionSet set;
    return set;
}

bool LoadConditions(const std::string& path, ConditionSet& set) {
    const auto bytes = ReadFileBytes(path, ConditionSet::Size);
    if (!bytes || bytes->size() < ConditionSet::Size) return false;
    set = ConditionSet::fromBytes(reinterpret_cast<const unsigned char*>(bytes->data()));
    return true;
}

bool SaveConditions(const std::string& path, const ConditionSet& set, std::string* why) {
    const FolderLock lock(DirectoryOf(path));
    if (lock.refused()) {
        if (why) *why = FolderLock::RefusedReason;
        return false;
    }
    return WriteFileAtomically(path, set.toBytes(), why);
}

bool LoadStartupConditions(const std::string& appDir, ConditionSet& set) {
    return LoadConditions(appDir + ConditionsFileName, set) || LoadConditions(appDir + OriginalConditionsFileName, set);
}

ConditionTexts ConditionTextsOf(const ConditionSet& set) {
    ConditionTexts t;
    for (int i = 0; i < ConditionSet::ValueCount; ++i)
        t.values[static_cast<std::size_t>(i)] = std::to_string(set.value(i));
    for (int k = 1; k <= ConditionCount; ++k) t.enabled[static_cast<std::size_t>(k - 1)] = set.enabled(k);
    return t;
}

std::optional<ConditionReadError> ReadConditions(const ConditionTexts& texts, ConditionSet& set) {
    // Reads one field into the record; false when it is not a number.
    auto read = [&](int field, std::int32_t& v) {
        if (!ParseConditionValue(texts.values[static_cast<std::size_t>(field)], v)) return false;
        set.values[static_cast<std::size_t>(field)] = v;
        return true;
    };
    auto fail = [](int field, std::string message) { return ConditionReadError{field, std::move(message)}; };
    for (int k = 1; k <= ConditionCount; ++k) {
        std::int32_t lo = 0, hi = 0;
        if (k >= FirstRangeCondition) {
            std::int32_t start = 0, end = 0;
            const int s = ConditionSet::RangeStartField(k), e = ConditionSet::RangeEndField(k);
            if (!ParseConditionValue(texts.values[static_cast<std::size_t>(s)], start) || start < 1 || start > 90)
                return fail(s, ConditionValueMessage(k));
            set.values[static_cast<std::size_t>(s)] = start;
            if (!ParseConditionValue(texts.values[static_cast<std::size_t>(e)], end) || end < start || end > 90)
                return fail(e, ConditionValueMessage(k));
            set.values[static_cast<std::size_t>(e)] = end;
        }
        const int mn = ConditionSet::MinimumField(k), mx = ConditionSet::MaximumField(k);
        if (!read(mn, lo)) return fail(mn, ConditionValueMessage(k));
        if (!ParseConditionValue(texts.values[static_cast<std::size_t>(mx)], hi) || hi < lo)
            return fail(mx, ConditionValueMessage(k));
        set.values[static_cast<std::size_t>(mx)] = hi;
        set.setEnabled(k, texts.enabled[static_cast<std::size_t>(k - 1)]);
    }
    std::int32_t lo = 0, hi = 0;
    if (!read(ConditionSet::MinConditionsField, lo))
        return fail(ConditionSet::MinConditionsField, MinimumConditionsMessage);
    if (!ParseConditionValue(texts.values[ConditionSet::MaxConditionsField], hi) || hi < lo)
        return fail(ConditionSet::MaxConditionsField, MaximumConditionsMessage);
    set.values[ConditionSet::MaxConditionsField] = hi;
    return std::nullopt;
}

std::optional<ConditionReadError> CheckConditions(const ConditionSet& set) {
    ConditionSet copy = set;
    return ReadConditions(ConditionTextsOf(set), copy);
}

} // namespace numora
