#pragma once

#include "playlist/PlayListSummary.h"

#include <QWidget>

#include <array>
#include <vector>

class QLabel;
class QTableView;

namespace numora {

class PlayListModel;
struct PlaySystem;
struct Settings;

// "Giocate": every play of the current system in the grid sg, and the summary above it. It
// shows the list as of the last RefreshPlayList; whoever changes the list asks for one.
class TGiocate : public QWidget {
    Q_OBJECT
public:
    // On the process-wide system and settings.
    explicit TGiocate(QWidget* parent = nullptr);
    // On the given system and settings, which must outlive the window; the grid reads the plays
    // and the amount format through them, never through the process-wide data.
    TGiocate(const PlaySystem& system, const Settings& settings, QWidget* parent = nullptr);
    ~TGiocate() override;

    // The widths the columns start with; each is then widened to fit its header, the index
    // column to fit index 100000, and at every refresh the numbers and wheels columns to fit
    // their widest cell.
    static constexpr int StartWidths[8] = {30, 115, 54, 34, 34, 34, 34, 34};

    static TGiocate* instance();

    void RefreshPlayList();

    // The selected range as 1-based play indices; false when the list is empty or nothing is
    // selected.
    bool selection(int& first, int& last) const;
    // Every selected play, ascending, 1-based; empty when the list is empty.
    std::vector<int> selectedRows() const;
    const PlayListSummary& summary() const { return summary_; }

    QTableView* sg;
    QLabel* Label1; // "Numero di giocate:"
    QLabel* Label2; // "Numeri in gioco:"
    QLabel* Label3; // "Ruote in gioco:"
    QLabel* Label4; // "Costo Totale:"
    QLabel* NumeroGiocate;
    QLabel* NumeriInGioco;
    QLabel* RuoteInGioco;
    QLabel* CostoTotale;

    void sgDblClick();
    void sgKeyDown(int key);

signals:
    // The Delete key in the grid, with plays listed and a selection: the main window runs
    // "Elimina le giocate selezionate".
    void deleteSelectedRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectRange(int first, int last);
    // Fits the numbers and wheels columns to the widest cells of the summary.
    void fitColumns();

    const PlaySystem& system_;
    const Settings& settings_;
    PlayListModel* model_;
    // Each column's width before any play is shown, and the width fitColumns last gave it.
    std::array<int, 8> leastWidths_{};
    std::array<int, 8> fitted_{};
    PlayListSummary summary_;
};

// "Modifica manuale delle giocate selezionate": the edit dialog on the selected plays, or
// "Non ci sono giocate da modificare!" when there is none.
void EditSelectedPlays(QWidget* parent);
// "Inserimento giocate da tastiera": the keyboard entry dialog, modally.
void KeyboardEntry(QWidget* parent);

} // namespace numora
