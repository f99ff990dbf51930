#include "playlist/UDaTastiera.h"

#include "components/UHint.h"
#include "components/UWindowRegistry.h"

#include "components/UMessageBox.h"
#include "core/Globali.h"
#include "playlist/PlayEntry.h"
#include "playlist/UPlayEntryPanel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {} // namespace

TDaTastiera::TDaTastiera(QWidget* parent) : QDialog(parent) {
    Windows().enrol(this);
    setObjectName(u"TDaTastiera"_s);
    setWindowTitle(u"Inserimento giocate da tastiera"_s);

    Panel1 = new PlayEntryPanel(u"Nuova Giocata"_s, this);

    Aggiungi = new QPushButton(u"Aggiungi"_s, this);
    Aggiungi->setObjectName(u"Aggiungi"_s);
    SetHint(Aggiungi, QStringLiteral(" Inserisce la giocata "));
    Aggiungi->setDefault(true);
    Chiudi = new QPushButton(u"Chiudi"_s, this);
    Chiudi->setObjectName(u"Chiudi"_s);
    SetHint(Chiudi, QStringLiteral(" Chiude la scheda senza "));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Aggiungi);
    buttons->addWidget(Chiudi);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Panel1, &PlayEntryPanel::edited, this, &TDaTastiera::Panel1Change);
    connect(Aggiungi, &QPushButton::clicked, this, &TDaTastiera::AggiungiClick);
    connect(Chiudi, &QPushButton::clicked, this, &TDaTastiera::ChiudiClick);
}

TDaTastiera::~TDaTastiera() {
    Windows().forget(this);
}

TDaTastiera* TDaTastiera::instance() {
    return Windows().find<TDaTastiera>();
}

void TDaTastiera::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TDaTastiera::FormActivate() {
    Aggiungi->setEnabled(true);
}

void TDaTastiera::Panel1Change() {
    Aggiungi->setEnabled(true);
}

void TDaTastiera::AggiungiClick() {
    const std::optional<BuiltPlay> built = Panel1->readPlay();
    if (!built) return;
    switch (EnterPlay(Globals().system, built->play)) {
    case EnterPlayResult::Duplicate:
        MessageBox::information(this, QString::fromUtf8(DuplicatePlayMessage), u"Attenzione"_s);
        return;
    case EnterPlayResult::ListFull:
        MessageBox::warning(this, QString::fromUtf8(PlayListFullMessage));
        return;
    case EnterPlayResult::Appended:
        break;
    }
    Aggiungi->setEnabled(false);
    Panel1->sayIgnoredStakes(*built);
}

void TDaTastiera::ChiudiClick() {
    reject();
}

void TDaTastiera::keyPressEvent(QKeyEvent* event) {
    if (PlayEntryPanel::dialogKey(*this, event, Aggiungi)) return;
    QDialog::keyPressEvent(event);
}

} // namespace numora
