#include "stakes/UModimpo.h"

#include "components/UFieldFilters.h"
#include "components/UHelp.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "core/Globali.h"
#include "core/TextHelpers.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

QString Amount(double x) {
    return QString::fromStdString(FormatAmount(x, Globals().settings));
}

QLineEdit* AmountField(QWidget* parent, const QString& name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    ApplyStakeFilter(edit);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

// Parses an amount field into `target`, which changes only when the text is a valid amount.
bool TakeAmount(const QLineEdit* edit, double& target) {
    const AmountParse p = ParseAmount(AmountFieldText(edit->text()));
    if (p.ok) target = p.value;
    return p.ok;
}

} // namespace

TModimpo::TModimpo(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TModimpo"_s);
    setWindowTitle(u"Modifica importi di giocata"_s);

    minimo = AmountField(this, u"minimo"_s);
    massimo = AmountField(this, u"massimo"_s);
    multiplo = AmountField(this, u"multiplo"_s);
    vincitamassima = AmountField(this, u"vincitamassima"_s);
    decimali = new QLineEdit(this);
    decimali->setObjectName(u"decimali"_s);
    // Two characters, so that a value typed too large is explained rather than cut short.
    ApplyNumberFilter(decimali, 2);
    decimali->setAlignment(Qt::AlignRight);
    const int fieldWidth = decimali->fontMetrics().horizontalAdvance(u"000.000.000,00"_s) + 16;
    for (QLineEdit* e : {minimo, massimo, multiplo, vincitamassima, decimali}) e->setFixedWidth(fieldWidth);
    // What the fields show when the settings cannot fill them.
    minimo->setText(u"1,00"_s);
    massimo->setText(u"200,00"_s);
    multiplo->setText(u"0,50"_s);
    vincitamassima->setText(u"1000000"_s);
    decimali->setText(u"2"_s);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignLeft);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(u"Importo Minimo di giocata (€):"_s, minimo);
    form->addRow(u"Importo Massimo di giocata (€):"_s, massimo);
    form->addRow(u"Il totale deve essere multiplo di €:"_s, multiplo);
    form->addRow(u"Vincita Massima per giocata (€):"_s, vincitamassima);
    form->addRow(u"Numero di cifre decimali:"_s, decimali);

    importi = new QTableWidget(18, 1, this);
    importi->setObjectName(u"importi"_s);
    const QString hint = u"Inserire gli importi di giocata in ordine decrescente."_s;
    SetHint(importi, hint);
    importi->horizontalHeader()->setVisible(false);
    importi->horizontalHeader()->setStretchLastSection(true);
    importi->verticalHeader()->setVisible(false);
    importi->setSelectionMode(QAbstractItemView::NoSelection);
    importi->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 1; r <= 18; ++r) {
        QLineEdit* e = AmountField(importi, u"importo%1"_s.arg(r));
        e->setFrame(false);
        e->setToolTip(hint);
        importi->setCellWidget(r - 1, 0, e);
        rows_[static_cast<std::size_t>(r - 1)] = e;
    }
    const int rowHeight = rows_[0]->sizeHint().height();
    importi->verticalHeader()->setDefaultSectionSize(rowHeight);
    importi->setFixedWidth(fieldWidth + importi->verticalScrollBar()->sizeHint().width() + 2 * importi->frameWidth());
    // Tall enough to show eleven rows, as the fields beside it.
    importi->setMinimumHeight(11 * rowHeight + 2 * importi->frameWidth());

    auto* importiLabel = new QLabel(u"Importi di giocata (€):"_s, this);
    importiLabel->setBuddy(importi);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(importiLabel);
    listColumn->addWidget(importi, 1);

    auto* fieldsColumn = new QVBoxLayout;
    fieldsColumn->addLayout(form);
    fieldsColumn->addStretch(1);

    auto* body = new QHBoxLayout;
    body->addLayout(fieldsColumn);
    body->addSpacing(16);
    body->addLayout(listColumn);

    Applica = new QPushButton(u"Applica"_s, this);
    Applica->setObjectName(u"Applica"_s);
    Applica->setDefault(true);
    Annulla = new QPushButton(u"Annulla"_s, this);
    Annulla->setObjectName(u"Annulla"_s);
    Manuale = new QPushButton(u"Manuale"_s, this);
    Manuale->setObjectName(u"Manuale"_s);
    Manuale->setAutoDefault(false);
    Annulla->setAutoDefault(false);
    connect(Applica, &QPushButton::clicked, this, &TModimpo::ApplicaClick);
    connect(Annulla, &QPushButton::clicked, this, &TModimpo::AnnullaClick);
    connect(Manuale, &QPushButton::clicked, this, &TModimpo::ManualeClick);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Manuale);
    buttons->addStretch(1);
    buttons->addWidget(Applica);
    buttons->addWidget(Annulla);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    FormCreate();
}

void TModimpo::FormCreate() {
    const Settings& s = Globals().settings;
    minimo->setText(Amount(s.minimo));
    massimo->setText(Amount(s.massimo));
    multiplo->setText(Amount(s.multiplo));
    vincitamassima->setText(Amount(s.vincitaMassima));
    decimali->setText(QString::number(s.decimali));
    for (int r = 1; r <= 18; ++r) importo(r)->setText(Amount(s.i(19 - r)));
}

void TModimpo::ApplicaClick() {
    Globali& g = Globals();
    Settings& s = g.settings;
    // Each value goes into the settings as soon as it reads, so a later failure keeps the
    // earlier ones for the rest of the run.
    for (int r = 1; r <= 18; ++r) {
        if (!TakeAmount(importo(r), s.i(19 - r))) {
            MessageBox::error(this, u"Uno degli importi delle giocate non è valido."_s);
            importo(r)->setFocus();
            return;
        }
    }
    const struct {
        QLineEdit* field;
        double* target;
        const char16_t* message;
    } amounts[] = {
        {minimo, &s.minimo, u"L'importo minimo di giocata non è valido."},
        {massimo, &s.massimo, u"L'importo massimo di giocata non è valido."},
        {multiplo, &s.multiplo, u"Il multiplo delle giocate non è valido."},
        {vincitamassima, &s.vincitaMassima, u"La vincita massima per giocata non è valida."},
    };
    for (const auto& a : amounts) {
        // A cap of 0 would leave every win at 0 and no play could ever win.
        const bool capNotPositive =
            a.target == &s.vincitaMassima && !(ParseAmount(AmountFieldText(a.field->text())).value > 0);
        if (capNotPositive || !TakeAmount(a.field, *a.target)) {
            MessageBox::error(this, QString::fromUtf16(a.message));
            a.field->setFocus();
            return;
        }
    }
    long long digits = 0;
    if (!ParseWholeNumber(decimali->text().toStdString(), digits)) {
        MessageBox::error(this, u"Il numero di cifre decimali non è valido."_s);
        decimali->setFocus();
        return;
    }
    if (digits > Settings::MaxDecimali) {
        MessageBox::error(this, u"Il numero di cifre decimali non è valido: deve essere compreso tra 0 e %1."_s.arg(
                                    Settings::MaxDecimali));
        decimali->setFocus();
        return;
    }
    s.decimali = static_cast<int>(digits);

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
        MessageBox::error(this, u"Impossibile scrivere il file %1.\r\nI nuovi importi restano in uso fino alla "
                                u"chiusura di Numora; premere di nuovo \"Applica\" per riprovare."_s.arg(
                                    QString::fromStdString(g.path(SettingsFileName))));
        return;
    }
}

void TModimpo::AnnullaClick() {
    reject();
}

void TModimpo::ManualeClick() {
    ShowHelpContext(14, this);
}

} // namespace numora
