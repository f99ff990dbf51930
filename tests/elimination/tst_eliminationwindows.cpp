// The custom-probability extraction and the two eliminators through their controls: the grid's
// rows, StoreGrid and the wheel change, the suggestion, the messages in their order, the runs
// against the engines, the 173-play stop question; numora-cli extract --custom and eliminate.
#include "components/UMessageBox.h"
#include "components/UProgressPanel.h"
#include "components/UStakeFields.h"
#include "components/UWheelSelection.h"
#include "core/Globali.h"
#include "core/SystemFile.h"
#include "core/TextHelpers.h"
#include "elimination/Elimination.h"
#include "elimination/ProbabilityGrid.h"
#include "elimination/UDistriProba.h"
#include "elimination/UDistriProbaPerEli.h"
#include "elimination/UEliMenoPro.h"
#include "elimination/UEliMiaProba.h"
#include "elimination/UEstraiMiaProba.h"
#include "elimination/UProbabilityGrid.h"
#include "generation/Generation.h"
#include "main/UFeatures.h"

#include "stats/RandomDraws.h"
#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace numora;
using numora::test::SetField;
using namespace Qt::StringLiterals;

namespace {

void Choose(std::initializer_list<int> numbers) {
    for (int n : numbers) Globals().system.forecast.setChosen(n, true);
}

// Plays of 1..6 numbers out of 1..40 on varied wheels.
void FillPlays(int count) {
    PlayList& l = Globals().system.list;
    for (int i = 1; i <= count; ++i) {
        Play& p = l.play(i);
        p = Play{};
        const int k = 1 + i % 6;
        for (int j = 0; j < k; ++j)
            p.numbers[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(1 + (i * 7 + j * 5) % 40);
        std::sort(p.numbers.begin(), p.numbers.begin() + k);
        p.wheels = static_cast<std::uint16_t>(i % 5 == 0 ? (1u << 11) : (1u << (i % 11)));
        p.stakes[0] = i;
    }
    l.setCount(count);
}

} // namespace

class TstEliminationWindows : public QObject {
    Q_OBJECT

private:
    test::TempDir dir_;

private slots:
    void initTestCase() {
        Globals().appDir = dir_.path();
        test::UseTestStakes(Globals().settings);
    }
    void init() {
        Globali& g = Globals();
        g.archive = test::RandomArchive(3, 300, 90);
        g.rebuildDerivedTables();
        g.system.list.clear();
        g.system.undo.clear();
        g.system.forecast.clear();
        g.system.modified = false;
        g.system.customProbabilities = PlaySystem::DefaultCustomProbabilities();
    }

    void customExtractionGridAndMessages() {
        MessageBoxHook hook;
        Choose({3, 8, 15, 16, 42, 77});
        TEstraiMiaProba d;
        d.FormActivate();
        QCOMPARE(d.windowTitle(), u"Estrai giocate tramite probabilità personalizzate"_s);
        QCOMPARE(d.prog->rowCount(), 6);
        const ArchiveHistory tutte = ComputeArchiveHistory(Globals().archive, 1u << 11);
        QCOMPARE(d.prog->item(1, 0)->text(), u"     8"_s);
        QCOMPARE(d.prog->item(1, 1)->text(), u"     "_s + QString::number(tutte.delay[8]));
        QCOMPARE(d.prog->item(1, 2)->text(), u"       "_s + QString::number(tutte.frequency[8]));
        QCOMPARE(d.prog->probabilityText(1), u"50.00"_s);
        QVERIFY(!(d.prog->item(0, 1)->flags() & Qt::ItemIsEditable));

        // K enables the stakes up to its value; above N it turns red.
        QVERIFY(!d.Edit1->isEnabled());
        SetField(d.Edit7, u"3"_s);
        QVERIFY(d.Edit1->isEnabled() && d.Edit3->isEnabled() && !d.Edit4->isEnabled());
        QCOMPARE(d.Edit7->palette().color(QPalette::Text), QColor(Qt::black));
        SetField(d.Edit7, u"7"_s);
        QCOMPARE(d.Edit7->palette().color(QPalette::Text), StakeInvalidColor);

        // The rows before the first invalid one are stored; letters are invalid like an empty cell.
        d.prog->setProbabilityText(2, u"12,5"_s);
        d.prog->setProbabilityText(4, u"abc"_s);
        d.go->click();
        QCOMPARE(hook.last().text,
                 u"Probabilità non valida. La riga nº 4 contiene valori non validi!\rCorreggere e riprovare."_s);
        QCOMPARE(hook.last().caption, u"Errore"_s);
        QCOMPARE(Globals().system.customProbability(8), 12.5);
        d.SpeedButton7->click();
        QCOMPARE(hook.last().text, u"La riga nº 4 contiene valori non validi!\rCorreggere e riprovare."_s);
        d.prog->setProbabilityText(4, u""_s);
        d.SpeedButton7->click();
        QCOMPARE(hook.last().text, u"La riga nº 4 contiene valori non validi!\rCorreggere e riprovare."_s);
        d.prog->setProbabilityText(4, u"33"_s);

        // The distribution's checks of K, then its window for K-number plays.
        struct {
            QString k;
            QString message;
        } sizes[] = {{u"0"_s, QString::fromUtf8(InvalidPlaySizeMessage)},
                     {u"7"_s, QString::fromUtf8(InvalidPlaySizeMessage)},
                     {u""_s, QString::fromUtf8(InvalidPlaySizeMessage)},
                     {u"1"_s, QString::fromUtf8(DistributionSizeMessage)}};
        for (const auto& s : sizes) {
            SetField(d.Edit7, s.k);
            d.SpeedButton7->click();
            QCOMPARE(hook.last().text, s.message);
        }
        const int shown = hook.count();
        SetField(d.Edit7, u"2"_s);
        int size = 0;
        test::RunModal<TDistriProba>([&size](TDistriProba* w) {
            size = w->playSize();
            w->chiudiClick();
        });
        d.SpeedButton7->click();
        QCOMPARE(size, 2);
        QCOMPARE(hook.count(), shown);

        // A wheel change refills the statistics and keeps what was typed.
        d.prog->setProbabilityText(1, u"7,25"_s);
        d.ruote->box(1)->click(); // Bari
        const ArchiveHistory bari = ComputeArchiveHistory(Globals().archive, 1u << 0);
        QCOMPARE(d.prog->item(1, 1)->text(), u"     "_s + QString::number(bari.delay[8]));
        QCOMPARE(d.prog->probabilityText(1), u"7.25"_s);
        QCOMPARE(d.prog->probabilityText(4), u"33.00"_s);

        // Enter in an open cell confirms the cell and does not start the run.
        d.show();
        const int messages = hook.count();
        d.prog->setCurrentCell(5, 3);
        d.prog->editItem(d.prog->item(5, 3));
        auto* editor = d.prog->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, u"44"_s);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(d.prog->probabilityText(6), u"44"_s);
        QCOMPARE(hook.count(), messages);
        QVERIFY(d.isVisible() && Globals().system.list.empty());

        // The suggestion over Bari overwrites all 90.
        d.SpeedButton1->click();
        QCOMPARE(Globals().system.customProbabilities, SuggestedProbabilities(bari));
        QCOMPARE(d.prog->probabilityText(1),
                 QString::fromStdString(ProbabilityText(Globals().system.customProbability(3))));
    }

    void customExtractionRunsTheEngine() {
        MessageBoxHook hook;
        Choose({2, 4, 6, 8, 10});
        Globals().system.forecast.fixed[0] = 4;
        Globals().system.forecast.fixedCount = 1;
        TEstraiMiaProba d;
        d.FormActivate();
        QVERIFY(d.usafisse->isChecked() && d.usafisse->isEnabled());
        d.prog->setProbabilityText(5, u"0"_s); // number 10
        SetField(d.Edit6, u"3"_s);
        SetField(d.Edit7, u"11"_s);
        d.go->click();
        QCOMPARE(hook.last().text, QString::fromUtf8(InvalidPlaySizeMessage));
        SetField(d.Edit7, u"2"_s);
        d.go->click();
        QCOMPARE(hook.last().text, QString::fromStdString(StakeRuleMessage(Globals().settings)));
        SetField(d.Edit1, u"1"_s);
        SetField(d.Edit2, u"2"_s);
        QCOMPARE(d.Label12->text(), QString::fromStdString(FormatAmount(9.0, Globals().settings)) + u" €"_s);

        PlayList want;
        PlayRequest r;
        r.forecast = {2, 4, 6, 8, 10};
        r.fixed = {4};
        r.size = 2;
        r.wheels = 1u << 11;
        r.stakes = {1, 2, 0, 0, 0};
        auto p = PlaySystem::DefaultCustomProbabilities();
        p[9] = 0;
        ExtractBestPlays(want, r, 3, CustomProbabilityScore(p, 2));
        const int before = hook.count();
        d.go->click();
        QCOMPARE(hook.count(), before);
        QVERIFY(!d.isVisible());
        const PlayList& got = Globals().system.list;
        QCOMPARE(got.count(), 3);
        for (int i = 1; i <= 3; ++i) QVERIFY(got.play(i) == want.play(i));
        QCOMPARE(got.play(1).numbers[0], std::uint8_t(2));
        QCOMPARE(got.play(1).numbers[1], std::uint8_t(4));
        QVERIFY(Globals().system.modified);
    }

    void lessProbableMessagesAndRun() {
        MessageBoxHook hook;
        FillPlays(500);
        TEliMenoPro d;
        QCOMPARE(d.windowTitle(), u"Elimina giocate meno probabili"_s);
        for (const QString& e : {u""_s, u"0"_s, u"501"_s}) {
            SetField(d.Edit6, e);
            d.go->click();
            QCOMPARE(hook.last().text, QString::fromUtf8(InvalidEliminationCountMessage));
        }
        d.CheckBox12->click();
        QVERIFY(!d.Edit8->isEnabled() && !d.Edit9->isEnabled() && d.Edit10->isEnabled());
        d.CheckBox12->click();
        QVERIFY(d.Edit8->isEnabled());
        SetField(d.Edit6, u"200"_s);
        SetField(d.Edit9, u"abc"_s);
        d.go->click();
        QCOMPARE(hook.last().text, u"La probabilità del numero più ritardatario non è valida!"_s);
        QCOMPARE(Globals().system.list.count(), 500);
        QCOMPARE(Globals().system.undo.count(), 500); // the snapshot comes before the checks
        SetField(d.Edit9, u"37.5"_s);

        auto want = std::make_unique<PlayList>(Globals().system.list);
        EliminationCriteria c;
        c.dhi = 37.5;
        std::vector<double> s;
        LessProbableScores(*want, c, Globals().delays, Globals().frequencies, s);
        RemoveLeastScored(*want, s, 200);
        const int before = hook.count();
        d.go->click();
        QCOMPARE(hook.count(), before);
        const PlayList& got = Globals().system.list;
        QCOMPARE(got.count(), 300);
        for (int i = 1; i <= 300; ++i) QVERIFY(got.play(i) == want->play(i));
        QVERIFY(Globals().system.modified);

        // E = P empties the list whatever the fields hold.
        SetField(d.Edit9, u"abc"_s);
        SetField(d.Edit6, u"300"_s);
        d.go->click();
        QCOMPARE(hook.count(), before);
        QCOMPARE(Globals().system.list.count(), 0);
    }

    void theStopQuestionComesEvery173Plays() {
        for (const MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
            MessageBoxHook hook;
            FillPlays(1000);
            const auto before = std::make_unique<PlayList>(Globals().system.list);
            TEliMiaProba d;
            d.show();
            SetField(d.Edit6, u"10"_s);
            hook.queueAnswer(answer);
            QTimer::singleShot(0, &d, [&d] {
                QVERIFY(d.busy() && !d.go->isEnabled() && !d.SpeedButton1->isEnabled());
                d.sb1->click();
            });
            d.go->click();
            QCOMPARE(hook.count(), 1);
            QCOMPARE(hook.last().text, u"Sei sicuro di voler interrompere l'elaborazione?"_s);
            QCOMPARE(hook.last().defaultAnswer, MsgAnswer::No);
            const PlayList& got = Globals().system.list;
            if (answer == MsgAnswer::Yes) {
                QVERIFY(d.isVisible() && d.go->isEnabled());
                QCOMPARE(got.count(), 1000);
                for (int i = 1; i <= 1000; ++i) QVERIFY(got.play(i) == before->play(i));
            } else {
                QVERIFY(!d.isVisible());
                QCOMPARE(got.count(), 990);
            }
        }
    }

    void customEliminationGridAndRun() {
        MessageBoxHook hook;
        Choose({5, 12, 33});
        FillPlays(60);
        TEliMiaProba d;
        d.show();
        QCOMPARE(d.windowTitle(), u"Elimina giocate tramite probabilità personalizzate"_s);
        const ArchiveHistory all = ComputeArchiveHistory(Globals().archive, AllElevenWheels);
        QCOMPARE(d.prog->item(2, 2)->text(), u"       "_s + QString::number(all.frequency[33]));
        d.prog->setProbabilityText(3, u"120"_s);
        SetField(d.Edit6, u"20"_s);
        d.go->click();
        QCOMPARE(hook.last().text,
                 u"Probabilità non valida. La riga nº 3 contiene valori non validi!\rCorreggere e riprovare."_s);
        d.SpeedButton7->click();
        QCOMPARE(hook.last().text, u"La riga nº 3 contiene valori non validi!\rCorreggere e riprovare."_s);
        d.prog->setProbabilityText(3, u"5"_s);
        d.prog->setProbabilityText(1, u"90"_s);
        bool opened = false;
        test::RunModal<TDistriProbaPerEli>([&opened](TDistriProbaPerEli* w) {
            opened = true;
            w->chiudiClick();
        });
        d.SpeedButton7->click();
        QVERIFY(opened);
        QCOMPARE(Globals().system.customProbability(5), 90.0);

        d.SpeedButton1->click();
        QCOMPARE(Globals().system.customProbabilities, SuggestedProbabilities(all));
        QCOMPARE(d.prog->StoreGrid(), 0); // the run stores the grid's two decimals again
        auto want = std::make_unique<PlayList>(Globals().system.list);
        std::vector<double> s;
        CustomProbabilityScores(*want, Globals().system.customProbabilities, s);
        RemoveLeastScored(*want, s, 20);
        d.go->click();
        QCOMPARE(Globals().system.list.count(), 40);
        for (int i = 1; i <= 40; ++i) QVERIFY(Globals().system.list.play(i) == want->play(i));
    }

    void commandLine() {
        // The archive and a system in the folder; then each command's answer.
        Globali& g = Globals();
        std::string why;
        QVERIFY(SaveArchive(g.path(ArchiveFileName), g.archive, g.delays, g.frequencies, g.random, &why));
        auto system = std::make_unique<PlaySystem>();
        Choose({1, 2, 3, 4, 5, 6, 7});
        system->forecast = g.system.forecast;
        FillPlays(400);
        system->list = g.system.list;
        test::WriteAll(dir_.file("s.lpc"), SystemFileImage(*system));
        test::WriteAll(dir_.file("Numora.ini"),
                       test::ReadAll(test::BinDir() + "Numora.ini")); // the installed stake rules
        test::WriteAll(dir_.file("p.txt"), "3 12,5\n5\n");
        test::WriteAll(dir_.file("dup.txt"), "3 1\n3 2\n");
        const QString sys = QString::fromStdString(dir_.file("s.lpc"));
        const QString out = QString::fromStdString(dir_.file("o.lpc"));
        auto cli = [this](const QStringList& args, int code) {
            QProcess p;
            p.start(QString::fromStdString(test::BinDir() + "numora-cli"),
                    QStringList{u"--dir"_s, QString::fromStdString(dir_.path())} + args);
            p.waitForFinished(60000);
            const QString said = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
            const QString err = QString::fromUtf8(p.readAllStandardError()).trimmed();
            [&] { QVERIFY2(p.exitCode() == code, qPrintable(args.join(u' ') + u": "_s + err)); }();
            return code == 0 ? said : err;
        };
        // Statistical elimination: the same list as the engine on the folder's archive.
        QCOMPARE(
            cli({u"eliminate"_s, u"--system"_s, sys, u"--plays"_s, u"150"_s, u"--dhi"_s, u"40,5"_s, u"--out"_s, out},
                0),
            u"eliminate\tgiocate\n150\t250"_s);
        auto written = std::make_unique<PlaySystem>();
        QVERIFY(LoadSystem(dir_.file("o.lpc"), *written) == LoadSystemResult::Ok);
        auto want = std::make_unique<PlayList>(system->list);
        EliminationCriteria c;
        c.dhi = 40.5;
        std::vector<double> s;
        LessProbableScores(*want, c, g.delays, g.frequencies, s);
        RemoveLeastScored(*want, s, 150);
        QCOMPARE(written->list.count(), 250);
        for (int i = 1; i <= 250; ++i) QVERIFY(written->list.play(i) == want->play(i));

        QCOMPARE(cli({u"eliminate"_s, u"--system"_s, sys, u"--plays"_s, u"401"_s}, 1),
                 QString::fromUtf8(InvalidEliminationCountMessage));
        QCOMPARE(cli({u"eliminate"_s, u"--system"_s, sys, u"--plays"_s, u"5"_s, u"--fleast"_s, u"x"_s}, 1),
                 u"La probabilità del numero meno frequente non è valida!"_s);
        QCOMPARE(cli({u"eliminate"_s, u"--system"_s, sys, u"--plays"_s, u"400"_s, u"--fleast"_s, u"x"_s}, 0),
                 u"eliminate\tgiocate\n400\t0"_s);
        cli({u"eliminate"_s, u"--system"_s, sys, u"--plays"_s, u"5"_s, u"--suggest"_s}, 2);
        cli({u"eliminate"_s, u"--system"_s, sys, u"--plays"_s, u"5"_s, u"--size"_s, u"2"_s}, 2);
        // Custom: the typed cells (12,5 accepted, an empty one refused), --suggest over 11 wheels.
        QCOMPARE(cli({u"eliminate"_s, u"--custom"_s, u"--system"_s, sys, u"--plays"_s, u"5"_s, u"--probabilities"_s,
                      QString::fromStdString(dir_.file("p.txt"))},
                     1),
                 u"Probabilità non valida. La riga nº 5 contiene valori non validi!\nCorreggere e riprovare."_s);
        cli({u"eliminate"_s, u"--custom"_s, u"--system"_s, sys, u"--plays"_s, u"5"_s, u"--probabilities"_s,
             QString::fromStdString(dir_.file("dup.txt"))},
            2);
        QCOMPARE(cli({u"eliminate"_s, u"--custom"_s, u"--suggest"_s, u"--system"_s, sys, u"--plays"_s, u"100"_s,
                      u"--out"_s, out},
                     0),
                 u"eliminate\tgiocate\n100\t300"_s);
        QVERIFY(LoadSystem(dir_.file("o.lpc"), *written) == LoadSystemResult::Ok);
        auto suggested = SuggestedProbabilities(ComputeArchiveHistory(g.archive, AllElevenWheels));
        for (int n = 1; n <= 7; ++n) // the grid's rows, stored back as shown
            QVERIFY(ReadProbabilityCell(ProbabilityText(suggested[static_cast<std::size_t>(n - 1)]),
                                        suggested[static_cast<std::size_t>(n - 1)]));
        QCOMPARE(written->customProbabilities, suggested);
        want = std::make_unique<PlayList>(system->list);
        CustomProbabilityScores(*want, suggested, s);
        RemoveLeastScored(*want, s, 100);
        for (int i = 1; i <= 300; ++i) QVERIFY(written->list.play(i) == want->play(i));
        // Random: the generator's elimination with the seed.
        QCOMPARE(cli({u"eliminate"_s, u"--random"_s, u"--seed"_s, u"7"_s, u"--system"_s, sys, u"--plays"_s, u"10"_s,
                      u"--out"_s, out},
                     0),
                 u"eliminate\tgiocate\n10\t390"_s);
        QVERIFY(LoadSystem(dir_.file("o.lpc"), *written) == LoadSystemResult::Ok);
        want = std::make_unique<PlayList>(system->list);
        StdRandom seeded(7);
        EliminateRandomPlays(*want, 10, seeded);
        for (int i = 1; i <= 390; ++i) QVERIFY(written->list.play(i) == want->play(i));

        // extract --custom on the same system: row 2 (number 2) typed, K as typed.
        test::WriteAll(dir_.file("q.txt"), "2 90\n");
        const QString q = QString::fromStdString(dir_.file("q.txt"));
        QCOMPARE(cli({u"extract"_s, u"--custom"_s, u"--system"_s, sys, u"--size"_s, u"x"_s, u"--plays"_s, u"2"_s,
                      u"--stakes"_s, u"1"_s},
                     1),
                 QString::fromUtf8(InvalidPlaySizeMessage));
        QCOMPARE(cli({u"extract"_s, u"--custom"_s, u"--system"_s, sys, u"--size"_s, u"3"_s, u"--plays"_s, u"2"_s,
                      u"--stakes"_s, u"1"_s, u"--probabilities"_s, q, u"--out"_s, out},
                     0),
                 u"aggiunte\tgiocate\n2\t402"_s);
        QVERIFY(LoadSystem(dir_.file("o.lpc"), *written) == LoadSystemResult::Ok);
        QCOMPARE(written->customProbability(2), 90.0);
        QCOMPARE(written->list.play(401).numbers[0], std::uint8_t(1));
        QCOMPARE(written->list.play(401).numbers[1], std::uint8_t(2));
        QCOMPARE(written->list.play(401).numbers[2], std::uint8_t(3));
        cli({u"extract"_s, u"--custom"_s, u"--system"_s, sys, u"--probabilities"_s,
             QString::fromStdString(dir_.file("dup.txt"))},
            2);
    }

    void menuRows() {
        test::ResetWindows();
        RegisterFeatures(Commands(), Windows());
        for (const QString& name : {u"RIduzionepersonalizzata1"_s, u"Eliminagiocatemenoprobabili1"_s,
                                    u"Estraigiocateconprobabilitpersonalizzata1"_s}) {
            const CommandRow* r = Commands().find(name);
            QVERIFY(r && r->action);
        }
        test::ResetWindows();
    }
};

QTEST_MAIN(TstEliminationWindows)
#include "tst_eliminationwindows.moc"
