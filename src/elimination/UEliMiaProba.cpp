#include "elimination/UEliMiaProba.h"

#include "components/UMessageBox.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "elimination/Elimination.h"
#include "elimination/ProbabilityGrid.h"
#include "elimination/UDistriProbaPerEli.h"
#include "elimination/UProbabilityGrid.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

TEliMiaProba::TEliMiaProba(QWidget* parent)
    : TEliminationDialog(u"Elimina giocate tramite probabilità personalizzate"_s, 10, parent) {
    Windows().enrol(this);
    setObjectName(u"TEliMiaProba"_s);

    GroupBox2 = new QGroupBox(u"Probabilità dei numeri"_s, this);
    GroupBox2->setObjectName(u"GroupBox2"_s);
    prog = new TProbabilityGrid(GroupBox2);
    prog->setMinimumHeight(260);
    SpeedButton1 = new QPushButton(u"Suggerisci probabilità"_s, GroupBox2);
    SpeedButton1->setObjectName(u"SpeedButton1"_s);
    SpeedButton7 = new QPushButton(u"Visualizza distribuzione"_s, GroupBox2);
    SpeedButton7->setObjectName(u"SpeedButton7"_s);
    for (QPushButton* b : {SpeedButton1, SpeedButton7}) b->setAutoDefault(false);
    connect(SpeedButton1, &QPushButton::clicked, this, &TEliMiaProba::SpeedButton1Click);
    connect(SpeedButton7, &QPushButton::clicked, this, &TEliMiaProba::SpeedButton7Click);
    auto* layout = new QVBoxLayout(GroupBox2);
    layout->addWidget(prog, 1);
    layout->addWidget(SpeedButton1);
    layout->addWidget(SpeedButton7);
    addPanel(GroupBox2);
}

TEliMiaProba::~TEliMiaProba() {
    Windows().forget(this);
}

TEliMiaProba* TEliMiaProba::instance() {
    return Windows().find<TEliMiaProba>();
}

void TEliMiaProba::FormActivate() {
    prog->FillGrid(AllElevenWheels);
}

void TEliMiaProba::SpeedButton1Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Globali& g = Globals();
    g.system.customProbabilities = SuggestedProbabilities(ComputeArchiveHistory(g.archive, AllElevenWheels));
    QApplication::restoreOverrideCursor();
    prog->FillGrid(AllElevenWheels);
}

void TEliMiaProba::SpeedButton7Click() {
    if (const int row = prog->StoreGrid(); row != 0) {
        MessageBox::error(this, InvalidRowMessage(row, false));
        return;
    }
    TDistriProbaPerEli distribution(this);
    distribution.exec();
}

bool TEliMiaProba::checkScoring() {
    if (const int row = prog->StoreGrid(); row != 0) {
        MessageBox::error(this, InvalidRowMessage(row, true));
        return false;
    }
    return true;
}

bool TEliMiaProba::computeScores(std::vector<double>& scores, const Progress& progress) {
    const Globali& g = Globals();
    return CustomProbabilityScores(g.system.list, g.system.customProbabilities, scores, progress);
}

} // namespace numora
