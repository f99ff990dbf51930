#pragma once
// "Estrai giocate tramite probabilità personalizzate": the user's probability per forecast
// number in the grid, and the M combinations of K forecast numbers with the highest mean
// probability appended to the play list.

#include "core/StakeRule.h"

#include "components/URunDialog.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace numora {

class TProbabilityGrid;
class TProgressPanel;
class WheelSelection;

class TEstraiMiaProba : public TRunDialog {
    Q_OBJECT
public:
    explicit TEstraiMiaProba(QWidget* parent = nullptr);
    ~TEstraiMiaProba() override;
    static TEstraiMiaProba* instance();

    QLineEdit* Edit6; // M
    QLineEdit* Edit7; // K
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QLabel* Label12; // the total
    WheelSelection* ruote;
    QCheckBox* usafisse;
    TProbabilityGrid* prog;
    QPushButton* go;
    QPushButton* SpeedButton1; // "Suggerisci probabilità"
    QPushButton* SpeedButton7; // "Visualizza distribuzione"
    QPushButton* SpeedButton2; // "Manuale"
    QPushButton* SpeedButton3; // "Annulla"
    TProgressPanel* AntiPan3;
    QProgressBar* gg;
    QPushButton* sb1;

    int forecastCount() const { return n_; }
    bool busy() const;

    void FormActivate();
    void Edit7Change();
    bool ValidateAndShowCost();
    void wheelsChanged();
    void SpeedButton1Click();
    void SpeedButton7Click();
    void goClick();
    bool FormCloseQuery() override;

protected:
    QPushButton* runButton() const override { return go; }
    void runClick() override { goClick(); }
    void showEvent(QShowEvent* event) override;

private:
    std::array<QLineEdit*, 5> stakeFields() const { return {Edit1, Edit2, Edit3, Edit4, Edit5}; }
    StakeSet stakeSet() const;
    // K as typed when it is an integer, else -1.
    int typedSize() const;

    int n_ = 0;
    int enabledStakes_ = 0; // stake fields enabled by the last valid K
};

} // namespace numora
