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
#include "core/StakeRule.h"
#include "core/TextHelpers.h"
#include "generation/Generation.h"
#include "generation/UEliminaCasu.h"
#include "generation/UGioca.h"
#include "generation/UGiocateCasuali.h"
#include "generation/USvilInt.h"

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

QString Q(const char* text) {
    return QString::fromUtf8(text);
}
QString StakeRuleText() {
    return QString::fromStdString(StakeRuleMessage(Globals().settings));
}
QString Amount(double v) {
    return QString::fromStdString(FormatAmount(v, Globals().settings)) + u" €"_s;
}

void SetForecast(int from, int to, std::initializer_list<int> fixed = {}) {
    Forecast& f = Globals().system.forecast;
    f.clear();
    for (int n = from; n <= to; ++n) f.setChosen(n, true);
    for (int n : fixed) f.fixed[static_cast<std::size_t>(f.fixedCount++)] = static_cast<std::uint8_t>(n);
}

void Commit(const Play& p) {
    PlayList& list = Globals().system.list;
    list.play(list.count() + 1) = p;
    list.setCount(list.count() + 1);
}

std::vector<Play> Plays() {
    return {Globals().system.list.data(), Globals().system.list.data() + Globals().system.list.count()};
}

bool Red(QWidget* w, QPalette::ColorRole role) {
    return w->palette().color(role) == StakeInvalidColor;
}

// One refusal: what is changed in a dialog made valid first, and the box it must give.
struct Refusal {
    const char* name;
    std::function<void()> change;
    QString text;
    MsgIcon icon = MsgIcon::Error;
};

// Each change refused with its message; the list, its snapshot and the modified flag as they
// were, the dialog open.
void CheckRefusals(QDialog& d, QPushButton* go, MessageBoxHook& hook, const std::function<void()>& valid,
                   const std::vector<Refusal>& rows) {
    for (const Refusal& r : rows) {
        valid();
        r.change();
        const auto before = Plays();
        const int undo = Globals().system.undo.count();
        hook.clear();
        go->click();
        QVERIFY2(hook.count() == 1 && hook.last().text == r.text, qPrintable(Q(r.name) + u": "_s + hook.last().text));
        QCOMPARE(hook.last().caption, r.icon == MsgIcon::Error ? u"Errore"_s : u"Attenzione"_s);
        QCOMPARE(hook.last().icon, r.icon);
        QVERIFY2(Plays() == before && Globals().system.undo.count() == undo, r.name);
        QVERIFY2(d.isVisible() && !Globals().system.modified, r.name);
    }
}

// Clicks go, presses "Interrompi" as soon as the run lets events through and answers Yes: the
// list as before, the dialog open and idle again.
void InterruptRun(TGeneratorHost& d, MessageBoxHook& hook) {
    const auto before = Plays();
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
    QVERIFY(Plays() == before && !Globals().system.modified);
    QVERIFY(d.isVisible() && d.go->isEnabled() && !d.AntiPan3->isVisible() && !d.busy());
}

// A run that adds nothing: the notice, the list as it was; TGioca and TGiocateCasuali close and
// mark the system modified, TSvilInt stays open and leaves it.
void RunAddingNothing(TGeneratorHost& d, MessageBoxHook& hook, bool closes) {
    const auto before = Plays();
    Globals().system.modified = false;
    hook.clear();
    d.go->click();
    QCOMPARE(hook.count(), 1);
    QCOMPARE(hook.last().text, Q(NoPlayAddedMessage));
    QCOMPARE(hook.last().caption, u"Attenzione"_s);
    QCOMPARE(hook.last().icon, MsgIcon::Warning);
    QVERIFY(Plays() == before);
    QCOMPARE(d.isVisible(), !closes);
    QCOMPARE(Globals().system.modified, closes);
}

void Reopen(QDialog& d) {
    d.hide();
    d.show();
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
        QCOMPARE(d.ruote->box(WheelNazionale)->objectName(), u"CheckBox14"_s);
        QTest::keyClicks(d.Edit6, u"1a.2"_s);
        QCOMPARE(d.Edit6->text(), u"12"_s);
        QCOMPARE(d.Edit6->maxLength(), 10);
        d.Edit6->clear();
        SetForecast(1, 8);
        Commit(test::MakePlay({1, 2}, {1, 1, 0, 0, 0}));
        d.show();
        QVERIFY(!d.usafisse->isEnabled());

        // The criteria fields follow their boxes, silver when off; both boxes may be off.
        d.CheckBox12->click();
        d.CheckBox13->click();
        QVERIFY(!d.Edit8->isEnabled() && !d.Edit9->isEnabled() && !d.Edit10->isEnabled() && !d.Edit11->isEnabled());
        QCOMPARE(d.Edit8->palette().color(QPalette::Disabled, QPalette::Base), DisabledFieldColor);
        d.CheckBox13->click();
        QVERIFY(!d.Edit9->isEnabled() && d.Edit10->isEnabled() && d.Edit11->isEnabled());

        // The stake fields follow K; the total is M times the per-play total, red when invalid.
        d.ComboBox1->setCurrentIndex(1);
        QVERIFY(d.Edit2->isEnabled() && !d.Edit3->isEnabled());
        SetField(d.Edit1, u"1"_s);
        SetField(d.Edit2, u"1"_s);
        QVERIFY(Red(d.Label12, QPalette::WindowText));
        SetField(d.Edit6, u"5"_s);
        QCOMPARE(d.Label12->text(), Amount(10));
        QVERIFY(!Red(d.Label12, QPalette::WindowText));
        // Greyed with its group while a run holds the dialog, not kept black.
        QCOMPARE_NE(d.Label12->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(Qt::black));

        const auto valid = [&d] {
            d.ComboBox1->setCurrentIndex(1);
            for (QCheckBox* b : {d.CheckBox12, d.CheckBox13}) b->setChecked(true);
            const std::pair<QLineEdit*, const char*> texts[] = {{d.Edit1, "1"},  {d.Edit2, "1"},  {d.Edit6, "5"},
                                                                {d.Edit8, "0"},  {d.Edit9, "50"}, {d.Edit10, "0"},
                                                                {d.Edit11, "50"}};
            for (const auto& [e, t] : texts) e->setText(Q(t));
            d.usafisse->setChecked(false);
        };
        const QString sums =
            u"La somma delle probabilità massime deve essere maggiore della somma delle probabilità minime!"_s;
        const QString order = u"Una delle probabilità minime è maggiore della massima!"_s;
        CheckRefusals(
            d, d.go, hook, valid,
            {
                {"K above N", [&] { d.ComboBox1->setCurrentIndex(8); }, Q(PlaySizeAboveForecastMessage)},
                {"no M", [&] { d.Edit6->clear(); }, StakeRuleText()},
                {"M 0", [&] { d.Edit6->setText(u"0"_s); }, StakeRuleText()},
                {"stake", [&] { d.Edit2->setText(u"0,3"_s); }, StakeRuleText()},
                {"Dlo", [&] { d.Edit8->clear(); }, u"La probabilità del numero meno ritardatario non è valida!"_s},
                {"Dhi", [&] { d.Edit9->setText(u"101"_s); },
                 u"La probabilità del numero più ritardatario non è valida!"_s},
                {"Dlo>Dhi", [&] { d.Edit8->setText(u"51"_s); }, order},
                {"Fmost", [&] { d.Edit10->clear(); }, u"La probabilità del numero più frequente non è valida!"_s},
                {"Fleast", [&] { d.Edit11->clear(); }, u"La probabilità del numero meno frequente non è valida!"_s},
                {"Fmost>Fleast", [&] { d.Edit10->setText(u"60"_s); }, order},
                {"sum", [&] { d.Edit9->setText(u"51"_s); },
                 u"La somma delle probabilità massime non può essere maggiore di 100!"_s},
                {"both off",
                 [&] {
                     d.CheckBox12->setChecked(false);
                     d.CheckBox13->setChecked(false);
                 },
                 sums},
                {"off unread",
                 [&] {
                     d.CheckBox12->setChecked(false);
                     d.Edit8->clear();
                     d.Edit11->setText(u"0"_s);
                 },
                 sums},
                {"fixed",
                 [&] {
                     SetForecast(1, 8, {1, 2, 3});
                     d.FormActivate();
                 },
                 Q(FixedAbovePlaySizeMessage)},
                {"list full",
                 [&] {
                     SetForecast(1, 8);
                     d.FormActivate();
                     d.Edit6->setText(u"100000"_s);
                 },
                 Q(PlayListFullMessage), MsgIcon::Warning},
            });

        // A run: the engine's plays after the committed one, the snapshot, the dialog closed.
        valid();
        d.ruote->box(3)->click();
        PlayList expected = Globals().system.list;
        const PlayRequest r{{1, 2, 3, 4, 5, 6, 7, 8}, {}, 2, 0x004, {1, 1, 0, 0, 0}};
        ExtractBestPlays(expected, r, 5,
                         DelayFrequencyScore(r.forecast, 2, 0x004, {}, Globals().delays, Globals().frequencies));
        hook.clear();
        d.go->click();
        QCOMPARE(hook.count(), 0);
        QCOMPARE(Globals().system.list.count(), 6);
        QVERIFY(Plays() == std::vector<Play>(expected.data(), expected.data() + 6));
        QVERIFY(Globals().system.undo.count() == 1 && Globals().system.modified && !d.isVisible());

        SetForecast(1, 40);
        Globals().system.modified = false;
        d.show();
        d.ComboBox1->setCurrentIndex(3);
        d.Edit3->setText(u"1"_s);
        InterruptRun(d, hook);

        // A fixed number outside the forecast: every candidate lacks it.
        SetForecast(1, 5, {50});
        Reopen(d);
        QVERIFY(d.usafisse->isChecked() && d.usafisse->isEnabled());
        valid();
        d.usafisse->setChecked(true);
        RunAddingNothing(d, hook, true);
    }

    void giocateCasuali() {
        MessageBoxHook hook;
        TGiocateCasuali d;
        QCOMPARE(d.windowTitle(), u"Estrai giocate casualmente"_s);
        QVERIFY(!d.ComboBox1->isVisibleTo(&d) && d.Edit7->isVisibleTo(&d));
        QCOMPARE(d.ruote->box(WheelNazionale)->objectName(), u"CheckBox12"_s);
        QCOMPARE(d.Edit7->maxLength(), 10);
        for (QLineEdit* e : {d.Edit1, d.Edit2, d.Edit3, d.Edit4, d.Edit5}) QVERIFY(!e->isEnabled());

        // K enables the stake fields up to K; red above N or below the fixed numbers considered.
        SetForecast(1, 8, {1, 2, 3});
        d.show();
        struct {
            const char* k;
            int enabled;
            bool red;
        } rows[] = {{"3", 3, false}, {"9", 5, true}, {"2", 2, true}, {"", 2, false}, {"0", 0, true}, {"5", 5, false}};
        for (const auto& row : rows) {
            SetField(d.Edit7, Q(row.k));
            int j = 1;
            for (QLineEdit* e : {d.Edit1, d.Edit2, d.Edit3, d.Edit4, d.Edit5})
                QVERIFY2(e->isEnabled() == (j++ <= row.enabled), row.k);
            QVERIFY2(Red(d.Edit7, QPalette::Text) == row.red, row.k);
        }

        const auto valid = [&d] {
            d.usafisse->setChecked(false);
            d.Edit7->setText(u"2"_s);
            d.Edit1->setText(u"1"_s);
            d.Edit2->clear();
            d.Edit6->setText(u"3"_s);
        };
        const QString badK = Q(InvalidPlaySizeMessage);
        CheckRefusals(
            d, d.go, hook, valid,
            {
                {"no K", [&] { d.Edit7->clear(); }, badK},
                {"K 0", [&] { d.Edit7->setText(u"0"_s); }, badK},
                {"K above N", [&] { d.Edit7->setText(u"9"_s); }, badK},
                {"no M", [&] { d.Edit6->clear(); }, StakeRuleText()},
                {"stake", [&] { d.Edit1->setText(u"0,3"_s); }, StakeRuleText()},
                {"fixed", [&] { d.usafisse->setChecked(true); }, Q(FixedAbovePlaySizeMessage)},
                {"list full", [&] { d.Edit6->setText(u"100001"_s); }, Q(PlayListFullMessage), MsgIcon::Warning},
            });

        // A run with a known source: {1, 2} is a repeat, then three new plays; the gauge counts to M.
        valid();
        Commit(test::MakePlay({1, 2}));
        const std::vector<int> values{0, 1, 2, 3, 7, 5, 4, 6};
        SequenceRandom drawn(values), again(values);
        d.setRandom(drawn);
        PlayList expected = Globals().system.list;
        ExtractRandomPlays(expected, PlayRequest{{1, 2, 3, 4, 5, 6, 7, 8}, {}, 2, 1u << 11, {1, 0, 0, 0, 0}}, 3, again);
        hook.clear();
        d.go->click();
        QCOMPARE(hook.count(), 0);
        QCOMPARE(Globals().system.list.count(), 4);
        QVERIFY(Plays() == std::vector<Play>(expected.data(), expected.data() + 4));
        QCOMPARE(d.gg->maximum(), 3);
        QVERIFY(Globals().system.modified && !d.isVisible() && Globals().system.undo.count() == 1);

        StdRandom seeded(5);
        d.setRandom(seeded);
        SetForecast(1, 40);
        Globals().system.modified = false;
        d.show();
        valid();
        d.Edit6->setText(u"50000"_s);
        InterruptRun(d, hook);

        // The only play there is already committed: 10001 repeats end the run.
        SetForecast(7, 8);
        Commit(test::MakePlay({7, 8}));
        Reopen(d);
        valid();
        RunAddingNothing(d, hook, true);
    }

    void eliminaCasu() {
        MessageBoxHook hook;
        TEliminaCasu d;
        QCOMPARE(d.windowTitle(), u"Elimina giocate casualmente"_s);
        for (int n = 1; n <= 5; ++n) Commit(test::MakePlay({n}));
        SequenceRandom drawn({1, 2});
        d.setRandom(drawn);
        d.show();
        CheckRefusals(d, d.go, hook, [] {},
                      {
                          {"empty", [&] { d.Edit6->clear(); }, Q(InvalidEliminationCountMessage)},
                          {"0", [&] { d.Edit6->setText(u"0"_s); }, Q(InvalidEliminationCountMessage)},
                          {"above P", [&] { d.Edit6->setText(u"6"_s); }, Q(InvalidEliminationCountMessage)},
                      });
        // Enter runs it: position 2 of 1..5, then position 3 of 1, 3, 4, 5.
        SetField(d.Edit6, u"2"_s);
        QTest::keyClick(d.Edit6, Qt::Key_Return);
        QVERIFY(!d.isVisible() && Globals().system.modified && Globals().system.undo.count() == 5);
        QVERIFY(Plays() == (std::vector<Play>{test::MakePlay({1}), test::MakePlay({3}), test::MakePlay({5})}));
        // All of them: the list empties without a draw; Escape closes.
        d.show();
        SetField(d.Edit6, u"3"_s);
        d.go->click();
        QVERIFY(Globals().system.list.empty() && drawn.draws() == 2);
        d.show();
        QTest::keyClick(d.Edit6, Qt::Key_Escape);
        QVERIFY(!d.isVisible());
    }

    void svilInt() {
        MessageBoxHook hook;
        TSvilInt d;
        QCOMPARE(d.windowTitle(), u"Sviluppo integrale del pronostico"_s);
        QCOMPARE(d.go->text(), u"Esegui"_s);
        SetForecast(1, 10);
        d.show();
        QVERIFY(d.Label15->text().isEmpty());
        d.ComboBox1->setCurrentIndex(4);
        SetField(d.Edit1, u"1"_s);
        QCOMPARE(d.Label15->text(), u"252"_s);
        QCOMPARE(d.Label12->text(), Amount(252));
        SetForecast(1, 40);
        Reopen(d);
        d.Edit1->setText(u"2"_s);
        QCOMPARE(d.Label15->text(), u"658008"_s);
        QCOMPARE(d.Label12->text(), Amount(1316016));
        // With a fixed number only the cinquine holding it are developed, counted and paid.
        SetForecast(1, 10, {1});
        Reopen(d);
        d.ComboBox1->setCurrentIndex(4);
        d.Edit1->setText(u"1"_s);
        QCOMPARE(d.Label15->text(), u"126"_s);
        QCOMPARE(d.Label12->text(), Amount(126));

        const auto valid = [&d] {
            SetForecast(1, 10);
            d.FormActivate();
            d.ComboBox1->setCurrentIndex(4);
            d.Edit1->setText(u"1"_s);
        };
        CheckRefusals(d, d.go, hook, valid,
                      {
                          {"K above N",
                           [&] {
                               SetForecast(1, 4);
                               d.FormActivate();
                           },
                           Q(PlaySizeAboveForecastMessage)},
                          {"stake", [&] { d.Edit1->clear(); }, StakeRuleText()},
                          {"fixed",
                           [&] {
                               SetForecast(1, 10, {1, 2, 3});
                               d.FormActivate();
                               d.ComboBox1->setCurrentIndex(1);
                           },
                           Q(FixedAbovePlaySizeMessage)},
                      });
        // Too many fixed numbers: no count and the total in red.
        QCOMPARE(d.Label15->text(), u"0"_s);
        QVERIFY(Red(d.Label12, QPalette::WindowText));

        // The development, then the same again: every combination is there, the dialog stays.
        valid();
        hook.clear();
        d.go->click();
        QCOMPARE(hook.count(), 0);
        QCOMPARE(Globals().system.list.count(), 252);
        QVERIFY(Globals().system.modified && !d.isVisible());
        QCOMPARE(Globals().system.list.play(1), test::MakePlay({1, 2, 3, 4, 5}));
        QCOMPARE(Globals().system.list.play(252), test::MakePlay({6, 7, 8, 9, 10}));
        d.show();
        RunAddingNothing(d, hook, false);

        // The list would pass its capacity: the message, nothing added, the dialog stays.
        for (int i = 253; i <= PlayList::Capacity - 100; ++i) Commit(test::MakePlay({90}));
        d.ruote->box(1)->click();
        hook.clear();
        d.go->click();
        QCOMPARE(hook.last().text, Q(PlayListFullMessage));
        QCOMPARE(hook.last().caption, u"Attenzione"_s);
        QVERIFY(d.isVisible() && Globals().system.list.count() == PlayList::Capacity - 100);

        Globals().system.list.setCount(0);
        valid();
        SetForecast(1, 40);
        d.FormActivate();
        InterruptRun(d, hook);
    }

    void commandsOfTheMenu() {
        CommandTable t;
        WindowRegistry w;
        RegisterGenerationFeature(t, w);
        struct {
            const char *name, *caption;
            Check check;
        } rows[] = {{"Sviluppointegraledelpronostico1", "Sviluppo integrale", Check::ForecastNotEmpty},
                    {"Estraigiocatepiprobabili2", "Estrai giocate più probabili", Check::ForecastNotEmpty},
                    {"Estraigiocatecasualmente1", "Estrai giocate casualmente", Check::ForecastNotEmpty},
                    {"Eliminagiocatecasualmente1", "Elimina giocate casualmente", Check::PlaysToEliminate}};
        for (const auto& r : rows) {
            const CommandRow* row = t.find(Q(r.name));
            QVERIFY2(row && row->action && row->check == r.check && row->menu == u"Riduzioni"_s, r.name);
            QCOMPARE(row->caption, Q(r.caption));
        }
        QWidget main;
        w.createAll(&main);
        QVERIFY(TGioca::instance() && TGiocateCasuali::instance() && TEliminaCasu::instance() && TSvilInt::instance());
        test::ResetWindows();
    }
};

QTEST_MAIN(TstGenerationWindows)
#include "tst_generationwindows.moc"
