#include "conditions/URidCond.h"

#include "components/UFieldFilters.h"
#include "components/UMessageBox.h"
#include "components/UProgressPanel.h"
#include "components/UWindowRegistry.h"
#include "conditions/ConditionStats.h"
#include "conditions/ConditionedReduction.h"
#include "conditions/UStatsRidCond.h"
#include "core/Globali.h"
#include "generation/Generation.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

constexpr std::array<const char*, ConditionCount> ConditionCaptions = {"Quantità di numeri pari",
                                                                       "Quantità di numeri dispari",
                                                                       "Media dei numeri",
                                                                       "Numero di cadenze",
                                                                       "Numero di figure",
                                                                       "Quantità di numeri delle stesse decine",
                                                                       "Media dei ritardi",
                                                                       "Media delle frequenze",
                                                                       "Numeri da",
                                                                       "Numeri da",
                                                                       "Numeri da"};

QLineEdit* ConditionEdit(int number, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(u"Edit%1"_s.arg(number));
    ApplyNumberFilter(e, 6);
    e->setAlignment(Qt::AlignRight);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(u"0000000"_s) + 12);
    return e;
}

QSpinBox* RangeSpin(int number, QWidget* parent) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(u"SpinEdit%1"_s.arg(number));
    s->setRange(1, 90);
    return s;
}

QPushButton* PageButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TRidCond::TRidCond(QWidget* parent)
    : TGeneratorHost(GeneratorSetup{u"Riduzione condizionata"_s, u"Esegui"_s, 53, 1, QString()}, parent) {
    setObjectName(u"RidCond"_s);
    AntiPan3->setCountCaption(u"Nº di nuove giocate: "_s);

    PageControl1 = new QTabWidget;
    PageControl1->setObjectName(u"PageControl1"_s);
    auto* first = new QWidget;
    first->setObjectName(u"TabSheet1"_s);
    auto* second = new QWidget;
    second->setObjectName(u"TabSheet2"_s);
    PageControl1->addTab(first, u" Caratteristiche delle giocate da generare "_s);
    PageControl1->addTab(second, u" Condizioni "_s);

    // The shared characteristics move onto the first page, above the two modes.
    auto* modes = new QGroupBox(first);
    modes->setObjectName(u"GroupBox2"_s);
    RadioButton1 = new QRadioButton(u"Applica riduzione al pronostico"_s, modes);
    RadioButton1->setObjectName(u"RadioButton1"_s);
    RadioButton2 = new QRadioButton(u"Applica riduzione alle giocate attuali"_s, modes);
    RadioButton2->setObjectName(u"RadioButton2"_s);
    Label14 = new QLabel(modes);
    Label14->setObjectName(u"Label14"_s);
    Label13 = new QLabel(modes);
    Label13->setObjectName(u"Label13"_s);
    auto* modeGrid = new QGridLayout(modes);
    modeGrid->addWidget(RadioButton1, 0, 0);
    modeGrid->addWidget(new QLabel(u"Nº di giocate iniziali:"_s, modes), 0, 1);
    modeGrid->addWidget(Label14, 0, 2);
    modeGrid->addWidget(RadioButton2, 1, 0);
    modeGrid->addWidget(new QLabel(u"Nº di giocate iniziali:"_s, modes), 1, 1);
    modeGrid->addWidget(Label13, 1, 2);
    modeGrid->setColumnStretch(2, 1);
    auto* firstLayout = new QVBoxLayout(first);
    firstLayout->addWidget(GroupBox1);
    firstLayout->addWidget(modes);
    firstLayout->addStretch(1);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->addWidget(new QLabel(u"Minimo"_s, second), 0, 4, Qt::AlignCenter);
    grid->addWidget(new QLabel(u"Massimo"_s, second), 0, 5, Qt::AlignCenter);
    int edit = 6;
    for (int k = 1; k <= ConditionCount; ++k) {
        auto* box = new QCheckBox(QString::fromUtf8(ConditionCaptions[static_cast<std::size_t>(k - 1)]), second);
        box->setObjectName(u"cb%1"_s.arg(k));
        cb[static_cast<std::size_t>(k - 1)] = box;
        if (k < FirstRangeCondition) {
            grid->addWidget(box, k, 0, 1, 4);
        } else {
            const int spin = 2 * (k - FirstRangeCondition) + 1;
            auto* start = RangeSpin(spin, second);
            auto* end = RangeSpin(spin + 1, second);
            fields[static_cast<std::size_t>(ConditionSet::RangeStartField(k))] = start;
            fields[static_cast<std::size_t>(ConditionSet::RangeEndField(k))] = end;
            grid->addWidget(box, k, 0);
            grid->addWidget(start, k, 1);
            grid->addWidget(new QLabel(u"a"_s, second), k, 2, Qt::AlignCenter);
            grid->addWidget(end, k, 3);
        }
        auto* lo = ConditionEdit(edit++, second);
        auto* hi = ConditionEdit(edit++, second);
        fields[static_cast<std::size_t>(ConditionSet::MinimumField(k))] = lo;
        fields[static_cast<std::size_t>(ConditionSet::MaximumField(k))] = hi;
        grid->addWidget(lo, k, 4);
        grid->addWidget(hi, k, 5);
    }
    auto* minConditions = ConditionEdit(28, second);
    auto* maxConditions = ConditionEdit(29, second);
    fields[ConditionSet::MinConditionsField] = minConditions;
    fields[ConditionSet::MaxConditionsField] = maxConditions;
    const int last = ConditionCount + 1;
    grid->addWidget(new QLabel(u"Numero di condizioni da soddisfare:"_s, second), last, 0, 1, 4);
    grid->addWidget(minConditions, last, 4);
    grid->addWidget(maxConditions, last, 5);
    grid->setColumnStretch(0, 1);

    AntiLabel6 = PageButton(u"Imposta come predefiniti"_s, u"AntiLabel6"_s, second);
    AntiLabel1 = PageButton(u"Ripristina originali"_s, u"AntiLabel1"_s, second);
    SpeedButton1 = PageButton(u"Statistiche"_s, u"SpeedButton1"_s, second);
    connect(AntiLabel6, &QPushButton::clicked, this, &TRidCond::AntiLabel6Click);
    connect(AntiLabel1, &QPushButton::clicked, this, &TRidCond::AntiLabel1Click);
    connect(SpeedButton1, &QPushButton::clicked, this, &TRidCond::SpeedButton1Click);
    auto* pageButtons = new QHBoxLayout;
    pageButtons->addWidget(AntiLabel6);
    pageButtons->addWidget(AntiLabel1);
    pageButtons->addStretch(1);
    pageButtons->addWidget(SpeedButton1);
    auto* secondLayout = new QVBoxLayout(second);
    secondLayout->addLayout(grid);
    secondLayout->addStretch(1);
    secondLayout->addLayout(pageButtons);

    addParameterPanel(PageControl1);
    Windows().enrol(this);
}

TRidCond::~TRidCond() {
    Windows().forget(this);
}

TRidCond* TRidCond::instance() {
    return Windows().find<TRidCond>();
}

QString TRidCond::fieldText(int field) const {
    QWidget* w = fields[static_cast<std::size_t>(field)];
    if (auto* spin = qobject_cast<QSpinBox*>(w)) return spin->text();
    return static_cast<QLineEdit*>(w)->text();
}

void TRidCond::setFieldText(int field, std::int32_t value) {
    QWidget* w = fields[static_cast<std::size_t>(field)];
    if (auto* spin = qobject_cast<QSpinBox*>(w))
        spin->setValue(value); // a range outside 1..90, only a damaged file holds one, shows at its bound
    else
        static_cast<QLineEdit*>(w)->setText(QString::number(value));
}

bool TRidCond::forecastMode() const {
    return RadioButton1->isChecked();
}

void TRidCond::FormActivate() {
    TGeneratorHost::FormActivate();
    const PlaySystem& system = Globals().system;
    Label13->clear();
    Label14->clear();
    RadioButton1->setEnabled(true);
    RadioButton2->setEnabled(true);
    if (system.list.empty()) {
        RadioButton1->setChecked(true);
        RadioButton2->setEnabled(false);
    }
    if (forecastCount() == 0) {
        RadioButton2->setChecked(true);
        RadioButton1->setEnabled(false);
    }
    if (!system.list.empty()) RadioButton2->setChecked(true);
    PageControl1->setCurrentIndex(0);
    Label13->setText(QString::number(system.list.count()));
    ShowConditions();
}

void TRidCond::ShowConditions() {
    const ConditionSet& s = Conditions();
    for (int i = 0; i < ConditionSet::ValueCount; ++i) setFieldText(i, s.value(i));
    for (int k = 1; k <= ConditionCount; ++k) cb[static_cast<std::size_t>(k - 1)]->setChecked(s.enabled(k));
}

bool TRidCond::ReadConditions() {
    ConditionTexts texts;
    for (int i = 0; i < ConditionSet::ValueCount; ++i)
        texts.values[static_cast<std::size_t>(i)] = fieldText(i).toStdString();
    for (int k = 1; k <= ConditionCount; ++k)
        texts.enabled[static_cast<std::size_t>(k - 1)] = cb[static_cast<std::size_t>(k - 1)]->isChecked();
    const auto error = numora::ReadConditions(texts, Conditions());
    if (!error) return true;
    MessageBox::error(this, error->message);
    PageControl1->setCurrentIndex(1);
    fields[static_cast<std::size_t>(error->field)]->setFocus();
    return false;
}

void TRidCond::AntiLabel6Click() {
    if (!ReadConditions()) return;
    if (!SaveConditions(Globals().path(ConditionsFileName), Conditions())) {
        MessageBox::error(nullptr, QString::fromUtf8(ConditionsWriteErrorMessage));
        return;
    }
    MessageBox::information(this, QString::fromUtf8(ConditionsSavedMessage), u"OK"_s);
}

void TRidCond::AntiLabel1Click() {
    LoadConditions(Globals().path(OriginalConditionsFileName), Conditions());
    ShowConditions();
}

void TRidCond::SpeedButton1Click() {
    if (!ReadConditions()) return;
    if (Globals().archive.count() < StatisticsMinimumDraws) {
        MessageBox::error(this, QString::fromUtf8(TooFewDrawsMessage));
        return;
    }
    TStatsRidCond* stats = TStatsRidCond::instance();
    if (!stats) stats = new TStatsRidCond(window());
    stats->exec();
}

bool TRidCond::FormCloseQuery() {
    if (busy() || !ReadConditions()) return false;
    // A failed write is said, and the dialog closes all the same: the conditions stay in memory.
    if (!SaveConditions(Globals().path(ConditionsFileName), Conditions()))
        MessageBox::error(nullptr, QString::fromUtf8(ConditionsWriteErrorMessage));
    return true;
}

double TRidCond::playsInTotal(bool stakesValid) {
    const int m = forecastCount();
    const int k = playSize();
    const bool valid = stakesValid && m >= k && !(usafisse->isChecked() && k < static_cast<int>(fixedNumbers().size()));
    const double plays = valid ? PlayCountOf(m, k) : 0;
    Label14->setText(QString::number(std::llround(plays)));
    return valid ? plays : -1;
}

bool TRidCond::checkRun() {
    if (!ReadConditions()) return false;
    if (!forecastMode()) return true;
    if (playSize() > forecastCount()) {
        MessageBox::error(this, QString::fromUtf8(PlaySizeAboveForecastMessage));
        return false;
    }
    const bool stakesValid = stakeSet().valid;
    if (stakesValid && static_cast<int>(fixedNumbers().size()) > playSize()) {
        ValidateAndShowCost();
        MessageBox::error(this, QString::fromUtf8(FixedAbovePlaySizeMessage));
        return false;
    }
    if (!ValidateAndShowCost()) {
        MessageBox::error(this, StakeRuleMessage(Globals().settings));
        return false;
    }
    return true;
}

bool TRidCond::takesUndoSnapshot() const {
    // The current plays are copied to the snapshot by the run itself, even when there are none.
    return forecastMode();
}

bool TRidCond::runEngine(const ProgressCallback& progress) {
    Globali& g = Globals();
    const ConditionFilter filter = MakeConditionFilter(Conditions(), g.delays, g.frequencies);
    ConditionedRun run;
    if (forecastMode()) {
        run = ConditionForecast(g.system.list, forecastList(), playSize(), fixedNumbers(), wheelMask(),
                                stakeSet().stakes, filter, Progress{progress});
        if (run.limitReached) MessageBox::warning(this, QString::fromUtf8(PlayListFullMessage));
    } else {
        run = ConditionCurrentPlays(g.system.list, g.system.undo, filter, fixedNumbers(), Progress{progress});
    }
    if (run.interrupted) return false;
    if (run.kept == 0) {
        MessageBox::warning(this, QString::fromUtf8(AllPlaysDiscardedMessage));
        return false;
    }
    return true;
}

} // namespace numora
