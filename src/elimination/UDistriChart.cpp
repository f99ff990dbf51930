#include "elimination/UDistriChart.h"

#include "components/UHelp.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <cmath>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

constexpr const char* StopQuestion = "Sei sicuro di voler interrompere l'elaborazione?";
// How often a run lets the window system process its events: often enough for "Interrompi" and
// the repaints to answer at once, seldom enough to cost nothing beside the counting.
constexpr qint64 EventMilliseconds = 20;

QPushButton* Button(const QString& text, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

THistogram::THistogram(const DistributionBins& bins, QWidget* parent) : QWidget(parent), bins_(bins) {
    setObjectName(u"PaintBox1"_s);
    setFixedSize(DefaultWidth, DefaultHeight);
}

void THistogram::paintEvent(QPaintEvent*) {
    if (busy) return;
    const int m = *std::max_element(bins_.begin(), bins_.end());
    if (m <= 0) return;
    const int w = width();
    const int h = height();
    QPainter p(this);
    QFont font(u"Arial"_s);
    font.setPointSize(8);
    p.setFont(font);
    p.setBackgroundMode(Qt::TransparentMode);
    const QFontMetrics fm(font);
    const QColor grey(144, 144, 144);

    // The axis moves right as far as the widest count needs, its labels clear of the arrow's wings.
    QString labels[5];
    int widest = 0;
    for (int i = 1; i <= 5; ++i) {
        labels[i - 1] = QString::number(m - (i - 1) * (m / 5));
        widest = std::max(widest, fm.horizontalAdvance(labels[i - 1]));
    }
    const int dx = std::max(0, widest + 8 - 28);
    p.translate(dx, 0);
    const int plotWidth = w - dx;
    const int bw = (plotWidth - 30) / 101;
    const int step = (h - 17) / 5;

    for (int i = 1; i <= 5; ++i) {
        const int y = 2 + (i - 1) * step;
        p.setPen(grey);
        p.drawLine(30, y, plotWidth - 1, y);
        const QString& label = labels[i - 1];
        p.setPen(QColor(0, 64, 0));
        p.drawText(23 - fm.horizontalAdvance(label), std::max(0, y - 5) + fm.ascent(), label);
    }

    p.setPen(Qt::black);
    p.drawLine(28, 0, 28, h - 14);
    p.drawLine(28, 0, 25, 5);
    p.drawLine(28, 0, 31, 5);
    p.drawLine(28, h - 15, plotWidth - 1, h - 15);

    int lastRight = INT_MIN / 2;
    for (int b = 0; b <= 100; ++b) {
        const int x = 30 + b * bw;
        const int count = bins_[static_cast<std::size_t>(b)];
        if (count > 0) {
            const int bar = static_cast<int>(std::nearbyint(double(count) * (h - 17) / m));
            p.fillRect(QRect(QPoint(x + 1, h - 16 - bar), QPoint(x + bw, h - 16)), QColor(128, 128, 140));
            p.setPen(QColor(0, 64, 64));
            p.setBrush(QColor(0, 128, 196));
            p.drawRect(x, h - 15 - bar, bw - 1, bar);
            p.setBrush(Qt::NoBrush);
        }
        const QString label = QString::number(b);
        const int tw = fm.horizontalAdvance(label);
        const int lx = x + bw / 2 - tw / 2;
        if (lx > lastRight + 2) {
            p.setPen(QColor(64, 0, 0));
            p.drawText(lx, h - 14 + fm.ascent(), label);
            p.setPen(grey);
            p.drawLine(x + bw / 2, h - 14, x + bw / 2, h - 13);
            lastRight = lx + tw;
        }
    }
}

TDistriBase::TDistriBase(int helpContext, int repaintEvery, std::uint64_t interval, QWidget* parent)
    : QDialog(parent), repaintEvery_(repaintEvery), interval_(interval) {
    setWindowTitle(u"Distribuzione delle probabilità nelle giocate"_s);

    PaintBox1 = new THistogram(bins_, this);
    Label1 = new QLabel(u"Nº Giocate"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Label2 = new QLabel(u"Probabiltà"_s, this);
    Label2->setObjectName(u"Label2"_s);
    spiegazioni = Button(u"Spiegazioni"_s, u"spiegazioni"_s, this);
    chiudi = Button(u"Chiudi"_s, u"chiudi"_s, this);
    sb1 = Button(u"Interrompi"_s, u"sb1"_s, this);
    SetHint(sb1, u" Interrompe l'elaborazione "_s);
    for (QPushButton* b : {spiegazioni, chiudi, sb1}) b->setAutoDefault(false);
    connect(spiegazioni, &QPushButton::clicked, this, [this, helpContext] { ShowHelpContext(helpContext, this); });
    connect(chiudi, &QPushButton::clicked, this, &TDistriBase::chiudiClick);
    connect(sb1, &QPushButton::clicked, this, &TDistriBase::sb1Click);

    auto* chart = new QVBoxLayout;
    chart->setSpacing(2);
    chart->addWidget(Label1, 0, Qt::AlignLeft);
    chart->addWidget(PaintBox1);
    chart->addWidget(Label2, 0, Qt::AlignHCenter);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sb1);
    buttons->addStretch(1);
    buttons->addWidget(spiegazioni);
    buttons->addWidget(chiudi);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->addLayout(chart);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TDistriBase::~TDistriBase() {
    closing_ = true;
    restoreCursor();
}

void TDistriBase::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (started_) return;
    started_ = true;
    QTimer::singleShot(100, this, [this] {
        if (!finished_ && !running_ && !closing_) run();
    });
}

void TDistriBase::run() {
    if (running_) return;
    running_ = true;
    finished_ = interrupted_ = false;
    stopFlag_ = false;
    occasions_ = repaints_ = 0;
    sinceEvents_.invalidate();
    bins_.fill(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    cursorOn_ = true;
    PaintBox1->busy = false;
    PaintBox1->update();

    Progress progress;
    progress.interval = interval_;
    progress.callback = [this](const ProgressStatus& s) { return report(s); };
    const bool complete = compute(bins_, progress);

    restoreCursor();
    running_ = false;
    finished_ = true;
    interrupted_ = !complete;
    PaintBox1->update();
    sb1->hide();
}

bool TDistriBase::report(const ProgressStatus&) {
    ++occasions_;
    if (!sinceEvents_.isValid() || sinceEvents_.elapsed() >= EventMilliseconds) {
        QApplication::processEvents();
        sinceEvents_.start();
    }
    if (closing_) return false;
    if (occasions_ % repaintEvery_ == 0) {
        ++repaints_;
        PaintBox1->update();
    }
    if (stopFlag_) {
        if (MessageBox::question(this, QString::fromUtf8(StopQuestion), MsgButtons::YesNo, MsgAnswer::No) ==
            MsgAnswer::Yes)
            return false;
        stopFlag_ = false;
    }
    return !closing_;
}

void TDistriBase::restoreCursor() {
    if (!cursorOn_) return;
    cursorOn_ = false;
    QApplication::restoreOverrideCursor();
}

void TDistriBase::sb1Click() {
    stopFlag_ = true;
}

void TDistriBase::chiudiClick() {
    restoreCursor();
    closing_ = true;
    QDialog::reject();
}

void TDistriBase::reject() {
    chiudiClick();
}

} // namespace numora
