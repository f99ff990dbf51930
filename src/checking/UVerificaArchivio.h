#pragma once

#include "checking/BacktestReport.h"
#include "components/URunDialog.h"

#include <QString>

#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QChartView;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QTableView;

namespace numora {

class TProgressPanel;
class TBacktestModel;

// "Verifica su archivio": checks every play of the list against every draw of a period of the
// archive, as "Spoglio delle giocate" checks one draw, and shows the draws one per row, the
// summary and the balance over the period beside the balance the payout rules promise on
// average. Long-lived; keeps the period and the last completed run between openings. A run
// changes nothing outside the window, and an interrupted one not even the window.
class TVerificaArchivio : public TRunDialog {
    Q_OBJECT
public:
    explicit TVerificaArchivio(QWidget* parent = nullptr);
    ~TVerificaArchivio() override;
    static TVerificaArchivio* instance();

    QRadioButton* Intervallo; // from one draw to another
    QLabel* DaEstrazione;
    QLabel* AEstrazione;
    QPushButton* SceltaDa;
    QPushButton* SceltaA;
    QRadioButton* Ultime; // the last N draws
    QLineEdit* NumUltime;
    QPushButton* go;           // "Verifica"
    QPushButton* stampa;       // "Stampa"
    QPushButton* esporta;      // "Esporta CSV"
    QPushButton* SpeedButton2; // "Manuale"
    QPushButton* SpeedButton3; // "Chiudi"
    TProgressPanel* AntiPan3;
    QCheckBox* SoloVincenti;
    QTableView* sg;
    std::array<QLabel*, 7> riepilogo{}; // the values of the summary, in BacktestSummaryFields order
    QChartView* Chart1;

    // Where "Esporta CSV" writes; empty means the user cancelled. By default the save dialog.
    std::function<QString(QWidget* parent)> chooseCsvFile;

    void FormActivate();
    void SceltaDaClick();
    void SceltaAClick();
    void goClick();
    void stampaClick();
    void esportaClick();
    // The summary and the chart on a printer the caller has set up.
    void printReport(QPrinter& printer);

    // The period of "Dall'estrazione" .. "all'estrazione".
    void setInterval(int first, int last);
    int intervalFirst() const { return first_; }
    int intervalLast() const { return last_; }
    // The last completed run and its lines (empty before the first).
    const BacktestResult& result() const { return result_; }
    const std::vector<BacktestLine>& lines() const { return lines_; }

    bool FormCloseQuery() override;

protected:
    QPushButton* runButton() const override { return go; }
    void runClick() override { goClick(); }
    void showEvent(QShowEvent* event) override;

private:
    int pickDraw(const QString& instruction, int position);
    void showInterval();
    void showResult();

    TBacktestModel* model_;
    int first_ = 0, last_ = 0;
    BacktestResult result_;
    std::vector<BacktestLine> lines_;
    QString periodText_; // the period of the run shown, for the printed page
};

} // namespace numora
