#pragma once

#include <QWidget>

#include <cstdint>

class QCheckBox;
class QLabel;
class QSlider;

namespace numora {

// The option of "Riduzione del pronostico a garanzia" that searches for a smaller system after
// the reduction: the box "Ottimizza il numero di giocate" (off at first), the track bar of the
// seconds the search may take (1..60, 10 at first) between "Velocità" and "Precisione" with the
// label that follows it, enabled only with the box checked; and the label that shows the plays
// of the reduction and of the best system found while the search runs.
class TOttimizzaRid : public QWidget {
    Q_OBJECT
public:
    explicit TOttimizzaRid(QWidget* parent = nullptr);

    QCheckBox* ottimizza;
    QWidget* barra; // the track bar between its two end labels
    QSlider* TKBTempo;
    QLabel* LabelTempo;
    QLabel* LabelGiocate;

    bool on() const;
    std::int64_t budgetMs() const;
    void ottimizzaClick();
    void TKBTempoChange();
    // The plays of the reduction and of the best system so far; below 0 clears the label.
    void showCounts(int greedy, int optimised);
};

} // namespace numora
