#pragma once

#include "components/URunDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;

namespace numora {

class Clock;
class RandomSource;
class TPrecisionBar;
class TProgressPanel;

// "Ottimizza probabilità assoluta di vincita": reworks the plays of the list in place so that
// their numbers overlap as little as possible. Long-lived; keeps its fields between uses.
class TOttimizzaPro : public TRunDialog {
    Q_OBJECT
public:
    explicit TOttimizzaPro(QWidget* parent = nullptr);
    ~TOttimizzaPro() override;
    static TOttimizzaPro* instance();

    QWidget* Panel1;      // the parameters, disabled while busy
    QComboBox* ComboBox1; // R, "1".."10"
    TPrecisionBar* precision;
    QSlider* TKB;
    QLabel* Label19;
    QCheckBox* usafisse;
    QPushButton* go;
    QPushButton* SpeedButton2; // "Manuale"
    QPushButton* SpeedButton3; // "Annulla"
    TProgressPanel* AntiPan3;
    QProgressBar* gg;
    QPushButton* sb1;

    // The clock and random source of the run; tests put their own in place.
    void setClock(Clock& clock) { clock_ = &clock; }
    void setRandom(RandomSource& random) { random_ = &random; }

    void FormActivate();
    void goClick();
    void sb1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    bool FormCloseQuery() override;

protected:
    QPushButton* runButton() const override { return go; }
    void runClick() override { goClick(); }
    void showEvent(QShowEvent* event) override;

private:
    Clock* clock_;
    RandomSource* random_;
};

} // namespace numora
