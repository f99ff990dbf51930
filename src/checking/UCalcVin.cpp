#include "checking/UCalcVin.h"

#include "checking/Payout.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

// The calculator's stake fields read "." as the decimal point: a typed "," becomes ".", and
// only digits, "." and control characters (codes up to 14) pass.
class CalcStakeFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const QString t = key->text();
        if (t.size() != 1 || t[0].unicode() <= 14) return false;
        const QChar c = t[0];
        if (c == u',') {
            if (auto* edit = qobject_cast<QLineEdit*>(watched)) edit->insert(u"."_s);
            return true;
        }
        return !(c.isDigit() && c.unicode() < 128) && c != u'.';
    }
};

} // namespace

TCalcVin::TCalcVin(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TCalcVin"_s);
    setWindowTitle(u"Calcola Vincite"_s);

    auto combo = [this](const QString& name, int from, int to, int current) {
        auto* c = new QComboBox(this);
        c->setObjectName(name);
        for (int i = from; i <= to; ++i) c->addItem(QString::number(i));
        c->setCurrentIndex(current - from);
        return c;
    };
    cb1 = new QComboBox(this);
    cb1->setObjectName(u"cb1"_s);
    cb1->addItems({u"Singola"_s, u"Tutte"_s});
    cb2 = combo(u"cb2"_s, 1, 10, 5);
    cb3 = combo(u"cb3"_s, 0, 5, 1);

    auto* filter = new CalcStakeFilter(this);
    auto* validator = new QRegularExpressionValidator(QRegularExpression(u"[0-9]*\\.?[0-9]*"_s), this);
    auto edit = [&](const QString& name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->installEventFilter(filter);
        e->setValidator(validator);
        e->setMaxLength(20);
        connect(e, &QLineEdit::textChanged, this, &TCalcVin::changed);
        return e;
    };
    Edit1 = edit(u"Edit1"_s);
    Edit2 = edit(u"Edit2"_s);
    Edit3 = edit(u"Edit3"_s);
    Edit4 = edit(u"Edit4"_s);
    Edit5 = edit(u"Edit5"_s);

    go = new QPushButton(u"Calcola vincita"_s, this);
    go->setObjectName(u"go"_s);
    go->setEnabled(false);
    go->setDefault(true);
    Label19 = new QLabel(u"Totale*:"_s, this);
    Label19->setObjectName(u"Label19"_s);
    QFont bold = Label19->font();
    bold.setBold(true);
    Label19->setFont(bold);
    SpeedButton1 = new QPushButton(u"Chiudi"_s, this);
    SpeedButton1->setObjectName(u"SpeedButton1"_s);
    SpeedButton1->setAutoDefault(false);

    connect(cb1, &QComboBox::currentIndexChanged, this, &TCalcVin::changed);
    connect(cb2, &QComboBox::currentIndexChanged, this, &TCalcVin::cb2Change);
    connect(cb3, &QComboBox::currentIndexChanged, this, &TCalcVin::changed);
    connect(go, &QPushButton::clicked, this, &TCalcVin::goClick);
    connect(SpeedButton1, &QPushButton::clicked, this, &TCalcVin::SpeedButton1Click);

    auto* top = new QGridLayout;
    top->addWidget(new QLabel(u"Ruota"_s, this), 0, 0);
    top->addWidget(cb1, 0, 1);
    top->addWidget(new QLabel(u"Quantità di numeri giocati:"_s, this), 1, 0);
    top->addWidget(cb2, 1, 1);
    top->addWidget(new QLabel(u"Quantità di numeri indovinati:"_s, this), 2, 0);
    top->addWidget(cb3, 2, 1);

    auto* stakes = new QGridLayout;
    stakes->addWidget(new QLabel(u"Importi giocati:"_s, this), 0, 0, 1, 5);
    const QString kinds[] = {u"Estratto"_s, u"Ambo"_s, u"Terno"_s, u"Quaterna"_s, u"Cinquina"_s};
    for (int k = 0; k < 5; ++k) {
        stakes->addWidget(new QLabel(kinds[k], this), 1, k);
        stakes->addWidget(fields()[static_cast<std::size_t>(k)], 2, k);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(go);
    buttons->addStretch(1);
    buttons->addWidget(SpeedButton1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addLayout(stakes);
    layout->addSpacing(6);
    layout->addWidget(Label19);
    layout->addWidget(new QLabel(QString::fromUtf8(GrossNote), this));
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Windows().enrol(this);
}

TCalcVin::~TCalcVin() {
    Windows().forget(this);
}

TCalcVin* TCalcVin::instance() {
    return Windows().find<TCalcVin>();
}

void TCalcVin::changed() {
    go->setEnabled(true);
}

void TCalcVin::cb2Change() {
    // No more hits than numbers played: the list offers 0..n, keeping the choice while it fits.
    const int n = cb2->currentIndex() + 1;
    const int h = std::min(cb3->currentIndex(), n);
    {
        const QSignalBlocker block(cb3);
        cb3->clear();
        for (int i = 0; i <= n; ++i) cb3->addItem(QString::number(i));
        cb3->setCurrentIndex(h);
    }
    changed();
}

void TCalcVin::goClick() {
    go->setEnabled(false);
    std::array<Amount, 5> stakes{};
    for (std::size_t k = 0; k < 5; ++k) {
        if (!ParseCalculatorStake(fields()[k]->text().toStdString(), stakes[k])) {
            MessageBox::error(this, QString::fromUtf8(StakeFieldMessages[k]));
            return;
        }
    }
    Amount sum;
    for (const Amount& s : stakes) sum += s;
    if (!sum.positive()) {
        MessageBox::error(this, QString::fromUtf8(StakesNotPositiveMessage));
        return;
    }
    const Settings& s = Globals().settings;
    const int d = cb1->currentIndex() == 1 ? 10 : 1;
    const Amount total =
        CalculatorTotal(stakes, cb3->currentIndex(), cb2->currentIndex() + 1, d, Amount::fromDouble(s.vincitaMassima));
    const QString text = u"Totale*: "_s + QString::fromStdString(FormatAmount(total, s)) + u" €"_s;
    Label19->setText(text);
    SetHint(Label19, text);
}

void TCalcVin::SpeedButton1Click() {
    reject();
}

} // namespace numora
