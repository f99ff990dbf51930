#pragma once

#include "checking/CheckPlays.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QTableWidget;

namespace numora {

// "Spoglio delle giocate": checks every play of the list against a draw typed into the grid or
// loaded from the archive, shows the counts and wins per bet kind and lists the winning plays.
// Long-lived; keeps the grid, the date and the last results between openings.
class TSpoglio : public QDialog {
    Q_OBJECT
public:
    explicit TSpoglio(QWidget* parent = nullptr);
    ~TSpoglio() override;
    static TSpoglio* instance();

    QTableWidget* stg;
    QLineEdit* Edit1;
    std::array<QLabel*, 5> counts{};  // beside "Nº Estratti indovinati:" ...
    std::array<QLabel*, 5> amounts{}; // beside "Vincita:"
    QLabel* total;                    // beside "Vincita Totale*:"
    QPlainTextEdit* Memo1;
    QPushButton* SpeedButton1; // "Apri"
    QPushButton* SpeedButton4; // "Salva"
    QPushButton* go;           // "Verifica"
    QPushButton* stampa;       // "Stampa"
    QPushButton* SpeedButton2; // "Manuale"
    QPushButton* SpeedButton3; // "Annulla"

    void FormActivate();
    void SpeedButton1Click();
    void SpeedButton4Click();
    void goClick();
    void stampaClick();
    // The printed report on a printer the caller has set up.
    void printReport(QPrinter& printer);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CheckCells cells() const;
};

} // namespace numora
