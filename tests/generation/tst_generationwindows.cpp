// The four generator dialogs through their controls: the refusals in the order of their checks,
// the enabling and colouring rules, a run against the engine, an interruption answered Yes and
// the message when no play is added; the commands they register.
#include "components/UCommandTable.h"
#include "components/UMessageBox.h"
#include "components/UProgressPanel.h"
#include "components/UStakeFields.h"
#include "components/UWheelSelection.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "core/Random.h"
#include "core/TextHelpers.h"
#include "generation/Generation.h"
#include "generation/UEliminaCasu.h"
#include "generation/UGioca.h"
#include "generation/UGiocateCasuali.h"
#include "generation/USvilInt.h"
#include "stakes/StakeRule.h"

#include "stats/RandomDraws.h"
#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace numora {
void RegisterGenerationFeature(CommandTable& t, WindowRegistry& w);
}

using namespace numora;
using numora::test::SetField;
using namespace Qt::StringLiterals;

namespace {

QString Q(const char* text) { return QString::fromUtf8(text); }

void SetForecast(std::initializer_list<int> numbers, std::initializer_list<int> fixed = {}) {
    Forecast& f = Globals().system.forecast;
    f.clear();
    for (int n : numbers) f.setChosen(n, true);
    for (int n : fixed) f.fixed[static_cast<std::size_t>(f.fixedCount++)] = static_cast<std::uint8_t>(n);
}

void SetForecastRange(int from, int to) {
    Forecast& f = Globals().system.forecast;
    f.clear();
    for (int n = from; n <= to; ++n) f.setChosen(n, true);
}

void Commit(std::initializer_list<Play> plays) {
    PlayList& list = Globals().system.list;
    for (const Play& p : plays) list.play(list.count() + 1) = p, list.setCount(list.count() + 1);
}

bool Red(QWidget* w, QPalette::ColorRole role) { return w->palette().color(role) == StakeInvalidColor; }

std::vector<Play> Plays(const PlayList& list) { return {list.data(), list.data() + list.count()}; }

// One refusal: the change made to a valid dialog and the box it must give.
template <class D> struct Refusal {
    const char* name;
    std::function<void(D&)> change;
    QString text;
    MsgIcon icon = MsgIcon::Error;
};

// Each change refused with its message, the list and its snapshot as they were, the dialog open.
template <class D> void CheckRefusals(D& d, MessageBoxHook& hook, const std::vector<Refusal<D>>& rows,
                                      const std::function<void(D&)>& valid) {
    for (const Refusal<D>& r : rows) {
        valid(d);
        r.change(d);
        const auto before = Plays(Globals().system.list);
        const int undo = Globals().system.undo.count();
        hook.clear();
        d.go->click();
        QVERIFY2(hook.count() == 1, r.name);
        QVERIFY2(hook.last().text == r.text, qPrintable(u"%1: %2"_s.arg(Q(r.name), hook.last().text)));
        QCOMPARE(hook.last().caption, r.icon == MsgIcon::Error ? u"Errore"_s : u"Attenzione"_s);
        QCOMPARE(hook.last().icon, r.icon);
        QVERIFY2(Plays(Globals().system.list) == before && Globals().system.undo.count() == undo, r.name);
        QVERIFY2(d.isVisible() && !Globals().system.modified, r.name);
    }
}

// Clicks go with "Interrompi" pressed as soon as the run lets events through, and Yes answered.
template <class D> void InterruptRun(D& d, MessageBoxHook& hook) {
    const auto before = Plays(Globals().system.list);
    hook.clear();
    hook.queueAnswer(MsgAnswer::Yes);
    QTimer::singleShot(0, d.sb1, [&d] {
        QVERIFY(d.AntiPan3->isVisible() && !d.go->isEnabled() && !d.SpeedButton3->isEnabled());
        d.sb1->click();
    });
    d.go->click();
    QCOMPARE(hook.count(), 1);
    QCOMPARE(hook.last().text, u"Sei sicuro di voler interrompere l'elaborazione?"_s);
    QCOMPARE(hook.last().defaultAnswer, MsgAnswer::No);
    QVERIFY(Plays(Globals().system.list) == before);
    QVERIFY(d.isVisible() && d.go->isEnabled() && !d.AntiPan3->isVisible() && !d.busy());
    QVERIFY(!Globals().system.modified);
}

} // namespace

class TstGenerationWindows : public QObject {
    Q_OBJECT

private:
    test::TempDir dir_;

private slots:
    void initTestCase() {
        Globals().appDir = dir_.path();
        test::UseTestStakes(Globals().settings);
        Globals().archive = test::RandomArchive(12, 300, 90);
        Globals().rebuildDerivedTables();
    }
    void init() {
        PlaySystem& s = Globals().system;
        s.list.clear();
        s.undo.clear();
        s.forecast.clear();
        s.modified = false;
    }

    void gioca() {
        MessageBoxHook hook;
        TGioca d;
        QCOMPARE(d.windowTitle(), u"Estrai giocate più probabili"_s);
        QCOMPARE(d.go->text(), u"Estrai giocate"_s);
        QCOMPARE(d.GroupBox2->title(), u"Criterio per l'assegnazione delle probabilità"_s);
        QVERIFY(d.ruote->box(WheelNazionale)->objectName() == u"CheckBox14"_s);
        QCOMPARE(d.Edit6->maxLength(), 10);
        QTest::keyClicks(d.Edit6, u"1a.2"_s);
        QCOMPARE(d.Edit6->text(), u"12"_s);

        SetForecastRange(1, 8);
        Commit({test::MakePlay({1, 2}, {1, 1, 0, 0, 0})});
        d.show();
        QVERIFY(!d.usafisse->isEnabled());

        // The criteria fields follow their boxes; both boxes may be off.
        d.CheckBox12->click();
        QVERIFY(!d.Edit8->isEnabled() && !d.Edit9->isEnabled() && d.Edit10->isEnabled());
        QCOMPARE(d.Edit8->palette().color(QPalette::Disabled, QPalette::Base), DisabledFieldColor);
        d.CheckBox13->click();
        QVERIFY(!d.CheckBox12->isChecked() && !d.CheckBox13->isChecked() && !d.Edit11->isEnabled());
        d.CheckBox12->click();
        d.CheckBox13->click();
        QVERIFY(d.Edit8->isEnabled() && d.Edit11->isEnabled());

        // The stake fields follow K; the total is M times the per-play total, red when invalid.
        d.ComboBox1->setCurrentIndex(1);
        QVERIFY(d.Edit2->isEnabled() && !d.Edit3->isEnabled());
        SetField(d.Edit1, u"1"_s);
        SetField(d.Edit2, u"1"_s);
        SetField(d.Edit6, u""_s);
        QVERIFY(Red(d.Label12, QPalette::WindowText));
        SetField(d.Edit6, u"5"_s);
        QCOMPARE(d.Label12->text(), QString::fromStdString(FormatAmount(10, Globals().settings)) + u" €"_s);
        QVERIFY(!Red(d.Label12, QPalette::WindowText));

        const auto valid = [](TGioca& g) {
            g.ComboBox1->setCurrentIndex(1);
            for (QCheckBox* b : {g.CheckBox12, g.CheckBox13}) b->setChecked(true);
            g.Edit1->setText(u"1"_s);
            g.Edit2->setText(u"1"_s);
            g.Edit6->setText(u"5"_s);
            g.Edit8->setText(u"0"_s);
            g.Edit9->setText(u"50"_s);
            g.Edit10->setText(u"0"_s);
            g.Edit11->setText(u"50"_s);
            g.usafisse->setChecked(false);
        };
        const QString stakeRule = QString::fromStdString(StakeRuleMessage(Globals().settings));
        CheckRefusals<TGioca>(d, hook, {
            {"K above N", [](TGioca& g) { g.ComboBox1->setCurrentIndex(8); }, Q(PlaySizeAboveForecastMessage)},
            {"no M", [](TGioca& g) { g.Edit6->clear(); }, stakeRule},
            {"M 0", [](TGioca& g) { g.Edit6->setText(u"0"_s); }, stakeRule},
            {"stake", [](TGioca& g) { g.Edit2->setText(u"0,3"_s); }, stakeRule},
            {"Dlo", [](TGioca& g) { g.Edit8->clear(); }, u"La probabilità del numero meno ritardatario non è valida!"_s},
            {"Dhi", [](TGioca& g) { g.Edit9->setText(u"101"_s); }, u"La probabilità del numero più ritardatario non è valida!"_s},
            {"Dlo>Dhi", [](TGioca& g) { g.Edit8->setText(u"51"_s); }, u"Una delle probabilità minime è maggiore della massima!"_s},
            {"Fmost", [](TGioca& g) { g.Edit10->clear(); }, u"La probabilità del numero più frequente non è valida!"_s},
            {"Fleast", [](TGioca& g) { g.Edit11->clear(); }, u"La probabilità del numero meno frequente non è valida!"_s},
            {"Fmost>Fleast", [](TGioca& g) { g.Edit10->setText(u"60"_s); }, u"Una delle probabilità minime è maggiore della massima!"_s},
            {"sum", [](TGioca& g) { g.Edit9->setText(u"51"_s); }, u"La somma delle probabilità massime non può essere maggiore di 100!"_s},
            {"both off", [](TGioca& g) { g.CheckBox12->setChecked(false); g.CheckBox13->setChecked(false); },
             u"La somma delle probabilità massime deve essere maggiore della somma delle probabilità minime!"_s},
            {"off criterion unread", [](TGioca& g) { g.CheckBox12->setChecked(false); g.Edit8->clear(); g.Edit11->setText(u"0"_s); },
             u"La somma delle probabilità massime deve essere maggiore della somma delle probabilità minime!"_s},
            {"fixed", [](TGioca& g) { SetForecast({1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3}); g.FormActivate(); g.Edit6->setText(u"5"_s); },
             Q(FixedAbovePlaySizeMessage)},
            {"list full", [](TGioca& g) { SetForecastRange(1, 8); g.FormActivate(); g.Edit6->setText(u"100000"_s); },
             Q(PlayListFullMessage), MsgIcon::Warning},
        }, valid);

        // A run: the engine's plays after the committed one, the snapshot, the dialog closed.
        valid(d);
        d.ruote->box(3)->click();
        PlayList expected = Globals().system.list;
        PlayRequest r{{1, 2, 3, 4, 5, 6, 7, 8}, {}, 2, 0x004, {1, 1, 0, 0, 0}};
        ScoreCriteria c;
        ExtractBestPlays(expected, r, 5, DelayFrequencyScore(r.forecast, 2, 0x004, c, Globals().delays, Globals().frequencies));
        hook.clear();
        d.go->click();
        QCOMPARE(hook.count(), 0);
        QCOMPARE(Globals().system.list.count(), 6);
        QVERIFY(Plays(Globals().system.list) == Plays(expected));
        QCOMPARE(Globals().system.undo.count(), 1);
        QVERIFY(Globals().system.modified && !d.isVisible());

        // Interrupted: nothing added, the dialog open.
        SetForecastRange(1, 40);
        Globals().system.modified = false;
        d.show();
        d.ComboBox1->setCurrentIndex(3);
        d.Edit3->setText(u"1"_s);
        InterruptRun(d, hook);

        // A fixed number outside the forecast: nothing to add, the notice, modified, closed.
        SetForecast({1, 2, 3, 4, 5}, {50});
        d.hide();
        d.show();
        QVERIFY(d.usafisse->isChecked() && d.usafisse->isEnabled());
        valid(d);
        d.usafisse->setChecked(true);
        hook.clear();
        const int count = Globals().system.list.count();
        d.go->click();
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().text, Q(NoPlayAddedMessage));
        QCOMPARE(hook.last().caption, u"Attenzione"_s);
        QCOMPARE(hook.last().icon, MsgIcon::Warning);
        QCOMPARE(Globals().system.list.count(), count);
        QVERIFY(Globals().system.modified && !d.isVisible());
    }

    void giocateCasuali() {
        MessageBoxHook hook;
        TGiocateCasuali d;
        QCOMPARE(d.windowTitle(), u"Estrai giocate casualmente"_s);
        QVERIFY(!d.ComboBox1->isVisibleTo(&d) && d.Edit7->isVisibleTo(&d));
        QCOMPARE(d.ruote->box(WheelNazionale)->objectName(), u"CheckBox12"_s);
        for (QLineEdit* e : {d.Edit1, d.Edit2, d.Edit3, d.Edit4, d.Edit5}) QVERIFY(!e->isEnabled());
        QCOMPARE(d.Edit7->maxLength(), 10);

        SetForecast({1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3});
        d.show();
        QVERIFY(d.usafisse->isChecked());
        // K enables the stake fields up to K; red above N or below the fixed numbers considered.
        struct {
            const char* k;
            int enabled; // stake fields enabled after it
            bool red;
        } rows[] = {{"3", 3, false}, {"9", 5, true}, {"2", 2, true}, {"", 2, false}, {"0", 0, true}, {"5", 5, false}};
        for (const auto& row : rows) {
            SetField(d.Edit7, Q(row.k));
            int j = 1;
            for (QLineEdit* e : {d.Edit1, d.Edit2, d.Edit3, d.Edit4, d.Edit5}) QVERIFY2(e->isEnabled() == (j++ <= row.enabled), row.k);
            QVERIFY2(Red(d.Edit7, QPalette::Text) == row.red, row.k);
        }
        d.usafisse->setChecked(false);
        SetField(d.Edit7, u"2"_s);
        QVERIFY(!Red(d.Edit7, QPalette::Text));

        const auto valid = [](TGiocateCasuali& g) {
            g.usafisse->setChecked(false);
            g.Edit7->setText(u"2"_s);
            g.Edit1->setText(u"1"_s);
            g.Edit2->setText(u""_s);
            g.Edit6->setText(u"3"_s);
        };
        const QString stakeRule = QString::fromStdString(StakeRuleMessage(Globals().settings));
        const QString badK = Q(InvalidPlaySizeMessage);
        CheckRefusals<TGiocateCasuali>(d, hook, {
            {"no K", [](TGiocateCasuali& g) { g.Edit7->clear(); }, badK},
            {"K 0", [](TGiocateCasuali& g) { g.Edit7->setText(u"0"_s); }, badK},
            {"K above N", [](TGiocateCasuali& g) { g.Edit7->setText(u"9"_s); }, badK},
            {"no M", [](TGiocateCasuali& g) { g.Edit6->clear(); }, stakeRule},
            {"stake", [](TGiocateCasuali& g) { g.Edit1->setText(u"0,3"_s); }, stakeRule},
            {"fixed", [](TGiocateCasuali& g) { g.usafisse->setChecked(true); }, Q(FixedAbovePlaySizeMessage)},
            {"list full", [](TGiocateCasuali& g) { g.Edit6->setText(u"100001"_s); }, Q(PlayListFullMessage), MsgIcon::Warning},
        }, valid);

        // A run with a known source: the engine's plays, the gauge up to M, the dialog closed.
        valid(d);
        Commit({test::MakePlay({1, 2})});
        SequenceRandom drawn({0, 1, 2, 3, 7, 5, 4, 6}), again({0, 1, 2, 3, 7, 5, 4, 6});
        d.setRandom(drawn);
        PlayList expected = Globals().system.list;
        ExtractRandomPlays(expected, PlayRequest{{1, 2, 3, 4, 5, 6, 7, 8}, {}, 2, 1u << 11, {1, 0, 0, 0, 0}}, 3, again);
        hook.clear();
        d.go->click();
        QCOMPARE(hook.count(), 0);
        QVERIFY(Plays(Globals().system.list) == Plays(expected));
        QCOMPARE(Globals().system.list.count(), 4);
        QCOMPARE(d.gg->maximum(), 3);
        QVERIFY(Globals().system.modified && !d.isVisible() && Globals().system.undo.count() == 1);

        // Interrupted at the first chance: nothing added.
        StdRandom seeded(5);
        d.setRandom(seeded);
        SetForecastRange(1, 40);
        Globals().system.modified = false;
        d.show();
        valid(d);
        d.Edit6->setText(u"50000"_s);
        InterruptRun(d, hook);

        // Every play already there: 10001 repeats, the notice, modified, closed.
        SetForecast({7, 9});
        Commit({test::MakePlay({7, 9})});
        d.hide();
        d.show();
        valid(d);
        hook.clear();
        d.go->click();
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().text, Q(NoPlayAddedMessage));
        QCOMPARE(hook.last().icon, MsgIcon::Warning);
        QVERIFY(Globals().system.modified && !d.isVisible() && Globals().system.list.count() == 5);
    }

    void eliminaCasu() {
        MessageBoxHook hook;
        TEliminaCasu d;
        QCOMPARE(d.windowTitle(), u"Elimina giocate casualmente"_s);
        QCOMPARE(d.go->text(), u"Elimina giocate"_s);
        for (int n = 1; n <= 5; ++n) Commit({test::MakePlay({n})});
        SequenceRandom drawn({1, 2});
        d.setRandom(drawn);
        d.show();
        for (const char* e : {"", "0", "6"}) {
            SetField(d.Edit6, Q(e));
            d.go->click();
            QCOMPARE(hook.last().text, Q(InvalidEliminationCountMessage));
            QCOMPARE(hook.last().caption, u"Errore"_s);
            QVERIFY(d.isVisible() && Globals().system.list.count() == 5 && !Globals().system.modified);
        }
        QCOMPARE(hook.count(), 3);
        // Enter runs it: position 2 of 1..5, then position 3 of 1,3,4,5.
        SetField(d.Edit6, u"2"_s);
        QTest::keyClick(d.Edit6, Qt::Key_Return);
        QVERIFY(!d.isVisible() && Globals().system.modified);
        QCOMPARE(Globals().system.undo.count(), 5);
        std::vector<int> left;
        for (const Play& p : Plays(Globals().system.list)) left.push_back(p.numbers[0]);
        QCOMPARE(left, (std::vector<int>{1, 3, 5}));
        QCOMPARE(drawn.draws(), 2);

        // All of them: the list empties without a draw; Escape closes.
        d.show();
        SetField(d.Edit6, u"3"_s);
        d.go->click();
        QVERIFY(Globals().system.list.empty() && drawn.draws() == 2);
        d.show();
        QTest::keyClick(d.Edit6, Qt::Key_Escape);
        QVERIFY(!d.isVisible());
        QCOMPARE(hook.count(), 3);
    }

    void svilInt() {
        MessageBoxHook hook;
        TSvilInt d;
        QCOMPARE(d.windowTitle(), u"Sviluppo integrale del pronostico"_s);
        QCOMPARE(d.go->text(), u"Esegui"_s);
        SetForecastRange(1, 10);
        d.show();
        QVERIFY(d.Label15->text().isEmpty());
        d.ComboBox1->setCurrentIndex(4);
        SetField(d.Edit1, u"1"_s);
        QCOMPARE(d.Label15->text(), u"252"_s);
        QCOMPARE(d.Label12->text(), QString::fromStdString(FormatAmount(252, Globals().settings)) + u" €"_s);

        const auto valid = [](TSvilInt& g) {
            SetForecastRange(1, 10);
            g.FormActivate();
            g.ComboBox1->setCurrentIndex(4);
            g.Edit1->setText(u"1"_s);
            g.usafisse->setChecked(false);
        };
        const QString stakeRule = QString::fromStdString(StakeRuleMessage(Globals().settings));
        CheckRefusals<TSvilInt>(d, hook, {
            {"K above N", [](TSvilInt& g) { SetForecastRange(1, 4); g.FormActivate(); }, Q(PlaySizeAboveForecastMessage)},
            {"stake", [](TSvilInt& g) { g.Edit1->clear(); }, stakeRule},
            {"fixed", [](TSvilInt& g) { SetForecast({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 2, 3}); g.FormActivate();
                                        g.ComboBox1->setCurrentIndex(1); }, Q(FixedAbovePlaySizeMessage)},
        }, valid);
        // Too many fixed numbers: the count 0 and the total in red.
        QCOMPARE(d.Label15->text(), u"0"_s);
        QVERIFY(Red(d.Label12, QPalette::WindowText));

        // The development, then the same again: nothing to add, the notice, the dialog stays.
        valid(d);
        hook.clear();
        d.go->click();
        QCOMPARE(hook.count(), 0);
        QCOMPARE(Globals().system.list.count(), 252);
        QVERIFY(Globals().system.modified && !d.isVisible());
        const Play& first = Globals().system.list.play(1);
        QVERIFY(first.numbers[0] == 1 && first.numbers[4] == 5 && first.stakes[0] == 1 && first.wheels == (1u << 11));
        Globals().system.modified = false;
        d.show();
        d.go->click();
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().text, Q(NoPlayAddedMessage));
        QCOMPARE(hook.last().icon, MsgIcon::Warning);
        QVERIFY(d.isVisible() && !Globals().system.modified && Globals().system.list.count() == 252);

        // The list would pass its capacity: the message, nothing added, the dialog stays.
        Globals().system.list.setCount(PlayList::Capacity - 100);
        for (int i = 253; i <= PlayList::Capacity - 100; ++i) Globals().system.list.play(i) = test::MakePlay({90});
        d.ruote->box(1)->click();
        hook.clear();
        d.go->click();
        QCOMPARE(hook.last().text, Q(PlayListFullMessage));
        QCOMPARE(hook.last().caption, u"Attenzione"_s);
        QVERIFY(d.isVisible() && Globals().system.list.count() == PlayList::Capacity - 100);

        // Interrupted: nothing added.
        Globals().system.list.setCount(0);
        valid(d);
        SetForecastRange(1, 40);
        d.FormActivate();
        InterruptRun(d, hook);
        QVERIFY(Globals().system.list.empty());
    }

    void commandsOfTheMenu() {
        CommandTable t;
        WindowRegistry w;
        RegisterGenerationFeature(t, w);
        struct {
            const char* name;
            const char* caption;
            Check check;
        } rows[] = {{"Sviluppointegraledelpronostico1", "Sviluppo integrale", Check::A},
                    {"Estraigiocatepiprobabili2", "Estrai giocate più probabili", Check::A},
                    {"Estraigiocatecasualmente1", "Estrai giocate casualmente", Check::A},
                    {"Eliminagiocatecasualmente1", "Elimina giocate casualmente", Check::E}};
        for (const auto& r : rows) {
            const CommandRow* row = t.find(Q(r.name));
            QVERIFY2(row && row->action && row->check == r.check, r.name);
            QCOMPARE(row->caption, Q(r.caption));
            QCOMPARE(row->menu, u"Riduzioni"_s);
        }
        QWidget main;
        w.createAll(&main);
        QVERIFY(TGioca::instance() && TGiocateCasuali::instance() && TEliminaCasu::instance() && TSvilInt::instance());
        test::ResetWindows();
    }
};

QTEST_MAIN(TstGenerationWindows)
#include "tst_generationwindows.moc"
