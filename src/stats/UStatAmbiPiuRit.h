#pragma once

#include "stats/UStatAmbiTop.h"

class QLabel;

namespace numora {

// "Gli Ambi più ritardatari": the K (pair, wheel) combinations of longest delay on their wheel.
class TStatAmbiPiuRit : public TStatAmbiTop {
    Q_OBJECT
public:
    explicit TStatAmbiPiuRit(QWidget* parent = nullptr);
    ~TStatAmbiPiuRit() override;
    static TStatAmbiPiuRit* instance();

    QLabel* Label1;
    QLineEdit* Edit1; // K

protected:
    bool readInputs(Inputs& in) override;
    TopPairsResult scan(const Inputs& in, int lastWheel, const ProgressCallback& progress) override;
};

} // namespace numora
