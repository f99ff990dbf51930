#include "main/UInformazioni.h"

#include "components/UMessageBox.h"
#include "components/UTiledPanel.h"
#include "core/Globali.h"
#include "core/TextHelpers.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

QLabel* Paragraph(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

TInformazioni::TInformazioni(QWidget* parent) : QDialog(parent) {
    setObjectName(u"Informazioni"_s);
    setWindowTitle(u"Informazioni su Numora"_s);
    const Globali& g = Globals();

    auto* banner = new TTiledPanel(this);
    auto* bannerLayout = new QHBoxLayout(banner);
    auto* icon = new QLabel(banner);
    icon->setPixmap(ProgramIconPixmap(64, devicePixelRatioF()));
    icon->setAttribute(Qt::WA_TranslucentBackground);
    bannerLayout->addWidget(icon);
    auto* titles = new QVBoxLayout;
    titles->addWidget(new TPanelLabel(u"Numora"_s, banner, true));
    titles->addWidget(new TPanelLabel(u"Statistiche, previsioni e sistemi per il Lotto"_s, banner));
    bannerLayout->addLayout(titles);
    bannerLayout->addStretch();

    const QString archive = g.archive.empty()
                                ? u"L'archivio storico è vuoto."_s
                                : u"Archivio storico: %1 estrazioni, dal %2 al %3."_s.arg(g.archive.count())
                                      .arg(QString::fromStdString(DateText(g.archive.draw(1))),
                                           QString::fromStdString(DateText(g.archive.last())));
    QString folder = u"Cartella dei dati: %1"_s.arg(QString::fromStdString(g.appDir).toHtmlEscaped());
    if (g.readOnly) folder += u" (sola lettura)"_s;
    if (!g.dataFolderProblem.empty()) folder += u"<br>"_s + QString::fromStdString(g.dataFolderProblem).toHtmlEscaped();
    Label1 = new QLabel(u"<b>Versione %1</b> (Qt %2)<br>%3<br>%4"_s.arg(QString::fromUtf8(NumoraVersion),
                                                                        QString::fromUtf8(qVersion()), archive, folder),
                        this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setWordWrap(true);
    Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    licenza = Paragraph(QString::fromUtf8(NumoraLicence), this);
    licenza->setObjectName(u"licenza"_s);
    riconoscimenti = Paragraph(QString::fromUtf8(NumoraCredits), this);
    riconoscimenti->setObjectName(u"riconoscimenti"_s);
    Label3 = new QLabel(u"<a href=\"%1\">Numora %1</a>"_s.arg(QString::fromUtf8(NumoraHomePage)), this);
    Label3->setObjectName(u"Label3"_s);
    Label3->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(Label3, &QLabel::linkActivated, this, [this] { OpenHomePage(this); });

    ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"ok"_s);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 8, 12, 8);
    body->setSpacing(8);
    body->addWidget(Label1);
    body->addWidget(licenza);
    body->addWidget(riconoscimenti);
    body->addWidget(Label3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(banner);
    layout->addLayout(body);
    // Wide enough for the banner's heading, and the paragraphs wrap within that.
    setFixedWidth(qMax(banner->sizeHint().width(), fontMetrics().averageCharWidth() * 64));
    setFixedHeight(heightForWidth(width()) > 0 ? heightForWidth(width()) : sizeHint().height());
}

void OpenHomePage(QWidget* parent) {
    if (!QDesktopServices::openUrl(QUrl(QString::fromUtf8(NumoraHomePage))))
        MessageBox::information(parent,
                                u"Impossibile aprire il browser. L'indirizzo della pagina di Numora è:\r\n%1"_s.arg(
                                    QString::fromUtf8(NumoraHomePage)));
}

} // namespace numora
