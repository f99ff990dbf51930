#include "stats/UStatAmbiLista.h"

#include "components/UHelp.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "components/UStatsShared.h"
#include "components/UWheelSelection.h"
#include "core/Globali.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

QPushButton* Button(const QString& text, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TStatAmbiLista::TStatAmbiLista(QWidget* parent, const QString& caption, const PairGridStyle& style)
    : TStatWindow(parent, Qt::Tool) {
    setWindowTitle(caption);
    setAutoFillBackground(true);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(u"Bevel1"_s);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    model_ = new PairRowsModel(style, this);
    model_->setEmptyRows(PairCount);
    sg = MakePairGrid(Bevel1, model_, {70, 80, 190});
    sg->setMinimumHeight(420);
    connect(sg->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TStatAmbiLista::selectionChanged);
    auto* frame = new QVBoxLayout(Bevel1);
    frame->setContentsMargins(3, 3, 3, 3);
    frame->addWidget(sg);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    ruote = new WheelSelection(GroupBox1, 2);
    ruote->setNationalCaption(u"Ruota Nazionale"_s);
    go = Button(u"Ricalcola"_s, u"go"_s, GroupBox1);
    SetHint(go, u" Ricalcola le statistiche "_s);
    go->setEnabled(false);
    aggpro = Button(u"Aggiungi al pronostico"_s, u"aggpro"_s, GroupBox1);
    agggio = Button(u"Aggiungi alle giocate"_s, u"agggio"_s, GroupBox1);
    aggpro->setEnabled(false);
    agggio->setEnabled(false);
    stampa = Button(u"Stampa"_s, u"stampa"_s, GroupBox1);
    SetHint(stampa, u" Stampa la schermata "_s);
    manuale = Button(u"Manuale"_s, u"manuale"_s, GroupBox1);
    chiudi = Button(u"Chiudi"_s, u"chiudi"_s, GroupBox1);
    connect(ruote, &WheelSelection::changed, this, [this] { go->setEnabled(true); });
    connect(go, &QPushButton::clicked, this, &TStatAmbiLista::goClick);
    connect(aggpro, &QPushButton::clicked, this, &TStatAmbiLista::aggproClick);
    connect(agggio, &QPushButton::clicked, this, &TStatAmbiLista::agggioClick);
    connect(stampa, &QPushButton::clicked, this, &TStatAmbiLista::stampaClick);
    connect(manuale, &QPushButton::clicked, this, [this] { ShowHelpContext(3, this); });
    connect(chiudi, &QPushButton::clicked, this, &QWidget::close);

    auto* group = new QVBoxLayout(GroupBox1);
    group->addWidget(ruote);
    fields_ = new QVBoxLayout;
    group->addLayout(fields_);
    group->addStretch(1);
    for (QPushButton* b : {go, aggpro, agggio, stampa, manuale, chiudi}) group->addWidget(b);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(Bevel1, 1);
    layout->addWidget(GroupBox1);
}

bool TStatAmbiLista::recompute() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::vector<PairValue> pairs;
    int neverDrawnFrom = 0;
    const bool ok = compute(pairs, neverDrawnFrom);
    if (ok) {
        std::vector<WheelPairValue> rows;
        rows.reserve(pairs.size());
        for (const PairValue& p : pairs) rows.push_back({p.j, p.k, p.value, 0});
        // The grid keeps its selected rows across a recomputation, as it keeps its size.
        const std::vector<int> selected = SelectedGridRows(sg);
        model_->setRows(std::move(rows), neverDrawnFrom);
        if (!selected.empty()) {
            // Not a selection by the user: the add buttons stay as they are.
            restoringSelection_ = true;
            const QAbstractItemModel* m = sg->model();
            sg->selectionModel()->select(QItemSelection(m->index(selected.front(), 0), m->index(selected.back(), 0)),
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            restoringSelection_ = false;
        }
    }
    QApplication::restoreOverrideCursor();
    return ok;
}

void TStatAmbiLista::FormActivate() {
    recompute();
}

void TStatAmbiLista::goClick() {
    go->setEnabled(false);
    recompute();
}

void TStatAmbiLista::selectionChanged() {
    if (!restoringSelection_ && !SelectedGridRows(sg).empty()) {
        aggpro->setEnabled(true);
        agggio->setEnabled(true);
    }
}

void TStatAmbiLista::aggproClick() {
    aggpro->setEnabled(false);
    AddNumbersToForecast(SelectedPairNumbers(sg));
}

void TStatAmbiLista::agggioClick() {
    StakeSet stakes;
    if (!AskStakes(this, 2, stakes)) return;
    agggio->setEnabled(false);
    const std::uint16_t mask = ruote->mask();
    const std::vector<Play> plays = SelectedPairPlays(sg, stakes.stakes, [mask](int) { return mask; });
    AddPlaysToList(this, plays);
}

void TStatAmbiLista::stampaClick() {
    PrintWindowImage(this, [this](bool printing) {
        GroupBox1->setVisible(!printing);
        setPrintingLook(printing, Bevel1);
    });
}

} // namespace numora
