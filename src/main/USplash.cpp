#include "main/USplash.h"

#include "main/UInformazioni.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace numora {

TSplash::TSplash(QWidget* parent, int milliseconds)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), picture_(picture(devicePixelRatioF())),
      milliseconds_(milliseconds) {
    setObjectName(QStringLiteral("Splash"));
    setModal(true);
    const QSize logical = picture_.deviceIndependentSize().toSize();
    setFixedSize(logical.width() + 4, logical.height() + 4);
    if (QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
}

QPixmap TSplash::picture(qreal dpr) {
    QPixmap pix(QSize(420, 240) * dpr);
    pix.setDevicePixelRatio(dpr);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 240);
    sky.setColorAt(0, QColor(0, 40, 110));
    sky.setColorAt(1, QColor(0, 110, 170));
    p.fillRect(QRect(0, 0, 420, 240), sky);
    // A few drawn balls of the Lotto, numbered.
    const int balls[] = {7, 23, 48, 61, 90};
    for (int k = 0; k < 5; ++k) {
        const QRectF r(40 + k * 72, 142, 52, 52);
        QRadialGradient shine(r.center() - QPointF(8, 8), 30);
        shine.setColorAt(0, Qt::white);
        shine.setColorAt(1, QColor(230, 190, 40));
        p.setBrush(shine);
        p.setPen(QPen(QColor(120, 80, 0), 1.5));
        p.drawEllipse(r);
        QFont f(QStringLiteral("Arial"), 15, QFont::Bold);
        p.setFont(f);
        p.setPen(QColor(40, 20, 0));
        p.drawText(r, Qt::AlignCenter, QString::number(balls[k]));
    }
    p.setPen(Qt::white);
    QFont title(QStringLiteral("Arial"), 40, QFont::Bold);
    p.setFont(title);
    p.drawText(QRect(0, 24, 420, 60), Qt::AlignCenter, QStringLiteral("Numora"));
    QFont sub(QStringLiteral("Arial"), 11);
    p.setFont(sub);
    p.drawText(QRect(0, 88, 420, 24), Qt::AlignCenter,
               QStringLiteral("Statistiche, previsioni e sistemi per il Lotto"));
    QFont small(QStringLiteral("Arial"), 8);
    p.setFont(small);
    p.drawText(QRect(0, 214, 410, 20), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Varnel"));
    p.drawText(QRect(10, 214, 200, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Versione ") + QString::fromUtf8(NumoraVersion));
    return pix;
}

void TSplash::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    QTimer::singleShot(milliseconds_, this, &QDialog::accept);
}

void TSplash::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.drawPixmap(2, 2, picture_);
}

} // namespace numora
