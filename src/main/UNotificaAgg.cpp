#include "main/UNotificaAgg.h"

#include "core/Globali.h"
#include "main/UPri.h"

#include <QAction>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace numora {

TNotificaAgg::TNotificaAgg(QWidget* parent, const QString& text) : QDialog(parent) {
    setObjectName(QStringLiteral("NotificaAgg"));
    setWindowTitle(QStringLiteral("Notifica Aggiornamento"));
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(text, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(QStringLiteral("Vuoi procedere con l'aggiornamento automatico tramite internet ?"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    CheckBox1 = new QCheckBox(QStringLiteral("Non mostrare più questa scheda"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    layout->addWidget(Label1);
    layout->addSpacing(6);
    layout->addWidget(Label2);
    const bool firstRun = Globals().archive.empty();
    if (firstRun) {
        Label3 =
            new QLabel(QStringLiteral("Le statistiche e le riduzioni hanno bisogno delle estrazioni: per iniziare, "
                                      "aggiornare l'archivio tramite internet oppure importare il file delle "
                                      "estrazioni fornito dal concessionario."),
                       this);
        Label3->setObjectName(QStringLiteral("Label3"));
        Label3->setWordWrap(true);
        Label3->setMinimumWidth(Label2->sizeHint().width());
        layout->addSpacing(6);
        layout->addWidget(Label3);
    }
    layout->addSpacing(10);
    auto* row = new QHBoxLayout;
    row->addWidget(CheckBox1);
    row->addStretch();
    if (firstRun) {
        Importa = new QPushButton(QStringLiteral("Importa archivio da file…"), this);
        Importa->setObjectName(QStringLiteral("Importa"));
        Importa->setAutoDefault(false);
        row->addWidget(Importa);
        connect(Importa, &QPushButton::clicked, this, [this] {
            importChosen = true;
            reject();
        });
    }
    Aggiorna = new QPushButton(QStringLiteral("Aggiorna"), this);
    Aggiorna->setObjectName(QStringLiteral("Aggiorna"));
    Annulla = new QPushButton(QStringLiteral("Annulla"), this);
    Annulla->setObjectName(QStringLiteral("Annulla"));
    Aggiorna->setDefault(true);
    row->addWidget(Aggiorna);
    row->addWidget(Annulla);
    layout->addLayout(row);
    connect(Aggiorna, &QPushButton::clicked, this, &QDialog::accept);
    connect(Annulla, &QPushButton::clicked, this, &QDialog::reject); // Escape rejects too
    Aggiorna->setFocus();
    setFixedSize(sizeHint());
}

bool TNotificaAgg::ask(QWidget* parent, const QString& text, bool& dontShowAgain) {
    TNotificaAgg dialog(parent, text);
    const bool update = dialog.exec() == QDialog::Accepted;
    dontShowAgain = dialog.CheckBox1->isChecked();
    if (dialog.importChosen)
        if (TPri* pri = TPri::instance())
            if (QAction* import = pri->action(QString::fromUtf8(ImportArchiveCommand))) import->trigger();
    return update;
}

} // namespace numora
