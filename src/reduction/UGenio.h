#pragma once

#include "components/UGeneratorHost.h"

class QLabel;
class QLineEdit;
class QSlider;

namespace numora {

class TPrecisionBar;

// "Riduzione Genio - Aggiungi giocate più rappresentative": M plays of the forecast, then random
// replacements that spread their numbers over the play list for the time the track bar gives.
// Long-lived; keeps its fields between uses.
class TGenio : public TGeneratorHost {
    Q_OBJECT
public:
    explicit TGenio(QWidget* parent = nullptr);
    ~TGenio() override;
    static TGenio* instance();

    QLineEdit* Edit6; // M, "Nº di giocate da aggiungere:"
    TPrecisionBar* precision;
    QSlider* TKB;
    QLabel* Label19;

protected:
    double playsInTotal(bool stakesValid) override;
    bool checkRun() override;
    bool runEngine(const ProgressCallback& progress) override;
};

} // namespace numora
