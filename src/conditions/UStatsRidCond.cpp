#include "conditions/UStatsRidCond.h"

#include "components/UHelp.h"
#include "components/UStatsShared.h"
#include "components/UWheelSelection.h"
#include "components/UWindowRegistry.h"
#include "conditions/ConditionStats.h"
#include "core/Globali.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QValueAxis>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

QPushButton* Button(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TStatsRidCond::TStatsRidCond(QWidget* parent) : QDialog(parent) {
    setObjectName(u"StatsRidCond"_s);
    setWindowTitle(u"Statistiche sull'archivio storico"_s);
    setModal(true);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(u"Panel1"_s);
    ComboBox1 = new QComboBox(Panel1);
    ComboBox1->setObjectName(u"ComboBox1"_s);
    for (int k = 1; k <= ConditionStatisticCount; ++k)
        ComboBox1->addItem(QString::fromStdString(ConditionStatisticEntry(k, Conditions())));
    ComboBox2 = new QComboBox(Panel1);
    ComboBox2->setObjectName(u"ComboBox2"_s);
    ComboBox2->addItems({u"Cinquine"_s, u"Quaterne"_s, u"Terni"_s, u"Ambi"_s});
    GroupBox1 = new QGroupBox(u" Ruote "_s, Panel1);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    ruote = new WheelSelection(GroupBox1, 6);
    ruote->setMask(1); // Bari
    auto* wheels = new QVBoxLayout(GroupBox1);
    wheels->addWidget(ruote);

    SpeedButton3 = Button(u"Chiudi"_s, u"SpeedButton3"_s, Panel1);
    SpeedButton4 = Button(u"Ricalcola"_s, u"SpeedButton4"_s, Panel1);
    SpeedButton5 = Button(u"Stampa"_s, u"SpeedButton5"_s, Panel1);
    SpeedButton6 = Button(u"Manuale"_s, u"SpeedButton6"_s, Panel1);
    connect(SpeedButton3, &QPushButton::clicked, this, &QDialog::reject);
    connect(SpeedButton4, &QPushButton::clicked, this, &TStatsRidCond::SpeedButton4Click);
    connect(SpeedButton5, &QPushButton::clicked, this, &TStatsRidCond::SpeedButton5Click);
    connect(SpeedButton6, &QPushButton::clicked, this, &TStatsRidCond::SpeedButton6Click);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TStatsRidCond::SpeedButton4Click);
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, &TStatsRidCond::SpeedButton4Click);
    connect(ruote, &WheelSelection::changed, this, &TStatsRidCond::SpeedButton4Click);

    auto* choices = new QGridLayout;
    choices->addWidget(new QLabel(u"Grafico: "_s, Panel1), 0, 0);
    choices->addWidget(ComboBox1, 0, 1);
    choices->addWidget(new QLabel(u"Sviluppa estrazioni in:"_s, Panel1), 1, 0);
    choices->addWidget(ComboBox2, 1, 1, Qt::AlignLeft);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {SpeedButton4, SpeedButton5, SpeedButton6, SpeedButton3}) buttons->addWidget(b);
    auto* top = new QHBoxLayout(Panel1);
    top->setContentsMargins(0, 0, 0, 0);
    top->addLayout(choices);
    top->addWidget(GroupBox1, 1);
    top->addLayout(buttons);

    auto* chart = new QChart;
    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    Chart5 = new QChartView(chart, this);
    Chart5->setObjectName(u"Chart5"_s);
    Chart5->setMinimumSize(760, 420);
    Label3 = new QLabel(this);
    Label3->setObjectName(u"Label3"_s);
    Label3->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel1);
    layout->addWidget(Chart5, 1);
    layout->addWidget(Label3);
    // Sized now, before its native window exists: the recomputation at showing lets events
    // through, and a window system's late report of a default size would otherwise win.
    adjustSize();
    Windows().enrol(this);
}

TStatsRidCond::~TStatsRidCond() {
    Windows().forget(this);
}

TStatsRidCond* TStatsRidCond::instance() {
    return Windows().find<TStatsRidCond>();
}

int TStatsRidCond::developmentSize() const {
    return 5 - ComboBox2->currentIndex();
}

void TStatsRidCond::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TStatsRidCond::FormActivate() {
    {
        const QSignalBlocker block(ComboBox1);
        for (int k = FirstRangeCondition; k <= ConditionStatisticCount; ++k)
            ComboBox1->setItemText(k - 1, QString::fromStdString(ConditionStatisticEntry(k, Conditions())));
    }
    SpeedButton4Click();
}

void TStatsRidCond::SpeedButton4Click() {
    if (busy_) return;
    busy_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Panel1->setEnabled(false);

    const int statistic = ComboBox1->currentIndex() + 1;
    const ConditionChart result =
        ConditionStatistic(Globals().archive, statistic, developmentSize(), ruote->mask(), Conditions());
    const QString title = QString::fromStdString(result.title);
    QChart* chart = Chart5->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->setTitle(title);
    QCoreApplication::processEvents();

    auto* set = new QBarSet(u"Distribuzione dei numeri"_s);
    set->setColor(QColor(0, 255, 0));
    set->setBorderColor(Qt::black);
    QStringList labels;
    int highest = 0;
    for (const auto& [x, y] : result.bars) {
        labels << QString::number(x);
        *set << y;
        highest = std::max(highest, y);
    }
    set->setLabelColor(Qt::black);
    auto* series = new QBarSeries;
    series->append(set);
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(labels);
    x->setTitleText(title); // the foot of the chart
    auto* y = new QValueAxis;
    y->setTitleText(QString::fromUtf8(PlaysAxisTitle));
    y->setRange(0, highest > 0 ? highest * 1.1 : 1);
    y->applyNiceNumbers();
    y->setLabelFormat(u"%d"_s);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    // Each bar carries its height.
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsVisible(true);
    Chart5->repaint();
    QCoreApplication::processEvents();

    Panel1->setEnabled(true);
    QApplication::restoreOverrideCursor();
    busy_ = false;
}

QList<QPair<QString, int>> TStatsRidCond::bars() const {
    QList<QPair<QString, int>> out;
    const QList<QAbstractSeries*> series = Chart5->chart()->series();
    if (series.isEmpty()) return out;
    auto* bars = static_cast<QBarSeries*>(series.first());
    const QList<QAbstractAxis*> axes = Chart5->chart()->axes(Qt::Horizontal);
    auto* categories = axes.isEmpty() ? nullptr : qobject_cast<QBarCategoryAxis*>(axes.first());
    if (!categories || bars->barSets().isEmpty()) return out;
    const QBarSet* set = bars->barSets().first();
    for (int i = 0; i < set->count(); ++i) out.append({categories->at(i), static_cast<int>(set->at(i))});
    return out;
}

QString TStatsRidCond::chartTitle() const {
    return Chart5->chart()->title();
}

void TStatsRidCond::SpeedButton5Click() {
    PrintWindowImage(this, [this](bool printing) {
        Panel1->setVisible(!printing);
        if (printing)
            Label3->setText(u"Numora - Statistiche sull'archivio storico (%1 estrazioni) - stampato il %2"_s
                                .arg(Globals().archive.count())
                                .arg(QDate::currentDate().toString(u"dd/MM/yyyy"_s)));
        Label3->setVisible(printing);
    });
}

void TStatsRidCond::SpeedButton6Click() {
    ShowHelpContext(60, this);
}

void TStatsRidCond::done(int result) {
    if (busy_) return;
    QDialog::done(result);
}

} // namespace numora
