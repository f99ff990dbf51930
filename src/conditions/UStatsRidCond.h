#pragma once

#include <QDialog>

class QChart;
class QChartView;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace numora {

class WheelSelection;

// "Statistiche sull'archivio storico": how the quantities the conditions measure were
// distributed over the archive's draws, developed into combinations of a chosen size on the
// chosen wheels, as a bar chart. Created once, it keeps its choices between openings and
// recomputes at each.
class TStatsRidCond : public QDialog {
    Q_OBJECT
public:
    explicit TStatsRidCond(QWidget* parent = nullptr);
    ~TStatsRidCond() override;
    static TStatsRidCond* instance();

    QWidget* Panel1;      // the top panel: choices and buttons, hidden on the printed image
    QComboBox* ComboBox1; // "Grafico: "
    QComboBox* ComboBox2; // "Sviluppa estrazioni in:"
    QGroupBox* GroupBox1; // " Ruote "
    WheelSelection* ruote;
    QPushButton* SpeedButton3; // "Chiudi"
    QPushButton* SpeedButton4; // "Ricalcola"
    QPushButton* SpeedButton5; // "Stampa"
    QPushButton* SpeedButton6; // "Manuale"
    QChartView* Chart5;
    QLabel* Label3; // the footer, shown only on the printed image

    void FormActivate();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    bool busy() const { return busy_; }
    // The combination size of ComboBox2: 5, 4, 3, 2.
    int developmentSize() const;
    // The bars shown, label and height, in chart order.
    QList<QPair<QString, int>> bars() const;
    QString chartTitle() const;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool busy_ = false;
};

} // namespace numora
