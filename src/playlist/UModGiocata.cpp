#include "playlist/UModGiocata.h"

#include "components/UHint.h"
#include "components/UWindowRegistry.h"

#include "components/UMessageBox.h"
#include "core/Globali.h"
#include "playlist/PlayEntry.h"
#include "playlist/UPlayEntryPanel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {} // namespace

TModGiocata::TModGiocata(QWidget* parent) : QDialog(parent) {
    Windows().enrol(this);
    setObjectName(u"TModGiocata"_s);
    setWindowTitle(u"Modifica giocate"_s);

    Panel1 = new PlayEntryPanel(u"Giocata da modificare"_s, this);

    auto* positionRow = new QWidget(Panel1);
    auto* positionLayout = new QHBoxLayout(positionRow);
    positionLayout->setContentsMargins(0, 0, 0, 0);
    Label9 = new QLabel(positionRow);
    Label9->setObjectName(u"Label9"_s);
    Label9->setMinimumWidth(Label9->fontMetrics().horizontalAdvance(u"Giocata Nº: 100000"_s) + 4);
    ScrollBar1 = new QScrollBar(Qt::Horizontal, positionRow);
    ScrollBar1->setObjectName(u"ScrollBar1"_s);
    ScrollBar1->setPageStep(1);
    positionLayout->addWidget(Label9);
    positionLayout->addWidget(ScrollBar1, 1);
    Panel1->addTopWidget(positionRow);

    Applica = new QPushButton(u"Applica"_s, this);
    Applica->setObjectName(u"Applica"_s);
    SetHint(Applica, QStringLiteral(" Applica le modifiche alla giocata "));
    Applica->setDefault(true);
    Chiudi = new QPushButton(u"Chiudi"_s, this);
    Chiudi->setObjectName(u"Chiudi"_s);
    SetHint(Chiudi, QStringLiteral(" Chiude la scheda "));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Applica);
    buttons->addWidget(Chiudi);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Panel1, &PlayEntryPanel::edited, this, &TModGiocata::Panel1Change);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TModGiocata::ScrollBar1Change);
    connect(Applica, &QPushButton::clicked, this, &TModGiocata::ApplicaClick);
    connect(Chiudi, &QPushButton::clicked, this, &TModGiocata::ChiudiClick);
}

TModGiocata::~TModGiocata() {
    Windows().forget(this);
}

TModGiocata* TModGiocata::instance() {
    return Windows().find<TModGiocata>();
}

void TModGiocata::setPlays(int first, int last) {
    first_ = first;
    last_ = last < first ? first : last;
}

int TModGiocata::position() const {
    return ScrollBar1->value();
}

void TModGiocata::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TModGiocata::FormActivate() {
    {
        const QSignalBlocker block(ScrollBar1);
        ScrollBar1->setRange(first_, last_);
        ScrollBar1->setValue(first_);
    }
    showPosition(first_);
    Applica->setEnabled(true);
}

void TModGiocata::showPosition(int index) {
    Label9->setText(u"Giocata Nº: "_s + QString::number(index));
    const PlayList& list = Globals().system.list;
    // A position beyond the list (it changed under a stale selection) shows an empty play.
    Panel1->showPlay(index >= 1 && index <= list.count() ? list.play(index) : Play{});
}

void TModGiocata::ScrollBar1Change() {
    showPosition(position());
    Applica->setEnabled(true);
}

void TModGiocata::Panel1Change() {
    Applica->setEnabled(true);
}

void TModGiocata::ApplicaClick() {
    const std::optional<BuiltPlay> built = Panel1->readPlay();
    if (!built) return;
    const int at = position();
    if (!ApplyEditedPlay(Globals().system, at, built->play)) {
        MessageBox::information(this, QString::fromUtf8(DuplicatePlayMessage), u"Attenzione"_s);
        return;
    }
    Applica->setEnabled(false);
    Panel1->sayIgnoredStakes(*built);
    // Moving on shows the next play and enables "Applica" again, so Enter walks the plays.
    if (at < last_) ScrollBar1->setValue(at + 1);
    Panel1->Numeri->setFocus();
}

void TModGiocata::ChiudiClick() {
    reject();
}

void TModGiocata::keyPressEvent(QKeyEvent* event) {
    if (PlayEntryPanel::dialogKey(*this, event, Applica)) return;
    QDialog::keyPressEvent(event);
}

} // namespace numora
