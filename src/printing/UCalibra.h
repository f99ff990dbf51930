#pragma once

#include "core/Settings.h"
#include "printing/SlipGeometry.h"

#include <QDialog>

#include <array>

class QFrame;
class QLineEdit;
class QPushButton;

namespace numora {

// The calibration of the old slips in one orientation: the layout values in millimetres, eight
// buttons that move the marks on the picture, a test print of six dots and their markers.
class TOldCalibrationDialog : public QDialog {
    Q_OBJECT
public:
    TOldCalibrationDialog(printing::SlipOrientation o, QWidget* parent);

    // sinistro, superiore, distanza_righe, distanza_colonne, diametro, distanza_importi
    std::array<QLineEdit*, 6> edits;
    std::array<QPushButton*, 8> moves; // in the order of printing::OldCalibrationMove
    QPushButton* SpeedButton11;        // "Stampa schedina di prova"
    QPushButton* SpeedButton9;         // "Salva e chiudi"
    QPushButton* SpeedButton13;        // "Ripristina valori originali"
    QPushButton* SpeedButton12;        // "Imposta stampante"
    QPushButton* SpeedButton10;        // "Spiegazioni"
    QPushButton* spb8;                 // "Annulla"
    QWidget* picture;
    std::array<QFrame*, 6> markers;

    const OldSlipLayout& working() const { return working_; }
    void ReadValues();
    void ShowValues();
    void PlaceMarkers();
    void moveClick(printing::OldCalibrationMove move);
    void SpeedButton11Click();
    void SpeedButton13Click();
    void SpeedButton9Click();
    // Where a cell of the orientation sits on the picture.
    static QPoint cellPosition(printing::SlipOrientation o, const printing::Cell& c);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    printing::SlipOrientation o_;
    OldSlipLayout working_;
    OldSlipLayout printed_;
};

// "Calibra stampa orizzontale su schedine" (old slips).
class TCalibra : public TOldCalibrationDialog {
    Q_OBJECT
public:
    explicit TCalibra(QWidget* parent = nullptr);
};

// "Calibra stampa verticale su schedine" (old slips).
class TCalibraVer : public TOldCalibrationDialog {
    Q_OBJECT
public:
    explicit TCalibraVer(QWidget* parent = nullptr);
};

} // namespace numora
