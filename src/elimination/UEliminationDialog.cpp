#include "elimination/UEliminationDialog.h"

#include "components/UFieldFilters.h"
#include "components/UHelp.h"
#include "components/UMessageBox.h"
#include "components/UProgressPanel.h"
#include "components/UStakeFields.h"
#include "core/Globali.h"
#include "elimination/Elimination.h"
#include "generation/Generation.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

TEliminationDialog::TEliminationDialog(const QString& caption, int helpContext, QWidget* parent) : TRunDialog(parent) {
    setWindowTitle(caption);
    setModal(true);

    GroupBox1 = new QGroupBox(u"Caratteristiche delle giocate da eliminare"_s, this);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    Edit6 = new QLineEdit(GroupBox1);
    Edit6->setObjectName(u"Edit6"_s);
    Edit6->setAlignment(Qt::AlignRight);
    SetStakeFieldWidth(Edit6);
    ApplyNumberFilter(Edit6, 10);
    auto* label = new QLabel(u"Numero di giocate da eliminare:"_s, GroupBox1);
    label->setBuddy(Edit6);
    auto* row = new QHBoxLayout(GroupBox1);
    row->addWidget(label);
    row->addWidget(Edit6);
    row->addStretch(1);

    AntiPan3 = new TProgressPanel(this);
    gg = AntiPan3->gg;
    sb1 = AntiPan3->sb1;

    go = new QPushButton(u"Elimina giocate"_s, this);
    go->setObjectName(u"go"_s);
    SpeedButton2 = new QPushButton(u"Manuale"_s, this);
    SpeedButton2->setObjectName(u"SpeedButton2"_s);
    SpeedButton3 = new QPushButton(u"Annulla"_s, this);
    SpeedButton3->setObjectName(u"SpeedButton3"_s);
    for (QPushButton* b : {go, SpeedButton2, SpeedButton3}) b->setAutoDefault(false); // Enter is the dialog's
    connect(go, &QPushButton::clicked, this, &TEliminationDialog::goClick);
    connect(SpeedButton2, &QPushButton::clicked, this, [this, helpContext] { ShowHelpContext(helpContext, this); });
    connect(SpeedButton3, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SpeedButton2);
    buttons->addStretch(1);
    buttons->addWidget(go);
    buttons->addWidget(SpeedButton3);

    panels_ = new QVBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(GroupBox1);
    layout->addLayout(panels_);
    layout->addWidget(AntiPan3);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TEliminationDialog::~TEliminationDialog() = default;

void TEliminationDialog::addPanel(QWidget* panel) {
    panel->setParent(this);
    panels_->addWidget(panel);
    ownPanels_.append(panel);
}

bool TEliminationDialog::busy() const {
    return AntiPan3->busy();
}

void TEliminationDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TEliminationDialog::goClick() {
    if (busy()) return;
    PlaySystem& system = Globals().system;
    const int p = system.list.count();
    int e = 0;
    if (!ReadEliminationCount(Edit6->text().toStdString(), p, e)) {
        MessageBox::error(this, QString::fromUtf8(InvalidEliminationCountMessage));
        return;
    }
    // The snapshot comes before the checks of the scoring, so a refused run has replaced it too.
    bool completed = false;
    ChangePlays(system, [&](PlayList& list) {
        if (e == p) {
            list.clear();
            return completed = true;
        }
        if (!checkScoring()) return false;
        std::vector<double> scores;
        QList<QWidget*> controls{go, SpeedButton2, SpeedButton3, GroupBox1};
        controls += ownPanels_;
        AntiPan3->setGaugeMaximum(p);
        ProgressRun run(*AntiPan3, controls);
        completed = computeScores(scores, Progress{AntiPan3->callback(), EliminatedPlayInterval});
        if (completed) RemoveLeastScored(list, scores, e);
        return completed;
    });
    if (completed) accept();
}

bool TEliminationDialog::FormCloseQuery() {
    return !busy();
}

} // namespace numora
