#include "archive/DrawEntry.h"

#include "core/TextHelpers.h"

namespace numora {

std::string InvalidWheelMessage(int wheel) {
    return "La ruota \"" + std::string(WheelName(wheel)) + "\" contiene dei valori non validi!";
}

std::string RepeatedNumbersMessage(int wheel) {
    return "Alcuni numeri della ruota \"" + std::string(WheelName(wheel)) + "\" sono identici!";
}

DrawEntryResult BuildDrawRecord(const DrawEntryText& text) {
    DrawEntryResult r;
    const DateParse date = ParseDate(TrimBlanks(text.date));
    if (!date.ok) {
        r.fault = DrawEntryFault::Date;
        r.message = InvalidDateMessage;
        return r;
    }
    r.record.day = date.day;
    r.record.month = date.month;
    r.record.year = date.year;

    for (int w = 1; w <= WheelCount; ++w)
        for (int k = 0; k < NumbersPerWheel; ++k) {
            long long v = 0;
            if (!ParseWholeNumber(TrimBlanks(text.cell(w, k)), v) || v < 1 || v > MaxNumber) {
                r.fault = DrawEntryFault::Value;
                r.wheel = w;
                r.position = k;
                r.message = InvalidWheelMessage(w);
                return r;
            }
            r.record.setNumber(w, k, static_cast<std::uint8_t>(v));
        }

    for (int w = 1; w <= WheelCount; ++w)
        for (int k = 1; k < NumbersPerWheel; ++k)
            for (int q = 0; q < k; ++q)
                if (r.record.number(w, q) == r.record.number(w, k)) {
                    r.fault = DrawEntryFault::Repeated;
                    r.wheel = w;
                    r.position = k;
                    r.message = RepeatedNumbersMessage(w);
                    return r;
                }

    r.ok = true;
    return r;
}

DrawEntryText EntryTextOf(const DrawRecord& draw) {
    DrawEntryText t;
    t.date = DateText(draw);
    for (int w = 1; w <= WheelCount; ++w)
        for (int k = 0; k < NumbersPerWheel; ++k) {
            const int n = draw.number(w, k);
            // A wheel that was not drawn on that date holds 0; it shows as an empty cell.
            t.cell(w, k) = n == 0 ? std::string() : std::to_string(n);
        }
    return t;
}

} // namespace numora
