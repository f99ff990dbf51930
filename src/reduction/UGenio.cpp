#include "reduction/UGenio.h"

#include "components/UMessageBox.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "reduction/GenioReduction.h"
#include "reduction/UPrecisionBar.h"

#include <QCheckBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

GeneratorSetup GenioSetup() {
    GeneratorSetup s;
    s.caption = u"Riduzione Genio - Aggiungi giocate più rappresentative"_s;
    s.goCaption = u"Esegui"_s;
    s.helpContext = 54;
    s.smallestPlaySize = 2;
    return s;
}

} // namespace

TGenio::TGenio(QWidget* parent) : TGeneratorHost(GenioSetup(), parent) {
    setObjectName(u"Genio"_s);
    Edit6 = new QLineEdit;
    Edit6->setObjectName(u"Edit6"_s);
    Edit6->setMaxLength(10);
    Edit6->setAlignment(Qt::AlignRight);
    Edit6->setMaximumWidth(90);
    addCharacteristic(u"Nº di giocate da aggiungere:"_s, Edit6);
    connect(Edit6, &QLineEdit::textChanged, this, &TGenio::Edit1Change);
    precision = new TPrecisionBar;
    TKB = precision->TKB;
    Label19 = precision->Label19;
    addParameterPanel(precision);
    Windows().enrol(this);
}

TGenio::~TGenio() {
    Windows().forget(this);
}

TGenio* TGenio::instance() {
    return Windows().find<TGenio>();
}

double TGenio::playsInTotal(bool stakesValid) {
    int m = 0;
    const bool valid = stakesValid && forecastCount() >= playSize() &&
                       static_cast<int>(fixedNumbers().size()) <= playSize() &&
                       ReadPlayCount(Edit6->text().toStdString(), m);
    return valid ? m : -1;
}

bool TGenio::checkRun() {
    // Too many fixed numbers for the play size: its own message, after the shared ones.
    int m = 0;
    if (playSize() <= forecastCount() && stakeSet().valid && ReadPlayCount(Edit6->text().toStdString(), m) &&
        static_cast<int>(fixedNumbers().size()) > playSize()) {
        ValidateAndShowCost();
        MessageBox::error(this, QString::fromUtf8(FixedAbovePlaySizeMessage));
        return false;
    }
    // A mistyped count is not a matter of stakes: the shared checks would answer with theirs.
    if (playSize() <= forecastCount() && !ReadPlayCount(Edit6->text().toStdString(), m)) {
        ValidateAndShowCost();
        MessageBox::error(this, QString::fromUtf8(InvalidPlaysToAddMessage));
        return false;
    }
    return TGeneratorHost::checkRun();
}

bool TGenio::runEngine(const ProgressCallback& progress) {
    PlaySystem& system = Globals().system;
    GenioRequest r;
    r.play = playRequest(playSize());
    ReadPlayCount(Edit6->text().toStdString(), r.plays);
    r.budget = GenioBudget(precision->position());
    const GenioResult result = ReduceGenio(system.list, r, random(), clock(), Progress{progress});
    switch (result.outcome) {
    case RunOutcome::Interrupted:
        return false;
    case RunOutcome::ListFull:
        MessageBox::warning(this, QString::fromUtf8(PlayListFullMessage));
        return false;
    case RunOutcome::Completed:
        break;
    }
    if (result.added == 0) {
        MessageBox::warning(this, QString::fromUtf8(NoPlayAddedMessage));
        return false;
    }
    return true;
}

} // namespace numora
