#pragma once
// "Elimina giocate tramite probabilità personalizzate": each play scored by the mean of its
// numbers' custom probabilities, edited in the grid; the E plays with the lowest means are
// removed, the rest left sorted.

#include "elimination/UEliminationDialog.h"

namespace numora {

class TProbabilityGrid;

class TEliMiaProba : public TEliminationDialog {
    Q_OBJECT
public:
    explicit TEliMiaProba(QWidget* parent = nullptr);
    ~TEliMiaProba() override;
    static TEliMiaProba* instance();

    QGroupBox* GroupBox2; // "Probabilità dei numeri"
    TProbabilityGrid* prog;
    QPushButton* SpeedButton1; // "Suggerisci probabilità"
    QPushButton* SpeedButton7; // "Visualizza distribuzione"

    void FormActivate() override;
    void SpeedButton1Click();
    void SpeedButton7Click();

protected:
    bool checkScoring() override;
    bool computeScores(std::vector<double>& scores, const Progress& progress) override;
};

} // namespace numora
