#pragma once
// The two chart windows of single numbers (delays, frequencies): the painted bar chart and the
// window around it that both share.

#include "stats/NumberStats.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

#include <cstdint>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QVBoxLayout;

namespace numora {

class WheelSelection;

// The colours a chart window paints its bars and values in.
struct ChartColours {
    QColor fill;
    QColor outline;
    QColor valueText;
    int valueLimit = 0; // values from this one up are not written over their bars; 0: all are
};

// The paint box "ritgraf": 90 bars in display order on a strip 30 + 20 * 90 pixels wide, of
// which it shows its own width from the scroll position on.
class NumberChart : public QWidget {
    Q_OBJECT
public:
    static constexpr int StripWidth = 30 + 20 * 90;

    NumberChart(QWidget* parent, ChartColours colours);

    void setEntries(std::vector<NumberValue> entries);
    const std::vector<NumberValue>& entries() const { return entries_; }
    void setScroll(int s);
    // Set while a computation runs: the chart is then not painted.
    void setBusy(bool busy) { busy_ = busy; }
    bool busy() const { return busy_; }
    // The value grid line i (1..5) stands at, written as it is labelled.
    QString gridLabel(int i) const;

signals:
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    ChartColours colours_;
    std::vector<NumberValue> entries_;
    int scroll_ = 0;
    bool busy_ = false;
};

// What the two chart windows have in common: the wheel group with the buttons, the label over
// the chart, the chart and its scroll bar. Each window computes its own statistic.
class TStatNumChart : public QWidget {
    Q_OBJECT
public:
    QGroupBox* GroupBox1; // the wheels and the buttons; hidden while printing
    WheelSelection* ruote;
    QLabel* Label3;       // over the chart
    QLabel* intestazione; // the title, wheels and last draw of the figures; shown only on paper
    NumberChart* ritgraf;
    QScrollBar* scbrit;
    QPushButton* go; // "Ricalcola"
    QPushButton* stampa;
    QPushButton* manuale;
    QPushButton* chiudi;

    void goClick();
    void stampaClick();

protected:
    TStatNumChart(QWidget* parent, const QString& caption, ChartColours colours);
    // Computes and shows the figures; false (nothing changed) when the input was refused.
    virtual bool compute() = 0;
    // Where a window puts its own fields, above the wheels.
    void addFieldsRow(QWidget* row);
    void keyPressEvent(QKeyEvent* event) override;
    void showRefusal(const char* message);
    void showEvent(QShowEvent* event) override;
    // Called by compute() when new figures are shown: the printed heading names what they cover.
    void noteFigures(std::uint16_t wheelMask);

private:
    void fitScroll();

    QVBoxLayout* groupLayout_ = nullptr;
    QPalette saved_;
};

} // namespace numora
