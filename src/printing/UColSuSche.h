#pragma once

#include "printing/UNewColSuSche.h"

namespace numora {

// The preview of the old slip: its grid of 31 columns and 13 rows with the marks of the play.
class TOldSlipPreview : public QWidget {
    Q_OBJECT
public:
    explicit TOldSlipPreview(QWidget* parent = nullptr);
    void setCells(std::vector<printing::Cell> cells);
    const std::vector<printing::Cell>& cells() const { return cells_; }
    // The top left of the box of a horizontal cell in the picture.
    static QPoint cellPosition(const printing::Cell& c);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<printing::Cell> cells_;
};

// The printing on the old play slips: the same dialog on the old slip's grid, with "Stampa il
// pronostico"; created once and shown by its command.
class TColSuSche : public TSlipPrintDialog {
    Q_OBJECT
public:
    explicit TColSuSche(QWidget* parent = nullptr);
    ~TColSuSche() override;
    static TColSuSche* instance();

    TOldSlipPreview* antep;
    QPushButton* pronostico; // "Stampa il pronostico"

    void SpeedButton9Click() override;
    void pronosticoClick();

protected:
    void showEvent(QShowEvent* event) override;
    void PrintSlip(QPainter& painter, int index) override;
    void drawPreview(int index) override;
    QString calibrationCommand(printing::SlipOrientation o) const override;

private:
    void placeOnScreen();
};

} // namespace numora
