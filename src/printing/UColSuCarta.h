#pragma once

#include <QDialog>

class QCheckBox;
class QPlainTextEdit;
class QPrinter;
class QPushButton;

namespace numora {

// "Stampa giocate su carta comune": the system as a listing on plain paper, with the heading
// the user may edit, the forecast, the fixed numbers and the plays two by two.
class TColSuCarta : public QDialog {
    Q_OBJECT
public:
    explicit TColSuCarta(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1;
    QCheckBox* CheckBox1;       // "Stampa fisse"
    QCheckBox* CheckBox2;       // "Stampa pronostico"
    QCheckBox* CheckBox3;       // "Stampa giocate"
    QPushButton* SpeedButton11; // "Stampa"
    QPushButton* SpeedButton12; // "Imposta stampante"
    QPushButton* SpeedButton9;  // "Chiudi"

    // The three heading lines the main window writes before showing the dialog.
    void fillHeading();
    void FormActivate();
    void SpeedButton11Click();
    // Prints the listing on a printer already set up; false when the job could not begin.
    bool printListing(QPrinter& printer);
};

} // namespace numora
