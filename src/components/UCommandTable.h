#pragma once

#include "core/CommandChecks.h"
#include "core/StakeRule.h"

#include <QKeySequence>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace numora {

// One command of the menu or of the toolbar. Feature folders register their rows; the main
// window builds the menu and the toolbar from the table, makes the row's check before the
// action and, after a generator or eliminator (checks A to E), shows and refreshes the play list.
struct CommandRow {
    // Menu items: the menu path ("Stampa" or "Stampa/Stampa su vecchie schedine") and the caption.
    // Toolbar buttons: an empty menu path and the hint ("short|long", or one text).
    QString menu;
    QString caption;
    QString name; // the component name, also the objectName of the action
    // The position: menu items sort by it within their menu, buttons along the toolbar.
    int order = 0;
    bool separatorBefore = false;
    std::optional<Check> check;
    // Runs the command; parent is the main window. Empty: the window is still to come and the
    // command shows disabled.
    std::function<void(QWidget* parent)> action;
    // A button or item that does what another command does (its check and action), after its
    // own first step (showing the window the command works in, say).
    QString sameAs;
    std::function<void()> prelude;
    QString hint;
    QKeySequence shortcut;

    bool isButton() const { return menu.isEmpty(); }
};

CommandRow MenuItem(QString menu, QString caption, QString name, int order, bool separatorBefore = false);
CommandRow ToolButton(QString name, QString hint, int order, bool separatorBefore = false);
// A row that does what the command `target` does, after its own first step when it has one.
CommandRow SameAs(CommandRow row, QString target, std::function<void()> prelude = {});

// What the main window asks of the working windows without naming them. Each feature folder
// fills in the views it owns.
struct SharedViews {
    std::function<void()> showPlayList;
    std::function<void()> refreshPlayList;
    std::function<void()> showForecast;
    std::function<void()> refreshForecast;
    std::function<void()> showViewer;
    std::function<void()> refreshViewerToLast;
    // Moves the archive viewer to draw `index` (0: the draw it shows), after the archive changed.
    std::function<void(int index)> refreshViewerAt;
    // The stake entry dialog for plays of playSize numbers; true with its stakes on OK.
    std::function<bool(QWidget* parent, int playSize, StakeSet& stakes)> askStakes;
    // Who hears of the number under the pointer on the forecast board (empty: nobody).
    std::function<void(std::function<void(int number)> listener)> setForecastHoverListener;
    // Reads the fixed numbers of the forecast window; above 0 when one of them is invalid.
    std::function<int()> readFixedNumbers;
};

class CommandTable {
public:
    // Adds a row; a row with the name of one already there replaces it (a feature's row takes the
    // place of the disabled row kept for it while its window did not exist).
    void add(CommandRow row);
    // The top-level menus, left to right.
    void setMenuOrder(QStringList menus) { menus_ = std::move(menus); }
    const QStringList& menuOrder() const { return menus_; }

    // Menu items sorted by menu order, then submenu, then position; toolbar buttons by position.
    std::vector<const CommandRow*> menuItems() const;
    std::vector<const CommandRow*> buttons() const;
    const CommandRow* find(const QString& name) const;
    // The row whose check and action a row uses (itself unless sameAs names another).
    const CommandRow* target(const CommandRow& row) const;
    bool enabled(const CommandRow& row) const;

    SharedViews views;

    void clear();

private:
    std::vector<CommandRow> rows_;
    QStringList menus_;
};

CommandTable& Commands();

} // namespace numora
