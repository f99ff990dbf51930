#include "printing/USlipPrint.h"

#include "components/UPrinter.h"
#include "core/Types.h"

#include <QPainter>
#include <QPainterPath>
#include <QPrinter>

using namespace Qt::StringLiterals;

namespace numora {

QPrinter& PrintingPrinter() {
    return ProgramPrinter();
}

bool SetUpPrintingPrinter(QWidget* parent) {
    return SetUpProgramPrinter(parent);
}

// ---- Preview ----------------------------------------------------------------------------

TSlipPreview::TSlipPreview(QWidget* parent) : QWidget(parent) {
    setObjectName(u"antep"_s);
    setFixedSize(300, 310);
}

void TSlipPreview::setCircles(std::vector<printing::PreviewCircle> circles) {
    circles_ = std::move(circles);
    update();
}

void TSlipPreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The slip: a pink card with the numbers, the wheels and the amount boxes.
    const QColor ink(200, 30, 60);
    p.fillRect(rect(), QColor(255, 236, 240));
    p.setPen(QPen(ink, 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    QFont title = font();
    title.setPixelSize(14);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(0, 8, width(), 20), Qt::AlignCenter, u"LOTTO"_s);
    QFont small = font();
    small.setPixelSize(8);
    p.setFont(small);
    p.drawText(QRect(4, 40, width() - 8, 20), Qt::AlignLeft | Qt::AlignVCenter, u"NUMERI DA GIOCARE"_s);
    auto box = [&p](const printing::PreviewCircle& c) {
        p.drawRect(c.left - 1, c.top - 1, c.right - c.left + 2, c.bottom - c.top + 2);
    };
    for (int n = 1; n <= 90; ++n) {
        auto c = printing::PreviewNumberCircle(n);
        box(c);
    }
    p.drawText(QRect(4, 140, width() - 8, 14), Qt::AlignLeft | Qt::AlignVCenter, u"RUOTE"_s);
    for (int w = 1; w <= 12; ++w) {
        auto c = printing::PreviewWheelCircle(w);
        box(c);
        QString name = QString::fromUtf8(WheelName(w).data(), static_cast<qsizetype>(WheelName(w).size()));
        p.drawText(c.right + 3, c.bottom, name.left(w == 11 ? 5 : 3));
    }
    p.drawText(QRect(4, 204, width() - 8, 14), Qt::AlignLeft | Qt::AlignVCenter, u"IMPORTI"_s);
    static const char* rows[6] = {"Tot", "Est", "Amb", "Ter", "Qua", "Cin"};
    for (int r = 0; r <= 5; ++r) {
        p.drawText(3, 229 + 13 * r, QString::fromLatin1(rows[r]));
        for (int j = 1; j <= 18; ++j) box(printing::PreviewAmountCircle(j, r));
    }
    // The marks of the slip shown.
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.setBrush(Qt::black);
    for (const auto& c : circles_) p.drawEllipse(QRect(c.left, c.top, c.right - c.left, c.bottom - c.top));
}

QPixmap InsertionPicture(printing::SlipOrientation orientation) {
    QPixmap pm(120, 120);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const bool vertical = orientation == printing::SlipOrientation::Vertical;
    // The printer's paper path at the top, the slip below it going in.
    p.setPen(QPen(Qt::darkGray, 2));
    p.drawLine(10, 14, 110, 14);
    p.setPen(QPen(QColor(200, 30, 60), 1));
    p.setBrush(QColor(255, 236, 240));
    QRect slip = vertical ? QRect(40, 24, 40, 80) : QRect(20, 24, 80, 40);
    p.drawRect(slip);
    p.drawText(slip, Qt::AlignCenter, u"LOTTO"_s);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::black);
    const int x = 60;
    QPainterPath head;
    head.moveTo(x, slip.top() - 2);
    head.lineTo(x - 6, slip.top() + 8);
    head.lineTo(x + 6, slip.top() + 8);
    head.closeSubpath();
    p.drawPath(head);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 104, 120, 16), Qt::AlignCenter, vertical ? u"verticale"_s : u"orizzontale"_s);
    return pm;
}

} // namespace numora
