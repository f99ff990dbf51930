#pragma once

#include "stats/UStatAmbiTop.h"

class QLabel;

namespace numora {

// "Gli Ambi meno frequenti": the K (pair, wheel) combinations with the fewest appearances on
// their wheel within a window of draws.
class TStatAmbiMenoFre : public TStatAmbiTop {
    Q_OBJECT
public:
    explicit TStatAmbiMenoFre(QWidget* parent = nullptr);
    ~TStatAmbiMenoFre() override;
    static TStatAmbiMenoFre* instance();

    QLabel* Label1;
    QLineEdit* Edit1; // from draw
    QLabel* Label2;
    QLineEdit* Edit2; // to draw
    QLabel* Label3;
    QLineEdit* Edit3; // K

protected:
    bool readInputs(Inputs& in) override;
    TopPairsResult scan(const Inputs& in, int lastWheel, const ProgressCallback& progress) override;
};

} // namespace numora
