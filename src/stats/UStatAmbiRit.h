#pragma once

#include "stats/UStatAmbiLista.h"

namespace numora {

// "I Ritardi dei 4005 Ambi": every pair by its delay on the chosen wheels, longest first.
class TStatAmbiRit : public TStatAmbiLista {
    Q_OBJECT
public:
    explicit TStatAmbiRit(QWidget* parent = nullptr);
    ~TStatAmbiRit() override;
    static TStatAmbiRit* instance();

protected:
    bool compute(std::vector<PairValue>& rows, int& neverDrawnFrom) override;
};

} // namespace numora
