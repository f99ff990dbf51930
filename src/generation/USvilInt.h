#pragma once
// "Sviluppo integrale del pronostico": adds every combination of K forecast numbers as a play,
// skipping those without the fixed numbers and those already in the list.

#include "components/UGeneratorHost.h"

class QLabel;

namespace numora {

class TSvilInt : public TGeneratorHost {
    Q_OBJECT
public:
    explicit TSvilInt(QWidget* parent = nullptr);
    ~TSvilInt() override;
    static TSvilInt* instance();

    QLabel* Label15; // C(N, K)

    void FormActivate() override;

protected:
    double playsInTotal(bool stakesValid) override;
    bool checkRun() override;
    bool runEngine(const ProgressCallback& progress) override;

private:
    bool fixedFit() const;
};

} // namespace numora
