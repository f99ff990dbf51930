#include "reduction/UPrecisionBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

TPrecisionBar::TPrecisionBar(QWidget* parent) : QWidget(parent) {
    setObjectName(u"PrecisionBar"_s);
    TKB = new QSlider(Qt::Horizontal, this);
    TKB->setObjectName(u"TKB"_s);
    TKB->setRange(0, 100);
    TKB->setSingleStep(2);
    TKB->setPageStep(2);
    TKB->setTickInterval(2);
    TKB->setTickPosition(QSlider::TicksBelow);
    TKB->setValue(50);
    TKB->setToolTip(u"Rapporto precisione/velocità"_s);
    TKB->setMinimumWidth(260);
    Label19 = new QLabel(this);
    Label19->setObjectName(u"Label19"_s);
    auto* bar = new QHBoxLayout;
    // The position is the precision in per cent, so its high end is the one labelled "Precisione",
    // as on the reduction's time bar.
    bar->addWidget(new QLabel(u"Velocità"_s, this));
    bar->addWidget(TKB, 1);
    bar->addWidget(new QLabel(u"Precisione"_s, this));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Label19);
    layout->addLayout(bar);
    connect(TKB, &QSlider::valueChanged, this, &TPrecisionBar::TKBChange);
    // The caption of the starting position; TKBChange keeps it in step from then on.
    Label19->setText(u"Livello di precizione dell'elaborazione: 50 %"_s);
}

int TPrecisionBar::position() const {
    return TKB->value();
}

void TPrecisionBar::TKBChange() {
    Label19->setText(u"Livello di precizione dell'elaborazione: "_s + QString::number(TKB->value()) + u" %"_s);
}

} // namespace numora
