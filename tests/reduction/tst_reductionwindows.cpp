// The three reduction dialogs through their controls: the score and stake fields following the
// play size, the refusals in their order, a run committed and closing, an empty result keeping
// the dialog open, and "Interrompi" confirmed leaving the list as it was (the optimiser keeping
// the plays it has dealt with).
#include "components/UMessageBox.h"
#include "components/UProgressPanel.h"
#include "core/Clock.h"
#include "core/Globali.h"
#include "core/Random.h"
#include "core/StakeRule.h"
#include "generation/Generation.h"
#include "reduction/GuaranteedReduction.h"
#include "reduction/UGenio.h"
#include "reduction/UOttimizzaPro.h"
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

void Choose(std::initializer_list<int> numbers, std::initializer_list<int> fixed = {}) {
    Forecast& f = Globals().system.forecast;
    f.clear();
    for (int n : numbers) f.setChosen(n, true);
    for (int x : fixed) f.fixed[static_cast<std::size_t>(f.fixedCount++)] = static_cast<std::uint8_t>(x);
}

// Presses "Interrompi" as soon as the run lets the window system breathe; the question is answered Yes.
void InterruptAtFirstReport(TProgressPanel* panel, MessageBoxHook& hook) {
    hook.queueAnswer(MsgAnswer::Yes);
    QTimer::singleShot(0, panel, [panel] { panel->sb1Click(); });
}

} // namespace

class TstReductionWindows : public QObject {
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
        Globals().system.forecast.clear();
        Globals().system.modified = false;
    }

    void ridGara() {
        MessageBoxHook hook;
        Choose({3, 8, 12, 20, 33, 41, 57, 60});
        TRidGara d;
        d.show();
        QCOMPARE(d.windowTitle(), u"Riduzione del pronostico a garanzia"_s);
        QCOMPARE(d.go->text(), u"Riduci"_s);
        QVERIFY(!d.usafisse->isEnabled() && !d.usafisse->isChecked());
        QCOMPARE(d.ridval->currentText(), u"Estratto"_s);
        // The score never passes the play size.
        d.ComboBox1->setCurrentIndex(4);
        d.ridval->setCurrentIndex(4);
        d.ComboBox1->setCurrentIndex(2);
        QCOMPARE(d.ridval->currentText(), u"Terno"_s);
        d.ridval->setCurrentIndex(4);
        QCOMPARE(d.ridval->currentText(), u"Terno"_s);
        QVERIFY(d.Edit3->isEnabled() && !d.Edit4->isEnabled());
        // Refusals: the size against the forecast, then the stakes.
        d.ComboBox1->setCurrentIndex(9);
        d.goClick();
        QCOMPARE(hook.last().text, QString::fromUtf8(PlaySizeAboveForecastMessage));
        d.ComboBox1->setCurrentIndex(2);
        d.goClick();
        QCOMPARE(hook.last().text, QString::fromStdString(StakeRuleMessage(Globals().settings)));
        SetField(d.Edit1, u"1"_s);
        QCOMPARE(d.Label15->text(), u"56"_s);
        // C(40, 5) in floating point falls just short of 658008: the cost is still whole.
        {
            const Forecast kept = Globals().system.forecast;
            Forecast& f = Globals().system.forecast;
            f.clear();
            for (int x = 1; x <= 40; ++x) f.setChosen(x, true);
            d.FormActivate();
            d.ComboBox1->setCurrentIndex(4);
            SetField(d.Edit1, u"2"_s);
            QCOMPARE(d.Label15->text(), u"658008"_s);
            QVERIFY(d.Label12->text().startsWith(u"1.316.016,00"_s));
            Globals().system.forecast = kept;
            d.FormActivate();
            d.ComboBox1->setCurrentIndex(2);
            SetField(d.Edit1, u"1"_s);
        }
        // Too many fixed numbers for the play size: its own message.
        Choose({3, 8, 12, 20, 33, 41, 57, 60}, {3, 8, 12, 20});
        d.FormActivate();
        QVERIFY(d.usafisse->isChecked());
        SetField(d.Edit1, u"1"_s);
        QCOMPARE(d.Label15->text(), u"0"_s);
        d.goClick();
        QCOMPARE(hook.last().text, QString::fromUtf8(FixedAbovePlaySizeMessage));
        // A run: the engine's plays, committed, and the dialog closes.
        Choose({3, 8, 12, 20, 33, 41, 57, 60});
        d.FormActivate();
        SetField(d.Edit1, u"1"_s);
        d.ridval->setCurrentIndex(1);
        hook.clear();
        d.goClick();
        GuaranteedRequest r;
        r.play.forecast = {3, 8, 12, 20, 33, 41, 57, 60};
        r.play.size = 3;
        r.play.wheels = 1u << 11;
        r.play.stakes = {1, 0, 0, 0, 0};
        r.score = 2;
        const auto want = ReduceToGuarantee({}, r).plays;
        QCOMPARE(Globals().system.list.count(), static_cast<int>(want.size()));
        QVERIFY(Globals().system.list.play(1) == want[0]);
        QVERIFY(Globals().system.modified);
        QVERIFY(!d.isVisible());
        QCOMPARE(hook.count(), 0);
        // The same again: every combination is covered by the committed plays of equal stakes.
        d.show();
        SetField(d.Edit1, u"1"_s);
        d.goClick();
        QCOMPARE(hook.last().text, QString::fromUtf8(NoPlayAddedMessage));
        QCOMPARE(hook.last().caption, u"Attenzione"_s);
        QVERIFY(d.isVisible());
        // Interrompi confirmed during the enumeration: nothing is added.
        Choose({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20});
        d.FormActivate();
        d.ComboBox1->setCurrentIndex(4);
        SetField(d.Edit1, u"1"_s);
        const int before = Globals().system.list.count();
        hook.clear();
        InterruptAtFirstReport(d.AntiPan3, hook);
        d.goClick();
        QCOMPARE(hook.last().text, u"Sei sicuro di voler interrompere l'elaborazione?"_s);
        QCOMPARE(Globals().system.list.count(), before);
        QVERIFY(d.isVisible() && d.go->isEnabled() && !d.AntiPan3->isVisible());
    }

    void genio() {
        MessageBoxHook hook;
        Choose({5, 10, 15, 20, 25, 30});
        ManualClock clock(0, 1);
        StdRandom random(7);
        TGenio d;
        d.setClock(clock);
        d.setRandom(random);
        d.show();
        QCOMPARE(d.ComboBox1->itemText(0), u"2"_s);
        QVERIFY(d.Edit1->isEnabled() && d.Edit2->isEnabled() && !d.Edit3->isEnabled());
        QCOMPARE(d.Label19->text(), u"Livello di precizione dell'elaborazione: 50 %"_s);
        d.TKB->setValue(0);
        QCOMPARE(d.Label19->text(), u"Livello di precizione dell'elaborazione: 0 %"_s);
        // M is not a number: its own message, not the stake rule's.
        d.ComboBox1->setCurrentIndex(1);
        SetField(d.Edit1, u"1"_s);
        SetField(d.Edit6, u"due"_s);
        d.goClick();
        QCOMPARE(hook.last().text, QString::fromUtf8(InvalidPlaysToAddMessage));
        SetField(d.Edit6, u"2"_s);
        QVERIFY(!d.Label12->text().isEmpty());
        // A run: phase 2 of five seconds on the manual clock spreads the two plays apart.
        hook.clear();
        d.goClick();
        QCOMPARE(hook.count(), 0);
        QCOMPARE(Globals().system.list.count(), 2);
        const Play& a = Globals().system.list.play(1);
        const Play& b = Globals().system.list.play(2);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) QVERIFY(a.numbers[i] != b.numbers[j]);
        QVERIFY(Globals().system.modified && !d.isVisible());
        // Too many fixed numbers; then Interrompi in phase 2 discards everything.
        Choose({5, 10, 15, 20, 25, 30}, {5, 10, 15, 20});
        d.show();
        d.goClick();
        QCOMPARE(hook.last().text, QString::fromUtf8(FixedAbovePlaySizeMessage));
        Choose({5, 10, 15, 20, 25, 30});
        d.FormActivate();
        InterruptAtFirstReport(d.AntiPan3, hook);
        d.goClick();
        QCOMPARE(hook.last().text, u"Sei sicuro di voler interrompere l'elaborazione?"_s);
        QCOMPARE(Globals().system.list.count(), 2);
        QVERIFY(d.isVisible());
    }

    void ottimizzaPro() {
        MessageBoxHook hook;
        Choose({1, 2, 3, 4, 5, 6, 7, 8, 9}, {1});
        PlayList& list = Globals().system.list;
        list.play(1) = test::MakePlay({1, 2, 3});
        list.play(2) = test::MakePlay({1, 2, 4});
        list.play(3) = test::MakePlay({1, 2, 5});
        list.setCount(3);
        ManualClock clock(0, 1);
        StdRandom random(3);
        TOttimizzaPro d;
        d.setClock(clock);
        d.setRandom(random);
        d.show();
        QCOMPARE(d.ComboBox1->currentText(), u"10"_s);
        QVERIFY(d.usafisse->isEnabled() && d.usafisse->isChecked());
        QCOMPARE(d.Label19->text(), u"Livello di precizione dell'elaborazione: 50 %"_s);
        // Interrompi after the first play: it keeps what it got, the rest stay; the system is modified.
        const Play third = list.play(3);
        InterruptAtFirstReport(d.AntiPan3, hook);
        d.goClick();
        QCOMPARE(hook.last().text, u"Sei sicuro di voler interrompere l'elaborazione?"_s);
        QVERIFY(d.isVisible() && d.go->isEnabled());
        QVERIFY(list.play(3) == third);
        QVERIFY(!(list.play(1) == test::MakePlay({1, 2, 3})));
        QVERIFY(Globals().system.modified);
        QCOMPARE(Globals().system.undo.count(), 3);
        // A whole run: the fixed number stays in every play, the others spread; the dialog closes.
        Globals().system.modified = false;
        d.goClick();
        QVERIFY(!d.isVisible());
        QVERIFY(Globals().system.modified);
        std::array<int, 91> occ{};
        for (int p = 1; p <= 3; ++p) {
            QCOMPARE(list.play(p).number(0), std::uint8_t(1));
            for (int k = 1; k < 3; ++k) ++occ[list.play(p).number(k)];
        }
        for (int n = 2; n <= 9; ++n) QVERIFY(occ[static_cast<std::size_t>(n)] <= 1);
    }
};

QTEST_MAIN(TstReductionWindows)
#include "tst_reductionwindows.moc"
