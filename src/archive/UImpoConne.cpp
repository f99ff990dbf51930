#include "archive/UImpoConne.h"

#include "components/UFieldFilters.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "core/Globali.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

TImpoConne::TImpoConne(QWidget* parent) : QDialog(parent) {
    setObjectName(u"ImpoConne"_s);
    setWindowTitle(u"Impostazioni connessione ad internet"_s);
    setModal(true);

    Label1 = new QLabel(u"Se il computer è connesso ad internet tramite un proxy server inserire l'idirizzo e la "
                        u"porta del sever."_s,
                        this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setWordWrap(true);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(u"Edit1"_s);
    Edit1->setMaxLength(80);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(u"Edit2"_s);
    ApplyNumberFilter(Edit2, 6);
    Edit2->setFixedWidth(70);

    AVSEL = new QPushButton(u"OK"_s, this);
    AVSEL->setObjectName(u"AVSEL"_s);
    AVSEL->setDefault(true);
    BITBTN2 = new QPushButton(u"Annulla"_s, this);
    BITBTN2->setObjectName(u"BITBTN2"_s);
    BITBTN2->setAutoDefault(false);
    const QString hint = u"Chiude la scheda senza apportare modifiche."_s;
    SetHint(BITBTN2, hint);

    auto* fields = new QGridLayout;
    auto* serverLabel = new QLabel(u"Indirizzo del server:"_s, this);
    serverLabel->setBuddy(Edit1);
    auto* portLabel = new QLabel(u"Porta:"_s, this);
    portLabel->setBuddy(Edit2);
    fields->addWidget(serverLabel, 0, 0);
    fields->addWidget(Edit1, 1, 0);
    fields->addWidget(portLabel, 0, 1);
    fields->addWidget(Edit2, 1, 1);
    fields->setColumnStretch(0, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(AVSEL);
    buttons->addWidget(BITBTN2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(fields);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setFixedSize(380, sizeHint().height());

    connect(AVSEL, &QPushButton::clicked, this, &TImpoConne::AVSELClick);
    connect(BITBTN2, &QPushButton::clicked, this, &TImpoConne::BITBTN2Click);
}

void TImpoConne::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TImpoConne::FormActivate() {
    const Settings& s = Globals().settings;
    Edit1->setText(QString::fromStdString(s.proxyServer));
    Edit2->setText(QString::fromStdString(s.proxyPorta));
    Edit1->setFocus();
}

void TImpoConne::AVSELClick() {
    Globali& g = Globals();
    g.settings.proxyServer = Edit1->text().toStdString();
    g.settings.proxyPorta = Edit2->text().toStdString();
    switch (g.writeSettings()) {
    case WriteResult::Written:
        accept();
        return;
    case WriteResult::ReadOnly:
        MessageBox::error(this, QString::fromUtf8(ReadOnlyMessage), u"Errore"_s);
        accept();
        return;
    case WriteResult::Failed:
        // The new values are in use already; staying open lets the user try again.
        MessageBox::error(this, u"Impossibile scrivere il file %1.\r\nLe nuove impostazioni restano in uso fino alla "
                                u"chiusura di Numora; premere di nuovo \"OK\" per riprovare."_s.arg(
                                    QString::fromStdString(g.path(SettingsFileName))));
        return;
    }
}

void TImpoConne::BITBTN2Click() {
    reject();
}

void ShowConnectionSettings(QWidget* parent) {
    TImpoConne dialog(parent);
    dialog.exec();
}

} // namespace numora
