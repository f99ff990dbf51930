#include "playlist/UPlayEntryPanel.h"

#include "components/UFieldFilters.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "components/UStakeFields.h"
#include "components/UWheelSelection.h"
#include "core/Globali.h"
#include "platform/QtText.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {} // namespace

PlayEntryPanel::PlayEntryPanel(const QString& title, QWidget* parent) : QGroupBox(title, parent) {
    setObjectName(u"Panel1"_s);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(6);

    top_ = new QGridLayout;
    top_->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top_);

    auto* numeriRow = new QHBoxLayout;
    auto* numeriLabel = new QLabel(u"Numeri:"_s, this);
    numeriLabel->setObjectName(u"Label1"_s);
    Numeri = new QLineEdit(this);
    Numeri->setObjectName(u"Numeri"_s);
    const QString numeriHint = Q(" Inserire i numeri della giocata separandoli con uno spazio ");
    SetHint(Numeri, numeriHint);
    numeriLabel->setBuddy(Numeri);
    numeriRow->addWidget(numeriLabel);
    numeriRow->addWidget(Numeri, 1);
    layout->addLayout(numeriRow);

    auto* importiLabel = new QLabel(u"Importi di ogni giocata:"_s, this);
    importiLabel->setObjectName(u"Label2"_s);
    layout->addWidget(importiLabel);

    // Estratto, ambo and terno on the left, quaterna, cinquina and the total on the right.
    static const char* const captions[5] = {"Estratto:", "Ambo:", "Terno:", "Quaterna:", "Cinquina:"};
    static const char* const names[5] = {"Estratto", "Ambo", "Terno", "Quaterna", "Cinquina"};
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);
    std::array<QLineEdit*, 5> edits{};
    for (int j = 0; j < 5; ++j) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromUtf8(names[j]));
        ApplyStakeFilter(edit, 8);
        edit->setAlignment(Qt::AlignRight);
        SetStakeFieldWidth(edit);
        edit->setFixedWidth(edit->minimumWidth());
        auto* label = new QLabel(QString::fromUtf8(captions[j]), this);
        label->setObjectName(u"Label%1"_s.arg(j + 3));
        label->setBuddy(edit);
        auto* euro = new QLabel(u"€"_s, this);
        euro->setObjectName(u"Euro%1"_s.arg(j + 1));
        const int row = j % 3;
        const int col = j < 3 ? 0 : 4;
        grid->addWidget(label, row, col);
        grid->addWidget(edit, row, col + 1);
        grid->addWidget(euro, row, col + 2);
        connect(edit, &QLineEdit::textChanged, this, &PlayEntryPanel::EstrattoChange);
        edits[static_cast<std::size_t>(j)] = edit;
    }
    Estratto = edits[0];
    Ambo = edits[1];
    Terno = edits[2];
    Quaterna = edits[3];
    Cinquina = edits[4];
    grid->setColumnMinimumWidth(3, 14);
    auto* totaleLabel = new QLabel(u"Totale:"_s, this);
    totaleLabel->setObjectName(u"Label8"_s);
    Totale = new QLabel(this);
    Totale->setObjectName(u"Totale"_s);
    Totale->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(totaleLabel, 2, 4);
    grid->addWidget(Totale, 2, 5, 1, 2);
    grid->setColumnStretch(7, 1);
    layout->addLayout(grid);

    auto* ruoteBox = new QGroupBox(u"Ruote"_s, this);
    ruoteBox->setObjectName(u"GroupBox1"_s);
    auto* ruoteLayout = new QVBoxLayout(ruoteBox);
    ruoteLayout->setContentsMargins(6, 4, 6, 6);
    Ruote = new WheelSelection(ruoteBox, 4);
    ruoteLayout->addWidget(Ruote);
    layout->addWidget(ruoteBox);

    connect(Numeri, &QLineEdit::textChanged, this, &PlayEntryPanel::NumeriChange);
    connect(Ruote, &WheelSelection::changed, this, &PlayEntryPanel::CheckBox1Click);
    showTotal();
}

void PlayEntryPanel::addTopWidget(QWidget* widget) {
    top_->addWidget(widget, topRows_++, 0);
}

PlayEntryTexts PlayEntryPanel::texts() const {
    PlayEntryTexts t;
    t.numbers = Numeri->text().toStdString();
    const auto f = stakeFields();
    for (std::size_t j = 0; j < 5; ++j) t.stakes[j] = AmountFieldText(f[j]->text());
    t.wheels = Ruote->mask();
    return t;
}

std::optional<BuiltPlay> PlayEntryPanel::readPlay() {
    BuiltPlay built = BuildPlay(texts(), Globals().settings);
    if (built.error == PlayEntryError::Stakes) {
        MessageBox::error(window(), StakeRuleMessage(Globals().settings));
        return std::nullopt;
    }
    if (built.error == PlayEntryError::Numbers) {
        MessageBox::error(window(), QString::fromUtf8(InvalidPlayNumbersMessage));
        return std::nullopt;
    }
    return built;
}

void PlayEntryPanel::sayIgnoredStakes(const BuiltPlay& built) {
    if (const std::string ignored = IgnoredStakesMessage(built); !ignored.empty())
        MessageBox::information(window(), QString::fromStdString(ignored), u"Attenzione"_s);
}

bool PlayEntryPanel::dialogKey(QDialog& dialog, QKeyEvent* event, QPushButton* action) {
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (!plain) return false;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (action->isEnabled()) action->click();
    } else if (event->key() == Qt::Key_Escape) {
        if (action->isEnabled()) dialog.reject();
    } else {
        return false;
    }
    event->accept();
    return true;
}

void PlayEntryPanel::showPlay(const Play& play) {
    const PlayEntryTexts t = PlayEntryTextsOf(play, Globals().settings);
    filling_ = true;
    Numeri->setText(QString::fromStdString(t.numbers));
    const auto f = stakeFields();
    for (std::size_t j = 0; j < 5; ++j) f[j]->setText(QString::fromStdString(t.stakes[j]));
    Ruote->setMask(t.wheels);
    filling_ = false;
    showTotal();
}

void PlayEntryPanel::showTotal() {
    std::array<std::string, 5> stakes;
    const auto f = stakeFields();
    for (std::size_t j = 0; j < 5; ++j) stakes[j] = AmountFieldText(f[j]->text());
    ShowStakeTotal(Totale, PlayEntryStakes(stakes, Globals().settings));
}

void PlayEntryPanel::NumeriChange() {
    if (filling_) return;
    emit edited();
}

void PlayEntryPanel::EstrattoChange() {
    if (filling_) return;
    showTotal();
    emit edited();
}

void PlayEntryPanel::CheckBox1Click() {
    if (filling_) return;
    emit edited();
}

} // namespace numora
