#include "main/UPri.h"

#include "archive/UArchiveCommands.h"
#include "archive/UImpoConne.h"
#include "archive/Uaggio.h"
#include "archive/Udb.h"
#include "components/UHelp.h"
#include "components/UMessageBox.h"
#include "core/Globali.h"
#include "core/SystemFile.h"
#include "forecast/UPronostico.h"
#include "main/UInformazioni.h"
#include "main/UNotificaAgg.h"
#include "main/UToolIcons.h"
#include "playlist/UGiocate.h"
#include "stakes/UModimpo.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace numora {

namespace {
TPri* g_instance = nullptr;

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Q(const char* s) { return QString::fromUtf8(s); }

// Qt's file dialogs take the filter as "Name (*.ext);;Name (*.*)"; the system file filter
// keeps its original wording.
QString SystemFilter() { return QStringLiteral("*.lpc (File Numora) (*.lpc);;*.* (Tutti i file) (*)"); }

QString WithExtension(QString path) {
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".lpc");
    return path;
}

QPrinter& SharedPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

constexpr int ClientHeight = 56;
} // namespace

QString LongHint(const QString& hint) {
    const auto bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

TPri* TPri::instance() { return g_instance; }

TPri::TPri(QWidget* parent) : QMainWindow(parent) {
    g_instance = this;
    setObjectName(QStringLiteral("Pri"));
    setWindowTitle(QStringLiteral("Numora"));

    Globali& g = Globals();
    g.system.customProbabilities = PlaySystem::DefaultCustomProbabilities();

    auto* client = new QWidget(this);
    client->setFixedHeight(ClientHeight);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(0);
    toolbar_ = new QToolBar(client);
    toolbar_->setObjectName(QStringLiteral("ToolBar1"));
    toolbar_->setIconSize(QSize(24, 24));
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->installEventFilter(this); // the buttons show no tooltip
    layout->addWidget(toolbar_);
    Label1 = new QLabel(client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFrameShape(QFrame::Panel);
    Label1->setFrameShadow(QFrame::Sunken);
    Label1->setFixedHeight(16);
    layout->addWidget(Label1);
    setCentralWidget(client);

    buildMenus();
    buildToolbar();

    reminder_ = new QTimer(this);
    reminder_->setObjectName(QStringLiteral("Notifica"));
    reminder_->setSingleShot(true);
    reminder_->setInterval(500);
    connect(reminder_, &QTimer::timeout, this, &TPri::NotificaTimer);

    if (g.system.currentPath.empty()) g.system.currentPath = DefaultSystemPath(g.appDir);
    showSystemName();
    SetHelpFile(Q(g.appDir) + QStringLiteral("help/Numora.html"));
}

TPri::~TPri() {
    if (g_instance == this) g_instance = nullptr;
}

QAction* TPri::action(const QString& name) const {
    auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

QAction* TPri::addItem(QMenu* menu, const QString& caption, const QString& name, std::function<void()> run,
                       bool enabled) {
    auto* a = menu->addAction(caption);
    a->setObjectName(name);
    a->setEnabled(enabled && run != nullptr);
    if (run) connect(a, &QAction::triggered, this, [run] { run(); });
    actions_[name] = a;
    return a;
}

QAction* TPri::addButton(const QString& name, const QString& hint, std::function<void()> run, bool enabled) {
    auto* a = new QAction(ToolIcon(name), QString(), this);
    a->setObjectName(name);
    a->setStatusTip(LongHint(hint));
    a->setProperty("hint", hint);
    a->setEnabled(enabled && run != nullptr);
    if (run) connect(a, &QAction::triggered, this, [run] { run(); });
    toolbar_->addAction(a);
    if (auto* b = toolbar_->widgetForAction(a)) b->setObjectName(name);
    actions_[name] = a;
    return a;
}

void TPri::buildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("File"));
    addItem(file, QStringLiteral("Nuovo"), QStringLiteral("Nuovo1"), [this] { Nuovo1Click(); });
    addItem(file, QStringLiteral("Apri"), QStringLiteral("Apri1"), [this] { Apri1Click(); });
    addItem(file, QStringLiteral("Salva"), QStringLiteral("Salva1"), [this] { Salva1Click(); });
    addItem(file, QStringLiteral("Salva con nome"), QStringLiteral("Salvaconnome1"), [this] { Salvaconnome1Click(); });
    file->addSeparator();
    addItem(file, QStringLiteral("Fine"), QStringLiteral("Esci1"), [this] { close(); })
        ->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));

    // Windows still to come stay in the menu, disabled, so the menu keeps its final shape.
    QMenu* stats = bar->addMenu(QStringLiteral("Statistiche"));
    addItem(stats, QStringLiteral("Visualizza"), QStringLiteral("Visualizza2"), nullptr);
    stats->addSeparator();
    addItem(stats, QStringLiteral("I Ritardi dei 90 numeri"), QStringLiteral("IRitardidei90numeri1"), nullptr);
    addItem(stats, QStringLiteral("Le Frequenze dei 90 numeri"), QStringLiteral("LeFrequenzedei90numeri1"), nullptr);
    addItem(stats, QStringLiteral("Probabilità dei 90 numeri"), QStringLiteral("Probabilitdei90numeri1"), nullptr);
    addItem(stats, QStringLiteral("I Numeri più ritardatari"), QStringLiteral("INumeripiritardatari1"), nullptr);
    addItem(stats, QStringLiteral("I Numeri meno frequenti"), QStringLiteral("INumerimenofrequenti1"), nullptr);
    stats->addSeparator();
    addItem(stats, QStringLiteral("I Ritardi dei 4005 Ambi"), QStringLiteral("IRitardidei4005Ambi1"), nullptr);
    addItem(stats, QStringLiteral("Le frequenze dei 4005 Ambi"), QStringLiteral("Lefrequenzedei4005Ambi1"), nullptr);
    addItem(stats, QStringLiteral("Gli Ambi più ritardatari"), QStringLiteral("GliAmbipiritardatari1"), nullptr);
    addItem(stats, QStringLiteral("Gli Ambi meno frequenti"), QStringLiteral("GliAmbimenofrequenti1"), nullptr);

    QMenu* red = bar->addMenu(QStringLiteral("Riduzioni"));
    addItem(red, QStringLiteral("Sviluppo integrale"), QStringLiteral("Sviluppointegraledelpronostico1"), nullptr);
    addItem(red, QStringLiteral("Riduzione a garanzia"), QStringLiteral("Riduzioneagaranzia1"), nullptr);
    addItem(red, QStringLiteral("Riduzione condizionata"), QStringLiteral("Riduzionecondizionata1"), nullptr);
    addItem(red, QStringLiteral("Riduzione Genio - Aggiungi giocate più rappresentative"),
            QStringLiteral("Riduzioneacruciverba1"), nullptr);
    addItem(red, QStringLiteral("Ottimizza probabilità assoluta di vincita"),
            QStringLiteral("Ottimizzaprobabilitassolutadivincita1"), nullptr);
    red->addSeparator();
    addItem(red, QStringLiteral("Estrai giocate più probabili"), QStringLiteral("Estraigiocatepiprobabili2"), nullptr);
    addItem(red, QStringLiteral("Estrai giocate con probabilità personalizzate"),
            QStringLiteral("RIduzionepersonalizzata1"), nullptr);
    addItem(red, QStringLiteral("Estrai giocate casualmente"), QStringLiteral("Estraigiocatecasualmente1"), nullptr);
    red->addSeparator();
    addItem(red, QStringLiteral("Elimina giocate meno probabili"), QStringLiteral("Eliminagiocatemenoprobabili1"),
            nullptr);
    addItem(red, QStringLiteral("Elimina giocate con probabilità personalizzate"),
            QStringLiteral("Estraigiocateconprobabilitpersonalizzata1"), nullptr);
    addItem(red, QStringLiteral("Elimina giocate casualmente"), QStringLiteral("Eliminagiocatecasualmente1"), nullptr);
    red->addSeparator();
    addItem(red, QStringLiteral("Elimina tutte le giocate"), QStringLiteral("Eliminatuttelegiocate1"),
            [this] { Eliminatuttelegiocate1Click(); });

    QMenu* fc = bar->addMenu(QStringLiteral("Pronostico"));
    addItem(fc, QStringLiteral("Visualizza"), QStringLiteral("Visualizza4"), [this] { showForecast(); });
    fc->addSeparator();
    addItem(fc, QStringLiteral("Visualizza probabilità dei 90 numeri"),
            QStringLiteral("Visualizzaprobabilitdei90numeri1"), nullptr);
    addItem(fc, QStringLiteral("Aggiungi numeri più probabili"), QStringLiteral("Aggiunginumeripiprobabili1"), nullptr);
    addItem(fc, QStringLiteral("Elimina numeri meno probabili"), QStringLiteral("Eliminanumerimenoprobabili1"),
            nullptr);
    fc->addSeparator();
    addItem(fc, QStringLiteral("Aggiungi numero casualmente"), QStringLiteral("Aggiunginumerocasualmente1"),
            [this] { Aggiunginumerocasualmente1Click(); });
    addItem(fc, QStringLiteral("Elimina numero casualmente"), QStringLiteral("Eliminanumerocasualmente1"),
            [this] { Eliminanumerocasualmente1Click(); });
    fc->addSeparator();
    addItem(fc, QStringLiteral("Visualizza scheda statistiche"), QStringLiteral("Visualizzastatistichesuinumeri1"),
            nullptr);

    QMenu* pl = bar->addMenu(QStringLiteral("Giocate"));
    addItem(pl, QStringLiteral("Visualizza"), QStringLiteral("Visualizza5"), [this] { showPlayList(); });
    pl->addSeparator();
    addItem(pl, QStringLiteral("Spoglio delle giocate"), QStringLiteral("Spogliodellegiocate1"), nullptr);
    addItem(pl, QStringLiteral("Visualizza distribuzione dei numeri"),
            QStringLiteral("Visualizzadistribuzionedeinumeri1"), nullptr);
    pl->addSeparator();
    addItem(pl, QStringLiteral("Annulla l'ultima operazione sulle giocate"),
            QStringLiteral("Annullalultimaoperazionesullegiocate1"), [this] {
                showPlayList();
                SpeedButton14Click();
            });
    addItem(pl, QStringLiteral("Elimina le giocate selezionate"), QStringLiteral("Eliminalegiocateselezionate1"),
            [this] {
                showPlayList();
                SpeedButton19Click();
            });
    addItem(pl, QStringLiteral("Modifica manuale delle giocate selezionate"),
            QStringLiteral("Modificamanualegiocateselezionate1"), [this] {
                showPlayList();
                SpeedButton15Click();
            });
    addItem(pl, QStringLiteral("Inserimento giocate da tastiera"), QStringLiteral("Inserimentogiocatedatastiera1"),
            [this] {
                showPlayList();
                SpeedButton21Click();
            });

    QMenu* ar = bar->addMenu(QStringLiteral("Archivio storico"));
    addItem(ar, QStringLiteral("Visualizza"), QStringLiteral("Visualizza3"), [this] { showViewer(); });
    ar->addSeparator();
    addItem(ar, QStringLiteral("Aggiorna da internet"), QStringLiteral("leopzioni1"), [this] {
        showViewer();
        SpeedButton1Click();
    });
    addItem(ar, QStringLiteral("Aggiorna manualmente"), QStringLiteral("Aggiornamanualmente1"), [this] {
        showViewer();
        NewDraw(this);
    });
    addItem(ar, QStringLiteral("Importa archivio da file…"), QStringLiteral("Importaarchivio1"),
            [this] {
                showViewer();
                ImportArchiveFromFile(this);
            });
    ar->addSeparator();
    addItem(ar, QStringLiteral("Modifica estrazione"), QStringLiteral("Modificaestrazione1"), [this] {
        showViewer();
        EditShownDraw(this);
    });
    addItem(ar, QStringLiteral("Elimina estrazione"), QStringLiteral("Eliminaestrazione1"), [this] {
        showViewer();
        DeleteShownDraw(this);
    });
    addItem(ar, QStringLiteral("Elimina intervallo di estrazioni"), QStringLiteral("Eliminapiestrazioni1"), [this] {
        showViewer();
        DeleteDrawRange(this);
    });
    ar->addSeparator();
    addItem(ar, QStringLiteral("Crea copia di sicurezza"), QStringLiteral("Creacopiadisicurezza1"),
            [this] { BackupArchive(this); });
    addItem(ar, QStringLiteral("Ripristina da copia di sicurezza"), QStringLiteral("Ripristinadacopiadisicurezza1"),
            [this] { RestoreArchive(this); });

    QMenu* sm = bar->addMenu(QStringLiteral("La smorfia"));
    addItem(sm, QStringLiteral("Visualizza"), QStringLiteral("Visualizza1"), nullptr);
    addItem(sm, QStringLiteral("Modifica"), QStringLiteral("Modifica1"), nullptr);

    QMenu* pr = bar->addMenu(QStringLiteral("Stampa"));
    addItem(pr, QStringLiteral("Imposta stampante"), QStringLiteral("Impostastampante1"), [this] {
        QPageSetupDialog dialog(&SharedPrinter(), this);
        dialog.exec();
    });
    pr->addSeparator();
    addItem(pr, QStringLiteral("Stampa giocate su schedine"), QStringLiteral("Stampagiocatesuschedine2"), nullptr);
    addItem(pr, QStringLiteral("Calibra la stampa verticale su schedine"),
            QStringLiteral("Calibralastampaverticalesuschedine1"), nullptr);
    addItem(pr, QStringLiteral("Calibra la stampa orizzontale su schedine"),
            QStringLiteral("Calibralastampaorizzontalesuschedine1"), nullptr);
    pr->addSeparator();
    addItem(pr, QStringLiteral("Stampa giocate su carta comune"), QStringLiteral("Stampagiocatesucartacomune1"),
            nullptr);
    QMenu* old = pr->addMenu(QStringLiteral("Stampa su vecchie schedine"));
    addItem(old, QStringLiteral("Stampa giocate su schedine"), QStringLiteral("Stampagiocatesuschedine1"), nullptr);
    addItem(old, QStringLiteral("Calibra stampa orizzontale su schedine"),
            QStringLiteral("Calibrastampaorizzontalesuschedine1"), nullptr);
    addItem(old, QStringLiteral("Calibra stampa verticale su schedine"),
            QStringLiteral("Calibrastampaverticalesuschedine1"), nullptr);

    QMenu* op = bar->addMenu(QStringLiteral("Opzioni generali"));
    addItem(op, QStringLiteral("Connessione ad internet"), QStringLiteral("Connessioneadinternet1"),
            [this] { ShowConnectionSettings(this); });
    addItem(op, QStringLiteral("Modifica importi di giocata"), QStringLiteral("Modificavalutaeimportidigiocata1"),
            [this] { Modificavalutaeimportidigiocata1Click(); });
    addItem(op, QStringLiteral("Calcola vincite"), QStringLiteral("Calcolatoredellevincite1"), nullptr);

    QMenu* help = bar->addMenu(QStringLiteral("Guida in linea"));
    addItem(help, QStringLiteral("Sommario"), QStringLiteral("Sommario1"), [this] { ShowHelpContents(this); })
        ->setShortcut(QKeySequence(Qt::Key_F1));
    addItem(help, QStringLiteral("Introduzione"), QStringLiteral("Introduzione1"), [this] { ShowHelpContext(1, this); });
    addItem(help, QStringLiteral("Cerca argomento"), QStringLiteral("Cercaargomento1"),
            [this] { ShowHelpSearch(QString(), this); });
    help->addSeparator();
    addItem(help, QStringLiteral("Numora Home Page"), QStringLiteral("NumoraHomePage1"),
            [] { QDesktopServices::openUrl(QUrl(QString::fromUtf8(NumoraHomePage))); });
    addItem(help, QStringLiteral("Informazioni su Numora"), QStringLiteral("InformazionisuNumora1"), [this] {
        TInformazioni about(this);
        about.exec();
    });
}

void TPri::buildToolbar() {
    addButton(QStringLiteral("SpeedButton9"), QStringLiteral("Guida in linea"), [this] { ShowHelpContents(this); });
    addButton(QStringLiteral("SpeedButton11"), QStringLiteral("Permette di estrarre dal pronostico le giocate più probabili"),
              nullptr);
    toolbar_->addSeparator();
    addButton(QStringLiteral("SpeedButton5"),
              QStringLiteral(" Elimina più estrazioni |Permette di eliminare un intervallo di estrazioni"), [this] {
                  showViewer();
                  DeleteDrawRange(this);
              });
    addButton(QStringLiteral("SpeedButton3"),
              QStringLiteral(" Elimina estrazione |Elimina l'estrazione attualmente visualizzata"), [this] {
                  showViewer();
                  DeleteShownDraw(this);
              });
    addButton(QStringLiteral("SpeedButton4"),
              QStringLiteral(" Modifica estrazione |Permette di modificare l'estrazione attualmente visualizzata"),
              [this] {
                  showViewer();
                  EditShownDraw(this);
              });
    addButton(QStringLiteral("SpeedButton2"),
              QStringLiteral("Inserimento manuale nuova estrazione |Permette di inserire manualmente le nuove estrazioni"),
              [this] {
                  showViewer();
                  NewDraw(this);
              });
    addButton(QStringLiteral("SpeedButton1"),
              QStringLiteral(" Aggiorna da internet |Permette di aggiornare l'archivio storico tramite internet"),
              [this] { SpeedButton1Click(); });
    toolbar_->addSeparator();
    addButton(QStringLiteral("SpeedButton13"),
              QStringLiteral(" Visualizza probabilità dei 90 numeri |Questa scheda permette di visualizzare le "
                             "probabilità dei 90 numeri."),
              nullptr);
    toolbar_->addSeparator();
    addButton(QStringLiteral("SpeedButton14"),
              QStringLiteral("Annulla l'ultima operazione eseguita sulle giocate|Annulla l'ultima operazione eseguita "
                             "sulle giocate."),
              [this] { SpeedButton14Click(); });
    addButton(QStringLiteral("SpeedButton19"), QStringLiteral("Elimina le giocate selezionate"),
              [this] { SpeedButton19Click(); });
    addButton(QStringLiteral("SpeedButton15"), QStringLiteral("Permette di modificare le giocate selezionate"),
              [this] { SpeedButton15Click(); });
    addButton(QStringLiteral("SpeedButton21"),
              QStringLiteral("Giocate da tastiera|Permette di aggiungere giocate manualmente."),
              [this] { SpeedButton21Click(); });
    toolbar_->addSeparator();
    addButton(QStringLiteral("SpeedButton16"),
              QStringLiteral("Spoglio delle giocate|Lo spoglio delle giocate permette di controllare i punteggi e le "
                             "vincite realizzate."),
              nullptr);
    addButton(QStringLiteral("stmstp"), QStringLiteral("Stampa le giocate direttamente sulle schedine del Lotto"),
              nullptr);
    addButton(QStringLiteral("SpeedButton18"),
              QStringLiteral("Distribuzione dei numeri|Visualizza la distribuzione dei numeri nelle giocate."), nullptr);
    toolbar_->addSeparator();
    addButton(QStringLiteral("SpeedButton6"), QStringLiteral("Riduzione del pronostico a garanzia"), nullptr);
    addButton(QStringLiteral("SpeedButton7"), QStringLiteral("Riduzione Condizionata"), nullptr);
    addButton(QStringLiteral("SpeedButton8"), QStringLiteral("Riduzione Genio - Aggiungi giocate più rappresentative"),
              nullptr);
    addButton(QStringLiteral("SpeedButton12"), QStringLiteral("Ottimizza probabilità assoluta di vincita"), nullptr);
}

bool TPri::event(QEvent* e) {
    // The application's hints reach the status line: a blank, then the long part.
    if (e->type() == QEvent::StatusTip) {
        setStatusText(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    if (e->type() == QEvent::WindowActivate && !activated_) FormActivate();
    return QMainWindow::event(e);
}

bool TPri::eventFilter(QObject* watched, QEvent* e) {
    if (watched == toolbar_ && e->type() == QEvent::ToolTip) return true;
    return QMainWindow::eventFilter(watched, e);
}

void TPri::setStatusText(const QString& hint) { Label1->setText(hint.isEmpty() ? QString() : u' ' + hint); }

void TPri::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!arranged_) {
        arranged_ = true;
        arrangeWindows();
        // Some desktops (or none at all) never activate the window; the first showing counts.
        QTimer::singleShot(0, this, [this] {
            if (!activated_) FormActivate();
        });
    }
}

void TPri::arrangeWindows() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect avail = screen->availableGeometry();
    setMaximumHeight(menuBar()->sizeHint().height() + ClientHeight);
    setGeometry(avail.x(), avail.y(), avail.width(), menuBar()->sizeHint().height() + ClientHeight);
    const int top = frameGeometry().bottom() + 1;
    int x = avail.x();
    if (auto* f = TPronostico::instance()) {
        f->move(avail.x(), top);
        x = f->frameGeometry().right() + 1;
    }
    if (auto* v = Tdb::instance()) {
        v->move(x, top);
        x = v->frameGeometry().right() + 1;
    }
    if (auto* p = TGiocate::instance()) {
        p->move(x, top);
        const QMargins frame(p->geometry().left() - p->frameGeometry().left(),
                             p->geometry().top() - p->frameGeometry().top(),
                             p->frameGeometry().right() - p->geometry().right(),
                             p->frameGeometry().bottom() - p->geometry().bottom());
        p->resize(std::max(200, avail.right() - x + 1 - frame.left() - frame.right()),
                  std::max(200, avail.bottom() - top + 1 - frame.top() - frame.bottom()));
    }
}

void TPri::FormActivate() {
    activated_ = true;
    Globali& g = Globals();
    if (g.settings.notificaaggio == 1) {
        if (arguments_.size() == 1 && QFileInfo(arguments_.front()).isFile()) {
            openSystem(arguments_.front());
        }
        reminder_->start();
    }
}

void TPri::NotificaTimer() {
    reminder_->stop();
    Globali& g = Globals();
    QString text;
    if (g.archive.empty()) {
        // Nothing to date an update from: an empty archive is the case that needs one most.
        text = QStringLiteral("L'archivio storico non contiene nessuna estrazione.");
    } else {
        const DrawRecord& last = g.archive.last();
        if (!ReminderDue(clock(), last.day, last.month, last.year)) return;
        text = QStringLiteral("L'ultimo aggiornamento dell'archivio storico risale al ") + Q(DateText(last));
    }
    bool dontShowAgain = false;
    const bool update = TNotificaAgg::ask(this, text, dontShowAgain);
    if (update) SpeedButton1Click();
    if (dontShowAgain && !g.readOnly) {
        g.settings.notificaaggio = 0;
        if (g.writeSettings() == WriteResult::Failed)
            MessageBox::error(this, QStringLiteral("Impossibile salvare le impostazioni nel file Numora.ini."));
    }
}

bool TPri::passCheck(Check check) {
    Globali& g = Globals();
    if (auto failure = RunCheck(check, g.system)) {
        MessageBox::show(this, Q(failure->caption), Q(failure->text), MsgIcon::Information, MsgButtons::Ok,
                         MsgAnswer::Ok);
        return false;
    }
    if (CheckReadsFixedNumbers(check)) {
        if (auto* f = TPronostico::instance(); f && f->PrendiFisse() > 0)
            MessageBox::show(this, QStringLiteral("Attenzione"), Q(InvalidFixedNumbersMessage), MsgIcon::Error,
                             MsgButtons::Ok, MsgAnswer::Ok);
    }
    return true;
}

void TPri::showSystemName() {
    const std::string& path = Globals().system.currentPath;
    setWindowTitle(Q(SystemWindowTitle(path)));
    if (auto* a = action(QStringLiteral("Salva1"))) a->setText(Q(SaveMenuCaption(path)));
}

bool TPri::askToSaveChanges() {
    Globali& g = Globals();
    if (!g.system.modified) return true;
    const MsgAnswer a = MessageBox::question(this, Q(UnsavedSystemQuestion), MsgButtons::YesNoCancel, MsgAnswer::Yes,
                                             MsgIcon::Question, QStringLiteral("Attenzione"));
    if (a == MsgAnswer::Cancel) return false;
    if (a == MsgAnswer::Yes) {
        Salvaconnome1Click();
        return !g.system.modified;
    }
    return true;
}

void TPri::Nuovo1Click() {
    if (!askToSaveChanges()) return;
    Globali& g = Globals();
    NewSystem(g.system);
    if (auto* p = TGiocate::instance()) p->RefreshPlayList();
    if (auto* f = TPronostico::instance()) f->RefreshForecast();
    showSystemName();
}

void TPri::Apri1Click() {
    if (!askToSaveChanges()) return;
    Globali& g = Globals();
    QString file;
    if (chooseOpenFile) {
        file = chooseOpenFile(this);
    } else {
        QFileDialog dialog(this, Q(OpenSystemDialogTitle), Q(g.appDir), SystemFilter());
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setDefaultSuffix(QStringLiteral("lpc"));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) file = dialog.selectedFiles().front();
    }
    if (!file.isEmpty()) openSystem(file);
}

void TPri::openSystem(const QString& file) {
    Globali& g = Globals();
    g.system.currentPath = file.toStdString();
    NewSystem(g.system);
    const auto result = LoadSystem(g.system.currentPath, g.system);
    if (result == LoadSystemResult::Incompatible) MessageBox::error(this, Q(IncompatibleSystemMessage));
    if (auto* f = TPronostico::instance()) f->RefreshForecast();
    if (auto* p = TGiocate::instance()) p->RefreshPlayList();
    showSystemName();
    if (result != LoadSystemResult::Ok)
        MessageBox::show(this, QStringLiteral("Attenzione"), Q(OpenSystemErrorMessage), MsgIcon::Error,
                         MsgButtons::Ok, MsgAnswer::Ok);
}

void TPri::Salva1Click() {
    Globali& g = Globals();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = SaveSystem(g.system.currentPath, g.system);
    QApplication::restoreOverrideCursor();
    if (ok)
        g.system.modified = false;
    else
        MessageBox::error(this, Q(SaveSystemErrorMessage), QStringLiteral("Errore !"));
}

void TPri::Salvaconnome1Click() {
    Globali& g = Globals();
    QString file;
    if (chooseSaveFile) {
        file = chooseSaveFile(this);
    } else {
        QFileDialog dialog(this, Q(SaveSystemDialogTitle), Q(g.appDir), SystemFilter());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("lpc"));
        dialog.selectFile(Q(g.system.currentPath));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) file = dialog.selectedFiles().front();
    }
    if (file.isEmpty()) return;
    g.system.currentPath = WithExtension(file).toStdString();
    g.system.modified = !SaveSystem(g.system.currentPath, g.system);
}

void TPri::closeEvent(QCloseEvent* e) {
    Globali& g = Globals();
    if (g.system.modified) {
        const MsgAnswer a = MessageBox::question(this, Q(UnsavedSystemQuestion), MsgButtons::YesNoCancel,
                                                 MsgAnswer::Yes, MsgIcon::Question, QStringLiteral("Attenzione"));
        if (a == MsgAnswer::Cancel) {
            e->ignore();
            return;
        }
        if (a == MsgAnswer::Yes) {
            Salvaconnome1Click();
            if (g.system.modified) {
                e->ignore();
                return;
            }
        } else {
            g.system.modified = false;
        }
    }
    e->accept();
    QApplication::closeAllWindows();
    QApplication::quit();
}

void TPri::Eliminatuttelegiocate1Click() {
    Globali& g = Globals();
    if (g.system.list.count() <= 0) {
        MessageBox::information(this, Q(NoPlaysToDeleteMessage));
        return;
    }
    if (MessageBox::question(this, Q(DeleteAllPlaysQuestion), MsgButtons::YesNo, MsgAnswer::No, MsgIcon::Question,
                             QStringLiteral("Attenzione !")) != MsgAnswer::Yes)
        return;
    DeleteAllPlays(g.system);
    if (auto* p = TGiocate::instance()) p->RefreshPlayList();
}

void TPri::SpeedButton14Click() {
    Globali& g = Globals();
    if (g.system.undo.count() == 0) {
        MessageBox::information(this, Q(NoPlaysToRestoreMessage));
        return;
    }
    if (MessageBox::question(this, Q(UndoQuestion(g.system.list.count(), g.system.undo.count())), MsgButtons::YesNo,
                             MsgAnswer::Yes, MsgIcon::Question, QStringLiteral("Attenzione")) == MsgAnswer::No)
        return;
    RestoreUndo(g.system);
    if (auto* p = TGiocate::instance()) p->RefreshPlayList();
}

void TPri::SpeedButton19Click() {
    auto* p = TGiocate::instance();
    Globali& g = Globals();
    if (!p || g.system.list.count() <= 0) {
        MessageBox::information(this, Q(NoPlaysToDeleteMessage));
        return;
    }
    const std::vector<int> rows = p->selectedRows();
    if (rows.empty()) {
        MessageBox::information(this, QStringLiteral("Non ci sono giocate selezionate da eliminare!"));
        return;
    }
    DeleteSelectedPlays(g.system, rows);
    p->RefreshPlayList();
}

void TPri::SpeedButton15Click() { EditSelectedPlays(this); }

void TPri::SpeedButton21Click() { KeyboardEntry(this); }

void TPri::SpeedButton1Click() {
    RunInternetUpdate(this);
    showViewer();
    if (auto* v = Tdb::instance()) v->RefreshViewerToLast();
}

void TPri::Aggiunginumerocasualmente1Click() {
    showForecast();
    if (auto* f = TPronostico::instance()) f->AddRandomNumber();
}

void TPri::Eliminanumerocasualmente1Click() {
    showForecast();
    if (auto* f = TPronostico::instance()) f->RemoveRandomNumber();
}

void TPri::Modificavalutaeimportidigiocata1Click() {
    TModimpo dialog(this);
    dialog.exec();
}

void TPri::showPlayList() {
    if (auto* p = TGiocate::instance()) {
        p->show();
        p->raise();
    }
}

void TPri::showViewer() {
    if (auto* v = Tdb::instance()) {
        v->show();
        v->raise();
    }
}

void TPri::showForecast() {
    if (auto* f = TPronostico::instance()) {
        f->show();
        f->raise();
    }
}

} // namespace numora
