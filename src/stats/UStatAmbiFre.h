#pragma once

#include "stats/UStatAmbiLista.h"

class QLabel;
class QLineEdit;

namespace numora {

// "Le Frequenze dei 4005 Ambi su ... estrazioni": every pair by its appearances on the chosen
// wheels within a window of draws, fewest first.
class TStatAmbiFre : public TStatAmbiLista {
    Q_OBJECT
public:
    explicit TStatAmbiFre(QWidget* parent = nullptr);
    ~TStatAmbiFre() override;
    static TStatAmbiFre* instance();

    QLabel* Label1;
    QLineEdit* Edit1; // from draw
    QLabel* Label2;
    QLineEdit* Edit2; // to draw

protected:
    bool compute(std::vector<PairValue>& rows, int& neverDrawnFrom) override;
};

} // namespace numora
