// The play list windows and the commands on the plays, as the main window's table and registry
// take them.
#include "components/UCommandTable.h"
#include "components/UMessageBox.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "core/SystemFile.h"
#include "platform/QtText.h"
#include "playlist/UDaTastiera.h"
#include "playlist/UGiocate.h"
#include "playlist/UModGiocata.h"

using namespace Qt::StringLiterals;

namespace numora {

namespace {

void ShowPlayListWindow() {
    if (auto* p = TGiocate::instance()) {
        p->show();
        p->raise();
    }
}

void RefreshPlays() {
    if (auto* p = TGiocate::instance()) p->RefreshPlayList();
}

// "Elimina tutte le giocate".
void DeleteAllPlaysCommand(QWidget* parent) {
    Globali& g = Globals();
    if (g.system.list.count() <= 0) {
        MessageBox::information(parent, Q(NoPlaysToDeleteMessage));
        return;
    }
    if (MessageBox::question(parent, Q(DeleteAllPlaysQuestion), MsgButtons::YesNo, MsgAnswer::No, MsgIcon::Question,
                             u"Attenzione !"_s) != MsgAnswer::Yes)
        return;
    DeleteAllPlays(g.system);
}

// SpeedButton14: back to the snapshot taken before the last operation on the plays.
void UndoCommand(QWidget* parent) {
    Globali& g = Globals();
    if (g.system.undo.count() == 0) {
        MessageBox::information(parent, Q(NoPlaysToRestoreMessage));
        return;
    }
    if (MessageBox::question(parent, Q(UndoQuestion(g.system.list.count(), g.system.undo.count())), MsgButtons::YesNo,
                             MsgAnswer::Yes, MsgIcon::Question, u"Attenzione"_s) == MsgAnswer::No)
        return;
    RestoreUndo(g.system);
}

// SpeedButton19: the rows selected in the play list window.
void DeleteSelectedCommand(QWidget* parent) {
    auto* p = TGiocate::instance();
    Globali& g = Globals();
    if (!p || g.system.list.count() <= 0) {
        MessageBox::information(parent, Q(NoPlaysToDeleteMessage));
        return;
    }
    const std::vector<int> rows = p->selectedRows();
    if (rows.empty()) {
        MessageBox::information(parent, u"Non ci sono giocate selezionate da eliminare!"_s);
        return;
    }
    DeleteSelectedPlays(g.system, rows);
}

} // namespace

void RegisterPlayListFeature(CommandTable& t, WindowRegistry& w) {
    w.add(13,
          [](QWidget* main) {
              auto* plays = new TGiocate(main);
              QObject::connect(plays, &TGiocate::deleteSelectedRequested, main,
                               [main] { DeleteSelectedCommand(main); });
              return plays;
          },
          {2, 0, true});
    w.add(29, [](QWidget* main) { return new TDaTastiera(main); });
    w.add(30, [](QWidget* main) { return new TModGiocata(main); });

    t.views.showPlayList = ShowPlayListWindow;
    t.views.refreshPlayList = RefreshPlays;

    CommandRow all = MenuItem(u"Riduzioni"_s, u"Elimina tutte le giocate"_s, u"Eliminatuttelegiocate1"_s, 120, true);
    all.action = DeleteAllPlaysCommand;
    t.add(all);

    const QString m = u"Giocate"_s;
    CommandRow view = MenuItem(m, u"Visualizza"_s, u"Visualizza5"_s, 10);
    view.action = [](QWidget*) { ShowPlayListWindow(); };
    t.add(view);
    auto then = [&](int order, const QString& caption, const QString& name, bool sep, const QString& button) {
        CommandRow r = MenuItem(m, caption, name, order, sep);
        r.prelude = ShowPlayListWindow;
        r.sameAs = button;
        t.add(std::move(r));
    };
    then(40, u"Annulla l'ultima operazione sulle giocate"_s, u"Annullalultimaoperazionesullegiocate1"_s, true,
         u"SpeedButton14"_s);
    then(50, u"Elimina le giocate selezionate"_s, u"Eliminalegiocateselezionate1"_s, false, u"SpeedButton19"_s);
    then(60, u"Modifica manuale delle giocate selezionate"_s, u"Modificamanualegiocateselezionate1"_s, false,
         u"SpeedButton15"_s);
    then(70, u"Inserimento giocate da tastiera"_s, u"Inserimentogiocatedatastiera1"_s, false, u"SpeedButton21"_s);

    auto button = [&](int order, const QString& name, const QString& hint, bool sep,
                      std::function<void(QWidget*)> run) {
        CommandRow r = ToolButton(name, hint, order, sep);
        r.action = std::move(run);
        t.add(std::move(r));
    };
    button(90, u"SpeedButton14"_s,
           u"Annulla l'ultima operazione eseguita sulle giocate|Annulla l'ultima operazione eseguita sulle giocate."_s,
           true, UndoCommand);
    button(100, u"SpeedButton19"_s, u"Elimina le giocate selezionate"_s, false, DeleteSelectedCommand);
    button(110, u"SpeedButton15"_s, u"Permette di modificare le giocate selezionate"_s, false, EditSelectedPlays);
    button(120, u"SpeedButton21"_s, u"Giocate da tastiera|Permette di aggiungere giocate manualmente."_s, false,
           KeyboardEntry);
}

} // namespace numora
