#pragma once

#include "printing/SlipGeometry.h"

#include <QDialog>

#include <array>

class QFrame;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace numora {

// The two arrows of one calibration value: left/right or up/down.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    TUpDown(bool horizontal, QWidget* parent);
    QToolButton* less; // left or up
    QToolButton* more; // right or down
};

// The calibration of the slip printing in one orientation: five values in millimetres, their
// arrows, the fixing type, a test print and the markers that show on the slip picture where
// the test dots will move.
class TNewCalibrationDialog : public QDialog {
    Q_OBJECT
public:
    TNewCalibrationDialog(printing::SlipOrientation o, QWidget* parent);

    std::array<QLineEdit*, 5> edits; // Edit1..Edit5: x0, y0, sx, sy, d
    std::array<TUpDown*, 5> upDowns; // the arrows of x0, y0, sx, sy, d
    QRadioButton* RadioButton1;      // "Bloccaggio laterale"
    QRadioButton* RadioButton2;      // "Bloccaggio centrale"
    QPushButton* SpeedButton11;      // "Stampa schedina di prova"
    QPushButton* SpeedButton9;       // "Salva e chiudi"
    QPushButton* SpeedButton13;      // "Ripristina valori originali"
    QPushButton* SpeedButton12;      // "Imposta stampante"
    QPushButton* SpeedButton10;      // "Guida in linea"
    QPushButton* spb8;               // "Annulla"
    QWidget* picture;
    std::array<QFrame*, 4> markers; // se1..se4

    const printing::NewCalibrationModel& model() const { return model_; }

    void ReadValues();
    void ShowValues();
    void PlaceMarkers();
    void arrowClick(int field, int direction);
    void fixingClick(int type);
    void SpeedButton11Click();
    void SpeedButton13Click();
    void SpeedButton9Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    printing::NewCalibrationModel model_;
};

// "Calibra la stampa orizzontale su schedine".
class TNewCalibra : public TNewCalibrationDialog {
    Q_OBJECT
public:
    explicit TNewCalibra(QWidget* parent = nullptr);
};

// "Calibra la stampa verticale su schedine".
class TNewCalibraVer : public TNewCalibrationDialog {
    Q_OBJECT
public:
    explicit TNewCalibraVer(QWidget* parent = nullptr);
};

} // namespace numora
