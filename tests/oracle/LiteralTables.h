#pragma once

#include "core/DrawArchive.h"

namespace numora::oracle {

// The derived tables computed exactly as documented: one backward scan per number and wheel.
inline void LiteralRebuild(const DrawArchive& a, DelayTable& delays, FrequencyTable& freq) {
    const int n = a.count();
    freq = FrequencyTable{};
    const int back = n >= 100 ? 99 : n - 1;
    for (int w = 1; w <= 11; ++w)
        for (int j = n - back; j <= n && n > 0; ++j)
            for (int k = 0; k < 5; ++k) {
                const int x = a.draw(j).number(w, k);
                if (x > 90) continue;
                ++freq.at(w, x);
                if (w <= 10) ++freq.at(12, x);
            }
    delays = DelayTable{};
    for (int x = 1; x <= 90; ++x) {
        delays.at(12, x) = n;
        for (int w = 1; w <= 11; ++w) {
            int found = 0;
            for (int j = n; j >= 1; --j)
                if (a.draw(j).hasNumber(w, x)) {
                    found = j;
                    break;
                }
            const int d = found ? n - found : n - 1;
            delays.at(w, x) = d;
            if (w <= 10 && d < delays.at(12, x)) delays.at(12, x) = d;
        }
    }
}

} // namespace numora::oracle
