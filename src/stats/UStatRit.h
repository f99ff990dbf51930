#pragma once

#include "stats/UNumberChart.h"

namespace numora {

// "I Ritardi dei 90 numeri": the current delay of each number on the chosen wheels, longest first.
class TStatRit : public TStatNumChart {
    Q_OBJECT
public:
    explicit TStatRit(QWidget* parent = nullptr);
    ~TStatRit() override;
    static TStatRit* instance();

protected:
    bool compute() override;
};

} // namespace numora
