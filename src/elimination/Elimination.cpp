#include "elimination/Elimination.h"

#include "core/PlayList.h"
#include "core/Ranking.h"
#include "core/TextHelpers.h"
#include "generation/Generation.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>

namespace numora {

namespace {

// span × part ÷ whole, left to right. A whole of 0 comes only with a part of 0 here (every delay
// lies within the raised range, every frequency within W times the single-wheel range): the
// undefined 0/0 counts 0.
double Scaled(double span, long long part, long long whole) {
    return whole == 0 ? 0.0 : span * static_cast<double>(part) / static_cast<double>(whole);
}

bool ReadPercentage(const std::string& text, double& value) {
    return ParseRealField(text, value) && value >= 0 && value <= 100;
}

} // namespace

bool ParseRealField(std::string_view text, double& value) {
    const std::string_view t = TrimBlanks(text);
    if (t.empty()) return false;
    std::string s(t);
    std::replace(s.begin(), s.end(), ',', '.');
    double v = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::fixed);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

const char* ReadEliminationCriteria(const EliminationCriteriaTexts& t, EliminationCriteria& c) {
    c = EliminationCriteria{};
    c.delayOn = t.delayOn;
    c.frequencyOn = t.frequencyOn;
    c.dlo = c.dhi = c.fmost = c.fleast = 0;
    if (c.delayOn) {
        if (!ReadPercentage(t.dlo, c.dlo)) return "La probabilità del numero meno ritardatario non è valida!";
        if (!ReadPercentage(t.dhi, c.dhi)) return "La probabilità del numero più ritardatario non è valida!";
        if (c.dhi < c.dlo) return "Una delle probabilità minime è maggiore della massima!";
    }
    if (c.frequencyOn) {
        if (!ReadPercentage(t.fmost, c.fmost)) return "La probabilità del numero più frequente non è valida!";
        if (!ReadPercentage(t.fleast, c.fleast)) return "La probabilità del numero meno frequente non è valida!";
        if (c.fleast < c.fmost) return "Una delle probabilità minime è maggiore della massima!";
    }
    if (c.dhi + c.fleast > 100) return "La somma delle probabilità massime non può essere maggiore di 100!";
    if (c.dhi + c.fleast <= c.dlo + c.fmost)
        return "La somma delle probabilità massime deve essere maggiore della somma delle probabilità minime!";
    return nullptr;
}

bool ReadEliminationCount(std::string_view text, int plays, int& count) {
    long long e = 0;
    if (!ParseWholeNumber(text, e) || e < 1 || e > plays) return false;
    count = static_cast<int>(e);
    return true;
}

EliminationRanges ComputeEliminationRanges(const EliminationCriteria& criteria, const DelayTable& delays,
                                           const FrequencyTable& frequencies) {
    EliminationRanges r;
    for (int n = 1; n <= 90; ++n) {
        if (criteria.delayOn) {
            long long smallest = 100000000;
            for (int w = 1; w <= 11; ++w) smallest = std::min<long long>(smallest, delays.at(w, n));
            r.minD = std::min(r.minD, smallest);
            r.maxD = std::max(r.maxD, smallest);
        }
        if (criteria.frequencyOn) {
            for (int w = 1; w <= 11; ++w) {
                r.minF = std::min<long long>(r.minF, frequencies.at(w, n));
                r.maxF = std::max<long long>(r.maxF, frequencies.at(w, n));
            }
        }
    }
    return r;
}

bool LessProbableScores(const PlayList& list, const EliminationCriteria& c, const DelayTable& delays,
                        const FrequencyTable& frequencies, std::vector<double>& scores, const Progress& progress) {
    const int p = list.count();
    scores.assign(static_cast<std::size_t>(p), 0.0);
    EliminationRanges r = ComputeEliminationRanges(c, delays, frequencies);
    ProgressTicker ticker(Progress{progress.callback, EliminatedPlayInterval}, static_cast<std::uint64_t>(p));
    std::array<int, 11> wheels{};
    for (int i = 1; i <= p; ++i) {
        const Play& play = list.play(i);
        const int kp = play.numberCount();
        double score = 0;
        if (kp > 0) {
            int w = 0;
            for (int wheel = 1; wheel <= 11; ++wheel)
                if (WheelUsed(play.wheels, wheel)) wheels[static_cast<std::size_t>(w++)] = wheel;
            double delayPart = 0;
            double frequencyPart = 0;
            for (std::uint8_t n : play.numbers) {
                if (n == 0) continue;
                if (c.delayOn) {
                    long long b = 100000000;
                    for (int k = 0; k < w; ++k)
                        b = std::min<long long>(b, delays.at(wheels[static_cast<std::size_t>(k)], n));
                    if (b > r.maxD) r.maxD = b;
                    delayPart += (c.dlo + Scaled(c.dhi - c.dlo, b - r.minD, r.maxD - r.minD)) / kp;
                }
                if (c.frequencyOn) {
                    long long f = 0;
                    for (int k = 0; k < w; ++k) f += frequencies.at(wheels[static_cast<std::size_t>(k)], n);
                    frequencyPart +=
                        (c.fmost + Scaled(c.fleast - c.fmost, r.maxF * w - f, r.maxF * w - r.minF * w)) / kp;
                }
            }
            score = delayPart + frequencyPart;
        }
        scores[static_cast<std::size_t>(i - 1)] = score;
        if (!ticker.step()) return false;
    }
    return true;
}

bool CustomProbabilityScores(const PlayList& list, const std::array<double, 90>& probabilities,
                             std::vector<double>& scores, const Progress& progress) {
    const int p = list.count();
    scores.assign(static_cast<std::size_t>(p), 0.0);
    ProgressTicker ticker(Progress{progress.callback, EliminatedPlayInterval}, static_cast<std::uint64_t>(p));
    for (int i = 1; i <= p; ++i) {
        const Play& play = list.play(i);
        const int kp = play.numberCount();
        double sum = 0;
        for (std::uint8_t n : play.numbers)
            if (n >= 1 && n <= 90) sum += probabilities[static_cast<std::size_t>(n - 1)];
        scores[static_cast<std::size_t>(i - 1)] = kp > 0 ? sum / kp : 0.0;
        if (!ticker.step()) return false;
    }
    return true;
}

std::vector<int> EliminationOrder(std::span<const double> scores) {
    // The exchange sort only compares, so it gives the same order on the scores' ranks; the
    // ranking's fast form of it takes integers.
    const std::size_t p = scores.size();
    std::vector<int> byScore(p);
    std::iota(byScore.begin(), byScore.end(), 0);
    std::sort(byScore.begin(), byScore.end(),
              [&](int a, int b) { return scores[static_cast<std::size_t>(a)] < scores[static_cast<std::size_t>(b)]; });
    std::vector<int> rank(p);
    int value = 0;
    for (std::size_t r = 0; r < p; ++r) {
        if (r > 0 && scores[static_cast<std::size_t>(byScore[r - 1])] < scores[static_cast<std::size_t>(byScore[r])])
            ++value;
        rank[static_cast<std::size_t>(byScore[r])] = value;
    }
    return ExchangeSortOrder(rank, true);
}

void RemoveLeastScored(PlayList& list, std::span<const double> scores, int remove) {
    const int p = list.count();
    const int keep = std::clamp(p - remove, 0, p);
    const std::vector<int> order = EliminationOrder(scores.first(static_cast<std::size_t>(p)));
    std::vector<Play> kept(static_cast<std::size_t>(keep));
    for (int r = 0; r < keep; ++r)
        kept[static_cast<std::size_t>(r)] = list.play(order[static_cast<std::size_t>(r)] + 1);
    std::copy(kept.begin(), kept.end(), list.data());
    list.setCount(keep);
}

} // namespace numora
