#include "components/UTiledPanel.h"

#include <QFileDialog>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

constexpr int TileSize = 48;
const QColor TileDark(0, 44, 104);
const QColor TileLight(0, 78, 140);

} // namespace

QPixmap ProgramTile(qreal dpr) {
    QPixmap tile(QSize(TileSize, TileSize) * dpr);
    tile.setDevicePixelRatio(dpr);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    // Symmetric about the centre, so that opposite edges match and the tiles join seamlessly.
    QRadialGradient g(QPointF(TileSize / 2.0, TileSize / 2.0), TileSize * 0.71);
    g.setColorAt(0, TileLight);
    g.setColorAt(1, TileDark);
    p.fillRect(QRectF(0, 0, TileSize, TileSize), g);
    // Faint rings of the drum: one centred and four quarters at the corners, which meet across tiles.
    p.setPen(QPen(QColor(255, 255, 255, 28), 1.2));
    p.setBrush(Qt::NoBrush);
    const qreal r = TileSize * 0.22;
    p.drawEllipse(QPointF(TileSize / 2.0, TileSize / 2.0), r, r);
    for (QPointF c : {QPointF(0, 0), QPointF(TileSize, 0), QPointF(0, TileSize), QPointF(TileSize, TileSize)})
        p.drawEllipse(c, r, r);
    return tile;
}

QPixmap ProgramIconPixmap(int size, qreal dpr) {
    QPixmap pix(QSize(size, size) * dpr);
    pix.setDevicePixelRatio(dpr);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal s = size;
    QPainterPath square;
    square.addRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.18, s * 0.18);
    QLinearGradient sky(0, 0, 0, s);
    sky.setColorAt(0, QColor(0, 40, 110));
    sky.setColorAt(1, QColor(0, 110, 170));
    p.fillPath(square, sky);
    const QRectF ball(s * 0.14, s * 0.14, s * 0.72, s * 0.72);
    QRadialGradient shine(ball.center() - QPointF(s * 0.1, s * 0.1), s * 0.42);
    shine.setColorAt(0, Qt::white);
    shine.setColorAt(1, QColor(230, 190, 40));
    p.setBrush(shine);
    p.setPen(QPen(QColor(120, 80, 0), qMax(1.0, s / 32.0)));
    p.drawEllipse(ball);
    QFont f(u"Arial"_s);
    f.setBold(true);
    f.setPixelSize(qMax(6, int(s * 0.34)));
    p.setFont(f);
    p.setPen(QColor(40, 20, 0));
    p.drawText(ball, Qt::AlignCenter, u"90"_s);
    return pix;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(ProgramIconPixmap(size));
    return icon;
}

TTiledPanel::TTiledPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(u"TTiledPanel"_s);
    setAutoFillBackground(false);
    setFrameShape(QFrame::StyledPanel);
}

void TTiledPanel::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.drawTiledPixmap(rect(), ProgramTile(devicePixelRatioF()));
    p.end();
    QFrame::paintEvent(e);
}

TPanelLabel::TPanelLabel(const QString& text, QWidget* parent, bool heading) : QLabel(text, parent) {
    QFont f = font();
    if (heading) {
        f.setPointSizeF(f.pointSizeF() * 2.2);
        f.setBold(true);
    }
    setFont(f);
    setAttribute(Qt::WA_TranslucentBackground);
}

QSize TPanelLabel::sizeHint() const {
    const QFontMetrics m(font());
    QSize size;
    for (const QString& line : text().split(u'\n'))
        size = QSize(qMax(size.width(), m.horizontalAdvance(line)), size.height() + m.height());
    return size + QSize(2 + 2 * margin(), 2 + 2 * margin());
}

void TPanelLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    const QRect r = contentsRect().adjusted(margin(), margin(), -margin() - 1, -margin() - 1);
    p.setPen(QColor(0, 0, 0, 190));
    p.drawText(r.translated(1, 1), int(alignment()), text());
    p.setPen(QColor(255, 255, 255));
    p.drawText(r, int(alignment()), text());
}

QString ChooseFolder(QWidget* parent, const QString& title, const QString& start) {
    QFileDialog dialog(parent, title, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setLabelText(QFileDialog::Accept, u"Scegli"_s);
    dialog.setLabelText(QFileDialog::Reject, u"Annulla"_s);
    dialog.setLabelText(QFileDialog::LookIn, u"Cerca in:"_s);
    dialog.setLabelText(QFileDialog::FileName, u"Cartella:"_s);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().front();
}

} // namespace numora
