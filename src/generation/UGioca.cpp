#include "generation/UGioca.h"

#include "components/UFieldFilters.h"
#include "components/UGenerationMessages.h"
#include "components/UMessageBox.h"
#include "components/UStakeFields.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "core/PlayList.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

GeneratorSetup Setup() {
    GeneratorSetup s;
    s.caption = u"Estrai giocate più probabili"_s;
    s.goCaption = u"Estrai giocate"_s;
    s.helpContext = 2;
    // CheckBox12 is the delay criterion here.
    s.nationalName = u"CheckBox14"_s;
    return s;
}

QLineEdit* PercentField(const QString& name, const QString& text, QWidget* parent) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(name);
    e->setAlignment(Qt::AlignRight);
    e->setFixedWidth(48);
    ApplyNumberFilter(e);
    return e;
}

} // namespace

TGioca::TGioca(QWidget* parent) : TGeneratorHost(Setup(), parent) {
    Windows().enrol(this);
    setObjectName(u"TGioca"_s);
    setModal(true);

    Edit6 = new QLineEdit(this);
    Edit6->setObjectName(u"Edit6"_s);
    Edit6->setAlignment(Qt::AlignRight);
    SetStakeFieldWidth(Edit6);
    ApplyNumberFilter(Edit6, 10);
    addCharacteristic(u"Numero di giocate da estrarre:"_s, Edit6);
    connect(Edit6, &QLineEdit::textChanged, this, &TGioca::Edit1Change);

    GroupBox2 = new QGroupBox(u"Criterio per l'assegnazione delle probabilità"_s, this);
    GroupBox2->setObjectName(u"GroupBox2"_s);
    CheckBox12 = new QCheckBox(u"Assegna probabilità in base ai ritardi"_s, GroupBox2);
    CheckBox12->setObjectName(u"CheckBox12"_s);
    CheckBox13 = new QCheckBox(u"Assegna probabilità in base alle frequenze"_s, GroupBox2);
    CheckBox13->setObjectName(u"CheckBox13"_s);
    CheckBox12->setChecked(true);
    CheckBox13->setChecked(true);
    Edit8 = PercentField(u"Edit8"_s, u"0"_s, GroupBox2);
    Edit9 = PercentField(u"Edit9"_s, u"50"_s, GroupBox2);
    Edit10 = PercentField(u"Edit10"_s, u"0"_s, GroupBox2);
    Edit11 = PercentField(u"Edit11"_s, u"50"_s, GroupBox2);
    auto* grid = new QGridLayout(GroupBox2);
    grid->setVerticalSpacing(4);
    grid->addWidget(CheckBox12, 0, 0, 1, 4);
    grid->addWidget(Edit8, 1, 0);
    grid->addWidget(new QLabel(u"% al meno ritardatario"_s, GroupBox2), 1, 1);
    grid->addWidget(Edit9, 1, 2);
    grid->addWidget(new QLabel(u"% al più ritardatario"_s, GroupBox2), 1, 3);
    grid->addWidget(CheckBox13, 2, 0, 1, 4);
    grid->addWidget(Edit10, 3, 0);
    grid->addWidget(new QLabel(u"% al più frequente"_s, GroupBox2), 3, 1);
    grid->addWidget(Edit11, 3, 2);
    grid->addWidget(new QLabel(u"% al meno frequente"_s, GroupBox2), 3, 3);
    grid->setColumnStretch(4, 1);
    addParameterPanel(GroupBox2);
    connect(CheckBox12, &QCheckBox::toggled, this, &TGioca::CheckBox12Click);
    connect(CheckBox13, &QCheckBox::toggled, this, &TGioca::CheckBox13Click);
}

TGioca::~TGioca() {
    Windows().forget(this);
}

TGioca* TGioca::instance() {
    return Windows().find<TGioca>();
}

void TGioca::CheckBox12Click() {
    for (QLineEdit* e : {Edit8, Edit9}) SetStakeFieldEnabled(e, CheckBox12->isChecked());
}

void TGioca::CheckBox13Click() {
    for (QLineEdit* e : {Edit10, Edit11}) SetStakeFieldEnabled(e, CheckBox13->isChecked());
}

double TGioca::playsInTotal(bool) {
    int m = 0;
    return ReadPlayCount(Edit6->text().toStdString(), m) ? m : -1;
}

bool TGioca::checkParameters() {
    ScoreCriteriaTexts texts;
    texts.delayOn = CheckBox12->isChecked();
    texts.dlo = Edit8->text().toStdString();
    texts.dhi = Edit9->text().toStdString();
    texts.frequencyOn = CheckBox13->isChecked();
    texts.fmost = Edit10->text().toStdString();
    texts.fleast = Edit11->text().toStdString();
    if (const char* message = ReadScoreCriteria(texts, criteria_)) {
        MessageBox::error(this, QString::fromUtf8(message));
        return false;
    }
    if (static_cast<int>(fixedNumbers().size()) > playSize()) {
        MessageBox::error(this, QString::fromUtf8(FixedAbovePlaySizeMessage));
        return false;
    }
    // The list never holds more than its capacity: a run that could pass it does not start.
    ReadPlayCount(Edit6->text().toStdString(), plays_);
    if (static_cast<long long>(Globals().system.list.count()) + plays_ > PlayList::Capacity) {
        MessageBox::warning(this, QString::fromUtf8(PlayListFullMessage));
        return false;
    }
    return true;
}

bool TGioca::runEngine(const ProgressCallback& progress) {
    const PlayRequest request = playRequest(playSize());
    const Globali& g = Globals();
    const PlayScore score =
        DelayFrequencyScore(request.forecast, request.size, request.wheels, criteria_, g.delays, g.frequencies);
    PlaySystem& system = Globals().system;
    const RunResult r = ExtractBestPlays(system.list, request, plays_, score, Progress{progress});
    if (!ReportRun(this, r)) return false;
    return true;
}

} // namespace numora
