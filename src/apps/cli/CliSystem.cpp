#include "apps/cli/CliSystem.h"

#include "apps/cli/CliCommand.h"
#include "core/FileIo.h"
#include "core/PlaySystem.h"
#include "core/Settings.h"
#include "core/SystemFile.h"
#include "core/TextHelpers.h"
#include "core/Types.h"

#include <memory>
#include <ostream>

namespace numora {

namespace {

std::string WheelList(std::uint16_t mask) {
    std::string s;
    for (int w = 1; w <= WheelTutte; ++w) {
        if ((mask & WheelBit(w)) == 0) continue;
        if (!s.empty()) s += ", ";
        s += WheelName(w);
    }
    return s.empty() ? std::string("-") : s;
}

} // namespace

int RunSystemCommand(const std::string& dir, const std::string& file, std::ostream& out, std::ostream& err) {
    Settings settings;
    ReadSettings(WithTrailingSeparator(dir) + SettingsFileName, settings);

    auto system = std::make_unique<PlaySystem>();
    system->currentPath = file;
    NewSystem(*system);
    switch (LoadSystem(file, *system)) {
    case LoadSystemResult::Ok:
        break;
    case LoadSystemResult::Incompatible:
        err << TerminalText(IncompatibleSystemMessage) << '\n';
        [[fallthrough]];
    case LoadSystemResult::CannotOpen:
    case LoadSystemResult::Corrupt:
        err << TerminalText(OpenSystemErrorMessage) << '\n';
        return 1;
    }

    const Forecast& f = system->forecast;
    out << "Sistema: " << FileNameOf(file) << '\n';
    out << "Pronostico (" << f.chosenCount() << "):";
    for (int n = 1; n <= MaxNumber; ++n)
        if (f.chosen[static_cast<std::size_t>(n - 1)] == 1) out << ' ' << n;
    out << '\n';
    out << "Fisse (" << f.fixedCount << "):";
    for (int k = 0; k < f.fixedCount; ++k) out << ' ' << static_cast<int>(f.fixed[static_cast<std::size_t>(k)]);
    out << '\n';

    const PlayList& list = system->list;
    out << "Giocate: " << list.count() << '\n';
    for (int i = 1; i <= list.count(); ++i) {
        const Play& p = list.play(i);
        out << i << ':';
        for (auto n : p.numbers)
            if (n != 0) out << ' ' << static_cast<int>(n);
        out << " | " << WheelList(p.wheels) << " |";
        for (double s : p.stakes) out << ' ' << FormatAmount(s, settings);
        out << '\n';
    }
    out << "Costo totale: " << FormatAmount(TotalCost(list), settings) << " €" << '\n';
    return 0;
}

CliCommand SystemCommand() {
    return {"system", "contenuto di un sistema (.lpc)", {{"FILE"}}, {}, [](const CliContext& c) {
                return RunSystemCommand(c.dir, c.args[0], c.out, c.err);
            }};
}

} // namespace numora
