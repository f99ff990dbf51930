#pragma once
// The eliminators and the probability grid written out as the dialogs describe them: the scores
// play by play and number by number, the exchange sort over whole records, the statistics number
// by number from the last draw back. The engines must give the same lists.

#include "core/DrawArchive.h"
#include "core/PlayList.h"
#include "elimination/Elimination.h"

#include <array>
#include <tuple>
#include <utility>
#include <vector>

namespace numora::literal {

inline bool PlayWheel(const Play& p, int k) {
    if ((p.wheels & (1u << 11)) != 0 && k <= 10) return true;
    if (k == 11) return (p.wheels & (1u << 10)) != 0;
    return (p.wheels & (1u << (k - 1))) != 0;
}

inline std::vector<double> LessProbableScores(const PlayList& list, const EliminationCriteria& c, const DelayTable& d,
                                              const FrequencyTable& f) {
    long long minD = 100000000, maxD = -1, minF = 100000000, maxF = -1;
    for (int n = 1; n <= 90; ++n) {
        if (c.delayOn) {
            long long m = 100000000;
            for (int w = 1; w <= 11; ++w)
                if (d.at(w, n) < m) m = d.at(w, n);
            if (m < minD) minD = m;
            if (m > maxD) maxD = m;
        }
        if (c.frequencyOn)
            for (int w = 1; w <= 11; ++w) {
                if (f.at(w, n) < minF) minF = f.at(w, n);
                if (f.at(w, n) > maxF) maxF = f.at(w, n);
            }
    }
    std::vector<double> s;
    for (int i = 1; i <= list.count(); ++i) {
        const Play& p = list.play(i);
        int kp = 0;
        for (int k = 0; k < 10; ++k)
            if (p.numbers[static_cast<std::size_t>(k)] != 0) ++kp;
        long long w = 0;
        for (int k = 1; k <= 11; ++k)
            if (PlayWheel(p, k)) ++w;
        double delayPart = 0, freqPart = 0;
        for (int k = 0; k < kp; ++k) {
            const int n = p.numbers[static_cast<std::size_t>(k)];
            if (c.delayOn) {
                long long b = 100000000;
                for (int wh = 1; wh <= 11; ++wh)
                    if (PlayWheel(p, wh) && d.at(wh, n) < b) b = d.at(wh, n);
                if (b > maxD) maxD = b;
                const double fraction = maxD == minD ? 0.0 : (c.dhi - c.dlo) * double(b - minD) / double(maxD - minD);
                delayPart = delayPart + (c.dlo + fraction) / kp;
            }
            if (c.frequencyOn) {
                long long fn = 0;
                for (int wh = 1; wh <= 11; ++wh)
                    if (PlayWheel(p, wh)) fn += f.at(wh, n);
                const long long whole = maxF * w - minF * w;
                const double fraction = whole == 0 ? 0.0 : (c.fleast - c.fmost) * double(maxF * w - fn) / double(whole);
                freqPart = freqPart + (c.fmost + fraction) / kp;
            }
        }
        s.push_back(kp == 0 ? 0.0 : delayPart + freqPart);
    }
    return s;
}

inline std::vector<double> CustomScores(const PlayList& list, const std::array<double, 90>& prob) {
    std::vector<double> s;
    for (int i = 1; i <= list.count(); ++i) {
        const Play& p = list.play(i);
        int kp = 0;
        double sum = 0;
        for (int k = 0; k < 10; ++k)
            if (p.numbers[static_cast<std::size_t>(k)] != 0) {
                ++kp;
                sum = sum + prob[static_cast<std::size_t>(p.numbers[static_cast<std::size_t>(k)] - 1)];
            }
        s.push_back(kp == 0 ? 0.0 : sum / kp);
    }
    return s;
}

// The exchange sort over whole records and scores, then the last E plays removed.
inline void Eliminate(PlayList& list, std::vector<double> s, int e) {
    const int p = list.count();
    for (int i = 1; i <= p - 1; ++i)
        for (int j = i + 1; j <= p; ++j)
            if (s[static_cast<std::size_t>(i - 1)] < s[static_cast<std::size_t>(j - 1)]) {
                std::swap(list.play(i), list.play(j));
                std::swap(s[static_cast<std::size_t>(i - 1)], s[static_cast<std::size_t>(j - 1)]);
            }
    list.setCount(p - e);
}

// The exchange sort's final order of the starting indices, for the order alone.
inline std::vector<int> SortOrder(std::vector<double> s) {
    std::vector<int> order(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) order[i] = static_cast<int>(i);
    for (std::size_t i = 0; i + 1 < s.size(); ++i)
        for (std::size_t j = i + 1; j < s.size(); ++j)
            if (s[i] < s[j]) {
                std::swap(s[i], s[j]);
                std::swap(order[i], order[j]);
            }
    return order;
}

// Delay and frequency of one number over the whole archive on the wheels used by the mask.
inline std::pair<int, int> History(const DrawArchive& a, std::uint16_t mask, int n) {
    auto used = [mask](int w) {
        if (w == 11) return (mask & (1u << 10)) != 0;
        return (mask & (1u << (w - 1))) != 0 || (mask & (1u << 11)) != 0;
    };
    auto holds = [&](int i, int w) {
        for (int k = 0; k < 5; ++k)
            if (a.draw(i).number(w, k) == n) return true;
        return false;
    };
    const int d = a.count();
    int delay = d - 1;
    for (int i = d; i >= 1; --i) {
        bool hit = false;
        for (int w = 1; w <= 11; ++w) hit = hit || (used(w) && holds(i, w));
        if (hit) {
            delay = d - i;
            break;
        }
    }
    int frequency = 0;
    for (int i = 1; i <= d; ++i)
        for (int w = 1; w <= 11; ++w)
            if (used(w) && holds(i, w)) ++frequency;
    return {delay, frequency};
}

inline std::array<double, 90> Suggestion(const DrawArchive& a, std::uint16_t mask) {
    std::array<int, 91> d{}, f{};
    for (int n = 1; n <= 90; ++n)
        std::tie(d[static_cast<std::size_t>(n)], f[static_cast<std::size_t>(n)]) = History(a, mask, n);
    int minD = 100000000, maxD = -1, minF = 100000000, maxF = -1;
    for (int n = 1; n <= 90; ++n) {
        if (d[static_cast<std::size_t>(n)] < minD) minD = d[static_cast<std::size_t>(n)];
        if (d[static_cast<std::size_t>(n)] > maxD) maxD = d[static_cast<std::size_t>(n)];
        if (f[static_cast<std::size_t>(n)] < minF) minF = f[static_cast<std::size_t>(n)];
        if (f[static_cast<std::size_t>(n)] > maxF) maxF = f[static_cast<std::size_t>(n)];
    }
    std::array<double, 90> p{};
    for (int n = 1; n <= 90; ++n) {
        double pd = 0, pf = 0;
        if (maxD != minD) pd = double(d[static_cast<std::size_t>(n)] - minD) / double(maxD - minD) * 50;
        if (maxF != minF) pf = (1 - double(f[static_cast<std::size_t>(n)] - minF) / double(maxF - minF)) * 50;
        p[static_cast<std::size_t>(n - 1)] = pd + pf;
    }
    return p;
}

} // namespace numora::literal
