#pragma once
// What the printing dialogs share: the printer they print on, the page in pixels, the dots and
// the slip number drawn on a page, and the slip picture of the preview.

#include "printing/SlipGeometry.h"
#include "printing/USlipPainting.h"

#include <QString>
#include <QWidget>

#include <vector>

class QPainter;
class QPrinter;
class QPagedPaintDevice;

namespace numora {

// The printer of the printing dialogs (high resolution; the job is titled "Numora"). Tests point
// it at a PDF file.
QPrinter& PrintingPrinter();
// "Imposta stampante": the system's print dialog on that printer, printing to a PDF file among
// its choices; false when cancelled.
bool SetUpPrintingPrinter(QWidget* parent);

// The preview of the new slip: the slip picture with its boxes at the preview positions and the
// marks of the play; 300 x 310 pixels.
class TSlipPreview : public QWidget {
    Q_OBJECT
public:
    explicit TSlipPreview(QWidget* parent = nullptr);
    void setCircles(std::vector<printing::PreviewCircle> circles);
    const std::vector<printing::PreviewCircle>& circles() const { return circles_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<printing::PreviewCircle> circles_;
};

// The picture of how the slip enters the printer in the orientation.
QPixmap InsertionPicture(printing::SlipOrientation orientation);

} // namespace numora
