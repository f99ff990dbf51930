// The probability windows through their controls: the grid against the engine, the refusals, the
// criteria and wheel boxes, the enabling of the buttons, adding numbers and plays, the add/remove
// dialog in its two modes, and numora-cli probability against both.
#include "components/UMessageBox.h"
#include "components/UWheelSelection.h"
#include "core/Globali.h"
#include "core/Random.h"
#include "probability/UAggNumPiuProba.h"
#include "probability/UProbabilityFields.h"
#include "probability/UVisuaProba90.h"
#include "stakes/UImporti.h"

#include "stats/RandomDraws.h"
#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace numora;
using numora::test::SetField;
using namespace Qt::StringLiterals;

class TstProbabilityWindows : public QObject {
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
        Globals().archive = test::RandomArchive(4, 200, 90);
        Globals().system.list.clear();
        Globals().system.undo.clear();
        Globals().system.forecast.clear();
        Globals().system.modified = false;
    }

    void gridFollowsTheEngineAndRefusalsKeepIt() {
        MessageBoxHook hook;
        TVisuaProba90 w;
        ProbabilityFields& f = *w.fields;
        QCOMPARE(w.windowTitle(), u"Probabilità dei 90 Numeri"_s);
        QCOMPARE(f.Edit10->text(), u"200"_s);
        QVERIFY(!w.go->isEnabled() && !w.aggpro->isEnabled() && !w.agggio->isEnabled());
        w.FormActivate();
        QCOMPARE(hook.count(), 0);
        ProbabilityCriteria c;
        c.endText = "200";
        const auto want = RankNumbers(ComputeNumberProbabilities(Globals().archive, c).p, true);
        QCOMPARE(w.ranking(), want);

        // Both criteria off: the delay one comes back; an off criterion's fields are disabled.
        f.CheckBox12->click();
        QVERIFY(!f.Edit1->isEnabled() && !f.Edit2->isEnabled() && f.Edit3->isEnabled());
        QVERIFY(w.go->isEnabled());
        f.CheckBox13->click();
        QVERIFY(f.CheckBox12->isChecked() && !f.CheckBox13->isChecked());
        QVERIFY(f.Edit1->isEnabled() && !f.Edit3->isEnabled() && !f.Edit4->isEnabled());

        // Tutte with R. Nazionale counts eleven wheels.
        f.ruote->box(WheelNazionale)->click();
        QVERIFY(f.ruote->isChecked(WheelTutte));
        w.go->click();
        QVERIFY(!w.go->isEnabled());
        c.frequencyOn = false;
        c.wheels = AllWheelSet;
        QCOMPARE(w.ranking(), RankNumbers(ComputeNumberProbabilities(Globals().archive, c).p, true));

        // A refusal: its message, the grid as it was, Ricalcola disabled until the next change.
        const QString before = w.sg->item(0, 1)->text();
        SetField(f.Edit2, u"101"_s);
        w.go->click();
        QCOMPARE(hook.last().text, u"La probabilità del numero più ritardatario non è valida!"_s);
        QCOMPARE(hook.last().caption, u"Errore"_s);
        QCOMPARE(w.sg->item(0, 1)->text(), before);
        QVERIFY(!w.go->isEnabled());
        SetField(f.Edit9, u"201"_s);
        QVERIFY(w.go->isEnabled());
    }

    void addsNumbersAndPlays() {
        MessageBoxHook hook;
        TVisuaProba90 w;
        w.FormActivate();
        w.sg->selectionModel()->select(w.sg->model()->index(1, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        w.sg->selectionModel()->select(w.sg->model()->index(2, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QVERIFY(w.aggpro->isEnabled() && w.agggio->isEnabled());
        const int a = w.ranking()[1].number, b = w.ranking()[2].number;
        w.aggpro->click();
        QVERIFY(!w.aggpro->isEnabled());
        QVERIFY(Globals().system.forecast.isChosen(a) && Globals().system.forecast.isChosen(b));
        QCOMPARE(Globals().system.forecast.chosenCount(), 2);

        w.fields->ruote->box(2)->click(); // Cagliari alone
        for (double stake : {2.0, 3.0}) { // the second time the same plays are replaced
            test::RunModal<TImporti>([stake](TImporti* d) {
                QCOMPARE(d->playSize(), 1);
                d->Edit1->setText(QString::number(stake));
                d->OKClick();
            });
            w.agggio->setEnabled(true);
            w.agggio->click();
            QVERIFY(!w.agggio->isEnabled());
            const PlayList& list = Globals().system.list;
            QCOMPARE(list.count(), 2);
            for (int i = 1; i <= 2; ++i) {
                QCOMPARE(list.play(i).numberCount(), 1);
                QCOMPARE(list.play(i).stakes[0], stake);
                QCOMPARE(list.play(i).wheels, std::uint16_t(0x002));
            }
            QCOMPARE(int(list.play(1).numbers[0]) + int(list.play(2).numbers[0]), a + b);
            QVERIFY(list.play(1).numbers[0] != list.play(2).numbers[0]);
        }
        QCOMPARE(hook.count(), 0);
    }

    void addAndRemoveModes() {
        MessageBoxHook hook;
        TAggNumPiuProba d;
        QCOMPARE(d.fields->ruoteGroup->statusTip(), u" Ruote da usare per i calcoli statistici "_s);
        QCOMPARE(d.fields->ruote->box(WheelNazionale)->text(), u"Nazionale"_s);
        ProbabilityCriteria c;
        c.endText = "200";
        const auto p = ComputeNumberProbabilities(Globals().archive, c).p;
        const auto desc = RankNumbers(p, true);
        Forecast& f = Globals().system.forecast;
        f.setChosen(desc[0].number, true);

        struct {
            TAggNumPiuProba::Mode mode;
            const char *title, *button, *label, *m, *message;
        } modes[] = {
            {TAggNumPiuProba::Adding, "Aggiungi numeri più probabili", "Aggiungi",
             "Numero di estratti più probabili da aggiungere:", "0",
             "Il numero di estratti da aggiungere al pronostico non è valido!"},
            {TAggNumPiuProba::Removing, "Elimina numeri meno probabili", "Elimina",
             "Numero di estratti meno probabili da eliminare:", "91",
             "Il numero di estratti da eliminare dal pronostico non è valido!"},
        };
        for (const auto& m : modes) {
            d.setMode(m.mode);
            QCOMPARE(d.windowTitle(), QString::fromUtf8(m.title));
            QCOMPARE(d.go->text(), QString::fromUtf8(m.button));
            QCOMPARE(d.Label1->text(), QString::fromUtf8(m.label));
            d.Edit5->setText(QString::fromUtf8(m.m));
            d.go->click();
            QCOMPARE(hook.last().text, QString::fromUtf8(m.message));
        }
        QCOMPARE(f.chosenCount(), 1);
        QVERIFY(!Globals().system.modified);

        // A refused criterion: its message, nothing changed, the dialog stays.
        d.setMode(TAggNumPiuProba::Adding);
        d.Edit5->setText(u"2"_s);
        d.fields->Edit4->setText(u"51"_s);
        d.go->click();
        QCOMPARE(hook.last().text, u"La somma delle probabilità massime non può essere maggiore di 100!"_s);
        QCOMPARE(f.chosenCount(), 1);
        d.fields->Edit4->setText(u"50"_s);

        // Enter in the count field acts as the button: the first two unchosen of the ranking.
        d.show();
        QTest::keyClick(d.Edit5, Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(f.chosenCount(), 3);
        QVERIFY(f.isChosen(desc[1].number) && f.isChosen(desc[2].number));
        QVERIFY(Globals().system.modified);

        // Removing more than are chosen empties the forecast; an empty one stays so and is marked.
        d.setMode(TAggNumPiuProba::Removing);
        d.Edit5->setText(u"90"_s);
        d.go->click();
        QCOMPARE(f.chosenCount(), 0);
        Globals().system.modified = false;
        d.go->click();
        QCOMPARE(f.chosenCount(), 0);
        QVERIFY(Globals().system.modified);
        QCOMPARE(hook.count(), 3);
    }

    void cliAgreesWithTheWindows() {
        MessageBoxHook hook;
        DelayTable d;
        FrequencyTable f;
        StdRandom random(1);
        QVERIFY(SaveArchive(dir_.file(ArchiveFileName), Globals().archive, d, f, random));
        const auto cli = [this](const QStringList& args, int code) {
            QProcess p;
            p.start(QString::fromStdString(test::BinDir() + "numora-cli"),
                    QStringList{u"--dir"_s, QString::fromStdString(dir_.path()), u"probability"_s} + args);
            p.waitForFinished(60000);
            [&] { QCOMPARE(p.exitCode(), code); }();
            return QString::fromUtf8(code == 0 ? p.readAllStandardOutput() : p.readAllStandardError());
        };
        TVisuaProba90 w;
        w.fields->ruote->box(2)->click();
        w.fields->ruote->box(WheelNazionale)->click();
        SetField(w.fields->Edit9, u"150"_s);
        SetField(w.fields->Edit10, u"20"_s);
        SetField(w.fields->Edit1, u"10"_s);
        SetField(w.fields->Edit4, u"40.5"_s);
        w.go->click();
        QString rows = u"numero\tprobabilità\n"_s;
        for (int r = 0; r < 90; ++r) rows += w.sg->item(r, 0)->text() + u'\t' + w.sg->item(r, 1)->text() + u'\n';
        QCOMPARE(cli({u"--wheels"_s, u"CA,RN"_s, u"--from"_s, u"150"_s, u"--to"_s, u"20"_s, u"--dlo"_s, u"10"_s,
                      u"--fleast"_s, u"40.5"_s},
                     0),
                 rows);

        // The dialog's walk with M beyond what there is, and the refusals with their codes.
        Globals().system.forecast.setChosen(7, true);
        TAggNumPiuProba a;
        a.Edit5->setText(u"90"_s);
        a.go->click();
        QString all = u"Pronostico (90):"_s;
        for (int n = 1; n <= 90; ++n) all += u" %1"_s.arg(n);
        QCOMPARE(Globals().system.forecast.chosenCount(), 90);
        QCOMPARE(cli({u"--add"_s, u"90"_s, u"--numbers"_s, u"7"_s}, 0), all + u'\n');
        QCOMPARE(cli({u"--remove"_s, u"5"_s, u"--numbers"_s, u"7 8"_s}, 0), u"Pronostico (0):\n"_s);
        QCOMPARE(cli({u"--add"_s, u"91"_s, u"--dlo"_s, u"x"_s}, 1),
                 u"Il numero di estratti da aggiungere al pronostico non è valido!\n"_s);
        QCOMPARE(cli({u"--no-delay"_s, u"--no-frequency"_s}, 1),
                 u"La somma delle probabilità massime deve essere maggiore della somma delle probabilità minime!\n"_s);
        QCOMPARE(cli({u"--from"_s, u"201"_s}, 1), u"Il numero dell'estrazione di partenza non è valido!\n"_s);
        for (const QStringList& bad : {QStringList{u"--wheels"_s, u"XX"_s}, {u"--numbers"_s, u"1 2"_s}, {u"--dlo"_s}})
            QVERIFY(cli(bad, 2).startsWith(u"Uso: numora-cli"_s));
    }

    void emptyArchiveRefusesTheStart() {
        Globals().archive = DrawArchive{};
        MessageBoxHook hook;
        TVisuaProba90 w;
        QCOMPARE(w.fields->Edit10->text(), u"0"_s);
        w.FormActivate();
        QCOMPARE(hook.last().text, u"Il numero dell'estrazione di partenza non è valido!"_s);
        QVERIFY(w.sg->item(0, 0)->text().isEmpty());
    }
};

QTEST_MAIN(TstProbabilityWindows)
#include "tst_probabilitywindows.moc"
