#include "main/UInformazioni.h"

#include "core/Globali.h"
#include "core/TextHelpers.h"
#include "main/USplash.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace numora {

TInformazioni::TInformazioni(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Informazioni"));
    setWindowTitle(QStringLiteral("Informazioni su Numora"));
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setPixmap(TSplash::picture());
    layout->addWidget(picture);
    const Globali& g = Globals();
    QString archive = g.archive.empty()
                          ? QStringLiteral("L'archivio storico è vuoto.")
                          : QStringLiteral("Archivio storico: %1 estrazioni, dal %2 al %3.")
                                .arg(g.archive.count())
                                .arg(QString::fromStdString(DateText(g.archive.draw(1))),
                                     QString::fromStdString(DateText(g.archive.last())));
    auto* text = new QLabel(QStringLiteral("<b>Numora</b> versione %1<br>%2<br>Cartella del programma: %3<br>"
                                           "<a href=\"%4\">%4</a>")
                                .arg(QString::fromUtf8(NumoraVersion), archive,
                                     QString::fromStdString(g.appDir).toHtmlEscaped(), QString::fromUtf8(NumoraHomePage)),
                            this);
    text->setObjectName(QStringLiteral("Label1"));
    text->setOpenExternalLinks(true);
    text->setTextInteractionFlags(Qt::TextBrowserInteraction);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

} // namespace numora
