// "Ottimizza il numero di giocate" in "Riduzione del pronostico a garanzia": off at first with
// its track bar disabled, the label following the track bar, a run that commits the search's
// plays and shows both counts, the plain run unchanged with the box off, and "Interrompi"
// confirmed during the search leaving the list as it was.
#include "components/UMessageBox.h"
#include "components/UProgressPanel.h"
#include "core/Clock.h"
#include "core/Globali.h"
#include "core/Random.h"
#include "reduction/CoveringOptimiser.h"
#include "reduction/UOttimizzaRid.h"
#include "reduction/URidGara.h"

#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QtTest>

using namespace numora;
using numora::test::SetField;
using namespace Qt::StringLiterals;

namespace {

GuaranteedRequest Sixteen() {
    GuaranteedRequest r;
    for (int n = 1; n <= 16; ++n) r.play.forecast.push_back(static_cast<std::uint8_t>(n));
    r.play.size = 5;
    r.play.wheels = 1u << 11;
    r.play.stakes = {1, 0, 0, 0, 0};
    r.score = 2;
    return r;
}

std::vector<Play> ListPlays() {
    const PlayList& l = Globals().system.list;
    return std::vector<Play>(l.data(), l.data() + l.count());
}

} // namespace

class TstOttimizzaRid : public QObject {
    Q_OBJECT

private:
    test::TempDir dir_;

private slots:
    void initTestCase() {
        Globals().appDir = dir_.path();
        test::UseTestStakes(Globals().settings);
    }
    void init() {
        Globals().system.list.clear();
        Globals().system.undo.clear();
        Globals().system.modified = false;
        Forecast& f = Globals().system.forecast;
        f.clear();
        for (int n = 1; n <= 16; ++n) f.setChosen(n, true);
    }

    void optionAndRun() {
        MessageBoxHook hook;
        ManualClock clock(0, 1);
        StdRandom random(5);
        TRidGara d;
        d.setClock(clock);
        d.setRandom(random);
        d.show();
        TOttimizzaRid* o = d.ottimizzaRid;
        QVERIFY(!o->ottimizza->isChecked() && !o->TKBTempo->isEnabled());
        QCOMPARE(o->ottimizza->text(), u"Ottimizza il numero di giocate"_s);
        QCOMPARE(o->LabelTempo->text(), u"Tempo massimo di ottimizzazione: 10 s"_s);
        o->ottimizza->setChecked(true);
        QVERIFY(o->TKBTempo->isEnabled());
        o->TKBTempo->setValue(1);
        QCOMPARE(o->LabelTempo->text(), u"Tempo massimo di ottimizzazione: 1 s"_s);
        QCOMPARE(o->budgetMs(), 1000);
        // 16 numbers in cinquine with "Ambo": the greedy's 4 plays, then the smallest system, 3.
        d.ComboBox1->setCurrentIndex(4);
        d.ridval->setCurrentIndex(1);
        SetField(d.Edit1, u"1"_s);
        hook.clear();
        d.goClick();
        ManualClock same(0, 1);
        StdRandom sameRandom(5);
        const CoveringResult want = ReduceToGuaranteeOptimised({}, Sixteen(), 1000, same, sameRandom);
        QCOMPARE(want.greedyCount, 4);
        QCOMPARE(ListPlays(), want.plays);
        QCOMPARE(Globals().system.list.count(), 3);
        QVERIFY(KeepsGuarantee({}, Sixteen(), ListPlays()));
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().caption, u"Numora"_s);
        QCOMPARE(hook.last().text, u"Giocate della riduzione a garanzia: 4\rGiocate dopo l'ottimizzazione: 3"_s);
        QVERIFY(Globals().system.modified && !d.isVisible());

        // With the box off the run is the plain reduction, with no message.
        Globals().system.list.clear();
        d.show();
        o->ottimizza->setChecked(false);
        QVERIFY(!o->TKBTempo->isEnabled());
        SetField(d.Edit1, u"1"_s);
        hook.clear();
        d.goClick();
        QCOMPARE(ListPlays(), ReduceToGuarantee({}, Sixteen()).plays);
        QCOMPARE(hook.count(), 0);
    }

    void interruptedSearch() {
        MessageBoxHook hook;
        ManualClock clock(0, 1);
        StdRandom random(5);
        TRidGara d;
        d.setClock(clock);
        d.setRandom(random);
        d.show();
        d.ottimizzaRid->ottimizza->setChecked(true);
        d.ComboBox1->setCurrentIndex(4);
        d.ridval->setCurrentIndex(2);
        SetField(d.Edit1, u"1"_s);
        // "Interrompi" once the search has shown its counts; the question is answered Yes.
        hook.queueAnswer(MsgAnswer::Yes);
        QTimer press;
        press.setInterval(0);
        connect(&press, &QTimer::timeout, &d, [&] {
            if (d.ottimizzaRid->LabelGiocate->text().isEmpty()) return;
            press.stop();
            d.AntiPan3->sb1Click();
        });
        press.start();
        d.goClick();
        QVERIFY(d.ottimizzaRid->LabelGiocate->text().startsWith(u"Giocate della riduzione: 21"_s));
        QCOMPARE(hook.last().text, u"Sei sicuro di voler interrompere l'elaborazione?"_s);
        QCOMPARE(Globals().system.list.count(), 0);
        QVERIFY(d.isVisible() && d.go->isEnabled());
    }
};

QTEST_MAIN(TstOttimizzaRid)
#include "tst_ottimizzarid.moc"
