#pragma once
// "Distribuzione delle probabilità nelle giocate" for the plays of the list: the mean custom
// probability of every play, before the custom-probability eliminator removes some.

#include "elimination/UDistriChart.h"

namespace numora {

// Created for one showing, modal, destroyed afterwards:
//     TDistriProbaPerEli d(this);
//     d.exec();
// The plays and the custom probabilities are read from the program's system (Globals().system)
// when the run starts, 100 ms after the window is shown. Help topic 17.
class TDistriProbaPerEli : public TDistriBase {
    Q_OBJECT
public:
    explicit TDistriProbaPerEli(QWidget* parent = nullptr);

protected:
    bool compute(DistributionBins& bins, const Progress& progress) override;
};

} // namespace numora
