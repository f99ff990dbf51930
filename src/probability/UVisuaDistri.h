#pragma once
// "Distribuzione dei numeri nelle giocate": how often each number 1..90 occurs in the plays of
// the list, as a bar chart, green for the numbers of the forecast and red for the others.

#include "probability/ProbabilityDistribution.h"

#include <QDialog>
#include <QElapsedTimer>

class QBarSet;
class QChartView;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

namespace numora {

// Created for one showing, modal, destroyed afterwards. The colours follow the forecast as it is
// when the window is built; the count runs 100 ms after the window is shown, over the plays of
// Globals().system. The window refuses to close until the count has ended.
class TVisuaDistri : public QDialog {
    Q_OBJECT
public:
    enum State { Created = 0, Computing = 1, StopAsked = 2, Finished = 3 };

    explicit TVisuaDistri(QWidget* parent = nullptr);
    ~TVisuaDistri() override;

    QChartView* Chart1;
    QBarSet* verdi; // the forecast numbers' bars (0 for the others)
    QBarSet* rossi; // the other numbers' bars
    QFrame* Panel1; // the bottom strip
    QPushButton* sb1;
    QProgressBar* gg;
    QPushButton* stampa;
    QPushButton* spiegazioni;
    QPushButton* chiudi;
    QLabel* piede; // the footer line of the printed page

    int state() const { return state_; }
    const NumberPresence& counts() const { return counts_; }
    // What the chart shows for number n, and whether its bar is green.
    double barValue(int n) const;
    bool greenBar(int n) const;
    int chartUpdates() const { return chartUpdates_; }

    void run();
    void sb1Click();
    void stampaClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    bool report(const ProgressStatus& status);
    void showCounts();

    NumberPresence counts_{};
    std::array<bool, 90> green_{};
    int state_ = Created;
    bool started_ = false;
    int chartUpdates_ = 0;
    QElapsedTimer sinceChart_;
};

} // namespace numora
