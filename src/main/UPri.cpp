#include "main/UPri.h"

#include "components/UCommandTable.h"
#include "components/UHelp.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "components/UModalFocus.h"
#include "components/UTitleWidth.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "core/SystemFile.h"
#include "main/DeskLayout.h"
#include "main/UNotificaAgg.h"
#include "main/UToolIcons.h"
#include "platform/QtText.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace numora {

namespace {

// Qt's file dialogs take the filter as "Name (*.ext);;Name (*)"; the system file's filter names
// its pattern once.
QString SystemFilter() {
    return QStringLiteral("File Numora (*.lpc);;Tutti i file (*)");
}

QString WithExtension(QString path) {
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".lpc");
    return path;
}

constexpr int ClientHeight = 56;

// Generators and eliminators (checks A to E) change the plays: the list is shown afterwards.
bool ChangesThePlays(Check c) {
    return c == Check::ForecastNotEmpty || c == Check::ForecastAtLeastThree || c == Check::ForecastOrPlays ||
           c == Check::AtLeastTwoPlays || c == Check::PlaysToEliminate;
}

} // namespace

TPri* TPri::instance() {
    return Windows().find<TPri>();
}

TPri::TPri(QWidget* parent) : QMainWindow(parent) {
    Windows().enrol(this);
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

    buildMenusAndToolbar();
    KeepFocusAcrossModals();
    FitWindowsToTitles();
    // The hint of the control under the mouse, in any window, reaches the status line.
    HintRouter::install([this](const QString& hint) { setStatusText(hint); });

    reminder_ = new QTimer(this);
    reminder_->setObjectName(QStringLiteral("Notifica"));
    reminder_->setSingleShot(true);
    reminder_->setInterval(500);
    connect(reminder_, &QTimer::timeout, this, &TPri::NotificaTimer);

    if (g.system.currentPath.empty()) g.system.currentPath = DefaultSystemPath(g.appDir);
    showSystemName();
}

TPri::~TPri() {
    Windows().forget(this);
    HintRouter::uninstall();
}

QAction* TPri::action(const QString& name) const {
    auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

void TPri::buildMenusAndToolbar() {
    CommandTable& table = Commands();
    std::map<QString, QMenu*> menus;
    auto menuFor = [&](const QString& path) {
        if (auto it = menus.find(path); it != menus.end()) return it->second;
        QMenu* made = nullptr;
        const auto slash = path.lastIndexOf(u'/');
        if (slash < 0) {
            made = menuBar()->addMenu(path);
        } else {
            auto* parentMenu =
                menus.count(path.left(slash)) ? menus[path.left(slash)] : menuBar()->addMenu(path.left(slash));
            menus[path.left(slash)] = parentMenu;
            made = parentMenu->addMenu(path.mid(slash + 1));
        }
        menus[path] = made;
        return made;
    };
    // Every top-level menu in its place, even one whose items are all still to come.
    for (const QString& m : table.menuOrder()) menuFor(m);
    for (const CommandRow* row : table.menuItems()) {
        QMenu* menu = menuFor(row->menu);
        if (row->separatorBefore && !menu->isEmpty()) menu->addSeparator();
        QAction* a = menu->addAction(row->caption);
        a->setObjectName(row->name);
        a->setShortcut(row->shortcut);
        a->setEnabled(table.enabled(*row));
        const QString name = row->name;
        connect(a, &QAction::triggered, this, [this, name] {
            if (const CommandRow* r = Commands().find(name)) runCommand(*r);
        });
        actions_[row->name] = a;
    }
    for (const CommandRow* row : table.buttons()) {
        if (row->separatorBefore && !toolbar_->actions().isEmpty()) toolbar_->addSeparator();
        auto* a = new QAction(ToolIcon(row->name), QString(), this);
        a->setObjectName(row->name);
        a->setStatusTip(row->hint);
        a->setProperty("hint", row->hint);
        a->setEnabled(table.enabled(*row));
        const QString name = row->name;
        connect(a, &QAction::triggered, this, [this, name] {
            if (const CommandRow* r = Commands().find(name)) runCommand(*r);
        });
        toolbar_->addAction(a);
        if (auto* b = toolbar_->widgetForAction(a)) b->setObjectName(row->name);
        actions_[row->name] = a;
    }
}

void TPri::runCommand(const CommandRow& row) {
    CommandTable& table = Commands();
    const CommandRow* target = table.target(row);
    if (!target || !target->action) return;
    if (row.prelude) row.prelude();
    const std::optional<Check> check = row.check ? row.check : target->check;
    if (check && !passCheck(*check)) return;
    target->action(this);
    if (check && ChangesThePlays(*check)) {
        if (table.views.showPlayList) table.views.showPlayList();
        if (table.views.refreshPlayList) table.views.refreshPlayList();
    }
}

bool TPri::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && !activated_) FormActivate();
    if ((e->type() == QEvent::Move || e->type() == QEvent::Resize) && arranged_ && framesChanged())
        scheduleArrangement();
    return QMainWindow::event(e);
}

bool TPri::eventFilter(QObject* watched, QEvent* e) {
    if (watched == toolbar_ && e->type() == QEvent::ToolTip) return true;
    // The window manager decorates each window when it first maps it: the arrangement is made
    // again with the frames it added.
    if ((e->type() == QEvent::Move || e->type() == QEvent::Resize) && arranged_ && watched != toolbar_) {
        // A window of fixed size that the program resizes (its title grew) takes its new size.
        auto* w = qobject_cast<QWidget*>(watched);
        const char* const wantedSize = "numoraWantedSize";
        if (e->type() == QEvent::Resize && w && w->minimumSize() == w->maximumSize() &&
            w->property(wantedSize).toSize() != w->size()) {
            w->setProperty(wantedSize, w->size());
            scheduleArrangement();
        } else if (framesChanged()) {
            scheduleArrangement();
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void TPri::setStatusText(const QString& hint) {
    Label1->setText(hint.isEmpty() ? QString() : u' ' + hint);
}

void TPri::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!arranged_) {
        arranged_ = true;
        arrangeWindows();
        if (QWindow* handle = windowHandle()) {
            connect(handle, &QWindow::screenChanged, this, [this](QScreen* s) {
                watchScreen(s);
                scheduleArrangement();
            });
            watchScreen(handle->screen());
        }
        // Some desktops (or none at all) never activate the window; the first showing counts.
        QTimer::singleShot(0, this, [this] {
            if (!activated_) FormActivate();
        });
    }
}

void TPri::watchScreen(QScreen* screen) {
    if (!screen) return;
    connect(screen, &QScreen::availableGeometryChanged, this, &TPri::scheduleArrangement, Qt::UniqueConnection);
    connect(screen, &QScreen::logicalDotsPerInchChanged, this, &TPri::scheduleArrangement, Qt::UniqueConnection);
}

void TPri::scheduleArrangement() {
    if (arrangementDue_) return;
    arrangementDue_ = true;
    QTimer::singleShot(0, this, [this] {
        arrangementDue_ = false;
        arrangeWindows();
    });
}

namespace {

QMargins FrameMargins(const QWidget* w) {
    const QRect inner = w->geometry(), outer = w->frameGeometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

DeskFrame ToDesk(const QMargins& m) {
    return {m.left(), m.top(), m.right(), m.bottom()};
}

} // namespace

bool TPri::framesChanged() const {
    for (const auto& [w, used] : framesUsed_)
        if (w && w->isVisible() && FrameMargins(w) != used) return true;
    return false;
}

void TPri::arrangeWindows() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect avail = screen->availableGeometry();
    const int stripHeight = menuBar()->sizeHint().height() + ClientHeight;
    setMaximumHeight(stripHeight);
    const DeskFrame stripFrame = ToDesk(FrameMargins(this));
    framesUsed_.clear();
    framesUsed_.emplace_back(this, FrameMargins(this));

    const auto placed = Windows().placedWindows();
    std::vector<DeskWindow> desk;
    for (const auto& [w, place] : placed) {
        // The size a window had before its first arrangement is the one it would like.
        const char* const wantedSize = "numoraWantedSize";
        if (!w->property(wantedSize).isValid()) {
            w->setProperty(wantedSize, w->size());
            // Its frame is learnt from the window manager's moves and resizes.
            w->installEventFilter(this);
        }
        const QSize wanted = w->property(wantedSize).toSize();
        const QSize least = w->minimumSizeHint().expandedTo(w->minimumSize()).boundedTo(wanted);
        const QMargins frame = FrameMargins(w);
        framesUsed_.emplace_back(w, frame);
        // The windows that fill the rest (the play list, the smorfia) are the ones that give up room
        // on a small screen.
        desk.push_back({place.column, place.row, place.fillsHeight, place.fillsHeight, wanted.width(), wanted.height(),
                        least.width(), least.height(), ToDesk(frame)});
    }
    const DeskArrangement a =
        ArrangeDesk({avail.x(), avail.y(), avail.width(), avail.height()}, stripHeight, stripFrame, desk);
    // A window's position is that of its frame; its size that of its client area.
    auto put = [](QWidget* w, const DeskBox& frame, const DeskFrame& m) {
        const DeskBox client = ClientOf(frame, m);
        w->resize(client.width, client.height);
        w->move(frame.x, frame.y);
    };
    put(this, a.strip, stripFrame);
    for (std::size_t i = 0; i < placed.size(); ++i) put(placed[i].first, a.windows[i], desk[i].frame);
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
    if (update) {
        if (const CommandRow* row = Commands().find(QStringLiteral("SpeedButton1"))) runCommand(*row);
    }
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
        if (const auto& read = Commands().views.readFixedNumbers; read && read() > 0)
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
    refreshViews();
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
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            file = dialog.selectedFiles().front();
    }
    if (!file.isEmpty()) openSystem(file);
}

void TPri::openSystem(const QString& file) {
    Globali& g = Globals();
    // The file is read beside the current system, which changes only once the file has loaded
    // whole: a file that fails leaves the system, its path and its title as they were, so that
    // "Salva" never writes an empty system over the file of the one still shown.
    PlaySystem read;
    read.customProbabilities = g.system.customProbabilities;
    const auto result = LoadSystem(file.toStdString(), read);
    if (result != LoadSystemResult::Ok) {
        if (result == LoadSystemResult::Incompatible) MessageBox::error(this, Q(IncompatibleSystemMessage));
        MessageBox::show(this, QStringLiteral("Attenzione"), Q(OpenSystemErrorMessage), MsgIcon::Error, MsgButtons::Ok,
                         MsgAnswer::Ok);
        return;
    }
    g.system.currentPath = file.toStdString();
    NewSystem(g.system);
    g.system.list = read.list;
    g.system.forecast = read.forecast;
    g.system.customProbabilities = read.customProbabilities;
    refreshViews();
    showSystemName();
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
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            file = dialog.selectedFiles().front();
    }
    if (file.isEmpty()) return;
    // The system takes the new name only once it is written there; a failed save says so and
    // keeps the name (and the file) it had.
    const std::string path = WithExtension(file).toStdString();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = SaveSystem(path, g.system);
    QApplication::restoreOverrideCursor();
    // A failed save leaves the system unsaved, whatever the flag said before.
    g.system.modified = !ok;
    if (!ok) {
        MessageBox::error(this, Q(SaveSystemErrorMessage), QStringLiteral("Errore !"));
        return;
    }
    g.system.currentPath = path;
    showSystemName();
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

void TPri::refreshViews() {
    const SharedViews& v = Commands().views;
    if (v.refreshForecast) v.refreshForecast();
    if (v.refreshPlayList) v.refreshPlayList();
}

} // namespace numora
