#include "stats/UStats.h"

#include "components/UCommandTable.h"
#include "components/UHint.h"
#include "components/UWindowRegistry.h"
#include "stats/UStatAmbiFre.h"
#include "stats/UStatAmbiMenoFre.h"
#include "stats/UStatAmbiPiuRit.h"
#include "stats/UStatAmbiRit.h"
#include "stats/UStatFre.h"
#include "stats/UStatNumMenoFre.h"
#include "stats/UStatNumPiuRit.h"
#include "stats/UStatRit.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

template <class T> void Show() {
    if (T* w = T::instance()) {
        w->show();
        w->raise();
        w->activateWindow();
    }
}

// The probability window opens through the toolbar command the main window keeps for it.
void ShowProbability(QWidget* parent) {
    const CommandRow* row = Commands().find(u"SpeedButton13"_s);
    if (row && row->action) row->action(parent);
}

} // namespace

TStats::TStats(QWidget* parent) : QWidget(parent, Qt::Tool) {
    Windows().enrol(this);
    setObjectName(u"TStats"_s);
    setWindowTitle(u"Statistiche"_s);
    tipo = new QComboBox(this);
    tipo->setObjectName(u"tipo"_s);
    tipo->addItems({u"I Ritardi dei 90 numeri"_s, u"Le Frequenze dei 90 numeri"_s, u"Probabilità dei 90 numeri"_s,
                    u"I Numeri più ritardatari"_s, u"I Numeri meno frequenti"_s, u"I Ritardi dei 4005 Ambi"_s,
                    u"Le frequenze dei 4005 Ambi"_s, u"Gli Ambi più ritardatari"_s, u"Gli Ambi meno frequenti"_s});
    tipo->setCurrentIndex(0);
    // As wide as its longest entry: a cut name ("Probabilità dei 90 nume…") hides which of the
    // similar statistics is chosen.
    tipo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    vai = new QPushButton(u"&Vai"_s, this);
    vai->setObjectName(u"vai"_s);
    SetHint(vai, u" Visualizza le statistiche "_s);
    connect(vai, &QPushButton::clicked, this, &TStats::vaiClick);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tipo, 1);
    layout->addWidget(vai);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TStats::~TStats() {
    Windows().forget(this);
}

TStats* TStats::instance() {
    return Windows().find<TStats>();
}

void TStats::vaiClick() {
    switch (tipo->currentIndex()) {
    case 0:
        Show<TStatRit>();
        break;
    case 1:
        Show<TStatFre>();
        break;
    case 2:
        ShowProbability(parentWidget());
        break;
    case 3:
        Show<TStatNumPiuRit>();
        break;
    case 4:
        Show<TStatNumMenoFre>();
        break;
    case 5:
        Show<TStatAmbiRit>();
        break;
    case 6:
        Show<TStatAmbiFre>();
        break;
    case 7:
        Show<TStatAmbiPiuRit>();
        break;
    case 8:
        Show<TStatAmbiMenoFre>();
        break;
    default:
        break;
    }
}

} // namespace numora
