#pragma once

#include "printing/SlipGeometry.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace numora {

class TSlipPreview;

// "Stampa di N Giocate": prints the plays on the play slips, one play a slip, in the orientation
// the slips enter the printer, alone or a range at a time, with the preview of the slip. The
// new and the old slip differ in where the marks go, the preview and what "Chiudi" stores.
class TSlipPrintDialog : public QDialog {
    Q_OBJECT
public:
    explicit TSlipPrintDialog(QWidget* parent, const QString& calibrateCaption, const QString& helpCaption);

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
    QPushButton* SpeedButton3;  // "Calibra stampa" ("Calibra stampante" on the old slips)
    QPushButton* SpeedButton12; // "Imposta stampante"
    QPushButton* SpeedButton10; // "Guida in linea" ("Spiegazioni" on the old slips)
    QPushButton* SpeedButton9;  // "Chiudi"
    QLabel* previewLabel;

    int currentSlip() const { return current_; }
    printing::SlipOrientation orientation() const;

    void FormActivate();
    void SpeedButton11Click();
    void SpeedButton1Click();
    void fermastampaClick() { stopRequested_ = true; }
    virtual void SpeedButton9Click() = 0;
    void DrawSlipPreview();
    // Called after each slip of a range, before the next (tests press "Interrompi stampa" here).
    std::function<void(int slip)> afterSlip;

protected:
    virtual void PrintSlip(QPainter& painter, int index) = 0;
    virtual void drawPreview(int index) = 0;
    // The main window's commands that calibrate the slips of the orientation.
    virtual QString calibrationCommand(printing::SlipOrientation o) const = 0;
    bool beginJob(QPainter& painter);
    QVBoxLayout* previewArea;
    QVBoxLayout* buttonArea;

private:
    void showInsertion();
    void slipEdited(QLineEdit* edit);

    int current_ = 1;
    bool stopRequested_ = false;
};

class TNewColSuSche : public TSlipPrintDialog {
    Q_OBJECT
public:
    explicit TNewColSuSche(QWidget* parent = nullptr);
    TSlipPreview* antep;
    void SpeedButton9Click() override;

protected:
    void PrintSlip(QPainter& painter, int index) override;
    void drawPreview(int index) override;
    QString calibrationCommand(printing::SlipOrientation o) const override;
};

} // namespace numora
