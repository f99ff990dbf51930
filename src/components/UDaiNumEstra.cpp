#include "components/UDaiNumEstra.h"

#include "components/UWindowRegistry.h"

#include "core/Globali.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {} // namespace

TDaiNumEstra::TDaiNumEstra(QWidget* parent, const DrawArchive* archive)
    : QDialog(parent), archive_(archive ? archive : &Globals().archive) {
    setObjectName(u"TDaiNumEstra"_s);
    setWindowTitle(u"Specificare l'estrazione"_s);

    Label1 = new QLabel(u"Indicare l'estrazione da usare per lo spoglio"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Data = new QLabel(this);
    Data->setObjectName(u"Data"_s);
    Concorso = new QLabel(this);
    Concorso->setObjectName(u"Concorso"_s);
    ScrollBar1 = new QScrollBar(Qt::Horizontal, this);
    ScrollBar1->setObjectName(u"ScrollBar1"_s);
    ScrollBar1->setMinimumWidth(300);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TDaiNumEstra::ScrollBar1Change);

    OK = new QPushButton(u"OK"_s, this);
    OK->setObjectName(u"OK"_s);
    OK->setDefault(true);
    Annulla = new QPushButton(u"Annulla"_s, this);
    Annulla->setObjectName(u"Annulla"_s);
    Annulla->setAutoDefault(false);
    connect(OK, &QPushButton::clicked, this, &TDaiNumEstra::OKClick);
    connect(Annulla, &QPushButton::clicked, this, &TDaiNumEstra::AnnullaClick);

    auto* labels = new QHBoxLayout;
    labels->addWidget(Data);
    labels->addStretch(1);
    labels->addWidget(Concorso);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OK);
    buttons->addWidget(Annulla);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(6);
    layout->addWidget(Label1);
    layout->addWidget(ScrollBar1);
    layout->addLayout(labels);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const int n = archive_->count();
    setRange(1, n);
    setPosition(n);
    Windows().enrol(this);
}

TDaiNumEstra::~TDaiNumEstra() {
    Windows().forget(this);
}

TDaiNumEstra* TDaiNumEstra::instance() {
    return Windows().find<TDaiNumEstra>();
}

void TDaiNumEstra::setRange(int min, int max) {
    empty_ = max < min || min < 1 || max > archive_->count();
    {
        const QSignalBlocker block(ScrollBar1);
        ScrollBar1->setRange(min, empty_ ? min : max);
    }
    ScrollBar1->setEnabled(!empty_);
    OK->setEnabled(!empty_);
    ScrollBar1Change(ScrollBar1->value());
}

void TDaiNumEstra::setPosition(int index) {
    const QSignalBlocker block(ScrollBar1);
    ScrollBar1->setValue(index);
    ScrollBar1Change(ScrollBar1->value());
}

int TDaiNumEstra::chosenIndex() const {
    return empty_ ? 0 : ScrollBar1->value();
}

void TDaiNumEstra::ScrollBar1Change(int position) {
    const DrawArchive& a = *archive_;
    if (empty_ || position < 1 || position > a.count()) {
        Data->setText(u"Data:"_s);
        Concorso->setText(u"Nº Concorso:"_s);
        return;
    }
    Data->setText(u"Data:"_s + QString::fromStdString(DateText(a.draw(position))));
    Concorso->setText(u"Nº Concorso:"_s + QString::number(position));
}

void TDaiNumEstra::OKClick() {
    if (!empty_) accept();
}

void TDaiNumEstra::AnnullaClick() {
    reject();
}

} // namespace numora
