// The three distribution windows through their controls: the counts against the engine, the
// start by the timer, the repaints, "Interrompi" with both answers, Chiudi during a run, the
// states of the numbers' chart and its refusal to close, printing, the commands, and numora-cli
// distribution against the windows.
#include "components/UCommandTable.h"
#include "components/UMessageBox.h"
#include "components/UStatsShared.h"
#include "components/UWindowRegistry.h"
#include "core/Combinations.h"
#include "core/Globali.h"
#include "core/SystemFile.h"
#include "elimination/UDistriProba.h"
#include "elimination/UDistriProbaPerEli.h"
#include "probability/UVisuaDistri.h"

#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QBarSet>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <numeric>

namespace numora {
void RegisterProbabilityFeature(CommandTable& t, WindowRegistry& w);
}

using namespace numora;
using namespace Qt::StringLiterals;

namespace {

const QString StopQuestion = u"Sei sicuro di voler interrompere l'elaborazione?"_s;

std::int64_t Total(const DistributionBins& b) {
    return std::accumulate(b.begin(), b.end(), std::int64_t{0});
}

void ChooseForecast(int m) {
    Forecast& f = Globals().system.forecast;
    f.clear();
    for (int n = 1; n <= m; ++n) f.setChosen(n * 2, true);
}

void FillPlays(int count) {
    PlayList& list = Globals().system.list;
    list.setCount(count);
    for (int i = 1; i <= count; ++i)
        list.play(i) = test::MakePlay({1 + i % 90, 1 + (i * 7 + 1) % 90}); // never the same number twice
}

} // namespace

class TstDistributionWindows : public QObject {
    Q_OBJECT

private:
    test::TempDir dir_;

private slots:
    void init() {
        Globals().appDir = dir_.path();
        Globals().system.list.clear();
        Globals().system.forecast.clear();
        Globals().system.customProbabilities = PlaySystem::DefaultCustomProbabilities();
        for (int n = 1; n <= 90; ++n) Globals().system.customProbability(n) = (n * 37 % 201) / 2.0;
    }

    // The combinations: started by the timer after showing, the engine's bins, a repaint every
    // 103rd report, Interrompi hidden at the end.
    void combinationsRunByThemselves() {
        MessageBoxHook hook;
        ChooseForecast(16);
        TDistriProba d(4);
        QCOMPARE(d.windowTitle(), u"Distribuzione delle probabilità nelle giocate"_s);
        QCOMPARE(d.Label1->text(), u"Nº Giocate"_s);
        QCOMPARE(d.Label2->text(), u"Probabiltà"_s);
        QCOMPARE(d.sb1->statusTip(), u" Interrompe l'elaborazione "_s);
        QVERIFY(d.PaintBox1->busy);
        d.show();
        QVERIFY(!d.finished());
        QTRY_VERIFY(d.finished());
        QVERIFY(!d.interrupted() && d.sb1->isHidden() && !d.PaintBox1->busy);
        std::vector<std::uint8_t> numbers;
        for (int n = 1; n <= 16; ++n) numbers.push_back(static_cast<std::uint8_t>(n * 2));
        DistributionBins want;
        CountCombinationBins(numbers, 4, Globals().system.customProbabilities, want);
        QCOMPARE(d.bins(), want);
        QCOMPARE(d.occasions(), int(Binomial(16, 4) / 64));
        QCOMPARE(d.chartRepaints(), d.occasions() / 103);
        QCOMPARE(hook.count(), 0);
        d.chiudi->click();
        QVERIFY(!d.isVisible());
    }

    // Interrompi: No goes on to the end, Yes keeps the counts so far; Chiudi stops at once.
    void interruptions() {
        ChooseForecast(30);
        const std::int64_t all = std::int64_t(Binomial(30, 5));
        const struct {
            bool viaClose;
            MsgAnswer answer;
            std::int64_t counted;
            int questions;
        } cases[] = {{false, MsgAnswer::No, all, 1}, {false, MsgAnswer::Yes, 64, 1}, {true, MsgAnswer::Yes, 64, 0}};
        for (const auto& c : cases) {
            MessageBoxHook hook;
            hook.queueAnswer(c.answer);
            TDistriProba d(5);
            d.show();
            QTimer::singleShot(0, &d, [&d, &c] { (c.viaClose ? d.chiudi : d.sb1)->click(); });
            d.run();
            QCOMPARE(Total(d.bins()), c.counted);
            QCOMPARE(d.interrupted(), c.counted != all);
            QCOMPARE(hook.count(), c.questions);
            if (c.questions) {
                QCOMPARE(hook.last().text, StopQuestion);
                QCOMPARE(hook.last().caption, u"Attenzione"_s);
                QCOMPARE(hook.last().defaultAnswer, MsgAnswer::No);
            }
            QCOMPARE(d.isVisible(), !c.viaClose);
        }
    }

    // The plays: one report per play, a repaint every 179, the question after any play.
    void playsOfTheList() {
        MessageBoxHook hook;
        FillPlays(1000);
        Globals().system.list.play(1000) = test::MakePlay({1, 2, 3}); // averaged over 3
        TDistriProbaPerEli d;
        d.show();
        QTRY_VERIFY(d.finished());
        DistributionBins want;
        CountPlayBins(Globals().system.list, Globals().system.customProbabilities, want);
        QCOMPARE(d.bins(), want);
        QCOMPARE(d.occasions(), 1000);
        QCOMPARE(d.chartRepaints(), 1000 / 179);
        QCOMPARE(hook.count(), 0);

        hook.queueAnswer(MsgAnswer::Yes);
        TDistriProbaPerEli e;
        QTimer::singleShot(0, e.sb1, &QPushButton::click);
        e.run();
        QCOMPARE(Total(e.bins()), 1);
        QCOMPARE(hook.last().text, StopQuestion);
    }

    // The numbers in the plays: zero bars in the forecast's colours at creation, states 0 to 3,
    // no closing before the end, the first chart update after the first play.
    void numbersInThePlays() {
        MessageBoxHook hook;
        Globals().system.forecast.setChosen(3, true);
        Globals().system.forecast.setChosen(50, true);
        PlayList& list = Globals().system.list;
        list.setCount(1);
        list.play(1) = test::MakePlay({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        TVisuaDistri v;
        QCOMPARE(v.windowTitle(), u"Distribuzione dei numeri nelle giocate"_s);
        QCOMPARE(v.state(), int(TVisuaDistri::Created));
        for (int n = 1; n <= 90; ++n) {
            QCOMPARE(v.barValue(n), 0.0);
            QCOMPARE(v.greenBar(n), n == 3 || n == 50);
        }
        QVERIFY(v.stampa->isHidden() && v.chiudi->isHidden() && !v.sb1->isHidden());
        v.show();
        v.close();
        v.reject();
        QVERIFY(v.isVisible()); // refused until the count is over
        QTRY_COMPARE(v.state(), int(TVisuaDistri::Finished));
        for (int n = 1; n <= 90; ++n) QCOMPARE(v.barValue(n), n <= 10 ? 1.0 : 0.0);
        QVERIFY(v.verdi->at(2) == 1 && v.rossi->at(2) == 0 && v.rossi->at(0) == 1 && v.verdi->at(49) == 0);
        QVERIFY(v.sb1->isHidden() && v.gg->isHidden() && !v.stampa->isHidden() && !v.spiegazioni->isHidden());
        QCOMPARE(hook.count(), 0);
        v.chiudi->click();
        QVERIFY(!v.isVisible());

        // Interrompi: asked after 1215 plays; No counts everything, Yes keeps the first 1215.
        FillPlays(5000);
        NumberPresence all;
        CountNumberPresence(list, all);
        for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
            hook.clear();
            hook.queueAnswer(answer);
            TVisuaDistri w;
            QTimer::singleShot(0, w.sb1, &QPushButton::click);
            w.run();
            QCOMPARE(w.state(), int(TVisuaDistri::Finished));
            QCOMPARE(hook.count(), 1);
            QCOMPARE(hook.last().text, StopQuestion);
            const int counted = std::accumulate(w.counts().begin(), w.counts().end(), 0);
            QCOMPARE(counted, answer == MsgAnswer::No ? 10000 : 2 * 1215);
            if (answer == MsgAnswer::No) QCOMPARE(w.counts(), all);
            QCOMPARE(w.barValue(1), double(w.counts()[0]));
            QVERIFY(w.chartUpdates() >= 2);
        }
    }

    void printing() {
        MessageBoxHook hook;
        FillPlays(10);
        TVisuaDistri v;
        v.show();
        QTRY_COMPARE(v.state(), int(TVisuaDistri::Finished));
        const QString pdf = QString::fromStdString(dir_.file("distri.pdf"));
        SetPrinterSetupHook([&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            return true;
        });
        v.stampa->click();
        QVERIFY(QFile(pdf).size() > 1000);
        QVERIFY(v.piede->isHidden() && !v.Panel1->isHidden());
        QCOMPARE(v.piede->text(), u"www.varnel.it/numora"_s);
        SetPrinterSetupHook({});
        QCOMPARE(hook.count(), 0);
    }

    // The toolbar button with check F opens the window modally; the menu item shows the play
    // list first and does the same.
    void commands() {
        test::ResetWindows();
        RegisterProbabilityFeature(Commands(), Windows());
        const CommandRow* b = Commands().find(u"SpeedButton18"_s);
        QVERIFY(b && b->check == Check::PlaysToCheck);
        QCOMPARE(b->hint, u"Distribuzione dei numeri|Visualizza la distribuzione dei numeri nelle giocate."_s);
        const CommandRow* m = Commands().find(u"Visualizzadistribuzionedeinumeri1"_s);
        QVERIFY(m && m->menu == u"Giocate"_s && m->caption == u"Visualizza distribuzione dei numeri"_s);
        QCOMPARE(Commands().target(*m), b);
        bool listShown = false;
        Commands().views.showPlayList = [&listShown] { listShown = true; };
        m->prelude();
        QVERIFY(listShown);

        FillPlays(3);
        bool seen = false;
        test::RunModal<TVisuaDistri>([&seen](TVisuaDistri* v) {
            QTRY_COMPARE(v->state(), int(TVisuaDistri::Finished));
            seen = std::accumulate(v->counts().begin(), v->counts().end(), 0) == 6;
            v->chiudi->click();
        });
        b->action(nullptr);
        QVERIFY(seen);
        test::ResetWindows();
    }

    // numora-cli distribution prints the windows' bins from a system file; its refusals.
    void cliAgreesWithTheWindows() {
        MessageBoxHook hook;
        ChooseForecast(12);
        FillPlays(300);
        const std::string system = dir_.file("s.lpc");
        QVERIFY(SaveSystem(system, Globals().system));
        const auto cli = [&](const QStringList& args, int code) {
            QProcess p;
            p.start(QString::fromStdString(test::BinDir() + "numora-cli"),
                    QStringList{u"--dir"_s, QString::fromStdString(dir_.path()), u"distribution"_s} + args);
            p.waitForFinished(60000);
            [&] { QCOMPARE(p.exitCode(), code); }();
            return QString::fromUtf8(code == 0 ? p.readAllStandardOutput() : p.readAllStandardError());
        };
        const auto rows = [](const DistributionBins& b) {
            QString t = u"probabilità\tgiocate\n"_s;
            for (int i = 0; i <= 100; ++i) t += u"%1\t%2\n"_s.arg(i).arg(b[static_cast<std::size_t>(i)]);
            return t;
        };
        const QString sys = QString::fromStdString(system);
        TDistriProba d(3);
        d.run();
        QCOMPARE(cli({u"--system"_s, sys, u"--size"_s, u"3"_s}, 0), rows(d.bins()));
        TDistriProbaPerEli e;
        e.run();
        QCOMPARE(cli({u"--plays"_s, u"--system"_s, sys}, 0), rows(e.bins()));

        const QString invalid = u"La quantità di numeri per ogni giocata non è valida!\n"_s;
        for (const char* k : {"0", "13", "11", "x"})
            QCOMPARE(cli({u"--system"_s, sys, u"--size"_s, QString::fromUtf8(k)}, 1), invalid);
        QCOMPARE(cli({u"--numbers"_s, u"1,2,3"_s, u"--size"_s, u"4"_s}, 1), invalid);
        QCOMPARE(
            cli({u"--system"_s, sys, u"--size"_s, u"1"_s}, 1),
            u"Per visualizzare la distribuzione delle probabilità sono neccessari\nalmeno due numeri per ogni giocata!\n"_s);
        for (const QStringList& bad :
             {QStringList{}, {u"--plays"_s, u"--size"_s, u"2"_s}, {u"--size"_s}, {u"--plays"_s, u"--out"_s, u"x"_s}})
            QVERIFY(cli(bad, 2).startsWith(u"Uso: numora-cli"_s));
    }
};

QTEST_MAIN(TstDistributionWindows)
#include "tst_distributionwindows.moc"
