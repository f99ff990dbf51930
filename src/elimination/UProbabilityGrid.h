#pragma once
// The grid "Probabilità dei numeri" (`prog`) of the two dialogs that work with the custom
// probabilities: one row per forecast number under the header, with its delay and frequency over
// the whole archive on the used wheels and its probability, the only column the user edits.

#include <QTableWidget>

#include <cstdint>
#include <vector>

namespace numora {

class TProbabilityGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit TProbabilityGrid(QWidget* parent = nullptr);

    // Rebuilds the rows from the forecast, the archive and CustomProbabilities, the statistics
    // over the wheels the mask uses.
    void FillGrid(std::uint16_t wheels);
    // Reads the probability column back into CustomProbabilities, row by row up to the first
    // invalid one; 0 when all are valid, else that row's number (1 = the first number).
    int StoreGrid();

    // The texts of the probability column, row r (1-based) as shown.
    QString probabilityText(int row) const;
    void setProbabilityText(int row, const QString& text);
};

// The forecast numbers in ascending order.
std::vector<std::uint8_t> ForecastNumbers();

} // namespace numora
