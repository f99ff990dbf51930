#pragma once
// What the printing dialogs share: the printer they print on, the page in pixels, the dots and
// the slip number drawn on a page, and the slip picture of the preview.

#include "printing/SlipGeometry.h"

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
// "Imposta stampante": the system's print set-up dialog on that printer (which offers printing
// to a PDF file); false when cancelled.
bool SetUpPrintingPrinter(QWidget* parent);

// The printable page of a device in its own pixels.
printing::PageSize PageOf(const QPagedPaintDevice& device);

// A filled black circle with a black pen of width 1, its bounding square from (x, y) to
// (x + d, y + d); the painter's pen and brush are put back afterwards.
void DrawDot(QPainter& painter, const printing::PixelDot& dot);
void DrawDots(QPainter& painter, const std::vector<printing::PixelDot>& dots);
// The slip number in Arial, its cell height found as the slip printing finds it (lastK: the last
// divisor tried), at the given pixel position (the text's top left); font, pen and brush restored.
void DrawSlipNumber(QPainter& painter, const printing::PageSize& page, int lastK, const QString& text,
                    printing::PixelPoint at);

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
