#include "generation/USvilInt.h"

#include "components/UGenerationMessages.h"
#include "components/UMessageBox.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "core/PlayList.h"
#include "generation/Generation.h"

#include <QCheckBox>
#include <QLabel>

#include <cmath>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

GeneratorSetup Setup() {
    GeneratorSetup s;
    s.caption = u"Sviluppo integrale del pronostico"_s;
    s.goCaption = u"Esegui"_s;
    s.helpContext = 51;
    return s;
}

} // namespace

TSvilInt::TSvilInt(QWidget* parent) : TGeneratorHost(Setup(), parent) {
    Windows().enrol(this);
    setObjectName(u"TSvilInt"_s);
    setModal(true);
    Label15 = new QLabel(this);
    Label15->setObjectName(u"Label15"_s);
    addCharacteristic(u"Nº giocate:"_s, Label15);
}

TSvilInt::~TSvilInt() {
    Windows().forget(this);
}

TSvilInt* TSvilInt::instance() {
    return Windows().find<TSvilInt>();
}

void TSvilInt::FormActivate() {
    TGeneratorHost::FormActivate();
    Label15->clear();
}

bool TSvilInt::fixedFit() const {
    return static_cast<int>(fixedNumbers().size()) <= playSize();
}

double TSvilInt::playsInTotal(bool stakesValid) {
    const int k = playSize();
    const bool valid = stakesValid && k <= forecastCount() && fixedFit();
    // Only the combinations holding every fixed number are developed, so only they are counted
    // and paid. The count is whole: the floating-point product can fall just short of it
    // (C(40, 5) comes out as 658007.999...), which the total, cut rather than rounded, would show
    // as ",99".
    const int f = static_cast<int>(fixedNumbers().size());
    const double c = valid ? std::round(PlayCountOf(forecastCount() - f, k - f)) : 0;
    Label15->setText(QString::number(std::llround(c)));
    return c;
}

bool TSvilInt::checkRun() {
    if (playSize() > forecastCount()) {
        MessageBox::error(this, QString::fromUtf8(PlaySizeAboveForecastMessage));
        return false;
    }
    // The total turns red for both refusals; the stakes are told first.
    ValidateAndShowCost();
    if (!(stakeSet().valid && PlayCountOf(forecastCount(), playSize()) * stakeSet().total > 0)) {
        MessageBox::error(this, StakeRuleMessage(Globals().settings));
        return false;
    }
    if (!fixedFit()) {
        MessageBox::error(this, QString::fromUtf8(FixedAbovePlaySizeMessage));
        return false;
    }
    return true;
}

bool TSvilInt::runEngine(const ProgressCallback& progress) {
    const PlayRequest request = playRequest(playSize());
    PlaySystem& system = Globals().system;
    const RunResult r = DevelopIntegral(system.list, request, Progress{progress});
    // With nothing added the dialog stays for other parameters.
    if (!ReportRun(this, r) || r.added == 0) return false;
    return true;
}

} // namespace numora
