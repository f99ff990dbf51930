#include "elimination/ProbabilityGrid.h"

#include "core/TextHelpers.h"
#include "elimination/Elimination.h"
#include "generation/Generation.h"

#include <algorithm>
#include <cstdio>

namespace numora {

ArchiveHistory ComputeArchiveHistory(const DrawArchive& archive, std::uint16_t wheels) {
    ArchiveHistory h;
    const int d = archive.count();
    std::array<bool, 11> used{};
    for (int w = 1; w <= 11; ++w) used[static_cast<std::size_t>(w - 1)] = WheelUsed(wheels, w);
    std::array<int, 91> latest{}; // 0: not seen yet
    for (int i = d; i >= 1; --i) {
        const DrawRecord& draw = archive.draw(i);
        for (int w = 1; w <= 11; ++w) {
            if (!used[static_cast<std::size_t>(w - 1)]) continue;
            for (int k = 0; k < 5; ++k) {
                const int n = draw.number(w, k);
                if (n < 1 || n > 90) continue;
                bool repeated = false; // a damaged draw may hold a number twice on one wheel
                for (int j = 0; j < k; ++j) repeated = repeated || draw.number(w, j) == n;
                if (repeated) continue;
                ++h.frequency[static_cast<std::size_t>(n)];
                if (latest[static_cast<std::size_t>(n)] == 0) latest[static_cast<std::size_t>(n)] = i;
            }
        }
    }
    for (int n = 1; n <= 90; ++n) {
        const int at = latest[static_cast<std::size_t>(n)];
        h.delay[static_cast<std::size_t>(n)] = at == 0 ? d - 1 : d - at;
    }
    return h;
}

std::array<double, 90> SuggestedProbabilities(const ArchiveHistory& h) {
    int minDelay = h.delay[1], maxDelay = h.delay[1], minFreq = h.frequency[1], maxFreq = h.frequency[1];
    for (int n = 2; n <= 90; ++n) {
        minDelay = std::min(minDelay, h.delay[static_cast<std::size_t>(n)]);
        maxDelay = std::max(maxDelay, h.delay[static_cast<std::size_t>(n)]);
        minFreq = std::min(minFreq, h.frequency[static_cast<std::size_t>(n)]);
        maxFreq = std::max(maxFreq, h.frequency[static_cast<std::size_t>(n)]);
    }
    std::array<double, 90> p{};
    for (int n = 1; n <= 90; ++n) {
        const double d = h.delay[static_cast<std::size_t>(n)];
        const double f = h.frequency[static_cast<std::size_t>(n)];
        const double pd = maxDelay == minDelay ? 0.0 : (d - minDelay) / (maxDelay - minDelay) * 50;
        const double pf = maxFreq == minFreq ? 0.0 : (1 - (f - minFreq) / (maxFreq - minFreq)) * 50;
        p[static_cast<std::size_t>(n - 1)] = pd + pf;
    }
    return p;
}

std::string ProbabilityText(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%3.2f", value);
    return buffer;
}

bool ReadProbabilityCell(std::string_view text, double& value) {
    double v = 0;
    if (!ParseRealField(text, v) || v < 0 || v > 100) return false;
    value = v;
    return true;
}

int StoreProbabilityRows(const std::vector<ProbabilityRow>& rows, std::array<double, 90>& probabilities) {
    for (std::size_t r = 0; r < rows.size(); ++r) {
        double v = 0;
        const int n = rows[r].number;
        if (n < 1 || n > 90 || !ReadProbabilityCell(rows[r].text, v)) return static_cast<int>(r) + 1;
        probabilities[static_cast<std::size_t>(n - 1)] = v;
    }
    return 0;
}

std::string InvalidRowMessage(int row, bool run) {
    std::string text = run ? "Probabilità non valida. La riga nº " : "La riga nº ";
    return text + std::to_string(row) + " contiene valori non validi!\rCorreggere e riprovare.";
}

} // namespace numora

namespace numora {

bool ParseProbabilityLines(std::string_view text, const std::array<std::uint8_t, 90>& chosen,
                           std::map<int, std::string>& typed) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t next = text.find('\n', pos);
        if (next == std::string_view::npos) next = text.size();
        std::string_view line = text.substr(pos, next - pos);
        pos = next + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (TrimBlanks(line).empty()) continue;
        const std::size_t start = line.find_first_not_of(' ');
        const std::size_t end = line.find(' ', start);
        long long n = 0;
        if (!ParseWholeNumber(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start),
                              n) ||
            n < 1 || n > 90 || chosen[static_cast<std::size_t>(n - 1)] == 0 || typed.count(static_cast<int>(n)) != 0)
            return false;
        typed[static_cast<int>(n)] = end == std::string_view::npos ? std::string() : std::string(line.substr(end + 1));
    }
    return true;
}

} // namespace numora
