#include "probability/UProbabilityFields.h"

#include "components/UFieldFilters.h"
#include "components/UWheelSelection.h"
#include "core/Globali.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

QLineEdit* Field(const QString& name, const QString& text, QWidget* parent) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(name);
    e->setFixedWidth(60);
    return e;
}

} // namespace

ProbabilityFields::ProbabilityFields(QWidget* parent, const QString& nationalCaption) : QWidget(parent) {
    Label9 = new QLabel(u"Per i calcoli parti dall'estrazione Nº:"_s, this);
    Edit9 = Field(u"Edit9"_s, u"1"_s, this);
    Label10 = new QLabel(u"all'estrazione Nº:"_s, this);
    Edit10 = Field(u"Edit10"_s, QString::number(Globals().archive.count()), this);
    for (QLineEdit* e : {Edit9, Edit10}) ApplyNumberFilter(e, 5);

    ruoteGroup = new QGroupBox(u" Ruote "_s, this);
    ruoteGroup->setObjectName(u"GroupBox1"_s);
    ruote = new WheelSelection(ruoteGroup, 6);
    ruote->setNationalCaption(nationalCaption);
    ruote->setNationalObjectName(u"CheckBox14"_s);
    auto* rl = new QVBoxLayout(ruoteGroup);
    rl->addWidget(ruote);

    criteriGroup = new QGroupBox(u" Criterio per l'assegnazione delle probabilità "_s, this);
    criteriGroup->setObjectName(u"GroupBox2"_s);
    CheckBox12 = new QCheckBox(u"Assegna probabilità in base ai ritardi"_s, criteriGroup);
    CheckBox12->setObjectName(u"CheckBox12"_s);
    CheckBox13 = new QCheckBox(u"Assegna probabilità in base alle frequenze"_s, criteriGroup);
    CheckBox13->setObjectName(u"CheckBox13"_s);
    CheckBox12->setChecked(true);
    CheckBox13->setChecked(true);
    Edit1 = Field(u"Edit1"_s, u"0"_s, criteriGroup);
    Edit2 = Field(u"Edit2"_s, u"50"_s, criteriGroup);
    Edit3 = Field(u"Edit3"_s, u"0"_s, criteriGroup);
    Edit4 = Field(u"Edit4"_s, u"50"_s, criteriGroup);
    auto* cl = new QGridLayout(criteriGroup);
    cl->addWidget(CheckBox12, 0, 0, 1, 4);
    cl->addWidget(Edit1, 1, 0);
    cl->addWidget(new QLabel(u"% al meno ritardatario"_s, criteriGroup), 1, 1);
    cl->addWidget(Edit2, 1, 2);
    cl->addWidget(new QLabel(u"% al più ritardatario"_s, criteriGroup), 1, 3);
    cl->addWidget(CheckBox13, 2, 0, 1, 4);
    cl->addWidget(Edit3, 3, 0);
    cl->addWidget(new QLabel(u"% al più frequente"_s, criteriGroup), 3, 1);
    cl->addWidget(Edit4, 3, 2);
    cl->addWidget(new QLabel(u"% al meno frequente"_s, criteriGroup), 3, 3);
    cl->setColumnStretch(4, 1);

    auto* draws = new QHBoxLayout;
    draws->addWidget(Label9);
    draws->addWidget(Edit9);
    draws->addWidget(Label10);
    draws->addWidget(Edit10);
    draws->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(draws);
    layout->addWidget(ruoteGroup);
    layout->addWidget(criteriGroup);

    for (QLineEdit* e : {Edit9, Edit10, Edit1, Edit2, Edit3, Edit4})
        connect(e, &QLineEdit::textEdited, this, &ProbabilityFields::changed);
    connect(ruote, &WheelSelection::changed, this, &ProbabilityFields::changed);
    connect(CheckBox12, &QCheckBox::toggled, this, [this] { criterionToggled(CheckBox12); });
    connect(CheckBox13, &QCheckBox::toggled, this, [this] { criterionToggled(CheckBox13); });
    greyOff();
}

void ProbabilityFields::criterionToggled(QCheckBox*) {
    if (!CheckBox12->isChecked() && !CheckBox13->isChecked()) {
        CheckBox12->setChecked(true); // comes back here through toggled
        return;
    }
    greyOff();
    emit changed();
}

void ProbabilityFields::greyOff() {
    auto apply = [this](bool on, QLineEdit* a, QLineEdit* b) {
        for (QLineEdit* e : {a, b}) {
            e->setEnabled(on);
            QPalette p = palette();
            if (!on) {
                p.setColor(QPalette::Disabled, QPalette::Base, QColor(192, 192, 192));
                p.setColor(QPalette::Base, QColor(192, 192, 192));
            }
            e->setPalette(p);
        }
    };
    apply(CheckBox12->isChecked(), Edit1, Edit2);
    apply(CheckBox13->isChecked(), Edit3, Edit4);
}

ProbabilityCriteria ProbabilityFields::criteria() const {
    ProbabilityCriteria c;
    c.startText = Edit9->text().toStdString();
    c.endText = Edit10->text().toStdString();
    c.wheels = CountedWheels(ruote->mask());
    c.delayOn = CheckBox12->isChecked();
    c.frequencyOn = CheckBox13->isChecked();
    c.dloText = Edit1->text().toStdString();
    c.dhiText = Edit2->text().toStdString();
    c.fmostText = Edit3->text().toStdString();
    c.fleastText = Edit4->text().toStdString();
    return c;
}

void ProbabilityFields::setPrinting(bool printing) {
    ruoteGroup->setVisible(!printing);
    criteriGroup->setVisible(!printing);
}

} // namespace numora
