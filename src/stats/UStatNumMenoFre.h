#pragma once

#include "stats/UNumberList.h"

class QLabel;
class QLineEdit;

namespace numora {

// "I Numeri meno frequenti su xxx estrazioni": the 990 (number, wheel) by their appearances on
// that wheel within a window of draws, fewest first.
class TStatNumMenoFre : public TStatNumList {
    Q_OBJECT
public:
    explicit TStatNumMenoFre(QWidget* parent = nullptr);
    ~TStatNumMenoFre() override;
    static TStatNumMenoFre* instance();

    QLabel* Label1;
    QLineEdit* Edit1; // from draw
    QLabel* Label2;
    QLineEdit* Edit2; // to draw
    QPushButton* go;  // "Ricalcola"

    void goClick();

protected:
    bool compute(std::vector<NumberWheelValue>& rows) override;
};

} // namespace numora
