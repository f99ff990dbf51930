#include "printing/UNewCalibra.h"

#include "components/UHelp.h"
#include "components/UMessageBox.h"
#include "components/UPrinter.h"
#include "core/Globali.h"
#include "core/TextHelpers.h"
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
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

bool IsVertical(printing::SlipOrientation o) {
    return o == printing::SlipOrientation::Vertical;
}

printing::Calibration5& StoredCalibration(printing::SlipOrientation o) {
    auto& c = Globals().settings.calibration;
    return IsVertical(o) ? c.vertical : c.horizontal;
}

// The slip picture behind the markers: the card and the four corners of the test print.
class CalibrationPicture : public QWidget {
public:
    CalibrationPicture(printing::SlipOrientation o, QWidget* parent) : QWidget(parent), o_(o) {
        const auto& g = printing::CalibrationGeometry(o);
        setFixedSize(g.base2.x + g.base1.x + 10, g.base2.y + g.base1.y + 10);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const auto& g = printing::CalibrationGeometry(o_);
        QPainter p(this);
        p.fillRect(rect(), QColor(255, 236, 240));
        p.setPen(QPen(QColor(200, 30, 60), 1));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        // The grid of the number boxes between the two corners, 14 by 33 steps.
        const double stepX = double(g.base2.x - g.base1.x) / g.nx;
        const double stepY = double(g.base2.y - g.base1.y) / g.ny;
        for (int i = 0; i <= g.nx; ++i)
            for (int j = 0; j <= g.ny; ++j)
                p.drawRect(QRectF(g.base1.x + i * stepX - 1, g.base1.y + j * stepY - 1, 7, 7));
    }

private:
    printing::SlipOrientation o_;
};

} // namespace

TUpDown::TUpDown(bool horizontal, QWidget* parent) : QWidget(parent) {
    auto* l = horizontal ? static_cast<QBoxLayout*>(new QHBoxLayout(this)) : new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    less = new QToolButton(this);
    more = new QToolButton(this);
    less->setArrowType(horizontal ? Qt::LeftArrow : Qt::UpArrow);
    more->setArrowType(horizontal ? Qt::RightArrow : Qt::DownArrow);
    for (QToolButton* b : {less, more}) {
        b->setFixedSize(horizontal ? QSize(16, 20) : QSize(20, 11));
        l->addWidget(b);
    }
}

TNewCalibrationDialog::TNewCalibrationDialog(printing::SlipOrientation o, QWidget* parent)
    : QDialog(parent), model_(o, StoredCalibration(o), Globals().settings.tipoBloccaggio) {
    setWindowTitle(IsVertical(o) ? u"Calibra la stampa verticale su schedine"_s
                                 : u"Calibra la stampa orizzontale su schedine"_s);
    auto* root = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;

    auto* values = new QGroupBox(u" Valori di calibrazione in millimetri "_s, this);
    auto* vl = new QGridLayout(values);
    static const char* labels[5] = {"Margine sinistro:", "Margine superiore:", "Distanza tra colonne:",
                                    "Distanza tra righe:", "Diametro dei segni:"};
    static constexpr bool leftRight[5] = {true, false, true, false, true};
    static const char* upDownNames[5] = {"UpDown1", "UpDown2", "UpDown4", "UpDown3", "UpDown5"};
    for (int k = 0; k < 5; ++k) {
        auto uk = static_cast<std::size_t>(k);
        edits[uk] = new QLineEdit(values);
        edits[uk]->setObjectName(u"Edit"_s + QString::number(k + 1));
        edits[uk]->installEventFilter(this);
        edits[uk]->setMinimumWidth(130);
        upDowns[uk] = new TUpDown(leftRight[k], values);
        upDowns[uk]->setObjectName(QString::fromLatin1(upDownNames[k]));
        vl->addWidget(new QLabel(QString::fromUtf8(labels[k]), values), k, 0);
        vl->addWidget(edits[uk], k, 1);
        vl->addWidget(upDowns[uk], k, 2);
        connect(upDowns[uk]->less, &QToolButton::clicked, this, [this, k] { arrowClick(k, -1); });
        connect(upDowns[uk]->more, &QToolButton::clicked, this, [this, k] { arrowClick(k, +1); });
    }
    left->addWidget(values);

    auto* fixing = new QGroupBox(u" Tipo bloccaggio delle schedine "_s, this);
    auto* fl = new QVBoxLayout(fixing);
    RadioButton1 = new QRadioButton(u"Bloccaggio laterale"_s, fixing);
    RadioButton2 = new QRadioButton(u"Bloccaggio centrale"_s, fixing);
    fl->addWidget(RadioButton1);
    fl->addWidget(RadioButton2);
    left->addWidget(fixing);
    connect(RadioButton1, &QRadioButton::clicked, this, [this] { fixingClick(0); });
    connect(RadioButton2, &QRadioButton::clicked, this, [this] { fixingClick(1); });

    SpeedButton11 = new QPushButton(u"Stampa schedina di prova"_s, this);
    SpeedButton9 = new QPushButton(u"Salva e chiudi"_s, this);
    SpeedButton13 = new QPushButton(u"Ripristina valori originali"_s, this);
    SpeedButton12 = new QPushButton(u"Imposta stampante"_s, this);
    SpeedButton10 = new QPushButton(u"Guida in linea"_s, this);
    spb8 = new QPushButton(u"Annulla"_s, this);
    for (QPushButton* b : {SpeedButton11, SpeedButton9, SpeedButton13, SpeedButton12, SpeedButton10, spb8}) {
        b->setAutoDefault(false);
        left->addWidget(b);
    }
    auto* insertion = new QLabel(this);
    insertion->setPixmap(InsertionPicture(o));
    left->addWidget(insertion, 0, Qt::AlignHCenter);
    left->addStretch(1);
    root->addLayout(left);

    picture = new CalibrationPicture(o, this);
    for (std::size_t k = 0; k < 4; ++k) {
        markers[k] = new QFrame(picture);
        markers[k]->setObjectName(u"se"_s + QString::number(k + 1));
        markers[k]->setFixedSize(6, 6);
        markers[k]->setStyleSheet(u"background: blue; border: none;"_s);
    }
    root->addWidget(picture, 0, Qt::AlignTop);

    connect(SpeedButton11, &QPushButton::clicked, this, [this] { SpeedButton11Click(); });
    connect(SpeedButton9, &QPushButton::clicked, this, [this] { SpeedButton9Click(); });
    connect(SpeedButton13, &QPushButton::clicked, this, [this] { SpeedButton13Click(); });
    connect(SpeedButton12, &QPushButton::clicked, this, [this] { SetUpPrintingPrinter(this); });
    connect(SpeedButton10, &QPushButton::clicked, this,
            [this] { ShowHelpContext(IsVertical(model_.orientation()) ? 13 : 12, this); });
    connect(spb8, &QPushButton::clicked, this, &QDialog::reject);

    // FormActivate
    PrintingPrinter().setDocName(u"Numora"_s);
    ShowValues();
    PlaceMarkers();
}

void TNewCalibrationDialog::ReadValues() {
    for (int k = 0; k < 5; ++k) {
        bool ok = false;
        const double v = edits[static_cast<std::size_t>(k)]->text().toDouble(&ok);
        if (!ok) return; // this field and the later ones keep their values
        model_.setWorking(k, v);
    }
}

void TNewCalibrationDialog::ShowValues() {
    for (std::size_t k = 0; k < 5; ++k) edits[k]->setText(QString::fromStdString(FormatReal(model_.working()[k], 10)));
    const QSignalBlocker b1(RadioButton1), b2(RadioButton2);
    (model_.fixingType() == 1 ? RadioButton2 : RadioButton1)->setChecked(true);
}

void TNewCalibrationDialog::PlaceMarkers() {
    auto m = model_.markers();
    for (std::size_t k = 0; k < 4; ++k) markers[k]->move(m[k].x, m[k].y);
}

void TNewCalibrationDialog::arrowClick(int field, int direction) {
    ReadValues();
    model_.step(field, direction);
    PlaceMarkers();
    ShowValues();
}

void TNewCalibrationDialog::fixingClick(int type) {
    model_.chooseFixing(type);
    ShowValues();
    PlaceMarkers();
}

void TNewCalibrationDialog::SpeedButton11Click() {
    ReadValues();
    QPrinter& printer = PrintingPrinter();
    QPainter painter;
    if (!BeginPrint(painter, printer, this)) return;
    const auto page = PageOf(printer);
    const auto& w = model_.working();
    for (const auto& at : printing::NewCalibrationTestDots(model_.orientation(), w))
        DrawDot(painter, printing::ToPixelDot(page, printing::NewSlipPage, at, w[4]));
    painter.end();
    model_.markPrinted();
    PlaceMarkers();
}

void TNewCalibrationDialog::SpeedButton13Click() {
    if (MessageBox::question(this, u"Ripristinare i valori originali ?"_s, MsgButtons::YesNo, MsgAnswer::Yes,
                             MsgIcon::Question, u"Attenzione"_s) != MsgAnswer::Yes)
        return;
    model_.restoreDefaults();
    PlaceMarkers();
    ShowValues();
}

void TNewCalibrationDialog::SpeedButton9Click() {
    ReadValues();
    StoredCalibration(model_.orientation()) = model_.working();
    Globals().settings.tipoBloccaggio = model_.fixingType();
    Globals().writeCalibration();
    accept();
}

bool TNewCalibrationDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit) return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        ReadValues();
        PlaceMarkers();
        return true;
    }
    const QString text = key->text();
    if (text.isEmpty() || key->key() == Qt::Key_Backspace || text.at(0).unicode() < 32) return false;
    if (text == u","_s) {
        edit->insert(u"."_s);
        return true;
    }
    const QChar c = text.at(0);
    return !(c.isDigit() || c == u'.');
}

TNewCalibra::TNewCalibra(QWidget* parent) : TNewCalibrationDialog(printing::SlipOrientation::Horizontal, parent) {
    setObjectName(u"NewCalibra"_s);
}

TNewCalibraVer::TNewCalibraVer(QWidget* parent) : TNewCalibrationDialog(printing::SlipOrientation::Vertical, parent) {
    setObjectName(u"NewCalibraVer"_s);
}

} // namespace numora
