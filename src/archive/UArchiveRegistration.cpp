// The archive's commands and long-lived windows, as the main window's table and registry take them.
#include "archive/UArchiveCommands.h"
#include "archive/UImpoConne.h"
#include "archive/Uaggio.h"
#include "archive/Udb.h"
#include "archive/Uperrtf.h"
#include "components/UCommandTable.h"
#include "components/UDaiNumEstra.h"
#include "components/UWindowRegistry.h"

using namespace Qt::StringLiterals;

namespace numora {

namespace {

void ShowViewerWindow() {
    if (auto* v = Tdb::instance()) {
        v->show();
        v->raise();
    }
}

void ShowViewerIfHidden() {
    if (auto* v = Tdb::instance(); v && !v->isVisible()) v->show();
}

void InternetUpdate(QWidget* parent) {
    RunInternetUpdate(parent);
    ShowViewerWindow();
    if (auto* v = Tdb::instance()) v->RefreshViewerToLast();
}

} // namespace

void RegisterArchiveFeature(CommandTable& t, WindowRegistry& w) {
    w.add(2, [](QWidget* main) { return new Tdb(main); }, {1, 0, false});
    w.add(3, [](QWidget* main) { return new Tperrtf(main); });
    w.add(28, [](QWidget* main) { return new TDaiNumEstra(main); });

    t.views.showViewer = ShowViewerWindow;
    t.views.refreshViewerToLast = [] {
        if (auto* v = Tdb::instance()) v->RefreshViewerToLast();
    };
    t.views.refreshViewerAt = [](int index) {
        if (auto* v = Tdb::instance()) v->RefreshViewerAt(index == 0 ? v->shownIndex() : index);
    };

    const QString m = u"Archivio storico"_s;
    auto item = [&](int order, const QString& caption, const QString& name, bool sep, QString sameAs,
                    std::function<void()> prelude) {
        CommandRow r = MenuItem(m, caption, name, order, sep);
        r.sameAs = std::move(sameAs);
        r.prelude = std::move(prelude);
        return r;
    };
    CommandRow view = item(10, u"Visualizza"_s, u"Visualizza3"_s, false, {}, {});
    view.action = [](QWidget*) { ShowViewerWindow(); };
    t.add(view);
    t.add(item(20, u"Aggiorna da internet"_s, u"leopzioni1"_s, true, u"SpeedButton1"_s, ShowViewerWindow));
    t.add(item(30, u"Aggiorna manualmente"_s, u"Aggiornamanualmente1"_s, false, u"SpeedButton2"_s, ShowViewerWindow));
    CommandRow import = item(35, u"Importa archivio da file…"_s, u"Importaarchivio1"_s, false, {}, ShowViewerWindow);
    import.action = ImportArchiveFromFile;
    t.add(import);
    t.add(item(40, u"Modifica estrazione"_s, u"Modificaestrazione1"_s, true, u"SpeedButton4"_s, ShowViewerWindow));
    t.add(item(50, u"Elimina estrazione"_s, u"Eliminaestrazione1"_s, false, u"SpeedButton3"_s, ShowViewerIfHidden));
    t.add(item(60, u"Elimina intervallo di estrazioni"_s, u"Eliminapiestrazioni1"_s, false, u"SpeedButton5"_s,
               ShowViewerIfHidden));
    CommandRow backup = item(70, u"Crea copia di sicurezza"_s, u"Creacopiadisicurezza1"_s, true, {}, {});
    backup.action = BackupArchive;
    t.add(backup);
    CommandRow restore =
        item(80, u"Ripristina da copia di sicurezza"_s, u"Ripristinadacopiadisicurezza1"_s, false, {}, {});
    restore.action = RestoreArchive;
    t.add(restore);

    CommandRow conn = MenuItem(u"Opzioni generali"_s, u"Connessione ad internet"_s, u"Connessioneadinternet1"_s, 10);
    conn.action = [](QWidget* parent) { ShowConnectionSettings(parent); };
    t.add(conn);

    auto button = [&](int order, const QString& name, const QString& hint, bool sep,
                      std::function<void(QWidget*)> action) {
        CommandRow r = ToolButton(name, hint, order, sep);
        r.action = std::move(action);
        t.add(std::move(r));
    };
    button(30, u"SpeedButton5"_s, u" Elimina più estrazioni |Permette di eliminare un intervallo di estrazioni"_s, true,
           [](QWidget* p) {
               ShowViewerWindow();
               DeleteDrawRange(p);
           });
    button(40, u"SpeedButton3"_s, u" Elimina estrazione |Elimina l'estrazione attualmente visualizzata"_s, false,
           [](QWidget* p) {
               ShowViewerWindow();
               DeleteShownDraw(p);
           });
    button(50, u"SpeedButton4"_s,
           u" Modifica estrazione |Permette di modificare l'estrazione attualmente visualizzata"_s, false,
           [](QWidget* p) {
               ShowViewerWindow();
               EditShownDraw(p);
           });
    button(60, u"SpeedButton2"_s,
           u"Inserimento manuale nuova estrazione |Permette di inserire manualmente le nuove estrazioni"_s, false,
           [](QWidget* p) {
               ShowViewerWindow();
               NewDraw(p);
           });
    button(70, u"SpeedButton1"_s,
           u" Aggiorna da internet |Permette di aggiornare l'archivio storico tramite internet"_s, false,
           InternetUpdate);
}

} // namespace numora
