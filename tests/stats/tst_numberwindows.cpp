// The four number windows through their controls: what they compute, their messages and the
// enabling of their buttons, the adding of numbers and plays, printing, and numora-cli's rows.
#include "components/UMessageBox.h"
#include "components/UStatsShared.h"
#include "components/UWheelSelection.h"
#include "core/Globali.h"
#include "core/OperatorImport.h"
#include "core/Random.h"
#include "stakes/UImporti.h"
#include "stats/UStatFre.h"
#include "stats/UStatNumMenoFre.h"
#include "stats/UStatNumPiuRit.h"
#include "stats/UStatRit.h"

#include "RandomDraws.h"
#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QtTest>

using namespace numora;
using numora::test::SetField;
using namespace Qt::StringLiterals;

namespace {

constexpr int Draws = 300;

void SelectRows(QTableWidget* sg, std::initializer_list<int> rows) {
    sg->clearSelection();
    for (int r : rows)
        sg->selectionModel()->select(sg->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

int RowOf(const std::vector<NumberWheelValue>& rows, int number, int wheel) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].number == number && rows[i].wheel == wheel) return static_cast<int>(i);
    return -1;
}

QStringList GridLines(const QTableWidget* sg) {
    QStringList lines;
    for (int r = 0; r < sg->rowCount(); ++r)
        lines << QStringList{sg->item(r, 0)->text().trimmed(), sg->item(r, 1)->text(), sg->item(r, 2)->text()}.join(
            u'\t');
    return lines;
}

QStringList ChartLines(const TStatNumChart& w) {
    QStringList lines;
    for (const NumberValue& v : w.ritgraf->entries()) lines << u"%1\t%2"_s.arg(v.number).arg(v.value);
    return lines;
}

} // namespace

class TstNumberWindows : public QObject {
    Q_OBJECT

private:
    test::TempDir dir_;

private slots:
    void initTestCase() {
        test::RegisterAllFeatures();
        Globals().appDir = dir_.path();
        test::UseTestStakes(Globals().settings);
    }
    void init() {
        Globals().archive = test::RandomArchive(9, Draws, 90);
        Globals().system.list.clear();
        Globals().system.undo.clear();
        Globals().system.forecast.clear();
        Globals().system.modified = false;
    }

    void delayChartComputesAtCreationAndOnRicalcola() {
        TStatRit w;
        QCOMPARE(w.windowTitle(), u"I Ritardi dei 90 numeri"_s);
        QCOMPARE(w.Label3->text(), u"Ritardo"_s);
        QCOMPARE(w.scbrit->maximum(), 1348);
        QCOMPARE(w.ritgraf->entries(), NumberDelays(Globals().archive, RegionalWheelSet));
        QVERIFY(!w.go->isEnabled());
        w.ruote->box(3)->click();  // Firenze alone
        w.ruote->box(11)->click(); // and the national wheel
        QVERIFY(w.go->isEnabled());
        w.go->click();
        QVERIFY(!w.go->isEnabled());
        QCOMPARE(w.ritgraf->entries(), NumberDelays(Globals().archive, 0x404));
        QVERIFY(!w.ritgraf->busy());
    }

    void frequencyChartReadsItsWindow() {
        MessageBoxHook hook;
        TStatFre w;
        QCOMPARE(hook.count(), 0);
        QCOMPARE(w.Edit1->text(), QString::number(Draws - 99));
        QCOMPARE(w.Edit2->text(), QString::number(Draws));
        QCOMPARE(w.Label3->text(), u"Frequenze su 100 estrazioni"_s);
        QVERIFY(!w.go->isEnabled());
        SetField(w.Edit1, u"300"_s);
        QVERIFY(w.go->isEnabled());
        SetField(w.Edit2, u"200"_s);
        w.go->click();
        QVERIFY(!w.go->isEnabled());
        QCOMPARE(w.Label3->text(), u"Frequenze su 101 estrazioni"_s);
        const auto shown = NumberFrequencies(Globals().archive, RegionalWheelSet, {200, 300});
        QCOMPARE(w.ritgraf->entries(), shown);

        // Refusals: start first, then end; the figures stay.
        struct Case {
            QString start, end, message;
        };
        const Case cases[] = {{u"0"_s, u"x"_s, QString::fromUtf8(InvalidStartMessage)},
                              {u"301"_s, u"1"_s, QString::fromUtf8(InvalidStartMessage)},
                              {u""_s, u"5"_s, QString::fromUtf8(InvalidStartMessage)},
                              {u"5"_s, u"301"_s, QString::fromUtf8(InvalidEndMessage)},
                              {u"5"_s, u""_s, QString::fromUtf8(InvalidEndMessage)}};
        for (const Case& c : cases) {
            hook.clear();
            w.Edit1->setText(c.start);
            w.Edit2->setText(c.end);
            w.ruote->box(2)->click();
            w.go->click();
            QCOMPARE(hook.count(), 1);
            QCOMPARE(hook.last().text, c.message);
            QCOMPARE(hook.last().caption, u"Errore"_s);
            QCOMPARE(hook.last().icon, MsgIcon::Error);
            QCOMPARE(w.ritgraf->entries(), shown);
            QCOMPARE(w.Label3->text(), u"Frequenze su 101 estrazioni"_s);
        }
    }

    void fewDrawsRefuseTheDefaultWindow() {
        for (int draws : {0, 99}) {
            Globals().archive = test::RandomArchive(3, draws, 90);
            Globals().archive.setCount(draws);
            MessageBoxHook hook;
            TStatFre chart;
            QCOMPARE(hook.count(), 1);
            QCOMPARE(hook.last().text, QString::fromUtf8(InvalidStartMessage));
            QCOMPARE(chart.Label3->text(), u"Frequenze"_s);
            TStatNumMenoFre list;
            for (int activation = 1; activation <= 2; ++activation) {
                list.FormActivate();
                QCOMPARE(hook.count(), 1 + activation);
                QCOMPARE(hook.last().text, QString::fromUtf8(InvalidStartMessage));
            }
            QCOMPARE(list.windowTitle(), u"I Numeri meno frequenti su xxx estrazioni"_s);
            if (draws == 0) { // every delay is -1: nothing to draw
                TStatRit delays;
                for (const NumberValue& v : delays.ritgraf->entries()) QCOMPARE(v.value, -1);
            }
        }
    }

    void delayListAddsNumbersAndPlays() {
        TStatNumPiuRit w;
        QCOMPARE(w.windowTitle(), u"I Numeri più ritardatari"_s);
        QCOMPARE(w.sg->horizontalHeaderItem(2)->text(), u"Ritardo"_s);
        w.FormActivate();
        QCOMPARE(w.rows(), NumberWheelDelays(Globals().archive));
        QCOMPARE(w.sg->item(0, 0)->text(), u"    %1"_s.arg(w.rows()[0].number));
        QVERIFY(!w.aggpro->isEnabled() && !w.agggio->isEnabled());

        Globals().system.list.setCount(1); // one play already there: the snapshot copies it
        Globals().system.list.play(1) = test::MakePlay({1, 2});
        const int bari = RowOf(w.rows(), 7, 1);
        const int roma = RowOf(w.rows(), 7, 8);
        SelectRows(w.sg, {bari, roma});
        QVERIFY(w.aggpro->isEnabled() && w.agggio->isEnabled());
        w.aggpro->click();
        QVERIFY(!w.aggpro->isEnabled());
        QVERIFY(Globals().system.forecast.isChosen(7));
        QCOMPARE(Globals().system.forecast.chosenCount(), 1);
        QVERIFY(Globals().system.modified);

        // Cancelled stakes: nothing changes and the button stays.
        Globals().system.modified = false;
        test::RunModal<TImporti>([](TImporti* d) { d->AnnullaClick(); });
        w.agggio->click();
        QVERIFY(w.agggio->isEnabled());
        QCOMPARE(Globals().system.list.count(), 1);
        QVERIFY(!Globals().system.modified);

        test::RunModal<TImporti>([](TImporti* d) {
            QCOMPARE(d->playSize(), 1);
            d->Edit1->setText(u"2"_s);
            d->OKClick();
        });
        w.agggio->click();
        QVERIFY(!w.agggio->isEnabled());
        QVERIFY(Globals().system.modified);
        const PlayList& list = Globals().system.list;
        QCOMPARE(list.count(), 3);
        QCOMPARE(Globals().system.undo.count(), 1);
        const std::uint16_t first = bari < roma ? 0x001 : 0x080;
        for (int i = 2; i <= 3; ++i) {
            QCOMPARE(list.play(i).numberCount(), 1);
            QCOMPARE(int(list.play(i).numbers[0]), 7);
            QCOMPARE(list.play(i).stakes[0], 2.0);
            QCOMPARE(list.play(i).stakes[1], 0.0);
        }
        QCOMPARE(list.play(2).wheels, first);
        QCOMPARE(list.play(3).wheels, std::uint16_t(0x081 ^ first));
    }

    void frequencyListRecomputesOnActivation() {
        MessageBoxHook hook;
        TStatNumMenoFre w;
        QCOMPARE(w.sg->horizontalHeaderItem(2)->text(), u"Presenze"_s);
        QVERIFY(!w.go->isEnabled());
        w.show(); // becoming active computes
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.windowTitle(), u"I Numeri meno frequenti su 100 estrazioni"_s);
        QCOMPARE(w.rows(), NumberWheelFrequencies(Globals().archive, {Draws - 99, Draws}));
        QVERIFY(w.rows().back().value >= w.rows().front().value); // the bars' reference is the last row
        SetField(w.Edit1, u"250"_s);
        SetField(w.Edit2, u"40"_s);
        QVERIFY(w.go->isEnabled());
        w.go->click();
        QVERIFY(!w.go->isEnabled());
        QCOMPARE(w.windowTitle(), u"I Numeri meno frequenti su 211 estrazioni"_s);
        QCOMPARE(w.rows(), NumberWheelFrequencies(Globals().archive, {40, 250}));
        const auto kept = w.rows();
        SetField(w.Edit2, u"301"_s);
        w.FormActivate();
        QCOMPARE(hook.last().text, QString::fromUtf8(InvalidEndMessage));
        QCOMPARE(w.rows(), kept);
        QCOMPARE(w.windowTitle(), u"I Numeri meno frequenti su 211 estrazioni"_s);
        QCOMPARE(hook.count(), 1);
    }

    void printingHidesTheControlsOnlyWhilePrinting() {
        TStatRit chart;
        TStatNumPiuRit list;
        list.FormActivate();
        const QString pdf = QString::fromStdString(dir_.file("stampa.pdf"));
        bool groupHidden = false;
        bool buttonsHidden = false;
        SetPrinterSetupHook([&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            groupHidden = groupHidden || chart.GroupBox1->isHidden();
            return true;
        });
        chart.show();
        chart.stampa->click();
        QVERIFY(!groupHidden); // hidden only after the dialog
        QVERIFY(QFile(pdf).size() > 0);
        QVERIFY(!chart.GroupBox1->isHidden() && !chart.scbrit->isHidden());
        QFile::remove(pdf);
        list.show();
        list.stampa->click();
        buttonsHidden = list.aggpro->isHidden() || list.stampa->isHidden();
        QVERIFY(QFile(pdf).size() > 0);
        QVERIFY(!buttonsHidden);
        QFile::remove(pdf);
        SetPrinterSetupHook([](QPrinter&) { return false; }); // cancelled: nothing printed
        list.stampa->click();
        QVERIFY(!QFile::exists(pdf));
        SetPrinterSetupHook({});
    }

    void cliRowsEqualTheWindowRows() {
        const std::string path = test::StoricoPath();
        if (path.empty()) QSKIP("no real archive");
        QVERIFY(ImportOperatorText(test::ReadAll(path), Globals().archive).ok);
        DelayTable d;
        FrequencyTable f;
        StdRandom random;
        QVERIFY(SaveArchive(dir_.file(ArchiveFileName), Globals().archive, d, f, random));
        const auto cli = [this](const QStringList& args) {
            QProcess p;
            p.start(QString::fromStdString(test::BinDir() + "numora-cli"),
                    QStringList{u"--dir"_s, QString::fromStdString(dir_.path()), u"stats"_s} + args);
            p.waitForFinished(60000);
            QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
            if (!lines.isEmpty()) lines.removeFirst(); // the header
            return lines;
        };
        const int n = Globals().archive.count();
        TStatRit ritardi;
        ritardi.ruote->box(9)->click();  // Torino
        ritardi.ruote->box(11)->click(); // and the national wheel
        ritardi.go->click();
        QCOMPARE(cli({u"numbers-delay"_s, u"--wheels"_s, u"TO,RN"_s}), ChartLines(ritardi));
        TStatFre frequenze;
        QCOMPARE(cli({u"numbers-frequency"_s}), ChartLines(frequenze));
        SetField(frequenze.Edit1, u"5000"_s);
        SetField(frequenze.Edit2, u"4000"_s);
        frequenze.go->click();
        QCOMPARE(cli({u"numbers-frequency"_s, u"--wheels"_s, u"TT"_s, u"--from"_s, u"5000"_s, u"--to"_s, u"4000"_s}),
                 ChartLines(frequenze));
        TStatNumPiuRit piuRit;
        piuRit.FormActivate();
        QCOMPARE(cli({u"list-delay"_s}), GridLines(piuRit.sg));
        TStatNumMenoFre menoFre;
        menoFre.FormActivate();
        QCOMPARE(cli({u"list-frequency"_s}), GridLines(menoFre.sg));
        QVERIFY(n > 100);

        // Refusals print only the window's message (exit 1); usage errors exit 2.
        struct Case {
            QStringList args;
            int code;
            QString err;
        };
        const Case cases[] = {
            {{u"list-frequency"_s, u"--from"_s, u"x"_s, u"--to"_s, u"0"_s}, 1, QString::fromUtf8(InvalidStartMessage)},
            {{u"numbers-frequency"_s, u"--to"_s, QString::number(n + 1)}, 1, QString::fromUtf8(InvalidEndMessage)},
            {{u"numbers-delay"_s, u"--wheels"_s, u"BA,XX"_s}, 2, {}},
            {{u"numbers-delay"_s, u"--from"_s, u"1"_s}, 2, {}},
            {{u"list-delay"_s, u"--wheels"_s, u"TT"_s}, 2, {}},
            {{u"list-frequency"_s, u"--from"_s}, 2, {}},
            {{u"numbers-everything"_s}, 2, {}},
            {{}, 2, {}},
        };
        for (const Case& c : cases) {
            QProcess p;
            p.start(QString::fromStdString(test::BinDir() + "numora-cli"),
                    QStringList{u"--dir"_s, QString::fromStdString(dir_.path()), u"stats"_s} + c.args);
            p.waitForFinished(60000);
            QCOMPARE(p.exitCode(), c.code);
            QVERIFY(p.readAllStandardOutput().isEmpty());
            if (c.code == 1) QCOMPARE(QString::fromUtf8(p.readAllStandardError()), c.err + u"\n"_s);
        }
    }
};

QTEST_MAIN(TstNumberWindows)
#include "tst_numberwindows.moc"
