#pragma once

#include "stats/UNumberList.h"

namespace numora {

// "I Numeri più ritardatari": the 990 (number, wheel) by their delay on that wheel, longest first.
class TStatNumPiuRit : public TStatNumList {
    Q_OBJECT
public:
    explicit TStatNumPiuRit(QWidget* parent = nullptr);
    ~TStatNumPiuRit() override;
    static TStatNumPiuRit* instance();

protected:
    bool compute(std::vector<NumberWheelValue>& rows) override;
};

} // namespace numora
