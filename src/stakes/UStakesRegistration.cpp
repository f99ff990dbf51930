// The stake windows and the settings command, as the main window's table and registry take them.
#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"
#include "stakes/UImporti.h"
#include "stakes/UModimpo.h"

using namespace Qt::StringLiterals;

namespace numora {

void RegisterStakesFeature(CommandTable& t, WindowRegistry& w) {
    w.add(16, [](QWidget* main) { return new TImporti(main); });

    CommandRow settings = MenuItem(u"Opzioni generali"_s, u"Modifica importi di giocata"_s, u"Modificavalutaeimportidigiocata1"_s, 20);
    settings.action = [](QWidget* parent) {
        TModimpo dialog(parent);
        dialog.exec();
    };
    t.add(settings);
}

} // namespace numora
