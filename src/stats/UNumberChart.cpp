#include "stats/UNumberChart.h"

#include "components/UHelp.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "components/UStatsShared.h"
#include "components/UWheelSelection.h"
#include "core/Globali.h"
#include "core/Types.h"
#include "stats/DrawWindow.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPolygon>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

constexpr int ScrollRange = 1348;
// The strip less the scroll range: the width that shows its last bar at the end of the scroll.
constexpr int ChartWidth = NumberChart::StripWidth - ScrollRange;
constexpr int ChartHeight = 300;

void TextCentred(QPainter& p, int centreX, int top, const QString& text) {
    const QFontMetrics fm = p.fontMetrics();
    p.drawText(centreX - fm.horizontalAdvance(text) / 2, top + fm.ascent(), text);
}

} // namespace

NumberChart::NumberChart(QWidget* parent, ChartColours colours) : QWidget(parent), colours_(colours) {
    setObjectName(u"ritgraf"_s);
    setMinimumSize(ChartWidth, ChartHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QString NumberChart::gridLabel(int i) const {
    int m = 0;
    for (const NumberValue& e : entries_) m = std::max(m, e.value);
    const int plot = height() - 17;
    if (m <= 0 || plot <= 0) return QString();
    // The lines keep their places a fifth of the plot apart, so they stand at fractions of the
    // maximum: a small maximum needs the tenths to say where a bar reaches.
    const double value = double(plot - (i - 1) * (plot / 5)) * m / plot;
    const double whole = std::round(value);
    if (std::abs(value - whole) < 0.05 || m >= 100) return QString::number(static_cast<int>(whole));
    return QString::number(value, 'f', 1).replace(u'.', u',');
}

void NumberChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

void NumberChart::setEntries(std::vector<NumberValue> entries) {
    entries_ = std::move(entries);
    update();
}

void NumberChart::setScroll(int s) {
    scroll_ = s;
    update();
}

void NumberChart::paintEvent(QPaintEvent*) {
    if (busy_ || entries_.empty()) return;
    int m = 0;
    for (const NumberValue& e : entries_) m = std::max(m, e.value);
    if (m <= 0) return;

    QPainter p(this);
    QFont font(u"Arial"_s);
    font.setPointSize(8);
    p.setFont(font);
    p.setBackgroundMode(Qt::TransparentMode);
    const QFontMetrics fm = p.fontMetrics();
    const int w = width();
    const int h = height();
    const int s = scroll_;
    const int plot = h - 17;

    for (int i = 1; i <= 5; ++i) {
        const int y = 2 + (i - 1) * (plot / 5);
        p.setPen(QColor(144, 144, 144));
        p.drawLine(30 - s, y, w - 1, y);
        const QString label = gridLabel(i);
        p.setPen(QColor(0, 64, 0));
        // Five pixels above the top line is above the box: that label's digits start at its top.
        const int baseline = std::max(y - 5 + fm.ascent(), fm.capHeight() + 1);
        // Brought down beside the axis' arrow head, it keeps clear of it.
        const int right = baseline > y - 5 + fm.ascent() ? 23 : 26;
        p.drawText(right - s - fm.horizontalAdvance(label), baseline, label);
    }

    p.setPen(Qt::black);
    p.drawLine(28 - s, 0, 28 - s, h - 14);
    p.drawLine(25 - s, 4, 28 - s, 0);
    p.drawLine(31 - s, 4, 28 - s, 0);
    p.drawLine(28 - s, h - 15, w - 1, h - 15);
    const int tick = 29 + 20 * 90 - s;
    p.drawLine(tick, h - 18, tick, h - 12);

    for (std::size_t k = 0; k < entries_.size(); ++k) {
        const NumberValue& e = entries_[k];
        const int x = 30 - s + 20 * static_cast<int>(k);
        const int bar = static_cast<int>(std::nearbyint(double(e.value) * plot / m));
        if (bar > 0) {
            p.fillRect(QRect(QPoint(x + 1, h - 17 - bar), QPoint(x + 19, h - 16)), QColor(140, 140, 140));
            p.setPen(colours_.outline);
            p.setBrush(colours_.fill);
            p.drawRect(QRect(QPoint(x, h - 15 - bar), QPoint(x + 17, h - 15)).adjusted(0, 0, -1, -1));
            p.setBrush(Qt::NoBrush);
        }
        if (colours_.valueLimit == 0 || e.value < colours_.valueLimit) {
            p.setPen(colours_.valueText);
            const int top = h - 15 - bar;
            TextCentred(p, x + 9, bar <= 20 ? top - 15 : top + 1, QString::number(e.value));
        }
        p.setPen(QColor(64, 0, 0));
        TextCentred(p, x + 9, h - 14, QString::number(e.number));
    }
}

TStatNumChart::TStatNumChart(QWidget* parent, const QString& caption, ChartColours colours)
    : QWidget(parent, Qt::Tool) {
    setWindowTitle(caption);
    setAutoFillBackground(true);

    intestazione = new QLabel(this);
    intestazione->setObjectName(u"intestazione"_s);
    intestazione->setVisible(false);
    Label3 = new QLabel(this);
    Label3->setObjectName(u"Label3"_s);
    ritgraf = new NumberChart(this, colours);
    scbrit = new QScrollBar(Qt::Horizontal, this);
    scbrit->setObjectName(u"scbrit"_s);
    scbrit->setRange(0, ScrollRange);
    scbrit->setPageStep(ChartWidth);
    scbrit->setSingleStep(20);
    connect(scbrit, &QScrollBar::valueChanged, ritgraf, &NumberChart::setScroll);
    connect(ritgraf, &NumberChart::resized, this, &TStatNumChart::fitScroll);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    ruote = new WheelSelection(GroupBox1, 6);
    ruote->setHint(QString());
    go = new QPushButton(u"Ricalcola"_s, GroupBox1);
    go->setObjectName(u"go"_s);
    SetHint(go, u" Ricalcola le statistiche "_s);
    stampa = new QPushButton(u"Stampa"_s, GroupBox1);
    stampa->setObjectName(u"stampa"_s);
    SetHint(stampa, u" Stampa la schermata "_s);
    manuale = new QPushButton(u"Manuale"_s, GroupBox1);
    manuale->setObjectName(u"manuale"_s);
    chiudi = new QPushButton(u"Chiudi"_s, GroupBox1);
    chiudi->setObjectName(u"chiudi"_s);
    connect(go, &QPushButton::clicked, this, &TStatNumChart::goClick);
    connect(stampa, &QPushButton::clicked, this, &TStatNumChart::stampaClick);
    connect(manuale, &QPushButton::clicked, this, [this] { ShowHelpContext(3, this); });
    connect(chiudi, &QPushButton::clicked, this, &QWidget::close);
    connect(ruote, &WheelSelection::changed, this, [this] { go->setEnabled(true); });

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {go, stampa, manuale, chiudi}) buttons->addWidget(b);
    buttons->addStretch(1);
    groupLayout_ = new QVBoxLayout(GroupBox1);
    groupLayout_->addWidget(ruote);
    groupLayout_->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(intestazione);
    layout->addWidget(Label3);
    layout->addWidget(ritgraf, 1);
    layout->addWidget(scbrit);
    layout->addWidget(GroupBox1);
    // Widening the window shows more bars; nothing is gained beyond the whole strip.
    setMaximumWidth(NumberChart::StripWidth + 12);
}

void TStatNumChart::fitScroll() {
    const int shown = ritgraf->width();
    scbrit->setPageStep(shown);
    scbrit->setRange(0, std::max(0, NumberChart::StripWidth - shown));
}

void TStatNumChart::noteFigures(std::uint16_t wheelMask) {
    QStringList wheels;
    const WheelSet counted = CountedWheels(wheelMask);
    const bool all = (counted & RegionalWheelSet) == RegionalWheelSet;
    if (all) wheels << u"Tutte"_s;
    for (int w = all ? 11 : 1; w <= 11; ++w)
        if (counted & (1u << (w - 1))) wheels << QString::fromUtf8(WheelName(w).data(), qsizetype(WheelName(w).size()));
    QString text = windowTitle() + u" - Ruote: "_s + wheels.join(u", "_s);
    const DrawArchive& archive = Globals().archive;
    if (archive.count() > 0) text += u" - Ultima estrazione: "_s + QString::fromStdString(DateText(archive.last()));
    intestazione->setText(text);
    scbrit->setValue(0);
}

void TStatNumChart::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Opened again, the chart starts from its first bar, as after a computation.
    if (!event->spontaneous()) scbrit->setValue(0);
}

void TStatNumChart::addFieldsRow(QWidget* row) {
    groupLayout_->insertWidget(0, row);
}

void TStatNumChart::goClick() {
    go->setEnabled(false);
    compute();
}

void TStatNumChart::stampaClick() {
    PrintWindowImage(this, [this](bool printing) {
        GroupBox1->setVisible(!printing);
        scbrit->setVisible(!printing);
        intestazione->setVisible(printing);
        if (printing) {
            saved_ = palette();
            QPalette white = saved_;
            white.setColor(QPalette::Window, Qt::white);
            setPalette(white);
        } else {
            setPalette(saved_);
        }
    });
}

void TStatNumChart::showRefusal(const char* message) {
    MessageBox::error(this, QString::fromUtf8(message));
}

void TStatNumChart::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace numora
