// The main window driven as a user drives it: menu actions, toolbar buttons, message boxes.
#include "components/UCommandTable.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "core/FileIo.h"
#include "core/Globali.h"
#include "core/SystemFile.h"
#include "forecast/UPronostico.h"
#include "main/UNotificaAgg.h"
#include "main/UPri.h"
#include "main/UProgram.h"
#include "playlist/UGiocate.h"
#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTimer>
#include <QtTest>

using namespace numora;
using numora::test::MakePlay;

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

DrawRecord DrawOn(int day, int month, int year) {
    DrawRecord d;
    d.day = static_cast<std::uint8_t>(day);
    d.month = static_cast<std::uint8_t>(month);
    d.year = static_cast<std::uint16_t>(year);
    for (int w = 1; w <= 11; ++w)
        for (int k = 0; k < 5; ++k) d.setNumber(w, k, static_cast<std::uint8_t>(w + 11 * k));
    return d;
}

std::time_t LocalTime(int day, int month, int year, int hour) {
    std::tm t{};
    t.tm_mday = day;
    t.tm_mon = month - 1;
    t.tm_year = year - 1900;
    t.tm_hour = hour;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

} // namespace

class TstPri : public QObject {
    Q_OBJECT
    std::unique_ptr<numora::test::TempDir> dir;
    TPri* pri = nullptr;

    void resetData() {
        Globali& g = Globals();
        g.system.list.clear();
        g.system.undo.clear();
        g.system.modified = false;
        g.system.forecast.clear();
        g.archive.clear();
        g.settings.notificaaggio = 1;
        g.system.currentPath = DefaultSystemPath(g.appDir);
        if (auto* p = TGiocate::instance()) p->RefreshPlayList();
        if (auto* f = TPronostico::instance()) f->RefreshForecast();
        pri->showSystemName();
    }

private slots:
    void initTestCase() {
        dir = std::make_unique<numora::test::TempDir>();
        Globali& g = Globals();
        g.appDir = dir->path();
        g.settings.decimali = 2;
        g.settings.minimo = 1;
        g.settings.massimo = 200;
        g.settings.multiplo = 0.5;
        g.settings.denominations = {0.5, 1, 2, 3, 4, 5, 10, 15, 20, 25, 30, 40, 50, 60, 75, 100, 150, 200};
        g.system.currentPath.clear();
        {
            // With an empty archive the frequency windows refuse their default draw window at creation.
            MessageBoxHook hook;
            CreateWindows();
        }
        pri = TPri::instance();
        QVERIFY(pri);
    }
    void init() { resetData(); }
    void cleanupTestCase() { delete pri; }

    void defaultSystemAndTitle() {
        QCOMPARE(pri->windowTitle(), QStringLiteral("Numora - [Sistema1.lpc]"));
        QCOMPARE(pri->action(QStringLiteral("Salva1"))->text(), QStringLiteral("Salva Sistema1.lpc"));
    }

    void menuItemsPresentWithTheirComponentNames() {
        for (const char* name : {"Nuovo1",
                                 "Apri1",
                                 "Salva1",
                                 "Salvaconnome1",
                                 "Esci1",
                                 "Visualizza2",
                                 "IRitardidei90numeri1",
                                 "Riduzioneacruciverba1",
                                 "Eliminatuttelegiocate1",
                                 "Visualizza4",
                                 "Aggiunginumerocasualmente1",
                                 "Visualizza5",
                                 "Annullalultimaoperazionesullegiocate1",
                                 "Visualizza3",
                                 "leopzioni1",
                                 "Creacopiadisicurezza1",
                                 "Visualizza1",
                                 "Impostastampante1",
                                 "Connessioneadinternet1",
                                 "Modificavalutaeimportidigiocata1",
                                 "Sommario1",
                                 "SpeedButton1",
                                 "SpeedButton14",
                                 "SpeedButton12",
                                 "stmstp"})
            QVERIFY2(pri->action(QString::fromUtf8(name)), name);
        // A feature's row takes the place of the disabled row kept for it.
        QVERIFY(pri->action(QStringLiteral("Riduzioneacruciverba1"))->isEnabled());
        // A button that does what a command does comes alive with it.
        QVERIFY(pri->action(QStringLiteral("SpeedButton11"))->isEnabled());
        QVERIFY(pri->action(QStringLiteral("SpeedButton21"))->isEnabled());
        // Every window of the program is built: no command is left waiting for one.
        for (QAction* a : pri->findChildren<QAction*>())
            if (!a->objectName().isEmpty() && !a->isSeparator()) QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    }

    void statusLineShowsTheLongPartOfAHint() {
        QStatusTipEvent tip(pri->action(QStringLiteral("SpeedButton1"))->statusTip());
        QApplication::sendEvent(pri, &tip);
        auto* label = pri->findChild<QLabel*>(QStringLiteral("Label1"));
        QCOMPARE(label->text(), QStringLiteral(" Permette di aggiornare l'archivio storico tramite internet"));
        QStatusTipEvent plain(pri->action(QStringLiteral("SpeedButton19"))->statusTip());
        QApplication::sendEvent(pri, &plain);
        QCOMPARE(label->text(), QStringLiteral(" Elimina le giocate selezionate"));
    }

    // A control of another window, a dialog, brings its hint to the status line: the long part,
    // picked when shown, while the tooltip holds the short part.
    void hintOfADialogReachesTheStatusLine() {
        auto* label = pri->findChild<QLabel*>(QStringLiteral("Label1"));
        QDialog dialog;
        auto* button = new QPushButton(QStringLiteral("Applica"), &dialog);
        SetHint(button, QStringLiteral(" Applica |Applica le modifiche alla giocata"));
        QCOMPARE(button->toolTip(), QStringLiteral(" Applica "));
        dialog.show();
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(button, &enter);
        QCOMPARE(label->text(), QStringLiteral(" Applica le modifiche alla giocata"));
        QStatusTipEvent leave{QString()};
        QApplication::sendEvent(button, &leave);
        QCOMPARE(label->text(), QString());
    }

    // A row of the table runs its check first; a generator's row then shows the play list.
    void tableRowsRunTheirCheckAndShowThePlays() {
        MessageBoxHook hook;
        int runs = 0;
        CommandRow row = MenuItem(QStringLiteral("Riduzioni"), QStringLiteral("Sviluppo integrale"),
                                  QStringLiteral("Sviluppointegraledelpronostico1"), 10);
        row.check = Check::ForecastNotEmpty;
        row.action = [&runs](QWidget*) { ++runs; };
        Commands().add(row);
        CommandRow button = ToolButton(QStringLiteral("SpeedButton99"), QStringLiteral("prova"), 1);
        button.sameAs = row.name;
        Commands().add(button);
        QVERIFY(Commands().enabled(*Commands().find(QStringLiteral("SpeedButton99"))));
        auto* plays = TGiocate::instance();
        plays->hide();
        pri->runCommand(*Commands().find(QStringLiteral("SpeedButton99")));
        QCOMPARE(runs, 0);
        QCOMPARE(hook.last().text, QStringLiteral("Il pronostico non contiene nessun numero!"));
        QVERIFY(!plays->isVisible());
        Globals().system.forecast.setChosen(7, true);
        pri->runCommand(*Commands().find(QStringLiteral("SpeedButton99")));
        QCOMPARE(runs, 1);
        QVERIFY(plays->isVisible());
    }

    void startSaysTheArchiveIsUnreadable() {
        MessageBoxHook hook;
        Globals().archive.setFromUnreadableFile(true);
        ShowStartMessages(pri);
        Globals().archive.setFromUnreadableFile(false);
        QCOMPARE(hook.count(), 1);
        QVERIFY(hook.last().text.startsWith(QStringLiteral("Impossibile leggere il file Numora.dtb")));
        QCOMPARE(hook.last().icon, MsgIcon::Error);
    }

    void checksRefuseOrLetThrough() {
        MessageBoxHook hook;
        QVERIFY(!pri->passCheck(Check::ForecastNotEmpty));
        QCOMPARE(hook.last().text, QStringLiteral("Il pronostico non contiene nessun numero!"));
        QCOMPARE(hook.last().caption, QStringLiteral("Attenzione"));
        QCOMPARE(hook.last().icon, MsgIcon::Information);
        Globals().system.forecast.setChosen(1, true);
        Globals().system.forecast.setChosen(2, true);
        hook.clear();
        QVERIFY(!pri->passCheck(Check::ForecastAtLeastThree));
        QCOMPARE(hook.last().text, QStringLiteral("Il pronostico deve contenere almeno 3 numeri!"));
        QVERIFY(pri->passCheck(Check::ForecastNotEmpty));
        QVERIFY(!pri->passCheck(Check::PlaysToEliminate));
        QCOMPARE(hook.last().caption, QStringLiteral("Numora"));
        QVERIFY(!pri->passCheck(Check::PlaysToPrint));
        QCOMPARE(hook.last().text, QStringLiteral("Non ci sono giocate da stampare!"));
    }

    void invalidFixedNumbersWarnAndGoOn() {
        MessageBoxHook hook;
        Globals().system.forecast.setChosen(5, true);
        auto* f = TPronostico::instance();
        auto* box = f->findChild<QLineEdit*>(QStringLiteral("Edit23"));
        box->blockSignals(true);
        box->setText(QStringLiteral("95"));
        box->blockSignals(false);
        const QString title = pri->windowTitle();
        QVERIFY(pri->passCheck(Check::ForecastNotEmpty));
        QCOMPARE(hook.last().text, QStringLiteral("Una delle fisse contiene valori non validi!"));
        QCOMPARE(hook.last().icon, MsgIcon::Error);
        QCOMPARE(pri->windowTitle(), title);
        box->blockSignals(true);
        box->clear();
        box->blockSignals(false);
    }

    void deleteAllAndUndoRoundTrip() {
        Globali& g = Globals();
        MessageBoxHook hook;
        pri->action(QStringLiteral("Eliminatuttelegiocate1"))->trigger();
        QCOMPARE(hook.last().text, QStringLiteral("Non ci sono giocate da eliminare!"));
        pri->action(QStringLiteral("SpeedButton14"))->trigger();
        QCOMPARE(hook.last().text, QStringLiteral("Non ci sono giocate da ripristinare!"));

        AddOrReplacePlay(g.system.list, MakePlay({1, 2}));
        AddOrReplacePlay(g.system.list, MakePlay({3, 4}));
        AddOrReplacePlay(g.system.list, MakePlay({5, 6}));
        hook.clear();
        hook.queueAnswer(MsgAnswer::No);
        pri->action(QStringLiteral("Eliminatuttelegiocate1"))->trigger();
        QCOMPARE(hook.last().text, QStringLiteral("Sei sicuro di voler eliminare tutte le giocate ?"));
        QCOMPARE(hook.last().caption, QStringLiteral("Attenzione !"));
        QCOMPARE(hook.last().defaultAnswer, MsgAnswer::No);
        QCOMPARE(g.system.list.count(), 3);
        hook.queueAnswer(MsgAnswer::Yes);
        pri->action(QStringLiteral("Eliminatuttelegiocate1"))->trigger();
        QCOMPARE(g.system.list.count(), 0);
        QVERIFY(g.system.modified); // the deleted plays are offered for saving at the close

        hook.queueAnswer(MsgAnswer::Yes);
        pri->action(QStringLiteral("SpeedButton14"))->trigger();
        QCOMPARE(hook.last().text, QStringLiteral("Sostituire le attuali 0 giocate con le 3 vecchie giocate ?"));
        QCOMPARE(g.system.list.count(), 3);
        QCOMPARE(g.system.list.play(3).number(0), 5);
        // The snapshot stays: a second undo asks again and restores the same plays.
        hook.queueAnswer(MsgAnswer::Yes);
        pri->action(QStringLiteral("Annullalultimaoperazionesullegiocate1"))->trigger();
        QCOMPARE(hook.last().text, QStringLiteral("Sostituire le attuali 3 giocate con le 3 vecchie giocate ?"));
        QCOMPARE(g.system.list.count(), 3);
        hook.queueAnswer(MsgAnswer::No);
        g.system.list.setCount(1);
        pri->action(QStringLiteral("SpeedButton14"))->trigger();
        QCOMPARE(g.system.list.count(), 1);
    }

    void saveOpenAndNew() {
        Globali& g = Globals();
        MessageBoxHook hook;
        AddOrReplacePlay(g.system.list, MakePlay({10, 20, 30}));
        g.system.forecast.setChosen(7, true);
        g.system.modified = true;
        const QString target = Q(g.appDir) + QStringLiteral("Mio.lpc");
        pri->chooseSaveFile = [&](QWidget*) { return target; };
        pri->action(QStringLiteral("Salvaconnome1"))->trigger();
        QVERIFY(!g.system.modified);
        QCOMPARE(FileSize(target.toStdString()), 2268 + 64);
        QCOMPARE(pri->windowTitle(), QStringLiteral("Numora - [Mio.lpc]"));
        QCOMPARE(pri->action(QStringLiteral("Salva1"))->text(), QStringLiteral("Salva Mio.lpc"));

        // "Nuovo" with changes asks; Cancel stops; No goes on and keeps the path.
        g.system.modified = true;
        hook.queueAnswer(MsgAnswer::Cancel);
        pri->action(QStringLiteral("Nuovo1"))->trigger();
        QCOMPARE(hook.last().text, QStringLiteral("Il sistema attuale non è stato salvato!\rVuoi salvarlo ?"));
        QCOMPARE(hook.last().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(g.system.list.count(), 1);
        hook.queueAnswer(MsgAnswer::No);
        pri->action(QStringLiteral("Nuovo1"))->trigger();
        QCOMPARE(g.system.list.count(), 0);
        QCOMPARE(g.system.forecast.chosenCount(), 0);
        QCOMPARE(pri->windowTitle(), QStringLiteral("Numora - [Mio.lpc]"));
        QCOMPARE(pri->action(QStringLiteral("Salva1"))->text(), QStringLiteral("Salva Mio.lpc"));

        g.system.modified = false;
        pri->chooseOpenFile = [&](QWidget*) { return target; };
        pri->action(QStringLiteral("Apri1"))->trigger();
        QCOMPARE(g.system.list.count(), 1);
        QVERIFY(g.system.forecast.isChosen(7));
        QCOMPARE(TPronostico::instance()->windowTitle(), QStringLiteral("Pronostico: 1 numeri"));

        // An incompatible file: both messages, in order.
        const std::string bad = g.appDir + "Nuovo.lpc";
        std::string bytes = SystemFileImage(g.system);
        bytes[0] = 3;
        QVERIFY(WriteFileAtomically(bad, bytes));
        hook.clear();
        pri->chooseOpenFile = [&](QWidget*) { return Q(bad); };
        pri->action(QStringLiteral("Apri1"))->trigger();
        QCOMPARE(hook.count(), 2);
        QCOMPARE(
            hook.shown()[0].text,
            QStringLiteral("Questa versione non è compatibile con la versione usata per creare il sistema da aprire."));
        QCOMPARE(hook.shown()[0].caption, QStringLiteral("Errore"));
        QCOMPARE(hook.shown()[1].text, QStringLiteral("Si è verificato un errore durante l'apertura del sistema."));
        QCOMPARE(hook.shown()[1].caption, QStringLiteral("Attenzione"));
        QCOMPARE(pri->windowTitle(), QStringLiteral("Numora - [Mio.lpc]"));

        // "Salva" into a folder that does not exist fails with its message; the flag stays.
        g.system.currentPath = g.appDir + "manca/Sistema.lpc";
        g.system.modified = true;
        hook.clear();
        pri->action(QStringLiteral("Salva1"))->trigger();
        QCOMPARE(hook.last().caption, QStringLiteral("Errore !"));
        QVERIFY(hook.last().text.startsWith(QStringLiteral("Si è verificato un errore durante il salvataggio")));
        QVERIFY(g.system.modified);
        g.system.modified = false;
    }

    void failedOpenOrSaveAsKeepsTheFilesAndTheName() {
        Globali& g = Globals();
        MessageBoxHook hook;
        for (int k = 1; k <= 8; ++k) AddOrReplacePlay(g.system.list, MakePlay({k, k + 10, k + 20}));
        const std::string good = g.appDir + "Otto.lpc";
        pri->chooseSaveFile = [&](QWidget*) { return Q(good); };
        pri->action(QStringLiteral("Salvaconnome1"))->trigger();
        const std::string goodBytes = numora::test::ReadAll(good);
        QCOMPARE(goodBytes.size(), std::size_t(2268 + 8 * 64));

        std::string newer = goodBytes;
        newer[0] = 3;
        std::string shortFile = goodBytes.substr(0, 2268 + 64 + 10);
        const struct {
            std::string name, bytes;
            int messages;
        } cases[] = {{"fmt3.lpc", newer, 2}, {"corto.lpc", shortFile, 1}, {"manca.lpc", "", 1}};
        for (const auto& c : cases) {
            const std::string bad = g.appDir + c.name;
            if (!c.bytes.empty()) QVERIFY(WriteFileAtomically(bad, c.bytes));
            hook.clear();
            pri->chooseOpenFile = [&](QWidget*) { return Q(bad); };
            pri->action(QStringLiteral("Apri1"))->trigger();
            QCOMPARE(hook.count(), c.messages);
            QCOMPARE(hook.last().text, QStringLiteral("Si è verificato un errore durante l'apertura del sistema."));
            QCOMPARE(g.system.list.count(), 8);
            QCOMPARE(pri->windowTitle(), QStringLiteral("Numora - [Otto.lpc]"));
            QCOMPARE(pri->action(QStringLiteral("Salva1"))->text(), QStringLiteral("Salva Otto.lpc"));
            pri->action(QStringLiteral("Salva1"))->trigger();
            QCOMPARE(numora::test::ReadAll(good), goodBytes);
            QCOMPARE(FileExists(bad) ? numora::test::ReadAll(bad) : std::string(), c.bytes);
        }

        // "Salva con nome" into a folder that does not exist says so and keeps the name.
        hook.clear();
        g.system.modified = true;
        pri->chooseSaveFile = [&](QWidget*) { return Q(g.appDir + "manca/Altro.lpc"); };
        pri->action(QStringLiteral("Salvaconnome1"))->trigger();
        QCOMPARE(hook.last().caption, QStringLiteral("Errore !"));
        QVERIFY(g.system.modified);
        QCOMPARE(g.system.currentPath, good);
        QCOMPARE(pri->windowTitle(), QStringLiteral("Numora - [Otto.lpc]"));
        g.system.modified = false;
    }

    void impostaStampanteOffersThePrinters() {
        QString title, confirm;
        int printers = 0;
        numora::test::RunModal<QPrintDialog>([&](QPrintDialog* p) {
            title = p->windowTitle();
            confirm = p->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->text();
            printers = p->findChild<QComboBox*>(QStringLiteral("printers"))->count();
            p->reject();
        });
        pri->action(QStringLiteral("Impostastampante1"))->trigger();
        QCOMPARE(title, QStringLiteral("Imposta stampante"));
        QCOMPARE(confirm, QStringLiteral("OK"));
        QVERIFY(printers >= 1); // printing to a PDF file at least
    }

    void randomNumbers() {
        Globali& g = Globals();
        for (int n = 1; n <= 90; ++n) g.system.forecast.setChosen(n, true);
        g.system.modified = false;
        pri->action(QStringLiteral("Aggiunginumerocasualmente1"))->trigger();
        QCOMPARE(g.system.forecast.chosenCount(), 90);
        QVERIFY(!g.system.modified);
        pri->action(QStringLiteral("Eliminanumerocasualmente1"))->trigger();
        QCOMPARE(g.system.forecast.chosenCount(), 89);
        QVERIFY(g.system.modified);
        pri->action(QStringLiteral("Aggiunginumerocasualmente1"))->trigger();
        QCOMPARE(g.system.forecast.chosenCount(), 90);
    }

    void reminderAfterMoreThanFiveDays() {
        Globali& g = Globals();
        InsertDraw(g.archive, DrawOn(10, 3, 2026));
        g.settings.notificaaggio = 1;
        int shown = 0;
        QString text;
        auto answerLater = [&] {
            numora::test::RunModal<TNotificaAgg>([&](TNotificaAgg* d) {
                ++shown;
                text = d->Label1->text();
                d->CheckBox1->setChecked(true);
                QTest::mouseClick(d->Annulla, Qt::LeftButton);
            });
        };
        pri->clock = [] { return LocalTime(14, 3, 2026, 10); }; // four days
        answerLater();
        pri->NotificaTimer();
        QCOMPARE(shown, 0);
        QCoreApplication::processEvents();
        pri->clock = [] { return LocalTime(16, 3, 2026, 10); }; // six days
        answerLater();
        pri->NotificaTimer();
        QCOMPARE(shown, 1);
        QCOMPARE(text, QStringLiteral("L'ultimo aggiornamento dell'archivio storico risale al 10/3/2026"));
        QCOMPARE(g.settings.notificaaggio, 0);
        QVERIFY(numora::test::ReadAll(g.appDir + "Numora.ini").find("notificaaggio=0") != std::string::npos);
        // With an empty archive the reminder still works.
        g.archive.clear();
        answerLater();
        pri->NotificaTimer();
        QCOMPARE(shown, 2);
        QCOMPARE(text, QStringLiteral("L'archivio storico non contiene nessuna estrazione."));
    }
};

// The first activation reads the command line; each case needs a fresh main window.
class TstPriStart : public QObject {
    Q_OBJECT
    std::unique_ptr<numora::test::TempDir> dir;

    // Creates the windows, activates the main window once, and reports what it opened.
    int activate(const QStringList& args, int notifica) {
        Globali& g = Globals();
        g.settings.notificaaggio = notifica;
        g.system.list.clear();
        g.system.currentPath = DefaultSystemPath(g.appDir);
        MessageBoxHook hook;
        CreateWindows();
        TPri* pri = TPri::instance();
        pri->setArguments(args);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(pri, &activate);
        const int plays = g.system.list.count();
        const bool reminder = pri->reminderTimer()->isActive();
        delete pri;
        return plays * 10 + (reminder ? 1 : 0);
    }

private slots:
    void initTestCase() {
        dir = std::make_unique<numora::test::TempDir>();
        Globali& g = Globals();
        g.appDir = dir->path();
        PlaySystem s;
        s.list.play(1).setNumbers({1, 2, 3});
        s.list.play(2).setNumbers({4, 5, 6});
        s.list.setCount(2);
        QVERIFY(SaveSystem(g.appDir + "Due.lpc", s));
    }
    void commandLine() {
        const QString file = QString::fromStdString(Globals().appDir + "Due.lpc");
        QCOMPARE(activate({file}, 1), 21);
        QCOMPARE(activate({file, file}, 1), 1);
        QCOMPARE(activate({file + QStringLiteral(".none")}, 1), 1);
        QCOMPARE(activate({file}, 0), 0);
        QCOMPARE(activate({}, 1), 1);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int status = 0;
    {
        TstPri t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TstPriStart t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}

#include "tst_pri.moc"
