#pragma once
// The result grid `sg` of the four pair windows: the pair as "j k", for the top-K lists the wheel,
// the value, and a drawn bar. In the delay windows a pair not seen since the first draw (delay
// N - 1 or more) is written bold and its bar carries "Ambo mai uscito!".

#include "core/Play.h"
#include "stats/PairStats.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>

#include <vector>

class QTableView;
class QWidget;

namespace numora {

struct PairGridStyle {
    bool withWheel = false; // the top-K lists: "Ruota" after "Ambo"
    QString valueHeading;   // "Ritardo" or "Nº presenze"
    QColor bar;
    bool referenceLast = false; // bars scaled to the last row's value, else the first row's
    int neverDrawnBlanks = -1;  // blanks before "Ambo mai uscito!"; -1: not a delay window
};

class PairRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    PairRowsModel(PairGridStyle style, QObject* parent);

    // The rows to show; neverDrawnFrom is N - 1 of the computation (delay windows only).
    void setRows(std::vector<WheelPairValue> rows, int neverDrawnFrom);
    // Rows that exist but hold nothing yet (the full lists before their first computation).
    void setEmptyRows(int count);
    const std::vector<WheelPairValue>& rows() const { return rows_; }
    bool neverDrawn(int row) const;
    const PairGridStyle& style() const { return style_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    int valueColumn() const { return style_.withWheel ? 2 : 1; }
    int barColumn() const { return valueColumn() + 1; }

private:
    PairGridStyle style_;
    std::vector<WheelPairValue> rows_;
    int emptyRows_ = 0;
    int neverDrawnFrom_ = 0;
};

// The grid with its model and painting: whole-row range selection, vertical scroll bar.
QTableView* MakePairGrid(QWidget* parent, PairRowsModel* model, const QList<int>& columnWidths);

// The selected rows, top to bottom, each once.
std::vector<int> SelectedGridRows(const QTableView* grid);

// The two numbers of column 0 ("j k") of each selected row.
std::vector<int> SelectedPairNumbers(const QTableView* grid);

// A two-number play of each selected row with the estratto and ambo stakes; wheels(row) gives
// its wheel mask (0 leaves the row out).
std::vector<Play> SelectedPairPlays(const QTableView* grid, const std::array<double, 5>& stakes,
                                    const std::function<std::uint16_t(int row)>& wheels);

} // namespace numora
