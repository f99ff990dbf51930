#include "probability/NumberProbability.h"

#include "core/Ranking.h"
#include "core/TextHelpers.h"
#include "core/Types.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace numora {

namespace {

constexpr int Numbers = 90;

bool ReadPercentage(const std::string& text, double& value) {
    return ParsePercentage(text, value) && value >= 0.0 && value <= 100.0;
}

// Delay and frequency of every number over the window in a single backward pass.
struct WindowCounts {
    std::array<int, Numbers + 1> latest{}; // the latest draw of the window holding n; 0: none
    std::array<int, Numbers + 1> freq{};
};

WindowCounts CountWindow(const DrawArchive& draws, WheelSet wheels, DrawWindow window, bool needFrequency) {
    WindowCounts c;
    int wheelList[WheelCount];
    int wheelsUsed = 0;
    for (int w = 1; w <= WheelCount; ++w)
        if (Counts(wheels, w)) wheelList[wheelsUsed++] = w;
    int missing = Numbers;
    for (int d = window.end; d >= window.start; --d) {
        if (!needFrequency && missing == 0) break;
        const DrawRecord& r = draws.draw(d);
        for (int i = 0; i < wheelsUsed; ++i)
            for (int k = 0; k < NumbersPerWheel; ++k) {
                const int n = r.number(wheelList[i], k);
                if (n < 1 || n > Numbers) continue;
                ++c.freq[static_cast<std::size_t>(n)];
                if (c.latest[static_cast<std::size_t>(n)] == 0) {
                    c.latest[static_cast<std::size_t>(n)] = d;
                    --missing;
                }
            }
    }
    return c;
}

} // namespace

bool ParsePercentage(std::string_view text, double& value) {
    text = TrimBlanks(text);
    if (text.empty()) return false;
    // Digits with at most one decimal point and an optional leading minus: nothing else.
    std::size_t i = text.front() == '-' ? 1 : 0;
    bool digits = false, point = false;
    for (std::size_t k = i; k < text.size(); ++k) {
        if (text[k] >= '0' && text[k] <= '9') {
            digits = true;
        } else if (text[k] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (!digits) return false;
    double v = 0.0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::fixed);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

NumberProbabilities ComputeNumberProbabilities(const DrawArchive& draws, const ProbabilityCriteria& c) {
    NumberProbabilities out;
    const DrawWindowReading w = ReadDrawWindow(c.startText, c.endText, draws.count());
    if (!w.ok) {
        out.message = w.message;
        return out;
    }
    double dlo = 0, dhi = 0, fmost = 0, fleast = 0;
    if (c.delayOn) {
        if (!ReadPercentage(c.dloText, dlo)) return out.message = InvalidDloMessage, out;
        if (!ReadPercentage(c.dhiText, dhi)) return out.message = InvalidDhiMessage, out;
        if (dhi < dlo) return out.message = MinAboveMaxMessage, out;
    }
    if (c.frequencyOn) {
        if (!ReadPercentage(c.fmostText, fmost)) return out.message = InvalidFmostMessage, out;
        if (!ReadPercentage(c.fleastText, fleast)) return out.message = InvalidFleastMessage, out;
        if (fleast < fmost) return out.message = MinAboveMaxMessage, out;
    }
    if (dhi + fleast > 100) return out.message = MaximaAbove100Message, out;
    if (!(dhi + fleast > dlo + fmost)) return out.message = MaximaNotAboveMinimaMessage, out;

    const int start = w.window.start, end = w.window.end;
    const WindowCounts counts = CountWindow(draws, c.wheels, w.window, c.frequencyOn);
    std::array<double, Numbers> delayScore{}, freqScore{};
    if (c.delayOn) {
        std::array<double, Numbers> delay{};
        for (int n = 1; n <= Numbers; ++n) {
            const int latest = counts.latest[static_cast<std::size_t>(n)];
            delay[static_cast<std::size_t>(n - 1)] = latest == 0 ? end - start : end - latest;
        }
        double minD = delay[0], maxD = delay[0];
        for (double d : delay) {
            if (d < minD) minD = d;
            if (d > maxD) maxD = d;
        }
        if (maxD - minD > 0)
            for (int i = 0; i < Numbers; ++i)
                delayScore[static_cast<std::size_t>(i)] =
                    dlo + (dhi - dlo) * (delay[static_cast<std::size_t>(i)] - minD) / (maxD - minD);
    }
    if (c.frequencyOn) {
        double minF = counts.freq[1], maxF = counts.freq[1];
        for (int n = 1; n <= Numbers; ++n) {
            const double f = counts.freq[static_cast<std::size_t>(n)];
            if (f < minF) minF = f;
            if (f > maxF) maxF = f;
        }
        if (maxF - minF > 0)
            for (int n = 1; n <= Numbers; ++n) {
                const double f = counts.freq[static_cast<std::size_t>(n)];
                freqScore[static_cast<std::size_t>(n - 1)] =
                    fmost + (fleast - fmost) * (1 - (f - minF) / (maxF - minF));
            }
    }
    for (int i = 0; i < Numbers; ++i)
        out.p[static_cast<std::size_t>(i)] =
            delayScore[static_cast<std::size_t>(i)] + freqScore[static_cast<std::size_t>(i)];
    out.ok = true;
    return out;
}

std::vector<RankedNumber> RankNumbers(const std::array<double, 90>& p, bool descending) {
    // The exchange sort only compares, so it runs the same on the ranks of the distinct values.
    std::vector<double> distinct(p.begin(), p.end());
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    std::vector<int> ranks(p.size());
    for (std::size_t i = 0; i < p.size(); ++i)
        ranks[i] = static_cast<int>(std::lower_bound(distinct.begin(), distinct.end(), p[i]) - distinct.begin());
    std::vector<RankedNumber> ranked;
    ranked.reserve(p.size());
    for (int i : ExchangeSortOrder(ranks, descending)) ranked.push_back({i + 1, p[static_cast<std::size_t>(i)]});
    return ranked;
}

std::string FormatProbability(double p) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", p);
    return buf;
}

bool ReadNumberCount(std::string_view text, int& m) {
    int v = 0;
    if (!ParseFieldInteger(text, v) || v < 1 || v > Numbers) return false;
    m = v;
    return true;
}

int ApplyRanking(Forecast& forecast, const std::vector<RankedNumber>& ranking, int m, bool add) {
    int changed = 0;
    for (const RankedNumber& r : ranking) {
        if (changed >= m) break;
        if (forecast.isChosen(r.number) == add) continue;
        forecast.setChosen(r.number, add);
        ++changed;
    }
    return changed;
}

} // namespace numora
