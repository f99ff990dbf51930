#include "archive/Ueliest.h"

#include "archive/ArchiveMaintenance.h"
#include "archive/UArchiveCommands.h"
#include "archive/Udb.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "core/Globali.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

QString BoundText(const QString& caption, int index) {
    const DrawArchive& a = Globals().archive;
    if (index < 1 || index > a.count()) return caption;
    return caption + QString::fromStdString(DrawReference(index, a.draw(index)));
}

} // namespace

Teliest::Teliest(QWidget* parent) : QDialog(parent) {
    setObjectName(u"Teliest"_s);
    setWindowTitle(u"Elimina estrazioni"_s);

    Label1 = new QLabel(u"Specificare l'intervallo delle estrazioni da eliminare."_s, this);
    Label1->setObjectName(u"Label1"_s);
    Label2 = new QLabel(this);
    Label2->setObjectName(u"Label2"_s);
    Label3 = new QLabel(this);
    Label3->setObjectName(u"Label3"_s);

    const int n = Globals().archive.count();
    auto makeBar = [&](const QString& name) {
        auto* bar = new QScrollBar(Qt::Horizontal, this);
        bar->setObjectName(name);
        bar->setRange(1, n > 0 ? n : 1);
        bar->setPageStep(16);
        bar->setValue(n > 0 ? n : 1);
        bar->setEnabled(n > 0);
        bar->setMinimumWidth(320);
        return bar;
    };
    ScrollBar1 = makeBar(u"ScrollBar1"_s);
    ScrollBar2 = makeBar(u"ScrollBar2"_s);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &Teliest::ScrollBar1Change);
    connect(ScrollBar2, &QScrollBar::valueChanged, this, &Teliest::ScrollBar2Change);

    OK = new QPushButton(u"OK"_s, this);
    OK->setObjectName(u"OK"_s);
    SetHint(OK, u" Elimina le estrazioni "_s);
    OK->setEnabled(n > 0);
    Annulla = new QPushButton(u"Annulla"_s, this);
    Annulla->setObjectName(u"Annulla"_s);
    SetHint(Annulla, u" Chiude la scheda "_s);
    // A deletion is never one keystroke away.
    OK->setAutoDefault(false);
    Annulla->setAutoDefault(false);
    connect(OK, &QPushButton::clicked, this, &Teliest::OKClick);
    connect(Annulla, &QPushButton::clicked, this, &Teliest::AnnullaClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OK);
    buttons->addWidget(Annulla);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(4);
    layout->addWidget(Label1);
    layout->addSpacing(8);
    layout->addWidget(Label2);
    layout->addWidget(ScrollBar1);
    layout->addSpacing(6);
    layout->addWidget(Label3);
    layout->addWidget(ScrollBar2);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    showLabels();
}

int Teliest::first() const {
    return Globals().archive.count() > 0 ? ScrollBar1->value() : 0;
}
int Teliest::last() const {
    return Globals().archive.count() > 0 ? ScrollBar2->value() : 0;
}

void Teliest::ScrollBar1Change(int position) {
    if (position > ScrollBar2->value()) ScrollBar2->setValue(position);
    showLabels();
}

void Teliest::ScrollBar2Change(int position) {
    if (position < ScrollBar1->value()) ScrollBar1->setValue(position);
    showLabels();
}

void Teliest::showLabels() {
    Label2->setText(BoundText(u"Estrazione iniziale: "_s, first()));
    Label3->setText(BoundText(u"Estrazione finale: "_s, last()));
}

void Teliest::OKClick() {
    Globali& g = Globals();
    const int a = first();
    const int b = last();
    // The archive can have changed under an open window; never delete what is not there.
    if (a < 1 || b < a || b > g.archive.count()) return;
    if (MessageBox::question(this, QString::fromStdString(DeleteRangeQuestion(a, b))) != MsgAnswer::Yes) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DeleteDrawRange(g.archive, a, b);
    if (Tdb* viewer = Tdb::instance()) viewer->RefreshViewerAt(viewer->ScrollBar1->value());
    QApplication::restoreOverrideCursor();
    // A failed save is told and undone in memory; the window closes either way.
    static_cast<void>(SaveArchiveOrSayWhy(this));
    accept();
}

void Teliest::AnnullaClick() {
    reject();
}

} // namespace numora
