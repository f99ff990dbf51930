#include "reduction/UOttimizzaRid.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

TOttimizzaRid::TOttimizzaRid(QWidget* parent) : QWidget(parent) {
    setObjectName(u"OttimizzaRid"_s);
    ottimizza = new QCheckBox(u"Ottimizza il numero di giocate"_s, this);
    ottimizza->setObjectName(u"ottimizza"_s);
    TKBTempo = new QSlider(Qt::Horizontal, this);
    TKBTempo->setObjectName(u"TKBTempo"_s);
    TKBTempo->setRange(1, 60);
    TKBTempo->setSingleStep(1);
    TKBTempo->setPageStep(5);
    TKBTempo->setTickInterval(5);
    TKBTempo->setTickPosition(QSlider::TicksBelow);
    TKBTempo->setValue(10);
    TKBTempo->setToolTip(u"Rapporto precisione/velocità"_s);
    TKBTempo->setMinimumWidth(260);
    LabelTempo = new QLabel(this);
    LabelTempo->setObjectName(u"LabelTempo"_s);
    LabelGiocate = new QLabel(this);
    LabelGiocate->setObjectName(u"LabelGiocate"_s);
    barra = new QWidget(this);
    auto* bar = new QHBoxLayout(barra);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(new QLabel(u"Velocità"_s, barra));
    TKBTempo->setParent(barra);
    bar->addWidget(TKBTempo, 1);
    bar->addWidget(new QLabel(u"Precisione"_s, barra));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ottimizza);
    layout->addWidget(LabelTempo);
    layout->addWidget(barra);
    layout->addWidget(LabelGiocate);
    connect(ottimizza, &QCheckBox::toggled, this, &TOttimizzaRid::ottimizzaClick);
    connect(TKBTempo, &QSlider::valueChanged, this, &TOttimizzaRid::TKBTempoChange);
    TKBTempoChange();
    ottimizzaClick();
}

bool TOttimizzaRid::on() const {
    return ottimizza->isChecked();
}

std::int64_t TOttimizzaRid::budgetMs() const {
    return std::int64_t{1000} * TKBTempo->value();
}

void TOttimizzaRid::ottimizzaClick() {
    barra->setEnabled(on());
    LabelTempo->setEnabled(on());
}

void TOttimizzaRid::TKBTempoChange() {
    LabelTempo->setText(u"Tempo massimo di ottimizzazione: "_s + QString::number(TKBTempo->value()) + u" s"_s);
}

void TOttimizzaRid::showCounts(int greedy, int optimised) {
    if (greedy < 0) {
        LabelGiocate->clear();
        return;
    }
    LabelGiocate->setText(u"Giocate della riduzione: "_s + QString::number(greedy) + u"    ottimizzate: "_s +
                          QString::number(optimised));
}

} // namespace numora
