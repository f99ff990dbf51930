#include "components/UGeneratorHost.h"

#include "components/UFieldFilters.h"
#include "components/UHelp.h"
#include "components/UMessageBox.h"
#include "components/UProgressPanel.h"
#include "components/UStakeFields.h"
#include "components/UWheelSelection.h"
#include "core/Clock.h"
#include "core/Globali.h"
#include "core/Play.h"
#include "core/PlayRun.h"

#include <QCheckBox>
#include <QComboBox>
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

constexpr int LargestPlaySize = 10;

QPushButton* MakeButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    // Enter is the dialog's own key (it runs `go` only while `go` is enabled).
    b->setAutoDefault(false);
    return b;
}

} // namespace

TGeneratorHost::TGeneratorHost(const GeneratorSetup& setup, QWidget* parent)
    : TRunDialog(parent), setup_(setup), clock_(&DefaultClock()), random_(&Globals().random) {
    setWindowTitle(setup.caption);
    if (setup_.smallestPlaySize < 1 || setup_.smallestPlaySize > LargestPlaySize) setup_.smallestPlaySize = 1;

    GroupBox1 = new QGroupBox(u"Caratteristiche delle giocate da generare"_s, this);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    rows_ = new QGridLayout;
    rows_->setHorizontalSpacing(6);
    rows_->setVerticalSpacing(4);

    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->setObjectName(u"ComboBox1"_s);
    for (int k = setup_.smallestPlaySize; k <= LargestPlaySize; ++k) ComboBox1->addItem(QString::number(k));
    sizeLabel_ = new QLabel(u"Quantità di numeri per ogni giocata:"_s, GroupBox1);
    sizeLabel_->setBuddy(ComboBox1);
    rows_->addWidget(sizeLabel_, 0, 0);
    rows_->addWidget(ComboBox1, 0, 1, Qt::AlignLeft);

    static const char* const captions[5] = {"Estratto:", "Ambo:", "Terno:", "Quaterna:", "Cinquina:"};
    std::array<QLineEdit*, 5> edits{};
    for (int j = 0; j < 5; ++j) {
        auto* edit = new QLineEdit(GroupBox1);
        edit->setObjectName(u"Edit%1"_s.arg(j + 1));
        ApplyStakeFilter(edit, 8);
        edit->setAlignment(Qt::AlignRight);
        SetStakeFieldWidth(edit);
        auto* label = new QLabel(QString::fromUtf8(captions[j]), GroupBox1);
        label->setBuddy(edit);
        auto* field = new QHBoxLayout;
        field->addWidget(edit);
        field->addWidget(new QLabel(u"€"_s, GroupBox1));
        field->addStretch(1);
        rows_->addWidget(label, j + 1, 0);
        rows_->addLayout(field, j + 1, 1);
        connect(edit, &QLineEdit::textChanged, this, &TGeneratorHost::Edit1Change);
        edits[static_cast<std::size_t>(j)] = edit;
    }
    Edit1 = edits[0];
    Edit2 = edits[1];
    Edit3 = edits[2];
    Edit4 = edits[3];
    Edit5 = edits[4];
    Label12 = new QLabel(GroupBox1);
    Label12->setObjectName(u"Label12"_s);
    rows_->addWidget(new QLabel(u"Totale:"_s, GroupBox1), 6, 0);
    rows_->addWidget(Label12, 6, 1);
    rows_->setColumnStretch(1, 1);

    ruote = new WheelSelection(GroupBox1, 6);
    if (!setup_.nationalName.isEmpty()) ruote->setNationalObjectName(setup_.nationalName);
    usafisse = new QCheckBox(u"Considera Fisse"_s, GroupBox1);
    usafisse->setObjectName(u"usafisse"_s);
    auto* group = new QVBoxLayout(GroupBox1);
    group->addLayout(rows_);
    group->addWidget(ruote);
    group->addWidget(usafisse);

    AntiPan3 = new TProgressPanel(this);
    gg = AntiPan3->gg;
    sb1 = AntiPan3->sb1;

    go = MakeButton(setup_.goCaption.isEmpty() ? u"Esegui"_s : setup_.goCaption, u"go"_s, this);
    SpeedButton2 = MakeButton(u"Manuale"_s, u"SpeedButton2"_s, this);
    SpeedButton3 = MakeButton(u"Annulla"_s, u"SpeedButton3"_s, this);
    connect(go, &QPushButton::clicked, this, &TGeneratorHost::goClick);
    connect(SpeedButton2, &QPushButton::clicked, this, &TGeneratorHost::SpeedButton2Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &TGeneratorHost::SpeedButton3Click);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TGeneratorHost::ComboBox1Change);
    connect(ruote, &WheelSelection::changed, this, &TGeneratorHost::ValidateAndShowCost);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SpeedButton2);
    buttons->addStretch(1);
    buttons->addWidget(go);
    buttons->addWidget(SpeedButton3);

    panels_ = new QVBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    layout->addWidget(GroupBox1);
    layout->addLayout(panels_);
    layout->addWidget(AntiPan3);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The fields the first play size allows, without a total yet: the label stays empty until
    // the user changes something.
    for (int j = 2; j <= 5; ++j) SetStakeFieldEnabled(stakeFields()[static_cast<std::size_t>(j - 1)], j <= playSize());
}

TGeneratorHost::~TGeneratorHost() = default;

void TGeneratorHost::addCharacteristic(const QString& caption, QWidget* field) {
    field->setParent(GroupBox1);
    auto* label = new QLabel(caption, GroupBox1);
    label->setBuddy(field);
    const int row = rows_->rowCount();
    rows_->addWidget(label, row, 0);
    rows_->addWidget(field, row, 1, Qt::AlignLeft);
}

void TGeneratorHost::addParameterPanel(QWidget* panel) {
    panel->setParent(this);
    panels_->addWidget(panel);
    ownPanels_.append(panel);
}

void TGeneratorHost::replacePlaySizeField(QWidget* field) {
    field->setParent(GroupBox1);
    disconnect(ComboBox1, &QComboBox::currentIndexChanged, this, &TGeneratorHost::ComboBox1Change);
    delete rows_->replaceWidget(ComboBox1, field);
    ComboBox1->hide();
    sizeLabel_->setBuddy(field);
}

int TGeneratorHost::playSize() const {
    return ComboBox1->currentIndex() + setup_.smallestPlaySize;
}

std::vector<std::uint8_t> TGeneratorHost::forecastList() const {
    const Forecast& f = Globals().system.forecast;
    std::vector<std::uint8_t> list;
    for (int n = 1; n <= 90; ++n)
        if (f.isChosen(n)) list.push_back(static_cast<std::uint8_t>(n));
    return list;
}

std::vector<std::uint8_t> TGeneratorHost::fixedNumbers() const {
    const Forecast& f = Globals().system.forecast;
    std::vector<std::uint8_t> fixed;
    if (!usafisse->isChecked()) return fixed;
    const int count = f.fixedCount < 0 ? 0 : (f.fixedCount > 9 ? 9 : f.fixedCount);
    for (int i = 0; i < count; ++i) fixed.push_back(f.fixed[static_cast<std::size_t>(i)]);
    return fixed;
}

StakeSet TGeneratorHost::stakeSet() const {
    std::array<std::string, 5> texts;
    std::array<bool, 5> enabled{};
    const auto fields = stakeFields();
    // A field counts when the play size enables it, also while the busy state disables them all.
    for (std::size_t j = 0; j < 5; ++j) {
        texts[j] = AmountFieldText(fields[j]->text());
        enabled[j] = static_cast<int>(j) + 1 <= playSize();
    }
    enabled[0] = true;
    return StakeRule(texts, enabled, Globals().settings);
}

std::uint16_t TGeneratorHost::wheelMask() const {
    return ruote->mask();
}

PlayRequest TGeneratorHost::playRequest(int size) const {
    PlayRequest request;
    request.forecast = forecastList();
    request.fixed = fixedNumbers();
    request.size = size;
    request.wheels = wheelMask();
    request.stakes = stakeSet().stakes;
    return request;
}

bool TGeneratorHost::busy() const {
    return AntiPan3->busy();
}

void TGeneratorHost::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TGeneratorHost::FormActivate() {
    const Forecast& f = Globals().system.forecast;
    n_ = f.chosenCount();
    const bool hasFixed = f.fixedCount > 0;
    usafisse->setChecked(hasFixed);
    usafisse->setEnabled(hasFixed);
    Label12->clear();
    SetStakeTotalColor(Label12, Qt::black);
}

void TGeneratorHost::ComboBox1Change() {
    const int k = playSize();
    const auto fields = stakeFields();
    for (int j = 2; j <= 5; ++j) SetStakeFieldEnabled(fields[static_cast<std::size_t>(j - 1)], j <= k);
    ValidateAndShowCost();
}

void TGeneratorHost::Edit1Change() {
    ValidateAndShowCost();
}

bool TGeneratorHost::ValidateAndShowCost() {
    const StakeSet set = stakeSet();
    const double plays = playsInTotal(set.valid);
    StakeSet shown = set;
    // What the plays will cost: each stake is paid on every wheel of the play.
    shown.total = plays > 0 ? plays * set.total * WheelCountOf(wheelMask()) : 0;
    shown.valid = set.valid && plays >= 0 && shown.total > 0;
    ShowStakeTotal(Label12, shown);
    return shown.valid;
}

bool TGeneratorHost::checkRun() {
    if (playSize() > n_) {
        MessageBox::error(
            this, u"La quantità di numeri per ogni giocata non è valida (il pronostoico contiene meno segni)!"_s);
        return false;
    }
    if (!ValidateAndShowCost()) {
        MessageBox::error(this, StakeRuleMessage(Globals().settings));
        return false;
    }
    return checkParameters();
}

void TGeneratorHost::goClick() {
    if (busy() || !checkRun()) return;
    // A run that closes the dialog changed the system (a completed generator run, even one that
    // added nothing); one that leaves it open changed nothing.
    const bool close = ChangePlays(Globals().system,
                                   [&](PlayList&) {
                                       QList<QWidget*> controls{go, SpeedButton2, SpeedButton3, GroupBox1};
                                       controls += ownPanels_;
                                       ProgressRun run(*AntiPan3, controls);
                                       return runEngine(AntiPan3->callback());
                                   },
                                   {.snapshot = takesUndoSnapshot()});
    if (close) accept();
}

void TGeneratorHost::sb1Click() {
    AntiPan3->sb1Click();
}

void TGeneratorHost::SpeedButton2Click() {
    ShowHelpContext(setup_.helpContext, this);
}

void TGeneratorHost::SpeedButton3Click() {
    reject();
}

bool TGeneratorHost::FormCloseQuery() {
    return !busy();
}

} // namespace numora
