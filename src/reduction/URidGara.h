#pragma once

#include "components/UGeneratorHost.h"

class QComboBox;
class QLabel;

namespace numora {

class TOttimizzaRid;

// "Riduzione del pronostico a garanzia": the plays of the guaranteed reduction of the forecast,
// appended to the play list. Long-lived; keeps its fields between uses.
class TRidGara : public TGeneratorHost {
    Q_OBJECT
public:
    explicit TRidGara(QWidget* parent = nullptr);
    ~TRidGara() override;
    static TRidGara* instance();

    QComboBox* ridval;           // the guaranteed score, "Estratto" .. "Cinquina"
    QLabel* Label15;             // "Nº iniziale di giocate:"
    TOttimizzaRid* ottimizzaRid; // "Ottimizza il numero di giocate" and its time budget

    void FormActivate() override;
    void ridvalChange();

protected:
    double playsInTotal(bool stakesValid) override;
    bool checkRun() override;
    bool runEngine(const ProgressCallback& progress) override;

private:
    void clampScore();
};

} // namespace numora
