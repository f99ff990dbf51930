#include "main/UPri.h"

#include "components/UCommandTable.h"
#include "components/UHelp.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "core/SystemFile.h"
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
    return QMainWindow::event(e);
}

bool TPri::eventFilter(QObject* watched, QEvent* e) {
    if (watched == toolbar_ && e->type() == QEvent::ToolTip) return true;
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
    auto frameOf = [](QWidget* w) {
        return QMargins(
            w->geometry().left() - w->frameGeometry().left(), w->geometry().top() - w->frameGeometry().top(),
            w->frameGeometry().right() - w->geometry().right(), w->frameGeometry().bottom() - w->geometry().bottom());
    };
    // Columns left to right below the strip; a column's second window below its first.
    auto placed = Windows().placedWindows();
    std::stable_sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) {
        return a.second.column != b.second.column ? a.second.column < b.second.column : a.second.row < b.second.row;
    });
    // The first window of a column sets its width; the next column starts at its right edge.
    int x = avail.x();
    int columnLeft = avail.x();
    int columnWidth = 0;
    int below = top;
    int lastColumn = -1;
    for (const auto& [w, place] : placed) {
        if (place.column != lastColumn) {
            columnLeft = x;
            below = top;
            columnWidth = 0;
            lastColumn = place.column;
        }
        w->move(columnLeft, below);
        const QMargins frame = frameOf(w);
        if (place.fillsHeight) {
            const int height = std::max(200, avail.bottom() - below + 1 - frame.top() - frame.bottom());
            const int width = place.row == 0
                                  ? std::max(200, avail.right() - columnLeft + 1 - frame.left() - frame.right())
                                  : std::max(w->minimumSizeHint().width(), columnWidth - frame.left() - frame.right());
            w->resize(width, height);
        }
        below = w->frameGeometry().bottom() + 1;
        if (place.row == 0) {
            columnWidth = w->frameGeometry().width();
            x = w->frameGeometry().right() + 1;
        }
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
    if (!ok) {
        g.system.modified = true;
        MessageBox::error(this, Q(SaveSystemErrorMessage), QStringLiteral("Errore !"));
        return;
    }
    g.system.currentPath = path;
    g.system.modified = false;
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
