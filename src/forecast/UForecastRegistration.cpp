// The forecast window and its commands, as the main window's table and registry take them.
#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"
#include "forecast/UPronostico.h"

using namespace Qt::StringLiterals;

namespace numora {

namespace {

void ShowForecastWindow() {
    if (auto* f = TPronostico::instance()) {
        f->show();
        f->raise();
    }
}

} // namespace

void RegisterForecastFeature(CommandTable& t, WindowRegistry& w) {
    w.add(14, [](QWidget* main) { return new TPronostico(main); }, {0, 0, false});

    t.views.showForecast = ShowForecastWindow;
    t.views.refreshForecast = [] {
        if (auto* f = TPronostico::instance()) f->RefreshForecast();
    };
    t.views.setForecastHoverListener = [](std::function<void(int)> listener) {
        if (auto* f = TPronostico::instance()) f->setHoverListener(std::move(listener));
    };
    t.views.readFixedNumbers = [] {
        auto* f = TPronostico::instance();
        return f ? f->PrendiFisse() : 0;
    };

    const QString m = u"Pronostico"_s;
    CommandRow view = MenuItem(m, u"Visualizza"_s, u"Visualizza4"_s, 10);
    view.action = [](QWidget*) { ShowForecastWindow(); };
    t.add(view);
    CommandRow add = MenuItem(m, u"Aggiungi numero casualmente"_s, u"Aggiunginumerocasualmente1"_s, 50, true);
    add.action = [](QWidget*) {
        ShowForecastWindow();
        if (auto* f = TPronostico::instance()) f->AddRandomNumber();
    };
    t.add(add);
    CommandRow remove = MenuItem(m, u"Elimina numero casualmente"_s, u"Eliminanumerocasualmente1"_s, 60);
    remove.action = [](QWidget*) {
        ShowForecastWindow();
        if (auto* f = TPronostico::instance()) f->RemoveRandomNumber();
    };
    t.add(remove);
}

} // namespace numora
