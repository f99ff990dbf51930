// The four pair windows through their controls: what they compute, their messages, the enabling
// of their buttons, the interruption of a scan, the adding of pairs, and numora-cli's rows.
#include "components/UMessageBox.h"
#include "components/UProgressPanel.h"
#include "components/UWheelSelection.h"
#include "core/Globali.h"
#include "core/Random.h"
#include "core/TextHelpers.h"
#include "stakes/UImporti.h"
#include "stats/UStatAmbiFre.h"
#include "stats/UStatAmbiMenoFre.h"
#include "stats/UStatAmbiPiuRit.h"
#include "stats/UStatAmbiRit.h"

#include "RandomDraws.h"
#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>

using namespace numora;
using namespace Qt::StringLiterals;

namespace {

constexpr int Draws = 300;

std::vector<WheelPairValue> Full(const std::vector<PairValue>& v) {
    std::vector<WheelPairValue> out;
    for (const PairValue& p : v) out.push_back({p.j, p.k, p.value, 0});
    return out;
}

void SelectRows(QTableView* sg, int first, int last) {
    sg->selectionModel()->select(QItemSelection(sg->model()->index(first, 0), sg->model()->index(last, 0)),
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// Confirms the stake dialog with one euro on the estratto and on the ambo.
void ConfirmStakes() {
    test::RunModal<TImporti>([](TImporti* d) {
        d->Edit1->setText(u"1"_s);
        d->Edit2->setText(u"1"_s);
        d->OKClick();
    });
}

// Types the text as the user does, which enables "Calcola" or "Ricalcola".
void Type(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

QStringList GridLines(const QTableView* sg) {
    QStringList lines;
    const QAbstractItemModel* m = sg->model();
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c + 1 < m->columnCount(); ++c) cells << m->index(r, c).data().toString();
        lines << cells.join(u'\t');
    }
    return lines;
}

} // namespace

class TstPairWindows : public QObject {
    Q_OBJECT

private:
    test::TempDir dir_;

private slots:
    void initTestCase() {
        test::RegisterAllFeatures();
        Globals().appDir = dir_.path();
        test::UseTestStakes(Globals().settings);
        Globals().archive = test::RandomArchive(5, Draws, 90);
    }
    void init() {
        Globals().system.list.clear();
        Globals().system.forecast.clear();
        Globals().system.modified = false;
    }

    void delayListComputesOnActivationAndOnRicalcola() {
        TStatAmbiRit w;
        w.show();
        QVERIFY(!w.go->isEnabled());
        QVERIFY(!w.aggpro->isEnabled() && !w.agggio->isEnabled());
        w.FormActivate();
        QCOMPARE(w.rows(), Full(PairDelays(Globals().archive, RegionalWheelSet)));
        w.ruote->box(1)->click();  // Bari
        w.ruote->box(11)->click(); // the national wheel
        QVERIFY(w.go->isEnabled());
        w.go->click();
        QVERIFY(!w.go->isEnabled());
        QCOMPARE(w.rows(), Full(PairDelays(Globals().archive, 0x401)));

        // Adding: both numbers to the forecast; plays on the checked boxes' wheels.
        SelectRows(w.sg, 0, 1);
        QVERIFY(w.aggpro->isEnabled() && w.agggio->isEnabled());
        w.aggpro->click();
        QVERIFY(!w.aggpro->isEnabled());
        w.FormActivate(); // coming back to the window keeps the selection, not the button
        QCOMPARE(SelectedGridRows(w.sg), (std::vector<int>{0, 1}));
        QVERIFY(!w.aggpro->isEnabled());
        for (int r = 0; r < 2; ++r) {
            QVERIFY(Globals().system.forecast.isChosen(w.rows()[static_cast<std::size_t>(r)].j));
            QVERIFY(Globals().system.forecast.isChosen(w.rows()[static_cast<std::size_t>(r)].k));
        }
        QVERIFY(Globals().system.modified);
        ConfirmStakes();
        w.agggio->click();
        QVERIFY(!w.agggio->isEnabled());
        const PlayList& list = Globals().system.list;
        QCOMPARE(list.count(), 2);
        QCOMPARE(list.play(2).wheels, std::uint16_t(0x401));
        QCOMPARE(int(list.play(2).numbers[0]), w.rows()[1].j);
        QCOMPARE(int(list.play(2).numbers[1]), w.rows()[1].k);
        QCOMPARE(list.play(2).stakes, (std::array<double, 5>{1, 1, 0, 0, 0}));
    }

    void frequencyListChecksItsWindow() {
        MessageBoxHook hook;
        TStatAmbiFre w;
        w.show();
        QCOMPARE(w.windowTitle(), u"Le Frequenze dei 4005 Ambi su xxx estrazioni"_s);
        QCOMPARE(w.Edit1->text(), QString::number(Draws - 399)); // below 1 with fewer than 400 draws
        w.FormActivate();
        QCOMPARE(hook.last().text, u"Il numero dell'estrazione di partenza non è valido!"_s);
        QCOMPARE(hook.last().caption, u"Errore"_s);
        QVERIFY(w.rows().empty());

        const std::array<std::array<QString, 3>, 3> refused{
            {{u"abc"_s, u"10"_s, u"Il numero dell'estrazione di partenza non è valido!"_s},
             {u"10"_s, u"301"_s, u"Il numero dell'estrazione finale non è valido!"_s},
             {u"0"_s, u"0"_s, u"Il numero dell'estrazione di partenza non è valido!"_s}}};
        w.Edit1->setText(u"200"_s);
        Type(w.Edit2, u"100"_s);
        QVERIFY(w.go->isEnabled());
        w.go->click();
        QCOMPARE(w.windowTitle(), u"Le Frequenze dei 4005 Ambi su 101 estrazioni"_s);
        const auto computed = Full(PairFrequencies(Globals().archive, RegionalWheelSet, {100, 200}));
        QCOMPARE(w.rows(), computed);
        for (const auto& c : refused) {
            w.Edit1->setText(c[0]);
            w.Edit2->setText(c[1]);
            w.FormActivate();
            QCOMPARE(hook.last().text, c[2]);
            QCOMPARE(w.rows(), computed);
        }
    }

    void delayScanRefusesBadCountsAndShowsItsRows() {
        MessageBoxHook hook;
        TStatAmbiPiuRit w;
        w.show();
        QVERIFY(w.rows().empty());
        QVERIFY(w.go->isEnabled() && w.CheckBox1->isChecked());
        QVERIFY(!w.AntiPan3->isVisible());
        for (const QString& k : {u"0"_s, u"5001"_s, u""_s, u"x1"_s}) {
            w.Edit1->setText(k);
            w.go->click();
            QCOMPARE(hook.last().text, u"Il numero di Ambi da visualizzare non è valido!"_s);
            QVERIFY(w.rows().empty());
        }
        QCOMPARE(hook.count(), 4);
        w.Edit1->setText(u"5000"_s);
        w.go->click();
        QCOMPARE(w.rows(), MostDelayedPairs(Globals().archive, 10, 5000, {}).entries);
        QVERIFY(!w.go->isEnabled());
        QVERIFY(w.stampa->isEnabled() && w.Edit1->isEnabled() && w.aggpro->isEnabled());
        w.CheckBox1->click();
        QVERIFY(w.go->isEnabled());
        w.go->click();
        QCOMPARE(w.rows(), MostDelayedPairs(Globals().archive, 11, 5000, {}).entries);
        QTest::keyClick(w.Edit1, Qt::Key_Backspace);
        QVERIFY(w.go->isEnabled());

        // One play per row, on the row's wheel only.
        SelectRows(w.sg, 3, 3);
        ConfirmStakes();
        w.agggio->click();
        QCOMPARE(Globals().system.list.count(), 1);
        QCOMPARE(Globals().system.list.play(1).wheels, WheelBit(w.rows()[3].wheel));
        QCOMPARE(int(Globals().system.list.play(1).numbers[0]), w.rows()[3].j);
    }

    // "Interrompi" is seen at the first step, when events are let through: Yes shows what was
    // held (nothing yet), No lets the scan finish.
    void interruptedScanAnsweredYesAndNo() {
        MessageBoxHook hook;
        TStatAmbiMenoFre w;
        w.show();
        const int n = Globals().archive.count();
        QCOMPARE(w.Edit1->text(), u"1"_s);
        QCOMPARE(w.Edit2->text(), QString::number(n));
        for (MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
            hook.clear();
            hook.queueAnswer(answer);
            bool seenBusy = false;
            // While computing: the window refuses to close, only "Interrompi" and the gauge work.
            QTimer::singleShot(0, &w, [&] {
                seenBusy = w.stopState() == 1 && !w.close() && w.stopbtn->isVisible() && w.AntiPan3->gg->isVisible() &&
                           w.AntiPan3->gg->maximum() == 4005 && !w.go->isEnabled() && !w.Edit3->isEnabled() &&
                           !w.chiudi->isEnabled();
                w.stopbtn->click();
            });
            Type(w.Edit1, u"250"_s); // reversed: 50..250
            Type(w.Edit2, u"50"_s);
            w.go->click();
            QVERIFY(seenBusy);
            QCOMPARE(hook.count(), 1);
            QCOMPARE(hook.last().text, u"Interrompere l'elaborazione ?"_s);
            QCOMPARE(hook.last().caption, u"Attenzione"_s);
            QCOMPARE(hook.last().buttons, MsgButtons::YesNo);
            QCOMPARE(w.lastRunInterrupted(), answer == MsgAnswer::Yes);
            if (answer == MsgAnswer::Yes)
                QVERIFY(w.rows().empty());
            else
                QCOMPARE(w.rows(), LeastFrequentPairs(Globals().archive, 10, {50, 250}, 250, {}).entries);
            QVERIFY(!w.AntiPan3->isVisible() && w.chiudi->isEnabled() && !w.go->isEnabled());
            QCOMPARE(w.stopState(), 0);
        }
        // The window is checked before the count, the start before the end.
        const std::array<std::array<QString, 4>, 3> refused{{
            {u"0"_s, u"x"_s, u"0"_s, u"Il numero dell'estrazione di partenza non è valido!"_s},
            {u"1"_s, u"301"_s, u"0"_s, u"Il numero dell'estrazione finale non è valido!"_s},
            {u"1"_s, u"300"_s, u"5001"_s, u"Il numero di Ambi da visualizzare non è valido!"_s},
        }};
        for (const auto& c : refused) {
            w.Edit1->setText(c[0]);
            w.Edit2->setText(c[1]);
            Type(w.Edit3, c[2]);
            w.go->click();
            QCOMPARE(hook.last().text, c[3]);
        }
    }

    void cliRowsEqualTheWindowRows() {
        StdRandom random(3);
        DelayTable d;
        FrequencyTable f;
        QVERIFY(SaveArchive(dir_.file(ArchiveFileName), Globals().archive, d, f, random));
        auto cli = [&](const QStringList& args) {
            QProcess p;
            p.start(QString::fromStdString(test::BinDir() + "numora-cli"),
                    QStringList{u"--dir"_s, QString::fromStdString(dir_.path()), u"stats"_s} + args);
            p.waitForFinished(60000);
            QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
            if (!lines.isEmpty()) lines.removeFirst(); // the header
            return lines;
        };
        TStatAmbiRit ritardi;
        ritardi.ruote->box(1)->click();
        ritardi.ruote->box(11)->click();
        ritardi.FormActivate();
        QCOMPARE(cli({u"pairs-delay"_s, u"--wheels"_s, u"BA,RN"_s}), GridLines(ritardi.sg));
        TStatAmbiMenoFre scan;
        scan.Edit1->setText(u"30"_s);
        scan.Edit2->setText(u"280"_s);
        scan.Edit3->setText(u"300"_s);
        scan.CheckBox1->setChecked(false);
        scan.go->click();
        QCOMPARE(scan.rows().size(), 300u);
        QCOMPARE(cli({u"top-pairs-frequency"_s, u"--from"_s, u"30"_s, u"--to"_s, u"280"_s, u"--count"_s, u"300"_s,
                      u"--with-national"_s}),
                 GridLines(scan.sg));
    }
};

QTEST_MAIN(TstPairWindows)
#include "tst_pairwindows.moc"
