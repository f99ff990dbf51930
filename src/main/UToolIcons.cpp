#include "main/UToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>
#include <map>
#include <numbers>

namespace numora {

namespace {

const QColor Ink(30, 30, 30);
const QColor Red(200, 20, 20);
const QColor Green(0, 140, 40);
const QColor Blue(20, 70, 170);

void Sheet(QPainter& p, QRectF r) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    for (qreal y = r.top() + 4; y < r.bottom() - 2; y += 3)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}

void Cross(QPainter& p, QPointF c, qreal s) {
    p.setPen(QPen(Red, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-s, -s), c + QPointF(s, s));
    p.drawLine(c + QPointF(-s, s), c + QPointF(s, -s));
}

void Plus(QPainter& p, QPointF c, qreal s) {
    p.setPen(QPen(Green, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-s, 0), c + QPointF(s, 0));
    p.drawLine(c + QPointF(0, -s), c + QPointF(0, s));
}

void Pencil(QPainter& p) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(240, 190, 40));
    QPolygonF body;
    body << QPointF(21, 7) << QPointF(23, 9) << QPointF(12, 20) << QPointF(9, 21) << QPointF(10, 18);
    p.drawPolygon(body);
}

void Letters(QPainter& p, const QString& text, QColor back) {
    p.setPen(Qt::NoPen);
    p.setBrush(back);
    p.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 4, 4);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("Arial"), text.size() > 1 ? 8 : 12, QFont::Bold);
    f.setPixelSize(text.size() > 1 ? 10 : 15);
    p.setFont(f);
    p.drawText(QRectF(1, 1, 22, 22), Qt::AlignCenter, text);
}

void Bars(QPainter& p, const std::initializer_list<int>& heights, QColor c) {
    p.setPen(QPen(Ink, 1));
    p.drawLine(2, 22, 22, 22);
    int x = 3;
    for (int h : heights) {
        p.setBrush(c);
        p.drawRect(QRectF(x, 22 - h, 4, h));
        x += 5;
    }
}

using Painter = std::function<void(QPainter&)>;

const std::map<QString, Painter>& Painters() {
    static const std::map<QString, Painter> m = {
        {QStringLiteral("SpeedButton9"),
         [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(Blue);
             p.drawEllipse(QRectF(2, 2, 20, 20));
             p.setPen(Qt::white);
             QFont f(QStringLiteral("Arial"));
             f.setPixelSize(16);
             f.setBold(true);
             p.setFont(f);
             p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
         }},
        {QStringLiteral("SpeedButton11"),
         [](QPainter& p) {
             QPainterPath star;
             for (int k = 0; k < 10; ++k) {
                 const qreal a = -std::numbers::pi / 2 + k * std::numbers::pi / 5, r = k % 2 ? 4.5 : 10.5;
                 QPointF pt(12 + r * std::cos(a), 12.5 + r * std::sin(a));
                 k ? star.lineTo(pt) : star.moveTo(pt);
             }
             star.closeSubpath();
             p.setPen(QPen(QColor(150, 100, 0), 1));
             p.setBrush(QColor(250, 200, 30));
             p.drawPath(star);
         }},
        {QStringLiteral("SpeedButton5"),
         [](QPainter& p) {
             Sheet(p, QRectF(6.5, 2.5, 13, 16));
             Sheet(p, QRectF(3.5, 5.5, 13, 16));
             Cross(p, QPointF(16, 17), 4);
         }},
        {QStringLiteral("SpeedButton3"),
         [](QPainter& p) {
             Sheet(p, QRectF(4.5, 2.5, 14, 19));
             Cross(p, QPointF(16, 17), 4);
         }},
        {QStringLiteral("SpeedButton4"),
         [](QPainter& p) {
             Sheet(p, QRectF(3.5, 2.5, 14, 19));
             Pencil(p);
         }},
        {QStringLiteral("SpeedButton2"),
         [](QPainter& p) {
             Sheet(p, QRectF(3.5, 2.5, 14, 19));
             Plus(p, QPointF(17, 17), 4.5);
         }},
        {QStringLiteral("SpeedButton1"),
         [](QPainter& p) {
             p.setPen(QPen(Blue, 1.3));
             p.setBrush(QColor(200, 225, 255));
             p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRectF(8, 2.5, 8, 19));
             p.drawLine(QPointF(2.5, 12), QPointF(21.5, 12));
             p.drawLine(QPointF(4.5, 7), QPointF(19.5, 7));
             p.drawLine(QPointF(4.5, 17), QPointF(19.5, 17));
         }},
        {QStringLiteral("SpeedButton13"),
         [](QPainter& p) {
             Bars(p, {8, 14, 18, 11}, QColor(60, 130, 220));
         }},
        {QStringLiteral("SpeedButton14"),
         [](QPainter& p) {
             p.setPen(QPen(Blue, 2.5, Qt::SolidLine, Qt::RoundCap));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(5, 6, 15, 14), 90 * 16, -250 * 16);
             p.setBrush(Blue);
             p.setPen(Qt::NoPen);
             QPolygonF head;
             head << QPointF(3, 7) << QPointF(11, 2) << QPointF(11, 12);
             p.drawPolygon(head);
         }},
        {QStringLiteral("SpeedButton19"),
         [](QPainter& p) {
             Sheet(p, QRectF(2.5, 3.5, 17, 17));
             Cross(p, QPointF(17, 17), 4);
         }},
        {QStringLiteral("SpeedButton15"),
         [](QPainter& p) {
             Sheet(p, QRectF(2.5, 3.5, 17, 17));
             Pencil(p);
         }},
        {QStringLiteral("SpeedButton21"),
         [](QPainter& p) {
             p.setPen(QPen(Ink, 1));
             p.setBrush(QColor(225, 225, 225));
             p.drawRoundedRect(QRectF(1.5, 6.5, 21, 12), 2, 2);
             p.setBrush(Qt::white);
             for (int r = 0; r < 2; ++r)
                 for (int c = 0; c < 5; ++c) p.drawRect(QRectF(3.5 + c * 3.8, 8.5 + r * 3.5, 2.6, 2.4));
             p.drawRect(QRectF(6.5, 15.5, 11, 1.8));
         }},
        {QStringLiteral("SpeedButton16"),
         [](QPainter& p) {
             Sheet(p, QRectF(3.5, 2.5, 15, 19));
             p.setPen(QPen(Green, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
             p.drawPolyline(QPolygonF() << QPointF(7, 13) << QPointF(11, 18) << QPointF(21, 6));
         }},
        {QStringLiteral("stmstp"),
         [](QPainter& p) {
             p.setPen(QPen(Ink, 1));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(6.5, 2.5, 11, 8));
             p.setBrush(QColor(160, 160, 170));
             p.drawRoundedRect(QRectF(2.5, 9.5, 19, 9), 2, 2);
             p.setBrush(Qt::white);
             p.drawRect(QRectF(6.5, 15.5, 11, 6));
             p.setPen(QPen(Red, 1));
             p.drawEllipse(QRectF(8, 17, 2.5, 2.5));
             p.drawEllipse(QRectF(13, 17, 2.5, 2.5));
         }},
        {QStringLiteral("SpeedButton18"),
         [](QPainter& p) {
             Bars(p, {5, 12, 18, 12, 5}, QColor(40, 160, 90));
         }},
        {QStringLiteral("SpeedButton6"), [](QPainter& p) { Letters(p, QStringLiteral("G"), QColor(30, 110, 60)); }},
        {QStringLiteral("SpeedButton7"), [](QPainter& p) { Letters(p, QStringLiteral("C"), QColor(160, 90, 20)); }},
        {QStringLiteral("SpeedButton8"),
         [](QPainter& p) {
             p.setPen(QPen(QColor(140, 110, 0), 1));
             p.setBrush(QColor(255, 230, 80));
             p.drawEllipse(QRectF(5.5, 2.5, 13, 13));
             p.setBrush(QColor(150, 150, 150));
             p.drawRect(QRectF(9.5, 15.5, 5, 5));
             p.drawLine(QPointF(10, 22), QPointF(14, 22));
         }},
        {QStringLiteral("SpeedButton12"), [](QPainter& p) { Letters(p, QStringLiteral("%"), QColor(120, 40, 140)); }},
    };
    return m;
}

} // namespace

QIcon ToolIcon(const QString& componentName) {
    QPixmap pix(24, 24);
    pix.fill(Qt::transparent);
    {
        QPainter p(&pix);
        p.setRenderHint(QPainter::Antialiasing);
        auto it = Painters().find(componentName);
        if (it != Painters().end())
            it->second(p);
        else
            Letters(p, componentName.left(2), Qt::darkGray);
    }
    return QIcon(pix);
}

} // namespace numora
