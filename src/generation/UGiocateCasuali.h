#pragma once
// "Estrai giocate casualmente": adds M plays of K forecast numbers drawn at random, never
// repeating a play of the list or of the run.

#include "components/UGeneratorHost.h"

class QLineEdit;

namespace numora {

class TGiocateCasuali : public TGeneratorHost {
    Q_OBJECT
public:
    explicit TGiocateCasuali(QWidget* parent = nullptr);
    ~TGiocateCasuali() override;
    static TGiocateCasuali* instance();

    QLineEdit* Edit6; // M
    QLineEdit* Edit7; // K, typed

    // The K the stake fields follow: the last whole number typed in Edit7 (0 before any).
    int playSize() const override { return stakeSize_; }
    void Edit7Change();

protected:
    double playsInTotal(bool stakesValid) override;
    bool checkRun() override;
    bool runEngine(const ProgressCallback& progress) override;

private:
    int stakeSize_ = 0;
    int size_ = 0; // K of the run
    int plays_ = 0;
};

} // namespace numora
