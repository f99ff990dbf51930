#pragma once

#include "printing/SlipGeometry.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QRadioButton;

namespace numora {

class TSlipPreview;

// "Stampa di N Giocate": prints the plays on the play slips, one play a slip, in the orientation
// the slips enter the printer, alone or a range at a time, with the preview of the slip.
class TNewColSuSche : public QDialog {
    Q_OBJECT
public:
    explicit TNewColSuSche(QWidget* parent = nullptr);

    QRadioButton* staver;
    QRadioButton* staor;
    QLabel* insertion;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QCheckBox* stanu;
    QPushButton* SpeedButton11; // "Stampa giocata nº"
    QPushButton* SpeedButton1;  // "Stampa dalla nº"
    QPushButton* fermastampa;   // "Interrompi stampa"
    QPushButton* SpeedButton3;  // "Calibra stampa"
    QPushButton* SpeedButton12; // "Imposta stampante"
    QPushButton* SpeedButton10; // "Guida in linea"
    QPushButton* SpeedButton9;  // "Chiudi"
    QLabel* previewLabel;
    TSlipPreview* antep;

    int currentSlip() const { return current_; }
    printing::SlipOrientation orientation() const;

    void FormActivate();
    void SpeedButton11Click();
    void SpeedButton1Click();
    void fermastampaClick() { stopRequested_ = true; }
    void SpeedButton9Click();
    void DrawSlipPreview();
    // Called after each slip of a range, before the next (tests press "Interrompi stampa" here).
    std::function<void(int slip)> afterSlip;

private:
    void PrintSlip(QPainter& painter, int index);
    void showInsertion();
    void slipEdited(QLineEdit* edit);
    bool beginJob(QPainter& painter);

    int current_ = 1;
    bool stopRequested_ = false;
};

} // namespace numora
