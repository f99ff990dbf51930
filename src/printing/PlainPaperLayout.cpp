#include "printing/PlainPaperLayout.h"

#include "core/TextHelpers.h"
#include "core/Types.h"

namespace numora::printing {

std::string SystemNameForHeading(const std::string& path) {
    auto slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (!name.empty() && name[0] >= 'a' && name[0] <= 'z') name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return name.size() > 4 ? name.substr(0, name.size() - 4) : std::string();
}

std::vector<std::string> PlainPaperHeading(const std::string& systemPath, int playCount,
                                           const std::string& totalCostText) {
    return {"Nome del sistema: " + SystemNameForHeading(systemPath), "Nº di giocate: " + std::to_string(playCount),
            "Costo totale: " + totalCostText};
}

std::vector<std::string> PlainPaperPlayLines(const Play& play, int index, int decimals) {
    static constexpr const char* BetNames[5] = {"Estratto: ", "Ambo: ", "Terno: ", "Quaterna: ", "Cinquina: "};
    std::vector<std::string> lines(5);
    lines[0] = "Giocata Nº: " + std::to_string(index);
    lines[1] = "Numeri: ";
    for (int s = 0; s < Play::MaxNumbers; ++s)
        if (play.number(s) != 0) lines[1] += std::to_string(play.number(s)) + " ";
    lines[2] = "Ruote: ";
    for (int w = 1; w <= 12; ++w)
        if (play.onWheel(w)) lines[2] += std::string(WheelName(w)) + " ";
    for (int k = 1; k <= 5; ++k) {
        double stake = play.stake(k);
        if (stake > 0) lines[k <= 3 ? 3 : 4] += BetNames[k - 1] + FormatAmount(stake, decimals) + "€  ";
    }
    double total = play.cost();
    if (total > 0) lines[4] += "Totale: " + FormatAmount(total, decimals) + "€  ";
    if (lines[3].empty()) {
        lines[3] = lines[4];
        lines[4].clear();
    }
    return lines;
}

std::vector<PlainPage> LayOutPlainPaper(const std::vector<std::string>& heading, const Forecast& forecast,
                                        const std::vector<Play>& plays, const PlainPaperOptions& options, int decimals,
                                        const PlainPaperMetrics& m) {
    std::vector<PlainPage> pages(1);
    const int h = m.h;
    int y = h / 2;
    auto centred = [&](const std::string& text) {
        pages.back().runs.push_back({(m.pageWidth - m.width(text)) / 2, y, text});
    };

    if (!heading.empty()) {
        for (const auto& line : heading) {
            centred(line);
            y += h;
        }
        y += h;
    }

    if (options.forecast) {
        std::string first = "Pronostico: ";
        bool any = false;
        for (int n = 1; n <= MaxNumber; ++n)
            if (forecast.isChosen(n)) {
                first += std::to_string(n) + " ";
                any = true;
            }
        if (any) first.pop_back();
        std::string second;
        while (!first.empty() && m.width(first) > m.pageWidth - m.cw) {
            second.insert(second.begin(), first.back());
            first.pop_back();
        }
        centred(first);
        y += h;
        if (!second.empty()) {
            centred(second);
            y += h;
        }
        if (!options.fixed) y += h;
    }

    if (forecast.fixedCount > 0 && options.fixed) {
        std::string text = "Fisse: ";
        for (int k = 0; k < forecast.fixedCount && k < static_cast<int>(forecast.fixed.size()); ++k)
            text += std::to_string(forecast.fixed[static_cast<std::size_t>(k)]) + " ";
        text.pop_back();
        centred(text);
        y += 2 * h;
    }

    if (options.plays) {
        const std::size_t count = plays.size();
        for (std::size_t j = 0; j < count; j += 2) {
            for (std::size_t c = 0; c < 2 && j + c < count; ++c) {
                int x = c == 0 ? m.cw : m.pageWidth / 2;
                auto lines = PlainPaperPlayLines(plays[j + c], static_cast<int>(j + c + 1), decimals);
                for (std::size_t line = 0; line < lines.size(); ++line)
                    if (!lines[line].empty())
                        pages.back().runs.push_back({x, y + static_cast<int>(line) * h, lines[line]});
            }
            if (m.pageHeight < y + 12 * h && j + 2 < count) {
                pages.emplace_back();
                y = h / 2;
            } else {
                y += 6 * h;
            }
        }
    }
    return pages;
}

} // namespace numora::printing
