#include "reduction/UOttimizzaPro.h"

#include "components/UHelp.h"
#include "components/UProgressPanel.h"
#include "components/UWindowRegistry.h"
#include "core/Clock.h"
#include "core/Globali.h"
#include "reduction/GenioReduction.h"
#include "reduction/UPrecisionBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
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

} // namespace

TOttimizzaPro::TOttimizzaPro(QWidget* parent)
    : TRunDialog(parent), clock_(&DefaultClock()), random_(&Globals().random) {
    setObjectName(u"OttimizzaPro"_s);
    setWindowTitle(u"Ottimizza probabilità assoluta di vincita"_s);
    auto* group = new QGroupBox(this);
    group->setObjectName(u"Panel1"_s);
    Panel1 = group;
    ComboBox1 = new QComboBox(group);
    ComboBox1->setObjectName(u"ComboBox1"_s);
    for (int r = 1; r <= 10; ++r) ComboBox1->addItem(QString::number(r));
    ComboBox1->setCurrentIndex(9);
    auto* rLabel = new QLabel(u"Quantità massima di numeri da modificare in ogni giocata:"_s, group);
    rLabel->setBuddy(ComboBox1);
    precision = new TPrecisionBar(group);
    TKB = precision->TKB;
    Label19 = precision->Label19;
    usafisse = new QCheckBox(u"Considera Fisse"_s, group);
    usafisse->setObjectName(u"usafisse"_s);
    auto* row = new QHBoxLayout;
    row->addWidget(rLabel);
    row->addWidget(ComboBox1);
    row->addStretch(1);
    auto* inside = new QVBoxLayout(group);
    inside->addLayout(row);
    inside->addWidget(precision);
    inside->addWidget(usafisse);

    AntiPan3 = new TProgressPanel(this);
    gg = AntiPan3->gg;
    sb1 = AntiPan3->sb1;
    go = MakeButton(u"Esegui"_s, u"go"_s, this);
    SpeedButton2 = MakeButton(u"Manuale"_s, u"SpeedButton2"_s, this);
    SpeedButton3 = MakeButton(u"Annulla"_s, u"SpeedButton3"_s, this);
    connect(go, &QPushButton::clicked, this, &TOttimizzaPro::goClick);
    connect(SpeedButton2, &QPushButton::clicked, this, &TOttimizzaPro::SpeedButton2Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &TOttimizzaPro::SpeedButton3Click);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SpeedButton2);
    buttons->addStretch(1);
    buttons->addWidget(go);
    buttons->addWidget(SpeedButton3);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    layout->addWidget(group);
    layout->addWidget(AntiPan3);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Windows().enrol(this);
}

TOttimizzaPro::~TOttimizzaPro() {
    Windows().forget(this);
}

TOttimizzaPro* TOttimizzaPro::instance() {
    return Windows().find<TOttimizzaPro>();
}

void TOttimizzaPro::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TOttimizzaPro::FormActivate() {
    const bool hasFixed = Globals().system.forecast.fixedCount > 0;
    usafisse->setChecked(hasFixed);
    usafisse->setEnabled(hasFixed);
}

void TOttimizzaPro::goClick() {
    if (AntiPan3->busy()) return;
    PlaySystem& system = Globals().system;
    OptimiseRequest r;
    const Forecast& f = system.forecast;
    for (int n = 1; n <= 90; ++n)
        if (f.isChosen(n)) r.forecast.push_back(static_cast<std::uint8_t>(n));
    if (usafisse->isChecked()) {
        const int count = f.fixedCount < 0 ? 0 : (f.fixedCount > 9 ? 9 : f.fixedCount);
        for (int i = 0; i < count; ++i) r.fixed.push_back(f.fixed[static_cast<std::size_t>(i)]);
    }
    r.replace = ComboBox1->currentIndex() + 1;
    r.budget = OptimiserBudget(precision->position());
    OptimiseResult result;
    // An interrupted run keeps the plays it changed: they are the system's now and are saved
    // like any other change.
    ChangePlays(system, [&](PlayList& list) {
        ProgressRun run(*AntiPan3, {go, SpeedButton2, SpeedButton3, Panel1});
        result = OptimisePlays(list, r, *random_, *clock_, AntiPan3->callback());
        return !result.interrupted || result.changed > 0;
    });
    if (!result.interrupted) accept();
}

void TOttimizzaPro::sb1Click() {
    AntiPan3->sb1Click();
}

void TOttimizzaPro::SpeedButton2Click() {
    ShowHelpContext(55, this);
}

void TOttimizzaPro::SpeedButton3Click() {
    reject();
}

bool TOttimizzaPro::FormCloseQuery() {
    return !AntiPan3->busy();
}

} // namespace numora
