#pragma once
// What the two windows of the distribution of the mean custom probability share: the painted
// histogram of the 101 bins and the dialog around it, which starts its computation by itself
// 100 ms after it is shown and can be interrupted.

#include "core/Progress.h"
#include "probability/ProbabilityDistribution.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace numora {

// The paint box of the histogram: grid lines with their counts, the two axes, a shadowed bar per
// bin and the bin numbers under the bars that have room. Nothing is painted while busy or when
// every count is 0.
class THistogram : public QWidget {
    Q_OBJECT
public:
    static constexpr int DefaultWidth = 547;
    static constexpr int DefaultHeight = 255;

    explicit THistogram(const DistributionBins& bins, QWidget* parent = nullptr);

    bool busy = true;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const DistributionBins& bins_;
};

// Caption "Distribuzione delle probabilità nelle giocate"; "Spiegazioni" (help at helpContext),
// "Chiudi" and "Interrompi" (`sb1`). The run: bins cleared, hourglass cursor, compute() with a
// callback that lets the window system breathe, repaints the chart every repaintEvery-th call and
// turns a pressed "Interrompi" into the question; at the end the normal cursor, the final chart,
// "Interrompi" hidden. "Chiudi" or Escape during the run stop it at once and close the window.
class TDistriBase : public QDialog {
    Q_OBJECT
public:
    ~TDistriBase() override;

    THistogram* PaintBox1;
    QLabel* Label1; // "Nº Giocate"
    QLabel* Label2; // "Probabiltà"
    QPushButton* spiegazioni;
    QPushButton* chiudi;
    QPushButton* sb1;

    const DistributionBins& bins() const { return bins_; }
    bool running() const { return running_; }
    // True once a run has ended, whether complete or interrupted.
    bool finished() const { return finished_; }
    bool interrupted() const { return interrupted_; }
    // The calls of the callback so far and the repaints of the chart they asked for.
    int occasions() const { return occasions_; }
    int chartRepaints() const { return repaints_; }

    // The run itself; the window starts it 100 ms after it is shown.
    void run();
    void chiudiClick();
    void sb1Click();

protected:
    TDistriBase(int helpContext, int repaintEvery, std::uint64_t interval, QWidget* parent);
    // Counts into bins_ through the engine; false when the callback stopped it.
    virtual bool compute(DistributionBins& bins, const Progress& progress) = 0;

    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    bool report(const ProgressStatus& status);
    void restoreCursor();

    DistributionBins bins_{};
    int repaintEvery_;
    std::uint64_t interval_;
    bool stopFlag_ = false;
    bool closing_ = false;
    bool running_ = false;
    bool started_ = false;
    bool finished_ = false;
    bool interrupted_ = false;
    bool cursorOn_ = false;
    int occasions_ = 0;
    int repaints_ = 0;
    QElapsedTimer sinceEvents_;
};

} // namespace numora
