#include "elimination/UEstraiMiaProba.h"

#include "components/UFieldFilters.h"
#include "components/UGenerationMessages.h"
#include "components/UHelp.h"
#include "components/UMessageBox.h"
#include "components/UProgressPanel.h"
#include "components/UStakeFields.h"
#include "components/UWheelSelection.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "core/Play.h"
#include "elimination/ProbabilityGrid.h"
#include "elimination/UDistriProba.h"
#include "elimination/UProbabilityGrid.h"
#include "generation/Generation.h"
#include "stats/DrawWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

QPushButton* MakeButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false); // Enter is the dialog's own key
    return b;
}

void SetTextColour(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Text, colour);
    w->setPalette(p);
}

} // namespace

TEstraiMiaProba::TEstraiMiaProba(QWidget* parent) : TRunDialog(parent) {
    Windows().enrol(this);
    setObjectName(u"TEstraiMiaProba"_s);
    setWindowTitle(u"Estrai giocate tramite probabilità personalizzate"_s);
    setModal(true);

    auto* group = new QGroupBox(u"Caratteristiche delle giocate da generare"_s, this);
    group->setObjectName(u"GroupBox1"_s);
    auto* rows = new QGridLayout;
    Edit6 = new QLineEdit(group);
    Edit6->setObjectName(u"Edit6"_s);
    Edit7 = new QLineEdit(group);
    Edit7->setObjectName(u"Edit7"_s);
    for (QLineEdit* e : {Edit6, Edit7}) {
        ApplyNumberFilter(e, 10);
        e->setAlignment(Qt::AlignRight);
        SetStakeFieldWidth(e);
    }
    auto addRow = [&](int row, const QString& caption, QWidget* field, bool euro) {
        auto* label = new QLabel(caption, group);
        label->setBuddy(field);
        auto* line = new QHBoxLayout;
        line->addWidget(field);
        if (euro) line->addWidget(new QLabel(u"€"_s, group));
        line->addStretch(1);
        rows->addWidget(label, row, 0);
        rows->addLayout(line, row, 1);
    };
    addRow(0, u"Numero di giocate da estrarre:"_s, Edit6, false);
    addRow(1, u"Quantità di numeri per ogni giocata:"_s, Edit7, false);
    static const char* const captions[5] = {"Estratto:", "Ambo:", "Terno:", "Quaterna:", "Cinquina:"};
    std::array<QLineEdit*, 5> edits{};
    for (int j = 0; j < 5; ++j) {
        auto* e = new QLineEdit(group);
        e->setObjectName(u"Edit%1"_s.arg(j + 1));
        ApplyStakeFilter(e, 8);
        e->setAlignment(Qt::AlignRight);
        SetStakeFieldWidth(e);
        SetStakeFieldEnabled(e, false); // until K is entered
        addRow(j + 2, QString::fromUtf8(captions[j]), e, true);
        connect(e, &QLineEdit::textChanged, this, &TEstraiMiaProba::ValidateAndShowCost);
        edits[static_cast<std::size_t>(j)] = e;
    }
    Edit1 = edits[0];
    Edit2 = edits[1];
    Edit3 = edits[2];
    Edit4 = edits[3];
    Edit5 = edits[4];
    Label12 = new QLabel(group);
    Label12->setObjectName(u"Label12"_s);
    rows->addWidget(new QLabel(u"Totale:"_s, group), 7, 0);
    rows->addWidget(Label12, 7, 1);
    rows->setColumnStretch(1, 1);
    connect(Edit6, &QLineEdit::textChanged, this, &TEstraiMiaProba::ValidateAndShowCost);
    connect(Edit7, &QLineEdit::textChanged, this, &TEstraiMiaProba::Edit7Change);

    ruote = new WheelSelection(group, 6);
    ruote->setNationalObjectName(u"CheckBox12"_s);
    connect(ruote, &WheelSelection::changed, this, &TEstraiMiaProba::wheelsChanged);
    usafisse = new QCheckBox(u"Considera Fisse"_s, group);
    usafisse->setObjectName(u"usafisse"_s);
    connect(usafisse, &QCheckBox::toggled, this, &TEstraiMiaProba::Edit7Change);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(rows);
    groupLayout->addWidget(ruote);
    groupLayout->addWidget(usafisse);

    auto* gridGroup = new QGroupBox(u"Probabilità dei numeri"_s, this);
    gridGroup->setObjectName(u"GroupBox2"_s);
    prog = new TProbabilityGrid(gridGroup);
    prog->setMinimumHeight(260);
    SpeedButton1 = MakeButton(u"Suggerisci probabilità"_s, u"SpeedButton1"_s, gridGroup);
    SpeedButton7 = MakeButton(u"Visualizza distribuzione"_s, u"SpeedButton7"_s, gridGroup);
    auto* gridLayout = new QVBoxLayout(gridGroup);
    gridLayout->addWidget(prog, 1);
    gridLayout->addWidget(SpeedButton1);
    gridLayout->addWidget(SpeedButton7);
    connect(SpeedButton1, &QPushButton::clicked, this, &TEstraiMiaProba::SpeedButton1Click);
    connect(SpeedButton7, &QPushButton::clicked, this, &TEstraiMiaProba::SpeedButton7Click);

    AntiPan3 = new TProgressPanel(this);
    gg = AntiPan3->gg;
    sb1 = AntiPan3->sb1;

    go = MakeButton(u"Estrai giocate"_s, u"go"_s, this);
    SpeedButton2 = MakeButton(u"Manuale"_s, u"SpeedButton2"_s, this);
    SpeedButton3 = MakeButton(u"Annulla"_s, u"SpeedButton3"_s, this);
    connect(go, &QPushButton::clicked, this, &TEstraiMiaProba::goClick);
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { ShowHelpContext(4, this); });
    connect(SpeedButton3, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SpeedButton2);
    buttons->addStretch(1);
    buttons->addWidget(go);
    buttons->addWidget(SpeedButton3);

    auto* top = new QHBoxLayout;
    top->addWidget(group, 1);
    top->addWidget(gridGroup);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(top);
    layout->addWidget(AntiPan3);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TEstraiMiaProba::~TEstraiMiaProba() {
    Windows().forget(this);
}

TEstraiMiaProba* TEstraiMiaProba::instance() {
    return Windows().find<TEstraiMiaProba>();
}

bool TEstraiMiaProba::busy() const {
    return AntiPan3->busy();
}

void TEstraiMiaProba::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TEstraiMiaProba::FormActivate() {
    const Forecast& f = Globals().system.forecast;
    n_ = f.chosenCount();
    const bool hasFixed = f.fixedCount > 0;
    {
        const QSignalBlocker block(usafisse);
        usafisse->setChecked(hasFixed);
    }
    usafisse->setEnabled(hasFixed);
    prog->FillGrid(ruote->mask());
}

int TEstraiMiaProba::typedSize() const {
    int k = 0;
    return ParseFieldInteger(Edit7->text().toStdString(), k) ? k : -1;
}

void TEstraiMiaProba::Edit7Change() {
    SetTextColour(Edit7, Qt::black);
    int k = 0;
    const bool integer = ParseFieldInteger(Edit7->text().toStdString(), k);
    if (!integer) return;
    const int fixed = Globals().system.forecast.fixedCount;
    if (k > n_ || (usafisse->isChecked() && k < fixed)) SetTextColour(Edit7, StakeInvalidColor);
    if (k < 0) return;
    enabledStakes_ = std::min(k, 5);
    const auto fields = stakeFields();
    for (int j = 1; j <= 5; ++j) SetStakeFieldEnabled(fields[static_cast<std::size_t>(j - 1)], k >= j);
    ValidateAndShowCost();
}

StakeSet TEstraiMiaProba::stakeSet() const {
    std::array<std::string, 5> texts;
    std::array<bool, 5> enabled{};
    const auto fields = stakeFields();
    for (std::size_t j = 0; j < 5; ++j) {
        texts[j] = AmountFieldText(fields[j]->text());
        enabled[j] = static_cast<int>(j) < enabledStakes_;
    }
    enabled[0] = true;
    return StakeRule(texts, enabled, Globals().settings);
}

bool TEstraiMiaProba::ValidateAndShowCost() {
    const StakeSet set = stakeSet();
    int m = 0;
    const bool playsValid = ReadPlayCount(Edit6->text().toStdString(), m);
    StakeSet shown = set;
    shown.total = playsValid ? m * set.total * WheelCountOf(ruote->mask()) : 0;
    shown.valid = set.valid && playsValid && shown.total > 0;
    ShowStakeTotal(Label12, shown);
    return shown.valid;
}

void TEstraiMiaProba::wheelsChanged() {
    prog->StoreGrid();
    prog->FillGrid(ruote->mask());
    ValidateAndShowCost();
}

void TEstraiMiaProba::SpeedButton1Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Globali& g = Globals();
    g.system.customProbabilities = SuggestedProbabilities(ComputeArchiveHistory(g.archive, ruote->mask()));
    QApplication::restoreOverrideCursor();
    prog->FillGrid(ruote->mask());
}

void TEstraiMiaProba::SpeedButton7Click() {
    if (const int row = prog->StoreGrid(); row != 0) {
        MessageBox::error(this, InvalidRowMessage(row, false));
        return;
    }
    const int k = typedSize();
    if (k <= 0 || k > n_ || k > 10) {
        MessageBox::error(this, QString::fromUtf8(InvalidPlaySizeMessage));
        return;
    }
    if (k == 1) {
        MessageBox::error(this, QString::fromUtf8(DistributionSizeMessage));
        return;
    }
    TDistriProba distribution(k, this);
    distribution.exec();
}

void TEstraiMiaProba::goClick() {
    if (busy()) return;
    if (const int row = prog->StoreGrid(); row != 0) {
        MessageBox::error(this, InvalidRowMessage(row, true));
        return;
    }
    n_ = Globals().system.forecast.chosenCount();
    const int k = typedSize();
    if (k < 1 || k > n_ || k >= 11) {
        MessageBox::error(this, QString::fromUtf8(InvalidPlaySizeMessage));
        return;
    }
    Globali& g = Globals();
    if (!ValidateAndShowCost()) {
        MessageBox::error(this, StakeRuleMessage(g.settings));
        return;
    }
    PlayRequest request;
    request.forecast = ForecastNumbers();
    if (usafisse->isChecked())
        for (int i = 0; i < std::min(g.system.forecast.fixedCount, 9); ++i)
            request.fixed.push_back(g.system.forecast.fixed[static_cast<std::size_t>(i)]);
    if (static_cast<int>(request.fixed.size()) > k) {
        MessageBox::error(this, QString::fromUtf8(FixedAbovePlaySizeMessage));
        return;
    }
    int plays = 0;
    ReadPlayCount(Edit6->text().toStdString(), plays);
    // The list never holds more than its capacity: a run that could pass it does not start.
    PlaySystem& system = g.system;
    if (static_cast<long long>(system.list.count()) + plays > PlayList::Capacity) {
        MessageBox::warning(this, QString::fromUtf8(PlayListFullMessage));
        return;
    }
    request.size = k;
    request.wheels = ruote->mask();
    request.stakes = stakeSet().stakes;
    // A completed run changed the system, even when it added no play.
    const bool completed = ChangePlays(system, [&](PlayList& list) {
        ProgressRun run(*AntiPan3, {go, SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton7,
                                    findChild<QGroupBox*>(u"GroupBox1"_s), findChild<QGroupBox*>(u"GroupBox2"_s)});
        const RunResult r =
            ExtractBestPlays(list, request, plays, CustomProbabilityScore(system.customProbabilities, k),
                             Progress{AntiPan3->callback()});
        return ReportRun(this, r);
    });
    if (completed) accept();
}

bool TEstraiMiaProba::FormCloseQuery() {
    return !busy();
}

} // namespace numora
