#pragma once
// "Estrai giocate più probabili": scores every combination of the forecast by the delays and
// frequencies of its numbers on the chosen wheels and adds the M best ones as plays.

#include "components/UGeneratorHost.h"
#include "generation/Generation.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace numora {

class TGioca : public TGeneratorHost {
    Q_OBJECT
public:
    explicit TGioca(QWidget* parent = nullptr);
    ~TGioca() override;
    static TGioca* instance();

    QLineEdit* Edit6;      // M
    QGroupBox* GroupBox2;  // "Criterio per l'assegnazione delle probabilità"
    QCheckBox* CheckBox12; // delays
    QLineEdit* Edit8;      // Dlo
    QLineEdit* Edit9;      // Dhi
    QCheckBox* CheckBox13; // frequencies
    QLineEdit* Edit10;     // Fmost
    QLineEdit* Edit11;     // Fleast

    void CheckBox12Click();
    void CheckBox13Click();

protected:
    double playsInTotal(bool stakesValid) override;
    bool checkParameters() override;
    bool runEngine(const ProgressCallback& progress) override;

private:
    ScoreCriteria criteria_;
    int plays_ = 0;
};

} // namespace numora
