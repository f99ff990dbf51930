#pragma once

#include "stats/UNumberChart.h"

class QLineEdit;

namespace numora {

// "Le frequenze dei 90 numeri": how often each number came out on the chosen wheels within a
// window of draws, least frequent first.
class TStatFre : public TStatNumChart {
    Q_OBJECT
public:
    explicit TStatFre(QWidget* parent = nullptr);
    ~TStatFre() override;
    static TStatFre* instance();

    QLabel* Label1;
    QLineEdit* Edit1; // from draw
    QLabel* Label2;
    QLineEdit* Edit2; // to draw

protected:
    bool compute() override;
};

} // namespace numora
