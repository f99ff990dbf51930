#include "reduction/URidGara.h"

#include "components/UMessageBox.h"
#include "components/UProgressPanel.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "reduction/CoveringOptimiser.h"
#include "reduction/GuaranteedReduction.h"
#include "reduction/UOttimizzaRid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include <cmath>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

GeneratorSetup RidGaraSetup() {
    GeneratorSetup s;
    s.caption = u"Riduzione del pronostico a garanzia"_s;
    s.goCaption = u"Riduci"_s;
    s.helpContext = 52;
    s.smallestPlaySize = 1;
    return s;
}

} // namespace

TRidGara::TRidGara(QWidget* parent) : TGeneratorHost(RidGaraSetup(), parent) {
    setObjectName(u"RidGara"_s);
    // The shared total is this dialog's initial cost.
    for (QLabel* l : GroupBox1->findChildren<QLabel*>())
        if (l->text() == u"Totale:"_s) l->setText(u"Costo iniziale:"_s);
    Label15 = new QLabel;
    Label15->setObjectName(u"Label15"_s);
    Label15->setMinimumWidth(80);
    addCharacteristic(u"Nº iniziale di giocate:"_s, Label15);
    ridval = new QComboBox;
    ridval->setObjectName(u"ridval"_s);
    ridval->addItems({u"Estratto"_s, u"Ambo"_s, u"Terno"_s, u"Quaterna"_s, u"Cinquina"_s});
    addCharacteristic(u"Punteggio garantito dalla riduzione:"_s, ridval);
    connect(ridval, &QComboBox::currentIndexChanged, this, &TRidGara::ridvalChange);
    // After the shared handler: the score follows the play size.
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TRidGara::clampScore);
    ottimizzaRid = new TOttimizzaRid;
    addParameterPanel(ottimizzaRid);
    AntiPan3->setCountCaption(u"Nº di giocate: "_s);
    Windows().enrol(this);
}

TRidGara::~TRidGara() {
    Windows().forget(this);
}

TRidGara* TRidGara::instance() {
    return Windows().find<TRidGara>();
}

void TRidGara::FormActivate() {
    TGeneratorHost::FormActivate();
    Label15->clear();
    ottimizzaRid->showCounts(-1, 0);
}

void TRidGara::clampScore() {
    if (ridval->currentIndex() > playSize() - 1) ridval->setCurrentIndex(playSize() - 1);
}

void TRidGara::ridvalChange() {
    clampScore();
}

double TRidGara::playsInTotal(bool stakesValid) {
    const int n = playSize();
    const int m = forecastCount();
    const int fixed = static_cast<int>(fixedNumbers().size());
    // The count is the combinations the reduction starts from, those holding every fixed number,
    // whatever the stakes say: it is a property of the forecast, not of the money.
    const bool countable = m >= n && fixed <= n;
    // A whole count: the floating-point product can fall just short of it, which the cost, cut
    // rather than rounded, would show as ",99".
    const double c = countable ? std::round(PlayCountOf(m - fixed, n - fixed)) : 0;
    Label15->setText(QString::number(std::llround(c)));
    return countable && stakesValid ? c : -1;
}

bool TRidGara::checkRun() {
    // Too many fixed numbers for the play size: its own message, after the shared ones.
    if (playSize() <= forecastCount() && stakeSet().valid && static_cast<int>(fixedNumbers().size()) > playSize()) {
        ValidateAndShowCost();
        MessageBox::error(this, QString::fromUtf8(FixedAbovePlaySizeMessage));
        return false;
    }
    return TGeneratorHost::checkRun();
}

bool TRidGara::runEngine(const ProgressCallback& progress) {
    PlaySystem& system = Globals().system;
    GuaranteedRequest r;
    r.play = playRequest(playSize());
    r.score = ridval->currentIndex() + 1;
    const std::uint64_t committed = static_cast<std::uint64_t>(system.list.count());
    // The count beside the gauge is the whole list's.
    Progress p{[&](const ProgressStatus& s) {
        ProgressStatus shown = s;
        shown.found += committed;
        return progress(shown);
    }};
    RunResult result;
    int greedy = -1;
    bool tooLarge = false;
    if (ottimizzaRid->on()) {
        // The search's first report holds the greedy's plays, the later ones the best system's.
        Progress search{[&](const ProgressStatus& s) {
            if (greedy < 0) greedy = static_cast<int>(s.found);
            ottimizzaRid->showCounts(greedy, static_cast<int>(s.found));
            ProgressStatus shown = s;
            shown.found += committed;
            return progress(shown);
        }};
        const OptimisedRun run =
            ReduceGuaranteedOptimised(system.list, r, ottimizzaRid->budgetMs(), clock(), random(), p, search);
        result.outcome = run.outcome;
        result.added = run.added;
        greedy = run.greedy;
        tooLarge = run.status == CoveringStatus::TooLarge;
    } else {
        result = ReduceGuaranteed(system.list, r, p);
    }
    // The reports come every so many plays, so the last one can lag behind: the count the run
    // reached is shown with its outcome (a full list stopped it at the capacity).
    const std::uint64_t reached = result.outcome == RunOutcome::ListFull ? std::uint64_t(PlayList::Capacity)
                                                                         : committed + std::uint64_t(result.added);
    if (result.outcome != RunOutcome::Interrupted)
        AntiPan3->conta->setText(u"Nº di giocate: "_s + QString::number(reached));
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
    if (greedy >= 0) {
        QString text = u"Giocate della riduzione a garanzia: "_s + QString::number(greedy) +
                       u"\rGiocate dopo l'ottimizzazione: "_s + QString::number(result.added);
        if (tooLarge) text += u"\r"_s + QString::fromUtf8(CoveringTooLargeMessage);
        MessageBox::information(this, text);
    }
    return true;
}

} // namespace numora
