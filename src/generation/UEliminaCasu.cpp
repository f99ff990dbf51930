#include "generation/UEliminaCasu.h"

#include "components/UFieldFilters.h"
#include "components/UMessageBox.h"
#include "components/UStakeFields.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "generation/Generation.h"
#include "stats/DrawWindow.h"

#include <QApplication>
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

TEliminaCasu::TEliminaCasu(QWidget* parent) : TRunDialog(parent), random_(&Globals().random) {
    Windows().enrol(this);
    setObjectName(u"TEliminaCasu"_s);
    setWindowTitle(u"Elimina giocate casualmente"_s);
    setModal(true);

    auto* group = new QGroupBox(u"Caratteristiche delle giocate da eliminare"_s, this);
    group->setObjectName(u"GroupBox1"_s);
    Edit6 = new QLineEdit(group);
    Edit6->setObjectName(u"Edit6"_s);
    Edit6->setAlignment(Qt::AlignRight);
    SetStakeFieldWidth(Edit6);
    ApplyNumberFilter(Edit6, 10);
    auto* label = new QLabel(u"Numero di giocate da eliminare:"_s, group);
    label->setBuddy(Edit6);
    auto* row = new QHBoxLayout(group);
    row->addWidget(label);
    row->addWidget(Edit6);
    row->addStretch(1);

    go = new QPushButton(u"Elimina giocate"_s, this);
    go->setObjectName(u"go"_s);
    SpeedButton3 = new QPushButton(u"Annulla"_s, this);
    SpeedButton3->setObjectName(u"SpeedButton3"_s);
    // Enter is the dialog's own key.
    for (QPushButton* b : {go, SpeedButton3}) b->setAutoDefault(false);
    connect(go, &QPushButton::clicked, this, &TEliminaCasu::goClick);
    connect(SpeedButton3, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(go);
    buttons->addWidget(SpeedButton3);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TEliminaCasu::~TEliminaCasu() {
    Windows().forget(this);
}

TEliminaCasu* TEliminaCasu::instance() {
    return Windows().find<TEliminaCasu>();
}

void TEliminaCasu::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TEliminaCasu::FormActivate() {
    busy_ = false;
}

void TEliminaCasu::goClick() {
    PlaySystem& system = Globals().system;
    int e = 0;
    if (!ParseFieldInteger(Edit6->text().toStdString(), e) || e < 1 || e > system.list.count()) {
        MessageBox::error(this, QString::fromUtf8(InvalidEliminationCountMessage));
        return;
    }
    // The removal runs without processing events; the busy state only keeps the dialog open and
    // shows the hourglass while it lasts.
    busy_ = true;
    go->setEnabled(false);
    SpeedButton3->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ChangePlays(system, [&](PlayList& list) { return EliminateRandomPlays(list, e, *random_); });
    QApplication::restoreOverrideCursor();
    go->setEnabled(true);
    SpeedButton3->setEnabled(true);
    busy_ = false;
    accept();
}

} // namespace numora
