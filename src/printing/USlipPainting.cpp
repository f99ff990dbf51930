#include "printing/USlipPainting.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

QFont ArialAt(int cellHeight) {
    QFont f(u"Arial"_s);
    f.setStyleHint(QFont::SansSerif);
    f.setFixedPitch(false);
    f.setPixelSize(cellHeight > 0 ? cellHeight : 1);
    return f;
}

int ArialHeight(const printing::PageSize& page, int lastK, QPaintDevice* device) {
    return printing::SlipNumberFontHeight(
        page, lastK, [device](int h) { return QFontMetrics(ArialAt(h), device).horizontalAdvance(u"H"_s); });
}

} // namespace

printing::PageSize PageOf(const QPagedPaintDevice& device) {
    return {device.width(), device.height()};
}

void DrawDot(QPainter& painter, const printing::PixelDot& dot) {
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.setBrush(QBrush(Qt::black, Qt::SolidPattern));
    painter.drawEllipse(QRect(dot.x, dot.y, dot.d, dot.d));
    painter.restore();
}

void DrawDots(QPainter& painter, const std::vector<printing::PixelDot>& dots) {
    for (const auto& d : dots) DrawDot(painter, d);
}

void DrawSlipNumber(QPainter& painter, const printing::PageSize& page, int lastK, const QString& text,
                    printing::PixelPoint at) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    QPaintDevice* device = painter.device();
    painter.setFont(ArialAt(ArialHeight(page, lastK, device)));
    const QFontMetrics m(painter.font(), device);
    painter.drawText(at.x, at.y + m.ascent(), text);
    painter.restore();
}

void PaintPlainPaper(QPainter& painter, QPagedPaintDevice& device, const std::vector<std::string>& heading,
                     const Forecast& forecast, const std::vector<Play>& plays,
                     const printing::PlainPaperOptions& options, int decimals) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    const auto page = PageOf(device);
    painter.setFont(ArialAt(ArialHeight(page, 200, &device)));
    const QFontMetrics m(painter.font(), &device);
    printing::PlainPaperMetrics metrics;
    metrics.pageWidth = page.width;
    metrics.pageHeight = page.height;
    metrics.h = m.boundingRect(u"Hq"_s).height();
    metrics.cw = m.horizontalAdvance(u"H"_s);
    metrics.width = [&m](const std::string& s) { return m.horizontalAdvance(QString::fromStdString(s)); };
    const auto pages = printing::LayOutPlainPaper(heading, forecast, plays, options, decimals, metrics);
    for (std::size_t k = 0; k < pages.size(); ++k) {
        if (k > 0) device.newPage();
        for (const auto& run : pages[k].runs)
            painter.drawText(run.x, run.y + m.ascent(), QString::fromStdString(run.text));
    }
    painter.restore();
}

} // namespace numora
