#include "stakes/UImporti.h"

#include "components/UFieldFilters.h"
#include "components/UMessageBox.h"
#include "components/UStakeFields.h"
#include "core/Globali.h"
#include "core/TextHelpers.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

TImporti::TImporti(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TImporti"_s);
    setWindowTitle(u"Importi delle giocate"_s);

    static const char* const captions[5] = {"Estratto:", "Ambo:", "Terno:", "Quaterna:", "Cinquina:"};
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    std::array<QLineEdit*, 5> edits{};
    for (int j = 0; j < 5; ++j) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(u"Edit%1"_s.arg(j + 1));
        ApplyStakeFilter(edit, 8);
        edit->setAlignment(Qt::AlignRight);
        SetStakeFieldWidth(edit);
        auto* label = new QLabel(QString::fromUtf8(captions[j]), this);
        label->setObjectName(u"Label%1"_s.arg(j + 1));
        label->setBuddy(edit);
        auto* euro = new QLabel(u"€"_s, this);
        euro->setObjectName(u"Euro%1"_s.arg(j + 1));
        grid->addWidget(label, j, 0);
        grid->addWidget(edit, j, 1);
        grid->addWidget(euro, j, 2);
        connect(edit, &QLineEdit::textChanged, this, &TImporti::Edit1Change);
        edits[static_cast<std::size_t>(j)] = edit;
    }
    Edit1 = edits[0];
    Edit2 = edits[1];
    Edit3 = edits[2];
    Edit4 = edits[3];
    Edit5 = edits[4];

    auto* totaleLabel = new QLabel(u"Totale:"_s, this);
    totaleLabel->setObjectName(u"Label7"_s);
    Label6 = new QLabel(this);
    Label6->setObjectName(u"Label6"_s);
    Label6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(totaleLabel, 5, 0);
    grid->addWidget(Label6, 5, 1, 1, 2);
    grid->setColumnStretch(1, 1);

    OK = new QPushButton(u"OK"_s, this);
    OK->setObjectName(u"OK"_s);
    OK->setDefault(true);
    Annulla = new QPushButton(u"Annulla"_s, this);
    Annulla->setObjectName(u"Annulla"_s);
    connect(OK, &QPushButton::clicked, this, &TImporti::OKClick);
    connect(Annulla, &QPushButton::clicked, this, &TImporti::AnnullaClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OK);
    buttons->addWidget(Annulla);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setPlaySize(5);
}

void TImporti::setPlaySize(int k) {
    k_ = k < 1 ? 1 : (k > 5 ? 5 : k);
    const auto f = fields();
    for (int j = 2; j <= 5; ++j) SetStakeFieldEnabled(f[static_cast<std::size_t>(j - 1)], j <= k_);
    Edit1Change();
}

StakeSet TImporti::runRule() const {
    std::array<std::string, 5> texts;
    std::array<bool, 5> enabled{};
    const auto f = fields();
    for (std::size_t j = 0; j < 5; ++j) {
        texts[j] = AmountFieldText(f[j]->text());
        enabled[j] = f[j]->isEnabled();
    }
    enabled[0] = true;
    return StakeRule(texts, enabled, Globals().settings);
}

void TImporti::Edit1Change() {
    ShowStakeTotal(Label6, runRule());
}

void TImporti::OKClick() {
    const StakeSet set = runRule();
    ShowStakeTotal(Label6, set);
    if (!set.valid) {
        MessageBox::error(this, StakeRuleMessage(Globals().settings));
        return;
    }
    accepted_ = set;
    accept();
}

void TImporti::AnnullaClick() {
    reject();
}

void TImporti::showEvent(QShowEvent* event) {
    // The stake settings may have changed since the last use.
    Edit1Change();
    QDialog::showEvent(event);
}

} // namespace numora
