// The main window's own commands: the system files, the printer set-up and the help.
#include "components/UCommandTable.h"
#include "components/UHelp.h"
#include "components/UPrinter.h"
#include "components/UWindowRegistry.h"
#include "main/UInformazioni.h"
#include "main/UPri.h"

#include <QDesktopServices>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

TPri* Main(QWidget* parent) {
    if (auto* pri = qobject_cast<TPri*>(parent)) return pri;
    return TPri::instance();
}

} // namespace

void RegisterMainCommands(CommandTable& t) {
    t.setMenuOrder({u"File"_s, u"Statistiche"_s, u"Riduzioni"_s, u"Pronostico"_s, u"Giocate"_s, u"Archivio storico"_s,
                    u"La smorfia"_s, u"Stampa"_s, u"Opzioni generali"_s, u"Guida in linea"_s});

    auto file = [&t](int order, const QString& caption, const QString& name, bool sep, void (TPri::*run)()) {
        CommandRow r = MenuItem(u"File"_s, caption, name, order, sep);
        r.action = [run](QWidget* parent) {
            if (TPri* pri = Main(parent)) (pri->*run)();
        };
        return r;
    };
    t.add(file(10, u"Nuovo"_s, u"Nuovo1"_s, false, &TPri::Nuovo1Click));
    t.add(file(20, u"Apri"_s, u"Apri1"_s, false, &TPri::Apri1Click));
    t.add(file(30, u"Salva"_s, u"Salva1"_s, false, &TPri::Salva1Click));
    t.add(file(40, u"Salva con nome"_s, u"Salvaconnome1"_s, false, &TPri::Salvaconnome1Click));
    CommandRow quit = MenuItem(u"File"_s, u"Fine"_s, u"Esci1"_s, 50, true);
    quit.shortcut = QKeySequence(Qt::ALT | Qt::Key_F4);
    quit.action = [](QWidget* parent) {
        if (TPri* pri = Main(parent)) pri->close();
    };
    t.add(quit);

    CommandRow printer = MenuItem(u"Stampa"_s, u"Imposta stampante"_s, u"Impostastampante1"_s, 10);
    printer.action = [](QWidget* parent) { SetUpProgramPrinter(parent); };
    t.add(printer);

    const QString h = u"Guida in linea"_s;
    CommandRow contents = MenuItem(h, u"Sommario"_s, u"Sommario1"_s, 10);
    contents.shortcut = QKeySequence(Qt::Key_F1);
    contents.action = [](QWidget* parent) { ShowHelpContents(parent); };
    t.add(contents);
    CommandRow intro = MenuItem(h, u"Introduzione"_s, u"Introduzione1"_s, 20);
    intro.action = [](QWidget* parent) { ShowHelpContext(1, parent); };
    t.add(intro);
    CommandRow search = MenuItem(h, u"Cerca argomento"_s, u"Cercaargomento1"_s, 30);
    search.action = [](QWidget* parent) { ShowHelpSearch(QString(), parent); };
    t.add(search);
    CommandRow home = MenuItem(h, u"Numora Home Page"_s, u"NumoraHomePage1"_s, 40, true);
    home.action = [](QWidget* parent) { OpenHomePage(parent); };
    t.add(home);
    CommandRow about = MenuItem(h, u"Informazioni su Numora"_s, u"InformazionisuNumora1"_s, 50);
    about.action = [](QWidget* parent) {
        TInformazioni dialog(parent);
        dialog.exec();
    };
    t.add(about);

    CommandRow help = ToolButton(u"SpeedButton9"_s, u"Guida in linea"_s, 10);
    help.sameAs = u"Sommario1"_s;
    t.add(help);
}

} // namespace numora
