#pragma once
// "Probabilità dei 90 Numeri": the 90 numbers ranked by their probability score, recomputed each
// time the window becomes active, to add to the forecast or as one-number plays.

#include "components/UStatWindow.h"
#include "probability/NumberProbability.h"

#include <QPalette>
#include <QWidget>

#include <vector>

class QFrame;
class QLabel;
class QPushButton;
class QTableWidget;

namespace numora {

class ProbabilityFields;

class TVisuaProba90 : public TStatWindow {
    Q_OBJECT
public:
    explicit TVisuaProba90(QWidget* parent = nullptr);
    ~TVisuaProba90() override;
    static TVisuaProba90* instance();

    ProbabilityFields* fields;
    QFrame* Bevel1; // the frame around the grid; hidden while printing
    QTableWidget* sg;
    QPushButton* go; // "Ricalcola"
    QPushButton* aggpro;
    QPushButton* agggio;
    QPushButton* stampa;
    QPushButton* manuale;
    QPushButton* chiudi;

    const std::vector<RankedNumber>& ranking() const { return ranking_; }

    void FormActivate() override;
    void goClick();
    void aggproClick();
    void agggioClick();
    void stampaClick();

private:
    bool compute();
    void selectionChanged();

    std::vector<RankedNumber> ranking_;
    std::vector<QPushButton*> buttons_;
    std::vector<QLabel*> headings_;
};

} // namespace numora
