#include "checking/UVerificaArchivio.h"

#include "checking/CheckPlays.h"
#include "components/UCommandTable.h"
#include "components/UMessageBox.h"
#include "components/UProgressPanel.h"
#include "core/CommandChecks.h"
#include "core/FileIo.h"
#include "core/Globali.h"
#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <random>

using namespace Qt::StringLiterals;
using namespace numora;

namespace {

// Draws of distinct dates with seeded random wheels; the national wheel from the 2005 draws on.
void FillArchive(Globali& g, int draws) {
    std::mt19937 rng(28);
    for (int i = 0; i < draws; ++i) {
        DrawRecord d;
        d.day = static_cast<std::uint8_t>(1 + i % 28);
        d.month = static_cast<std::uint8_t>(1 + (i / 28) % 12);
        d.year = static_cast<std::uint16_t>(2003 + i / (28 * 12));
        for (int w = 1; w <= (d.year >= 2005 ? 11 : 10); ++w) {
            std::vector<int> all(90);
            for (int n = 0; n < 90; ++n) all[static_cast<std::size_t>(n)] = n + 1;
            std::shuffle(all.begin(), all.end(), rng);
            for (int k = 0; k < 5; ++k) d.setNumber(w, k, static_cast<std::uint8_t>(all[static_cast<std::size_t>(k)]));
        }
        g.insertDraw(d);
    }
}

QStringList Summary(const TVerificaArchivio& v) {
    QStringList out;
    for (const QLabel* l : v.riepilogo) out << l->text();
    return out;
}

} // namespace

class TestVerificaArchivio : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TempDir> dir;

private slots:
    void init() {
        dir = std::make_unique<test::TempDir>();
        Globali& g = Globals();
        test::ResetGlobals(g);
        g.appDir = dir->path();
        g.settings = Settings{};
        g.settings.vincitaMassima = 6e6;
        FillArchive(g, 700);
        // Ambo and estratto on "Tutte", a terno on Bari and the national wheel.
        g.system.list.play(1) = test::MakePlay({1, 2, 3, 4, 5, 6}, {1, 1, 0, 0, 0}, 1u << 11);
        g.system.list.play(2) = test::MakePlay({7, 8, 9}, {0, 0, 1, 0, 0}, 1u << 0 | 1u << 10);
        g.system.list.setCount(2);
    }
    void cleanup() { test::ResetWindows(); }

    void commandFollowsTheCheckAndNeedsPlays() {
        test::RegisterAllFeatures();
        const std::vector<const CommandRow*> items = Commands().menuItems();
        const auto at = std::find_if(items.begin(), items.end(),
                                     [](const CommandRow* r) { return r->name == u"Spogliodellegiocate1"_s; });
        QVERIFY(at != items.end() && at + 1 != items.end());
        QCOMPARE((*(at + 1))->caption, u"Verifica su archivio"_s);
        QCOMPARE((*(at + 1))->menu, u"Giocate"_s);
        Globals().system.list.setCount(0);
        const auto refused = RunCheck(*(*(at + 1))->check, Globals().system);
        QVERIFY(refused && refused->text == std::string(NoPlaysToCheckMessage));

        // Emptied while the window stayed open: the run refuses in the same words.
        TVerificaArchivio v;
        MessageBoxHook hook;
        v.goClick();
        QCOMPARE(hook.last().text, u"Non ci sono giocate da controllare!"_s);
        QVERIFY(v.lines().empty());
    }

    void badPeriodsAreRefusedAndChangeNothing() {
        TVerificaArchivio v;
        v.FormActivate();
        MessageBoxHook hook;
        for (const QString& n : {u""_s, u"0"_s, u"701"_s}) {
            v.Ultime->setChecked(true);
            v.NumUltime->setText(n);
            v.goClick();
            QCOMPARE(hook.last().text, u"Il numero delle estrazioni da verificare deve essere compreso fra 1 e 700."_s);
            QCOMPARE(hook.last().caption, u"Attenzione"_s);
        }
        v.Intervallo->setChecked(true);
        v.setInterval(9, 8);
        v.goClick();
        QVERIFY(hook.last().text.startsWith(u"Il periodo indicato non è valido"_s));
        QCOMPARE(hook.count(), 4);
        QVERIFY(v.lines().empty());
        QVERIFY(!v.stampa->isEnabled() && !v.esporta->isEnabled());
    }

    // Every row is what "Spoglio delle giocate" gives for that draw; the CSV holds the rows shown.
    void rowsMatchTheSingleCheckAndTheCsvIsWritten() {
        const Globali& g = Globals();
        TVerificaArchivio v;
        v.show(); // the printed chart is the one on the screen
        v.Intervallo->setChecked(true);
        v.setInterval(401, 700);
        MessageBoxHook hook;
        v.goClick();
        QCOMPARE(hook.count(), 0);
        QCOMPARE(v.lines().size(), std::size_t{300});
        int winning = 0;
        for (const BacktestLine& l : v.lines()) {
            const CheckResult one =
                CheckTotals(g.system.list.data(), 2, CheckDrawOf(g.archive.draw(l.draw)), Amount::euros(6'000'000));
            QCOMPARE(l.counts, one.counts);
            QCOMPARE(l.win, FormatAmount(one.total, 2));
            winning += one.total.positive() ? 1 : 0;
        }
        QCOMPARE(v.lines().front().draw, 401);
        QCOMPARE(v.lines().front().cost, std::string("4,00")); // 2 on "Tutte" (one bit), 1 on each of two wheels
        QCOMPARE(v.riepilogo[0]->text(), u"300"_s);
        QCOMPARE(v.riepilogo[1]->text(), QString::number(winning));
        QCOMPARE(v.riepilogo[2]->text(), u"1.200,00 €"_s);
        QVERIFY(v.stampa->isEnabled() && v.esporta->isEnabled());
        v.SoloVincenti->setChecked(true);
        QCOMPARE(v.sg->model()->rowCount(), winning);

        const std::string path = dir->file("verifica.csv");
        v.chooseCsvFile = [&](QWidget*) { return QString::fromStdString(path); };
        QVERIFY(WriteFileAtomically(path, "vecchio"));
        v.esportaClick();
        QCOMPARE(hook.count(), 0);
        const QStringList csv = QString::fromStdString(test::ReadAll(path)).split(u"\r\n"_s, Qt::SkipEmptyParts);
        QCOMPARE(csv.size(), winning + 1);
        QCOMPARE(csv[0], u"estrazione;data;estratti;ambi;terni;quaterne;cinquine;vincita;spesa;saldo"_s);
        const QStringList first = csv[1].split(u';');
        QCOMPARE(first.size(), 10);
        QVERIFY(first[8] == u"4,00"_s && first[7].contains(u',') && !first[9].contains(u'.'));

        // The summary and the chart fit one page.
        const QByteArray env = qgetenv("NUMORA_REPORT_PDF");
        const QString pdf =
            env.isEmpty() ? QString::fromStdString(dir->file("verifica.pdf")) : QString::fromLocal8Bit(env);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QTest::qWait(50); // the chart lays out its new axes when the window gets its turn
        v.printReport(printer);
        const std::string bytes = test::ReadAll(pdf.toStdString());
        QVERIFY(bytes.find("/Type /Page\n") != std::string::npos && bytes.find("/Count 1") != std::string::npos);

        // A file that cannot be replaced keeps its content, and the user is told why.
        std::filesystem::permissions(path, std::filesystem::perms::owner_read);
        v.SoloVincenti->setChecked(false);
        v.esportaClick();
        QVERIFY(hook.last().text.startsWith(u"Impossibile scrivere il file"_s));
        QCOMPARE(QString::fromStdString(test::ReadAll(path)).count(u"\r\n"_s), winning + 1);
    }

    void interruptLeavesEverythingAsItWas() {
        Globali& g = Globals();
        TVerificaArchivio v;
        v.show();
        v.Ultime->setChecked(true);
        v.NumUltime->setText(u"50"_s);
        v.goClick();
        const QStringList before = Summary(v);
        const std::size_t rows = v.lines().size();
        for (int i = 3; i <= 3000; ++i)
            g.system.list.play(i) = test::MakePlay({i % 89 + 1, 90}, {0, 1, 0, 0, 0}, 1u << 11);
        g.system.list.setCount(3000);
        v.NumUltime->setText(u"700"_s);
        MessageBoxHook hook;
        hook.queueAnswer(MsgAnswer::Yes);
        QTimer::singleShot(0, v.AntiPan3->sb1, &QPushButton::click);
        v.goClick();
        QCOMPARE(hook.last().text, u"Sei sicuro di voler interrompere l'elaborazione?"_s);
        QVERIFY(v.AntiPan3->interrupted());
        QCOMPARE(Summary(v), before);
        QCOMPARE(v.lines().size(), rows);
        QCOMPARE(v.sg->model()->rowCount(), int(rows));
        QCOMPARE(g.system.list.count(), 3000);
        QVERIFY(v.go->isEnabled() && v.stampa->isEnabled() && v.SpeedButton3->isEnabled());
    }
};

QTEST_MAIN(TestVerificaArchivio)
#include "tst_verificaarchivio.moc"
