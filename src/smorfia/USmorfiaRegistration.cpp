// The smorfia's commands and its window, as the main window's table and registry take them.
#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"
#include "smorfia/UModSmorfia.h"
#include "smorfia/USmorfia.h"

using namespace Qt::StringLiterals;

namespace numora {

void RegisterSmorfiaFeature(CommandTable& t, WindowRegistry& w) {
    // Below the archive viewer, filling the rest of the height.
    w.add(5, [](QWidget* main) { return new TSmorfia(main); }, {1, 1, true});

    CommandRow view = MenuItem(u"La smorfia"_s, u"Visualizza"_s, u"Visualizza1"_s, 10);
    view.action = [](QWidget*) {
        if (auto* s = TSmorfia::instance()) {
            s->show();
            s->raise();
        }
    };
    t.add(view);
    CommandRow edit = MenuItem(u"La smorfia"_s, u"Modifica"_s, u"Modifica1"_s, 20);
    edit.action = [](QWidget* parent) {
        Tmodsmorfia dialog(parent);
        dialog.exec();
    };
    t.add(edit);
}

} // namespace numora
