#include "generation/UGiocateCasuali.h"

#include "components/UFieldFilters.h"
#include "components/UGenerationMessages.h"
#include "components/UMessageBox.h"
#include "components/UProgressPanel.h"
#include "components/UStakeFields.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "core/PlayList.h"
#include "generation/Generation.h"
#include "stats/DrawWindow.h"

#include <QCheckBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

GeneratorSetup Setup() {
    GeneratorSetup s;
    s.caption = u"Estrai giocate casualmente"_s;
    s.goCaption = u"Estrai giocate"_s;
    s.helpContext = 6;
    return s;
}

QLineEdit* CountField(const QString& name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setAlignment(Qt::AlignRight);
    SetStakeFieldWidth(e);
    ApplyNumberFilter(e, 10);
    return e;
}

} // namespace

TGiocateCasuali::TGiocateCasuali(QWidget* parent) : TGeneratorHost(Setup(), parent) {
    Windows().enrol(this);
    setObjectName(u"TGiocateCasuali"_s);
    setModal(true);

    Edit7 = CountField(u"Edit7"_s, this);
    replacePlaySizeField(Edit7);
    Edit6 = CountField(u"Edit6"_s, this);
    addCharacteristic(u"Numero di giocate da estrarre:"_s, Edit6);
    connect(Edit6, &QLineEdit::textChanged, this, &TGiocateCasuali::Edit1Change);
    connect(Edit7, &QLineEdit::textChanged, this, &TGiocateCasuali::Edit7Change);
    // No stake field counts before a play size is typed.
    for (QLineEdit* e : {Edit1, Edit2, Edit3, Edit4, Edit5}) SetStakeFieldEnabled(e, false);
}

TGiocateCasuali::~TGiocateCasuali() {
    Windows().forget(this);
}

TGiocateCasuali* TGiocateCasuali::instance() {
    return Windows().find<TGiocateCasuali>();
}

void TGiocateCasuali::Edit7Change() {
    int k = 0;
    const bool read = ParseFieldInteger(Edit7->text().toStdString(), k);
    const bool tooMany = read && k > forecastCount();
    const bool belowFixed = read && usafisse->isChecked() && k < Globals().system.forecast.fixedCount;
    // Only the enabled look changes: while a run goes on the field greys like the others.
    QPalette p = Edit7->palette();
    const QColor text = tooMany || belowFixed ? StakeInvalidColor : QColor(Qt::black);
    p.setColor(QPalette::Active, QPalette::Text, text);
    p.setColor(QPalette::Inactive, QPalette::Text, text);
    Edit7->setPalette(p);
    if (read && k >= 0) {
        stakeSize_ = k;
        int j = 1;
        for (QLineEdit* e : {Edit1, Edit2, Edit3, Edit4, Edit5}) SetStakeFieldEnabled(e, k >= j++);
    }
    ValidateAndShowCost();
}

double TGiocateCasuali::playsInTotal(bool) {
    int m = 0;
    return ReadPlayCount(Edit6->text().toStdString(), m) ? m : -1;
}

bool TGiocateCasuali::checkRun() {
    int& k = size_;
    if (!ParseFieldInteger(Edit7->text().toStdString(), k) || k <= 0 || k > forecastCount() || k > Play::MaxNumbers) {
        MessageBox::error(this, QString::fromUtf8(InvalidPlaySizeMessage));
        return false;
    }
    if (!ValidateAndShowCost()) {
        MessageBox::error(this, StakeRuleMessage(Globals().settings));
        return false;
    }
    if (static_cast<int>(fixedNumbers().size()) > k) {
        MessageBox::error(this, QString::fromUtf8(FixedAbovePlaySizeMessage));
        return false;
    }
    // The list never holds more than its capacity: a run that could pass it does not start.
    ReadPlayCount(Edit6->text().toStdString(), plays_);
    if (static_cast<long long>(Globals().system.list.count()) + plays_ > PlayList::Capacity) {
        MessageBox::warning(this, QString::fromUtf8(PlayListFullMessage));
        return false;
    }
    return true;
}

bool TGiocateCasuali::runEngine(const ProgressCallback& progress) {
    const PlayRequest request = playRequest(size_);
    // The gauge counts the plays added, up to M.
    AntiPan3->setGaugeMaximum(plays_);
    PlaySystem& system = Globals().system;
    const RunResult r = ExtractRandomPlays(system.list, request, plays_, random(), Progress{progress, 1});
    if (!ReportRun(this, r)) return false;
    return true;
}

} // namespace numora
