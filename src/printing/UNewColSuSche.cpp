#include "printing/UNewColSuSche.h"

#include "components/UCommandTable.h"
#include "components/UFieldFilters.h"
#include "components/UHelp.h"
#include "components/UMessageBox.h"
#include "components/UPrinter.h"
#include "core/Globali.h"
#include "platform/QtText.h"
#include "printing/USlipPrint.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

const printing::Calibration5& CalibrationOf(printing::SlipOrientation o) {
    const auto& c = Globals().settings.calibration;
    return o == printing::SlipOrientation::Vertical ? c.vertical : c.horizontal;
}

} // namespace

TSlipPrintDialog::TSlipPrintDialog(QWidget* parent, const QString& calibrateCaption, const QString& helpCaption)
    : QDialog(parent) {
    auto* root = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    auto* orient = new QGroupBox(u" Orientamento della schedina "_s, this);
    auto* ol = new QVBoxLayout(orient);
    staver = new QRadioButton(u"Stampa verticale"_s, orient);
    staor = new QRadioButton(u"Stampa orizzontale"_s, orient);
    insertion = new QLabel(orient);
    ol->addWidget(staver);
    ol->addWidget(staor);
    ol->addWidget(insertion, 0, Qt::AlignHCenter);
    left->addWidget(orient);

    auto* print = new QGroupBox(u" Stampa "_s, this);
    auto* pl = new QGridLayout(print);
    Edit1 = new QLineEdit(print);
    Edit2 = new QLineEdit(print);
    Edit3 = new QLineEdit(print);
    for (QLineEdit* e : {Edit1, Edit2, Edit3}) {
        ApplyNumberFilter(e, 6);
        e->setMaximumWidth(70);
    }
    SpeedButton11 = new QPushButton(Q("Stampa giocata nº"), print);
    SpeedButton1 = new QPushButton(Q("Stampa dalla nº"), print);
    pl->addWidget(SpeedButton11, 0, 0);
    pl->addWidget(Edit1, 0, 1);
    pl->addWidget(SpeedButton1, 1, 0);
    pl->addWidget(Edit2, 1, 1);
    pl->addWidget(new QLabel(Q("alla nº"), print), 1, 2);
    pl->addWidget(Edit3, 1, 3);
    stanu = new QCheckBox(u"Stampa il numero della schedina"_s, print);
    pl->addWidget(stanu, 2, 0, 1, 4);
    fermastampa = new QPushButton(u"Interrompi stampa"_s, print);
    fermastampa->hide();
    pl->addWidget(fermastampa, 3, 0, 1, 4);
    left->addWidget(print);

    SpeedButton3 = new QPushButton(calibrateCaption, this);
    SpeedButton12 = new QPushButton(u"Imposta stampante"_s, this);
    SpeedButton10 = new QPushButton(helpCaption, this);
    SpeedButton9 = new QPushButton(u"Chiudi"_s, this);
    for (QPushButton* b : {SpeedButton3, SpeedButton12, SpeedButton10, SpeedButton9}) {
        b->setAutoDefault(false);
        left->addWidget(b);
    }
    SpeedButton11->setAutoDefault(false);
    SpeedButton1->setAutoDefault(false);
    buttonArea = left;
    left->addStretch(1);
    root->addLayout(left);

    auto* right = new QVBoxLayout;
    previewLabel = new QLabel(this);
    right->addWidget(previewLabel);
    previewArea = new QVBoxLayout;
    right->addLayout(previewArea);
    right->addStretch(1);
    root->addLayout(right);

    connect(staver, &QRadioButton::clicked, this, [this] { showInsertion(); });
    connect(staor, &QRadioButton::clicked, this, [this] { showInsertion(); });
    connect(Edit1, &QLineEdit::textEdited, this, [this] { slipEdited(Edit1); });
    connect(Edit2, &QLineEdit::textEdited, this, [this] { slipEdited(Edit2); });
    connect(SpeedButton11, &QPushButton::clicked, this, [this] { SpeedButton11Click(); });
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(fermastampa, &QPushButton::clicked, this, [this] { fermastampaClick(); });
    connect(SpeedButton3, &QPushButton::clicked, this, [this] {
        if (const CommandRow* row = Commands().find(calibrationCommand(orientation())); row && row->action)
            row->action(this);
    });
    connect(SpeedButton12, &QPushButton::clicked, this, [this] { SetUpPrintingPrinter(this); });
    connect(SpeedButton10, &QPushButton::clicked, this,
            [this] { ShowHelpContext(orientation() == printing::SlipOrientation::Vertical ? 13 : 12, this); });
    connect(SpeedButton9, &QPushButton::clicked, this, [this] { SpeedButton9Click(); });
}

printing::SlipOrientation TSlipPrintDialog::orientation() const {
    return staver->isChecked() ? printing::SlipOrientation::Vertical : printing::SlipOrientation::Horizontal;
}

void TSlipPrintDialog::FormActivate() {
    const bool vertical =
        printing::OrientationFromStored(Globals().settings.orientamento) == printing::SlipOrientation::Vertical;
    staver->setChecked(vertical);
    staor->setChecked(!vertical);
    showInsertion();
    PrintingPrinter().setDocName(u"Numora"_s);
    const int count = Globals().system.list.count();
    setWindowTitle(u"Stampa di "_s + QString::number(count) + u" Giocate"_s);
    current_ = 1;
    Edit1->setText(u"1"_s);
    Edit2->setText(u"1"_s);
    Edit3->setText(QString::number(count));
    DrawSlipPreview();
}

void TSlipPrintDialog::showInsertion() {
    insertion->setPixmap(InsertionPicture(orientation()));
}

void TSlipPrintDialog::slipEdited(QLineEdit* edit) {
    int n = printing::ParseSlipNumber(edit->text().toStdString(), Globals().system.list.count());
    if (n == 0) return;
    current_ = n;
    DrawSlipPreview();
}

void TSlipPrintDialog::DrawSlipPreview() {
    previewLabel->setText(Q("Schedina nº ") + QString::number(current_));
    const auto& list = Globals().system.list;
    drawPreview(current_ >= 1 && current_ <= list.count() ? current_ : 0);
}

bool TSlipPrintDialog::beginJob(QPainter& painter) {
    return BeginPrint(painter, PrintingPrinter(), this);
}

TNewColSuSche::TNewColSuSche(QWidget* parent) : TSlipPrintDialog(parent, u"Calibra stampa"_s, u"Guida in linea"_s) {
    setObjectName(u"NewColSuSche"_s);
    antep = new TSlipPreview(this);
    previewArea->addWidget(antep);
    FormActivate();
}

QString TNewColSuSche::calibrationCommand(printing::SlipOrientation o) const {
    return o == printing::SlipOrientation::Vertical ? u"Calibralastampaverticalesuschedine1"_s
                                                    : u"Calibralastampaorizzontalesuschedine1"_s;
}

void TNewColSuSche::drawPreview(int index) {
    if (index > 0)
        antep->setCircles(
            printing::NewSlipPreview(Globals().system.list.play(index), Globals().settings.denominations));
    else
        antep->setCircles({});
}

void TNewColSuSche::PrintSlip(QPainter& painter, int index) {
    const auto o = orientation();
    const auto& cal = CalibrationOf(o);
    const auto page = PageOf(PrintingPrinter());
    const Play& play = Globals().system.list.play(index);
    DrawDots(painter, printing::NewSlipDots(play, o, cal, Globals().settings.denominations, page));
    if (stanu->isChecked())
        DrawSlipNumber(painter, page, 500, QString::fromStdString(printing::SlipNumberText(index)),
                       printing::NewSlipNumberPosition(o, cal, page));
}

void TSlipPrintDialog::SpeedButton11Click() {
    const int count = Globals().system.list.count();
    const int n = printing::ParseSlipNumber(Edit1->text().toStdString(), count);
    if (n == 0) {
        MessageBox::show(this, Q(printing::SlipErrorTitle), Q(printing::BadSlipMessage), MsgIcon::Error, MsgButtons::Ok,
                         MsgAnswer::Ok);
        Edit1->setFocus();
        return;
    }
    QPainter painter;
    if (!beginJob(painter)) return;
    current_ = n;
    DrawSlipPreview();
    PrintSlip(painter, n);
    painter.end();
    QApplication::processEvents();
    current_ = printing::NextSlip(n, count);
    Edit1->setText(QString::number(current_));
    DrawSlipPreview();
    QApplication::processEvents();
}

void TSlipPrintDialog::SpeedButton1Click() {
    const int count = Globals().system.list.count();
    const auto check = printing::CheckSlipRange(Edit2->text().toStdString(), Edit3->text().toStdString(), count);
    if (check.message) {
        MessageBox::show(this, Q(printing::SlipErrorTitle), Q(check.message), MsgIcon::Error, MsgButtons::Ok,
                         MsgAnswer::Ok);
        (check.field == printing::SlipRangeCheck::Field::Last ? Edit3 : Edit2)->setFocus();
        return;
    }
    const int first = printing::ParseSlipNumber(Edit2->text().toStdString(), count);
    const int last = printing::ParseSlipNumber(Edit3->text().toStdString(), count);
    fermastampa->show();
    stopRequested_ = false;
    QPainter painter;
    if (!beginJob(painter)) {
        fermastampa->hide();
        return;
    }
    for (int i = first; i <= last; ++i) {
        QApplication::processEvents();
        if (stopRequested_) {
            if (MessageBox::question(this, u"Sei sicuro di voler interrompere la stampa ?"_s, MsgButtons::YesNo,
                                     MsgAnswer::No, MsgIcon::Question, u"Conferma"_s) == MsgAnswer::Yes) {
                painter.end();
                fermastampa->hide();
                return;
            }
            stopRequested_ = false;
        }
        // A new page for every slip after the first, begun only when the slip is printed, so
        // that an interruption leaves no blank page at the end of the job.
        if (i > first) PrintingPrinter().newPage();
        current_ = i;
        PrintSlip(painter, i);
        DrawSlipPreview();
        Edit1->setText(QString::number(i));
        Edit2->setText(QString::number(i));
        QApplication::processEvents();
        if (afterSlip) afterSlip(i);
    }
    painter.end();
    fermastampa->hide();
}

void TNewColSuSche::SpeedButton9Click() {
    Globals().settings.orientamento = printing::StoredOrientation(orientation());
    Globals().writeCalibration();
    accept();
}

} // namespace numora
