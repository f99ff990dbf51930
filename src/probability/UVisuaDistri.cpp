#include "probability/UVisuaDistri.h"

#include "components/UHelp.h"
#include "components/UMessageBox.h"
#include "components/UStatsShared.h"
#include "core/Globali.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

constexpr const char* StopQuestion = "Sei sicuro di voler interrompere l'elaborazione?";
constexpr double BarShare = 0.9;
constexpr int Depth = 4; // pixels of the slight 3-D depth

const QColor Green(0, 255, 0);
const QColor Red(255, 0, 0);

QBrush Gradient(const QColor& c) {
    QLinearGradient g(0, 0, 0, 1);
    g.setCoordinateMode(QGradient::ObjectBoundingMode);
    g.setColorAt(0, c.lighter(170));
    g.setColorAt(1, c.darker(130));
    return QBrush(g);
}

// The chart with its depth behind the bars (the top and right faces of each bar, drawn before
// the chart) and each bar's value written upwards just above it.
class DistriChartView : public QChartView {
public:
    DistriChartView(QChart* chart, QAbstractSeries* series, QWidget* parent)
        : QChartView(chart, parent), series_(series) {}
    std::function<double(int)> value;
    std::function<bool(int)> green;

protected:
    // The bar of category i (0..89) from its base to its top, in scene coordinates.
    QRectF bar(int i) const {
        const double v = value(i + 1);
        const QPointF top = chart()->mapToPosition(QPointF(i, v), series_);
        const QPointF base = chart()->mapToPosition(QPointF(i, 0), series_);
        const double w = chart()->plotArea().width() / 90 * BarShare;
        return QRectF(QPointF(top.x() - w / 2, top.y()), QPointF(top.x() + w / 2, base.y()));
    }

    void drawBackground(QPainter* p, const QRectF& rect) override {
        p->fillRect(rect, Qt::white);
        if (!value) return;
        p->setPen(Qt::NoPen);
        for (int i = 0; i < 90; ++i) {
            if (value(i + 1) <= 0) continue;
            const QRectF r = bar(i);
            const QColor c = (green(i + 1) ? Green : Red).darker(160);
            const QPointF tl = r.topLeft(), tr = r.topRight(), br = r.bottomRight(), d(Depth, -Depth);
            p->setBrush(c.lighter(120));
            p->drawPolygon(QPolygonF({tl, tl + d, tr + d, tr}));
            p->setBrush(c);
            p->drawPolygon(QPolygonF({tr, tr + d, br + d, br}));
        }
    }

    void drawForeground(QPainter* p, const QRectF&) override {
        if (!value) return;
        QFont f = font();
        f.setPointSize(7);
        p->setFont(f);
        p->setPen(Qt::black);
        const QFontMetricsF fm(f);
        for (int i = 0; i < 90; ++i) {
            const QRectF r = bar(i);
            const QString text = QString::number(value(i + 1), 'f', 0);
            p->save();
            p->translate(r.center().x() + fm.ascent() / 2 - 1, r.top() - Depth - 2);
            p->rotate(-90);
            p->drawText(QPointF(0, 0), text);
            p->restore();
        }
    }

private:
    QAbstractSeries* series_;
};

QPushButton* Button(const QString& text, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TVisuaDistri::TVisuaDistri(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TVisuaDistri"_s);
    setWindowTitle(u"Distribuzione dei numeri nelle giocate"_s);

    const Forecast& forecast = Globals().system.forecast;
    verdi = new QBarSet(u"Distribuzione dei numeri"_s);
    rossi = new QBarSet(u"Distribuzione dei numeri"_s);
    verdi->setBrush(Gradient(Green));
    rossi->setBrush(Gradient(Red));
    verdi->setPen(QPen(Green.darker(170)));
    rossi->setPen(QPen(Red.darker(170)));
    QStringList labels;
    for (int n = 1; n <= 90; ++n) {
        labels << QString::number(n);
        green_[static_cast<std::size_t>(n - 1)] = forecast.isChosen(n);
        *verdi << 0;
        *rossi << 0;
    }
    auto* series = new QStackedBarSeries;
    series->setName(u"Distribuzione dei numeri"_s);
    series->append(verdi);
    series->append(rossi);
    series->setBarWidth(BarShare);

    auto* chart = new QChart;
    chart->setTitle(u"Distribuzione dei numeri nelle giocate"_s);
    QFont title = chart->titleFont();
    title.setPointSize(12);
    title.setBold(true);
    chart->setTitleFont(title);
    chart->addSeries(series);
    chart->legend()->hide();
    chart->setBackgroundVisible(false);
    chart->setPlotAreaBackgroundVisible(false);
    chart->setAnimationOptions(QChart::NoAnimation);
    auto* x = new QBarCategoryAxis;
    x->append(labels);
    x->setTitleText(u"Numeri"_s);
    QFont small = x->labelsFont();
    small.setPointSize(7);
    x->setLabelsFont(small);
    x->setTruncateLabels(false);
    auto* y = new QValueAxis;
    y->setTitleText(u"Nº di presenze"_s);
    y->setLabelFormat(u"%d"_s);
    y->setRange(0, 1);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);

    auto* view = new DistriChartView(chart, series, this);
    view->value = [this](int n) { return barValue(n); };
    view->green = [this](int n) { return greenBar(n); };
    view->setRenderHint(QPainter::Antialiasing);
    view->setRubberBand(QChartView::NoRubberBand);
    view->setInteractive(false);
    view->setMinimumSize(1360, 560);
    view->setFrameShape(QFrame::NoFrame);
    Chart1 = view;
    Chart1->setObjectName(u"Chart1"_s);

    piede = new QLabel(u"www.varnel.it/numora"_s, this);
    piede->setObjectName(u"piede"_s);
    piede->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    piede->hide();

    Panel1 = new QFrame(this);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    sb1 = Button(u"Interrompi"_s, u"sb1"_s, Panel1);
    gg = new QProgressBar(Panel1);
    gg->setObjectName(u"gg"_s);
    gg->setTextVisible(false);
    gg->setRange(0, 1);
    gg->setValue(0);
    stampa = Button(u"Stampa"_s, u"stampa"_s, Panel1);
    spiegazioni = Button(u"Spiegazioni"_s, u"spiegazioni"_s, Panel1);
    chiudi = Button(u"Chiudi"_s, u"chiudi"_s, Panel1);
    for (QPushButton* b : {stampa, spiegazioni, chiudi}) b->hide();
    connect(sb1, &QPushButton::clicked, this, &TVisuaDistri::sb1Click);
    connect(stampa, &QPushButton::clicked, this, &TVisuaDistri::stampaClick);
    connect(spiegazioni, &QPushButton::clicked, this, [this] { ShowHelpContext(11, this); });
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);
    auto* strip = new QHBoxLayout(Panel1);
    strip->setContentsMargins(6, 4, 6, 4);
    strip->addWidget(sb1);
    strip->addWidget(gg, 1);
    strip->addStretch(0);
    strip->addWidget(stampa);
    strip->addWidget(spiegazioni);
    strip->addWidget(chiudi);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Chart1, 1);
    layout->addWidget(piede);
    layout->addWidget(Panel1);
}

TVisuaDistri::~TVisuaDistri() = default;

double TVisuaDistri::barValue(int n) const {
    return verdi->at(n - 1) + rossi->at(n - 1);
}

bool TVisuaDistri::greenBar(int n) const {
    return green_[static_cast<std::size_t>(n - 1)];
}

void TVisuaDistri::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (started_) return;
    started_ = true;
    QTimer::singleShot(100, this, [this] {
        if (state_ == Created) run();
    });
}

void TVisuaDistri::run() {
    if (state_ != Created) return;
    state_ = Computing;
    const PlayList& list = Globals().system.list;
    gg->setRange(0, std::max(1, list.count()));
    gg->setValue(0);
    sinceChart_.invalidate();
    Progress progress;
    progress.interval = CountedPlayInterval;
    progress.callback = [this](const ProgressStatus& s) { return report(s); };
    CountNumberPresence(list, counts_, progress);

    showCounts();
    for (QPushButton* b : {stampa, spiegazioni, chiudi}) b->show();
    sb1->hide();
    gg->hide();
    state_ = Finished;
}

bool TVisuaDistri::report(const ProgressStatus& status) {
    if (!sinceChart_.isValid() || sinceChart_.elapsed() > 1000) showCounts();
    if (status.done % CountedPlayInterval != 0) return true;
    QApplication::processEvents();
    if (state_ == StopAsked) {
        if (MessageBox::question(this, QString::fromUtf8(StopQuestion), MsgButtons::YesNo, MsgAnswer::No) ==
            MsgAnswer::Yes) {
            state_ = Finished;
            return false;
        }
        state_ = Computing;
    }
    gg->setValue(static_cast<int>(status.done));
    QApplication::processEvents();
    return true;
}

void TVisuaDistri::showCounts() {
    ++chartUpdates_;
    sinceChart_.start();
    int max = 0;
    for (int n = 1; n <= 90; ++n) {
        const int c = counts_[static_cast<std::size_t>(n - 1)];
        max = std::max(max, c);
        verdi->replace(n - 1, greenBar(n) ? c : 0);
        rossi->replace(n - 1, greenBar(n) ? 0 : c);
    }
    // Room above the highest bar for its value.
    if (auto* y = qobject_cast<QValueAxis*>(Chart1->chart()->axes(Qt::Vertical).value(0))) {
        y->setRange(0, std::max(1.0, max * 1.15));
        y->applyNiceNumbers();
    }
    Chart1->viewport()->update();
}

void TVisuaDistri::sb1Click() {
    if (state_ == Computing) state_ = StopAsked;
}

void TVisuaDistri::stampaClick() {
    PrintWindowImage(this, [this](bool printing) {
        Panel1->setVisible(!printing);
        piede->setVisible(printing);
        if (printing) {
            layout()->activate();
            Chart1->viewport()->repaint();
        }
    });
}

void TVisuaDistri::closeEvent(QCloseEvent* event) {
    if (state_ != Finished) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TVisuaDistri::done(int result) {
    if (state_ != Finished) return;
    QDialog::done(result);
}

} // namespace numora
