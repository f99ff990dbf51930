#pragma once
// The per-number panel: the delay and the frequency over the last 100 draws of the number under
// the pointer on the forecast board, on every wheel, from the derived tables.

#include <QWidget>

class QLabel;
class QTableWidget;

namespace numora {

class TNumStats : public QWidget {
    Q_OBJECT
public:
    explicit TNumStats(QWidget* parent = nullptr);
    ~TNumStats() override;
    static TNumStats* instance();

    QLabel* Label4; // "Numero: n"
    QTableWidget* vdb;

    // Shows number n (1..90) unless it is the one shown already.
    void ShowNumberStatistics(int n);
    int shownNumber() const { return shown_; }

private:
    int shown_ = 0;
};

} // namespace numora
