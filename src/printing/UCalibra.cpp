#include "printing/UCalibra.h"

#include "components/UHelp.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "components/UPrinter.h"
#include "core/Globali.h"
#include "core/TextHelpers.h"
#include "printing/OldSlipSettings.h"
#include "printing/USlipPrint.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

bool IsVertical(printing::SlipOrientation o) {
    return o == printing::SlipOrientation::Vertical;
}

OldSlipLayout& StoredLayout(printing::SlipOrientation o) {
    auto& s = Globals().settings;
    return IsVertical(o) ? s.oldVertical : s.oldHorizontal;
}

double OldSlipLayout::*const Fields[6] = {&OldSlipLayout::sinistro,       &OldSlipLayout::superiore,
                                          &OldSlipLayout::distanza_righe, &OldSlipLayout::distanza_colonne,
                                          &OldSlipLayout::diametro,       &OldSlipLayout::distanza_importi};

class OldCalibrationPicture : public QWidget {
public:
    OldCalibrationPicture(printing::SlipOrientation o, QWidget* parent) : QWidget(parent), o_(o) {
        setFixedSize(IsVertical(o) ? QSize(200, 300) : QSize(300, 200));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(236, 244, 255));
        p.setPen(QPen(QColor(30, 90, 170), 1));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        for (int i = 1; i <= 31; ++i)
            for (int j = 1; j <= 13; ++j) {
                printing::Cell h{i, j};
                if (i == 11 || i == 12 || (i <= 10 && j > 9) || (i >= 14 && j > 6) || (i == 13 && j == 12)) continue;
                printing::Cell c = IsVertical(o_) ? printing::Cell{14 - h.b, h.a} : h;
                QPoint at = TOldCalibrationDialog::cellPosition(o_, c);
                p.drawRect(at.x(), at.y(), 5, 5);
            }
    }

private:
    printing::SlipOrientation o_;
};

} // namespace

QPoint TOldCalibrationDialog::cellPosition(printing::SlipOrientation o, const printing::Cell& c) {
    if (IsVertical(o)) {
        const int y = c.b <= 13 ? 10 + (c.b - 1) * 9 : 130 + (c.b - 14) * 9;
        return {10 + (c.a - 1) * 13, y};
    }
    const int x = c.a <= 13 ? 10 + (c.a - 1) * 9 : 130 + (c.a - 14) * 9;
    return {x, 10 + (c.b - 1) * 13};
}

TOldCalibrationDialog::TOldCalibrationDialog(printing::SlipOrientation o, QWidget* parent)
    : QDialog(parent), o_(o), working_(StoredLayout(o)), printed_(StoredLayout(o)) {
    setWindowTitle(IsVertical(o) ? u"Calibra stampa verticale su schedine"_s
                                 : u"Calibra stampa orizzontale su schedine"_s);
    auto* root = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* marks = new QGroupBox(u" Stampa dei segni (margini in millimetri) "_s, this);
    auto* ml = new QGridLayout(marks);
    static const char* labels[5] = {"Margine sinistro:", "Margine superiore:", "Distanza tra righe:",
                                    "Distanza tra colonne:", "Diametro dei segni:"};
    for (int k = 0; k < 6; ++k) {
        auto uk = static_cast<std::size_t>(k);
        edits[uk] = new QLineEdit(this);
        edits[uk]->installEventFilter(this);
        edits[uk]->setMinimumWidth(130);
    }
    for (int k = 0; k < 5; ++k) {
        ml->addWidget(new QLabel(QString::fromUtf8(labels[k]), marks), k, 0);
        ml->addWidget(edits[static_cast<std::size_t>(k)], k, 1);
    }
    left->addWidget(marks);
    auto* amounts = new QGroupBox(u" Stampa degli importi (margini in millimetri) "_s, this);
    auto* al = new QGridLayout(amounts);
    al->addWidget(new QLabel(IsVertical(o) ? u"Margine superiore:"_s : u"Margine sinistro:"_s, amounts), 0, 0);
    al->addWidget(edits[5], 0, 1);
    left->addWidget(amounts);

    auto* moveBox = new QGridLayout;
    static const char* captions[8] = {"←", "→", "↑", "↓", "↕−", "↕+", "↔−", "↔+"};
    for (int k = 0; k < 8; ++k) {
        auto uk = static_cast<std::size_t>(k);
        moves[uk] = new QPushButton(QString::fromUtf8(captions[k]), this);
        moves[uk]->setAutoDefault(false);
        SetHint(moves[uk], QString::fromUtf8(printing::OldCalibrationHints[uk]));
        moveBox->addWidget(moves[uk], k / 4, k % 4);
        connect(moves[uk], &QPushButton::clicked, this,
                [this, k] { moveClick(static_cast<printing::OldCalibrationMove>(k)); });
    }
    left->addLayout(moveBox);
    left->addWidget(new QLabel(u"Ripetere la stampa di prova finché i 6 segni stampati nella schedina di prova\n"
                               u"non cadono sugli angoli dei tre riquadri di gioco."_s,
                               this));
    SpeedButton11 = new QPushButton(u"Stampa schedina di prova"_s, this);
    SpeedButton9 = new QPushButton(u"Salva e chiudi"_s, this);
    SpeedButton13 = new QPushButton(u"Ripristina valori originali"_s, this);
    SpeedButton12 = new QPushButton(u"Imposta stampante"_s, this);
    SpeedButton10 = new QPushButton(u"Spiegazioni"_s, this);
    spb8 = new QPushButton(u"Annulla"_s, this);
    for (QPushButton* b : {SpeedButton11, SpeedButton9, SpeedButton13, SpeedButton12, SpeedButton10, spb8}) {
        b->setAutoDefault(false);
        left->addWidget(b);
    }
    left->addStretch(1);
    root->addLayout(left);
    picture = new OldCalibrationPicture(o, this);
    for (std::size_t k = 0; k < 6; ++k) {
        markers[k] = new QFrame(picture);
        markers[k]->setFixedSize(6, 6);
        markers[k]->setStyleSheet(u"background: red; border: none;"_s);
    }
    root->addWidget(picture, 0, Qt::AlignTop);

    connect(SpeedButton11, &QPushButton::clicked, this, [this] { SpeedButton11Click(); });
    connect(SpeedButton9, &QPushButton::clicked, this, [this] { SpeedButton9Click(); });
    connect(SpeedButton13, &QPushButton::clicked, this, [this] { SpeedButton13Click(); });
    connect(SpeedButton12, &QPushButton::clicked, this, [this] { SetUpPrintingPrinter(this); });
    connect(SpeedButton10, &QPushButton::clicked, this, [this] { ShowHelpContext(IsVertical(o_) ? 13 : 12, this); });
    connect(spb8, &QPushButton::clicked, this, &QDialog::reject);
    PrintingPrinter().setDocName(u"Numora"_s);
    ShowValues();
    PlaceMarkers();
}

void TOldCalibrationDialog::ReadValues() {
    for (std::size_t k = 0; k < 6; ++k) {
        bool ok = false;
        const double v = edits[k]->text().trimmed().toDouble(&ok);
        if (ok) working_.*Fields[k] = v; // a field that does not read keeps its value
    }
}

void TOldCalibrationDialog::ShowValues() {
    for (std::size_t k = 0; k < 6; ++k) edits[k]->setText(QString::fromStdString(FormatReal(working_.*Fields[k], 10)));
}

void TOldCalibrationDialog::PlaceMarkers() {
    const auto cells = printing::OldCalibrationTestCells(o_);
    const double ux = IsVertical(o_) ? 0.35165 : 0.35341;
    const double uy = IsVertical(o_) ? 0.35341 : 0.35165;
    for (std::size_t k = 0; k < 6; ++k) {
        const auto w = printing::OldSlipCell(o_, working_, cells[k].a, cells[k].b);
        const auto p = printing::OldSlipCell(o_, printed_, cells[k].a, cells[k].b);
        const QPoint base = cellPosition(o_, cells[k]);
        markers[k]->move(base.x() - static_cast<int>(std::nearbyint((w.x - p.x) / ux)),
                         base.y() - static_cast<int>(std::nearbyint((w.y - p.y) / uy)));
    }
}

void TOldCalibrationDialog::moveClick(printing::OldCalibrationMove move) {
    ReadValues();
    printing::ApplyOldCalibrationMove(o_, working_, move);
    ShowValues();
    PlaceMarkers();
}

void TOldCalibrationDialog::SpeedButton11Click() {
    ReadValues();
    QPainter painter;
    if (!BeginPrint(painter, PrintingPrinter(), this)) return;
    const auto page = PageOf(PrintingPrinter());
    for (const auto& c : printing::OldCalibrationTestCells(o_))
        DrawDot(painter, printing::ToPixelDot(page, printing::OldSlipPage,
                                              printing::OldSlipCell(o_, working_, c.a, c.b), working_.diametro));
    painter.end();
    printed_ = working_;
    PlaceMarkers();
}

void TOldCalibrationDialog::SpeedButton13Click() {
    working_ = printing::OldSlipOriginalValues(o_);
    ShowValues();
    PlaceMarkers();
}

void TOldCalibrationDialog::SpeedButton9Click() {
    ReadValues();
    auto& g = Globals();
    StoredLayout(o_) = working_;
    if (g.readOnly) {
        MessageBox::show(nullptr, u"Numora"_s, QString::fromUtf8(ReadOnlyMessage), MsgIcon::Error, MsgButtons::Ok,
                         MsgAnswer::Ok);
    } else if (!printing::WriteIniKeys(g.path(SettingsFileName), "MARGINI_STAMPANTE",
                                       printing::OldLayoutKeys(o_, working_))) {
        MessageBox::error(this, u"Impossibile scrivere il file Numora.ini."_s);
        return;
    }
    accept();
}

bool TOldCalibrationDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(watched)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            ReadValues();
            PlaceMarkers();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

TCalibra::TCalibra(QWidget* parent) : TOldCalibrationDialog(printing::SlipOrientation::Horizontal, parent) {
    setObjectName(u"Calibra"_s);
}

TCalibraVer::TCalibraVer(QWidget* parent) : TOldCalibrationDialog(printing::SlipOrientation::Vertical, parent) {
    setObjectName(u"CalibraVer"_s);
}

} // namespace numora
