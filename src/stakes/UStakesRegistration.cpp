// The stake windows and the settings command, as the main window's table and registry take them.
#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"
#include "stakes/UImporti.h"
#include "stakes/UModimpo.h"

#include <QApplication>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

// The program's stake entry dialog lives for the whole run; a window built alone (in a test)
// gets one of its own.
TImporti* StakeDialog(QWidget* parent) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<TImporti*>(w)) return d;
    static QPointer<TImporti> own;
    if (!own) own = new TImporti(parent ? parent->window() : nullptr);
    return own;
}

} // namespace

void RegisterStakesFeature(CommandTable& t, WindowRegistry& w) {
    w.add(16, [](QWidget* main) { return new TImporti(main); });
    t.views.askStakes = [](QWidget* parent, int playSize, StakeSet& stakes) {
        TImporti* dialog = StakeDialog(parent);
        dialog->setPlaySize(playSize);
        if (dialog->exec() != QDialog::Accepted) return false;
        stakes = dialog->stakeSet();
        return true;
    };

    CommandRow settings =
        MenuItem(u"Opzioni generali"_s, u"Modifica importi di giocata"_s, u"Modificavalutaeimportidigiocata1"_s, 20);
    settings.action = [](QWidget* parent) {
        TModimpo dialog(parent);
        dialog.exec();
    };
    t.add(settings);
}

} // namespace numora
