#include "printing/UColSuCarta.h"

#include "components/UMessageBox.h"
#include "components/UPrinter.h"
#include "core/Globali.h"
#include "core/TextHelpers.h"
#include "printing/PlainPaperLayout.h"
#include "printing/SlipGeometry.h"
#include "printing/USlipPrint.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

TColSuCarta::TColSuCarta(QWidget* parent) : QDialog(parent) {
    setObjectName(u"ColSuCarta"_s);
    setWindowTitle(u"Stampa giocate su carta comune"_s);
    auto* root = new QVBoxLayout(this);
    root->addWidget(new QLabel(u"Stampa anche la seguente intestazione:"_s, this));
    Memo1 = new QPlainTextEdit(this);
    Memo1->setMinimumSize(420, 110);
    root->addWidget(Memo1);
    auto* options = new QHBoxLayout;
    CheckBox1 = new QCheckBox(u"Stampa fisse"_s, this);
    CheckBox2 = new QCheckBox(u"Stampa pronostico"_s, this);
    CheckBox3 = new QCheckBox(u"Stampa giocate"_s, this);
    for (QCheckBox* c : {CheckBox1, CheckBox2, CheckBox3}) options->addWidget(c);
    root->addLayout(options);
    auto* buttons = new QHBoxLayout;
    SpeedButton11 = new QPushButton(u"Stampa"_s, this);
    SpeedButton12 = new QPushButton(u"Imposta stampante"_s, this);
    SpeedButton9 = new QPushButton(u"Chiudi"_s, this);
    for (QPushButton* b : {SpeedButton11, SpeedButton12, SpeedButton9}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    root->addLayout(buttons);
    connect(SpeedButton11, &QPushButton::clicked, this, [this] { SpeedButton11Click(); });
    connect(SpeedButton12, &QPushButton::clicked, this, [this] { SetUpPrintingPrinter(this); });
    connect(SpeedButton9, &QPushButton::clicked, this, &QDialog::reject);
    FormActivate();
}

void TColSuCarta::fillHeading() {
    const auto& g = Globals();
    const std::string cost = FormatAmount(TotalCost(g.system.list), g.settings) + " €";
    QStringList lines;
    for (const auto& line : printing::PlainPaperHeading(g.system.currentPath, g.system.list.count(), cost))
        lines << QString::fromStdString(line);
    Memo1->setPlainText(lines.join(u'\n'));
}

void TColSuCarta::FormActivate() {
    PrintingPrinter().setDocName(u"Numora"_s);
    const auto& system = Globals().system;
    for (QCheckBox* c : {CheckBox1, CheckBox2, CheckBox3}) {
        c->setChecked(true);
        c->setEnabled(true);
    }
    auto off = [](QCheckBox* c) {
        c->setChecked(false);
        c->setEnabled(false);
    };
    if (system.forecast.fixedCount <= 0) off(CheckBox1);
    if (system.list.empty()) off(CheckBox3);
    if (system.forecast.chosenCount() == 0) off(CheckBox2);
}

void TColSuCarta::SpeedButton11Click() {
    printListing(PrintingPrinter());
}

bool TColSuCarta::printListing(QPrinter& printer) {
    printer.setDocName(u"Numora"_s);
    QPainter painter;
    if (!BeginPrint(painter, printer, this)) return false;
    std::vector<std::string> heading;
    const QString text = Memo1->toPlainText();
    if (!text.isEmpty())
        for (const QString& line : text.split(u'\n')) heading.push_back(line.toStdString());

    const auto& g = Globals();
    std::vector<Play> plays;
    plays.reserve(static_cast<std::size_t>(g.system.list.count()));
    for (int i = 1; i <= g.system.list.count(); ++i) plays.push_back(g.system.list.play(i));
    const printing::PlainPaperOptions options{CheckBox1->isChecked(), CheckBox2->isChecked(), CheckBox3->isChecked()};
    PaintPlainPaper(painter, printer, heading, g.system.forecast, plays, options, g.settings.decimali);
    painter.end();
    return true;
}

} // namespace numora
