#include "probability/UAggNumPiuProba.h"

#include "components/UCommandTable.h"
#include "components/UFieldFilters.h"
#include "components/UHelp.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "components/UWheelSelection.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "probability/UProbabilityFields.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

TAggNumPiuProba::TAggNumPiuProba(QWidget* parent) : QDialog(parent) {
    Windows().enrol(this);
    setObjectName(u"TAggNumPiuProba"_s);
    setModal(true);

    fields = new ProbabilityFields(this, u"Nazionale"_s);
    SetHint(fields->ruoteGroup, u" Ruote da usare per i calcoli statistici "_s);

    Label1 = new QLabel(this);
    Label1->setObjectName(u"Label1"_s);
    Edit5 = new QLineEdit(u"1"_s, this);
    Edit5->setObjectName(u"Edit5"_s);
    Edit5->setFixedWidth(60);
    ApplyNumberFilter(Edit5, 2);
    auto* count = new QHBoxLayout;
    count->addWidget(Label1);
    count->addWidget(Edit5);
    count->addStretch(1);

    go = new QPushButton(this);
    go->setObjectName(u"go"_s);
    annulla = new QPushButton(u"Annulla"_s, this);
    annulla->setObjectName(u"annulla"_s);
    SetHint(annulla, u"Chiude la scheda senza apportare modifiche."_s);
    manuale = new QPushButton(u"Manuale"_s, this);
    manuale->setObjectName(u"manuale"_s);
    for (QPushButton* b : {go, annulla, manuale}) b->setAutoDefault(false);
    connect(go, &QPushButton::clicked, this, &TAggNumPiuProba::goClick);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(manuale, &QPushButton::clicked, this, [this] { ShowHelpContext(7, this); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(go);
    buttons->addWidget(annulla);
    buttons->addWidget(manuale);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fields);
    layout->addLayout(count);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMode(Adding);
}

TAggNumPiuProba::~TAggNumPiuProba() {
    Windows().forget(this);
}

TAggNumPiuProba* TAggNumPiuProba::instance() {
    return Windows().find<TAggNumPiuProba>();
}

void TAggNumPiuProba::setMode(Mode mode) {
    mode_ = mode;
    const bool add = mode == Adding;
    setWindowTitle(add ? u"Aggiungi numeri più probabili"_s : u"Elimina numeri meno probabili"_s);
    go->setText(add ? u"Aggiungi"_s : u"Elimina"_s);
    SetHint(go, add ? u" Aggingi numeri |Inserisce i numeri più probabili nel pronostico"_s
                    : u" Elimina numeri |Elimina i numeri meno probabili dal pronostico"_s);
    Label1->setText(add ? u"Numero di estratti più probabili da aggiungere:"_s
                        : u"Numero di estratti meno probabili da eliminare:"_s);
}

void TAggNumPiuProba::goClick() {
    const bool add = mode_ == Adding;
    int m = 0;
    if (!ReadNumberCount(Edit5->text().toStdString(), m)) {
        MessageBox::error(this, QString::fromUtf8(add ? InvalidAddCountMessage : InvalidRemoveCountMessage));
        return;
    }
    const NumberProbabilities r = ComputeNumberProbabilities(Globals().archive, fields->criteria());
    if (!r.ok) {
        MessageBox::error(this, QString::fromUtf8(r.message));
        return;
    }
    const std::vector<RankedNumber> ranking = RankNumbers(r.p, add);
    // A completed run counts as a change even when it found nothing to add or remove.
    ChangeForecast(Globals().system, [&](Forecast& f) {
        ApplyRanking(f, ranking, m, add);
        return true;
    });
    accept();
}

void TAggNumPiuProba::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        goClick();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace numora
