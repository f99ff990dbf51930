#pragma once

#include <QWidget>

class QLabel;
class QSlider;

namespace numora {

// The track bar of the time-budgeted runs: `TKB` (0..100, steps of 2) from "Velocità" to
// "Precisione", and `Label19` showing its position.
class TPrecisionBar : public QWidget {
    Q_OBJECT
public:
    explicit TPrecisionBar(QWidget* parent = nullptr);

    QSlider* TKB;
    QLabel* Label19;

    int position() const;
    void TKBChange();
};

} // namespace numora
