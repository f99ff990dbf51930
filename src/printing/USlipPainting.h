#pragma once
// Painting the slips and the plain-paper listing on any paged device (a printer, a PDF file):
// shared by the printing dialogs and numora-cli print. Qt Gui only, no widgets.

#include "core/Forecast.h"
#include "core/Play.h"
#include "printing/PlainPaperLayout.h"
#include "printing/SlipGeometry.h"

#include <QString>

#include <string>
#include <vector>

class QPainter;
class QPagedPaintDevice;

namespace numora {

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

// The listing on plain paper, page after page, on a painter already begun on device.
void PaintPlainPaper(QPainter& painter, QPagedPaintDevice& device, const std::vector<std::string>& heading,
                     const Forecast& forecast, const std::vector<Play>& plays,
                     const printing::PlainPaperOptions& options, int decimals);

} // namespace numora
