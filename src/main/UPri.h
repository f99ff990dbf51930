#pragma once

#include "core/CommandChecks.h"

#include <QMainWindow>
#include <QMargins>
#include <QPointer>
#include <QSize>
#include <QString>

#include <ctime>
#include <functional>
#include <map>
#include <utility>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QScreen;
class QTimer;
class QToolBar;

namespace numora {

struct CommandRow;

// The main strip: the menu, the toolbar and the status line, built from the command table. It
// owns no data and names no feature's window: every command runs a row of the table.
class TPri : public QMainWindow {
    Q_OBJECT
public:
    explicit TPri(QWidget* parent = nullptr);
    ~TPri() override;
    static TPri* instance();

    // The program's arguments after the executable, as the first activation reads them.
    void setArguments(const QStringList& arguments) { arguments_ = arguments; }
    // Injectable for tests: the clock of the reminder and the file dialogs of the system commands.
    std::function<std::time_t()> clock = [] { return std::time(nullptr); };
    std::function<QString(QWidget*)> chooseOpenFile;
    std::function<QString(QWidget*)> chooseSaveFile;

    // A menu item or toolbar button by its component name (nullptr when there is none).
    QAction* action(const QString& componentName) const;

    // The check of a command; shows its message and returns false when the command must stop.
    // Checks A, B and C then read the fixed numbers and warn when they are invalid.
    bool passCheck(Check check);
    // Runs a row of the command table: its first step, its check, its action and, after a
    // generator or eliminator, the play list shown and refreshed.
    void runCommand(const CommandRow& row);

    // Title and "Salva" caption from the current system path.
    void showSystemName();
    // Places the strip and the working windows by their frames, title bars included. Done when the
    // strip is first shown, and again when the window manager changes a frame or the screen changes.
    void arrangeWindows();

    // The commands on the system file (also used by the close question).
    void Nuovo1Click();
    void Apri1Click();
    void Salva1Click();
    void Salvaconnome1Click();

    // The update reminder's work, run by its one-shot timer.
    void NotificaTimer();
    bool activated() const { return activated_; }
    QTimer* reminderTimer() const { return reminder_; }

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildMenusAndToolbar();
    void FormActivate();
    // "Nuovo" and "Apri" ask this first; false when the command must stop.
    bool askToSaveChanges();
    // Makes file the current system and reads it, with the messages of a failed opening.
    void openSystem(const QString& file);
    void refreshViews();
    void setStatusText(const QString& longHint);
    // One arrangement after the events in hand, however many ask for it.
    void scheduleArrangement();
    void watchScreen(QScreen* screen);
    bool framesChanged() const;

    std::map<QString, QAction*> actions_;
    QToolBar* toolbar_ = nullptr;
    QLabel* Label1 = nullptr;
    QTimer* reminder_ = nullptr;
    QStringList arguments_;
    bool activated_ = false;
    bool arranged_ = false;
    bool arrangementDue_ = false;
    // The frames the last arrangement counted with, to notice the window manager's decorations.
    std::vector<std::pair<QPointer<QWidget>, QMargins>> framesUsed_;
};

} // namespace numora
