#pragma once
// "Distribuzione delle probabilità nelle giocate" for the plays the forecast would give: the
// mean custom probability of every k-number combination of the forecast numbers.

#include "elimination/UDistriChart.h"

namespace numora {

// Created for one showing, modal, destroyed afterwards:
//     TDistriProba d(k, this);
//     d.exec();
// k is the play size, 2..10 and not above the count of forecast numbers (the caller checks it).
// The forecast numbers and the custom probabilities are read from the program's system
// (Globals().system) when the run starts, 100 ms after the window is shown. Help topic 5.
class TDistriProba : public TDistriBase {
    Q_OBJECT
public:
    explicit TDistriProba(int k, QWidget* parent = nullptr);

    int playSize() const { return k_; }

protected:
    bool compute(DistributionBins& bins, const Progress& progress) override;

private:
    int k_;
};

} // namespace numora
