#include "elimination/UEliMenoPro.h"

#include "components/UFieldFilters.h"
#include "components/UMessageBox.h"
#include "components/UStakeFields.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "elimination/Elimination.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace numora {

TEliMenoPro::TEliMenoPro(QWidget* parent) : TEliminationDialog(u"Elimina giocate meno probabili"_s, 9, parent) {
    Windows().enrol(this);
    setObjectName(u"TEliMenoPro"_s);

    GroupBox2 = new QGroupBox(u"Criterio per l'assegnazione delle probabilità"_s, this);
    GroupBox2->setObjectName(u"GroupBox2"_s);
    CheckBox12 = new QCheckBox(u"Assegna probabilità in base ai ritardi"_s, GroupBox2);
    CheckBox12->setObjectName(u"CheckBox12"_s);
    CheckBox13 = new QCheckBox(u"Assegna probabilità in base alle frequenze"_s, GroupBox2);
    CheckBox13->setObjectName(u"CheckBox13"_s);
    for (QCheckBox* b : {CheckBox12, CheckBox13}) b->setChecked(true);
    auto field = [this](const QString& name, const QString& text) {
        auto* e = new QLineEdit(text, GroupBox2);
        e->setObjectName(name);
        e->setAlignment(Qt::AlignRight);
        e->setFixedWidth(60);
        return e;
    };
    Edit8 = field(u"Edit8"_s, u"0"_s);
    Edit9 = field(u"Edit9"_s, u"50"_s);
    Edit10 = field(u"Edit10"_s, u"0"_s);
    Edit11 = field(u"Edit11"_s, u"50"_s);
    ApplyNumberFilter(Edit8); // the others take any character
    auto* grid = new QGridLayout(GroupBox2);
    grid->addWidget(CheckBox12, 0, 0, 1, 4);
    grid->addWidget(new QLabel(u"% al meno ritardatario"_s, GroupBox2), 1, 0);
    grid->addWidget(Edit8, 1, 1);
    grid->addWidget(new QLabel(u"% al più ritardatario"_s, GroupBox2), 1, 2);
    grid->addWidget(Edit9, 1, 3);
    grid->addWidget(CheckBox13, 2, 0, 1, 4);
    grid->addWidget(new QLabel(u"% al più frequente"_s, GroupBox2), 3, 0);
    grid->addWidget(Edit10, 3, 1);
    grid->addWidget(new QLabel(u"% al meno frequente"_s, GroupBox2), 3, 2);
    grid->addWidget(Edit11, 3, 3);
    connect(CheckBox12, &QCheckBox::toggled, this, &TEliMenoPro::CheckBox12Click);
    connect(CheckBox13, &QCheckBox::toggled, this, &TEliMenoPro::CheckBox13Click);
    addPanel(GroupBox2);
}

TEliMenoPro::~TEliMenoPro() {
    Windows().forget(this);
}

TEliMenoPro* TEliMenoPro::instance() {
    return Windows().find<TEliMenoPro>();
}

void TEliMenoPro::CheckBox12Click() {
    SetStakeFieldEnabled(Edit8, CheckBox12->isChecked());
    SetStakeFieldEnabled(Edit9, CheckBox12->isChecked());
}

void TEliMenoPro::CheckBox13Click() {
    SetStakeFieldEnabled(Edit10, CheckBox13->isChecked());
    SetStakeFieldEnabled(Edit11, CheckBox13->isChecked());
}

bool TEliMenoPro::checkScoring() {
    EliminationCriteriaTexts t;
    t.delayOn = CheckBox12->isChecked();
    t.dlo = Edit8->text().toStdString();
    t.dhi = Edit9->text().toStdString();
    t.frequencyOn = CheckBox13->isChecked();
    t.fmost = Edit10->text().toStdString();
    t.fleast = Edit11->text().toStdString();
    if (const char* message = ReadEliminationCriteria(t, criteria_)) {
        MessageBox::error(this, QString::fromUtf8(message));
        return false;
    }
    return true;
}

bool TEliMenoPro::computeScores(std::vector<double>& scores, const Progress& progress) {
    const Globali& g = Globals();
    return LessProbableScores(g.system.list, criteria_, g.delays, g.frequencies, scores, progress);
}

} // namespace numora
