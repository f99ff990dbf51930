// The conditioned reduction's dialog and the statistics dialog driven through their controls:
// the modes at activation, the page's messages and focus, both runs, the conditions file on
// close and on "Imposta come predefiniti", "Ripristina originali", the 400-draw rule and the chart.
#include "components/UMessageBox.h"
#include "components/UStatsShared.h"
#include "components/UWheelSelection.h"
#include "conditions/ConditionStats.h"
#include "conditions/ConditionedReduction.h"
#include "conditions/URidCond.h"
#include "conditions/UStatsRidCond.h"
#include "core/FileIo.h"
#include "core/Globali.h"
#include "core/StakeRule.h"
#include "generation/Generation.h"
#include "stats/RandomDraws.h"
#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include <filesystem>
#include <memory>

using namespace numora;
using namespace Qt::StringLiterals;

namespace {

ConditionSet Permissive() {
    ConditionSet s;
    for (int k = 9; k <= 11; ++k) {
        s.values[static_cast<std::size_t>(ConditionSet::RangeStartField(k))] = 1;
        s.values[static_cast<std::size_t>(ConditionSet::RangeEndField(k))] = 90;
    }
    return s;
}

QLineEdit* Edit(TRidCond* d, int n) {
    return d->findChild<QLineEdit*>(u"Edit%1"_s.arg(n));
}

} // namespace

class TestRidCond : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDir> dir_;
    std::unique_ptr<TRidCond> d_;

    void choose(std::initializer_list<int> numbers) {
        Forecast& f = Globals().system.forecast;
        f.clear();
        for (int n : numbers) f.setChosen(n, true);
    }
    void setPlays(int count) {
        PlayList& list = Globals().system.list;
        for (int i = 1; i <= count; ++i) list.play(i) = test::MakePlay({i, i + 1});
        list.setCount(count);
    }
    void open() {
        d_->show();
        QTest::qWait(1);
    }

private slots:
    void init() {
        test::ResetGlobals(Globals());
        test::UseTestStakes(Globals().settings);
        dir_ = std::make_unique<test::TempDir>();
        Globals().appDir = dir_->path();
        QVERIFY(CopyFileOver(test::BinDir() + OriginalConditionsFileName, dir_->file(OriginalConditionsFileName)));
        Conditions() = Permissive();
        d_ = std::make_unique<TRidCond>();
    }
    void cleanup() {
        d_->hide();
        d_.reset();
        dir_.reset();
    }

    void activationChoosesTheMode() {
        struct Case {
            bool numbers, plays, forecastChecked, forecastEnabled, playsEnabled;
        };
        for (const Case c : {Case{true, false, true, true, false}, Case{false, true, false, false, true},
                             Case{true, true, false, true, true}}) {
            d_->hide();
            if (c.numbers)
                choose({1, 2, 3});
            else
                choose({});
            setPlays(c.plays ? 4 : 0);
            d_->PageControl1->setCurrentIndex(1);
            open();
            QCOMPARE(d_->RadioButton1->isChecked(), c.forecastChecked);
            QCOMPARE(d_->RadioButton2->isChecked(), !c.forecastChecked);
            QCOMPARE(d_->RadioButton1->isEnabled(), c.forecastEnabled);
            QCOMPARE(d_->RadioButton2->isEnabled(), c.playsEnabled);
            QCOMPARE(d_->Label13->text(), QString::number(c.plays ? 4 : 0));
            QCOMPARE(d_->PageControl1->currentIndex(), 0);
        }
        // The page shows the stored conditions.
        ConditionSet s = Permissive();
        s.values[0] = 2, s.values[1] = 3, s.values[16] = 12, s.values[29] = 7;
        s.setEnabled(2, true);
        Conditions() = s;
        d_->hide();
        open();
        QCOMPARE(Edit(d_.get(), 6)->text(), u"2"_s);
        QCOMPARE(Edit(d_.get(), 7)->text(), u"3"_s);
        QCOMPARE(d_->findChild<QSpinBox*>(u"SpinEdit1"_s)->value(), 12);
        QCOMPARE(Edit(d_.get(), 29)->text(), u"7"_s);
        QVERIFY(d_->cb[1]->isChecked() && !d_->cb[0]->isChecked());
    }

    void pageMessagesAndFocus() {
        choose({1, 2, 3, 4});
        open();
        struct Case {
            QString field;
            QString text;
            QString message;
        };
        const Case cases[] = {
            {u"Edit6"_s, QString(), u"Un valore della condizione nº 1 non è valido!"_s},
            {u"Edit13"_s, QString(), u"Un valore della condizione nº 4 non è valido!"_s},
            {u"Edit27"_s, QString(), u"Un valore della condizione nº 11 non è valido!"_s},
            {u"Edit28"_s, QString(), u"Il valore del numero minimo di condizioni non è valido!"_s},
            {u"Edit29"_s, QString(), u"Il valore del numero massimo di condizioni non è valido!"_s},
        };
        for (const Case& c : cases) {
            d_->ShowConditions();
            auto* edit = d_->findChild<QLineEdit*>(c.field);
            edit->clear();
            d_->PageControl1->setCurrentIndex(0);
            MessageBoxHook hook;
            QTest::mouseClick(d_->go, Qt::LeftButton);
            QCOMPARE(hook.count(), 1);
            QCOMPARE(hook.last().text, c.message);
            QCOMPARE(hook.last().caption, u"Errore"_s);
            QCOMPARE(hook.last().icon, MsgIcon::Error);
            QCOMPARE(d_->focusWidget(), edit);
            QCOMPARE(d_->PageControl1->currentIndex(), 1);
            // Closing is refused with the same message.
            d_->reject();
            QVERIFY(d_->isVisible());
            QCOMPARE(hook.count(), 2);
            QCOMPARE(hook.last().text, c.message);
        }
        // A range end below its start, and a maximum below its minimum.
        d_->ShowConditions();
        d_->findChild<QSpinBox*>(u"SpinEdit3"_s)->setValue(50);
        d_->findChild<QSpinBox*>(u"SpinEdit4"_s)->setValue(40);
        MessageBoxHook hook;
        QVERIFY(!d_->ReadConditions());
        QCOMPARE(hook.last().text, u"Un valore della condizione nº 10 non è valido!"_s);
        QCOMPARE(d_->focusWidget(), d_->findChild<QSpinBox*>(u"SpinEdit4"_s));
        QCOMPARE(Conditions().rangeStart(10), 50); // stored before the failure
        d_->ShowConditions();
        test::SetField(Edit(d_.get(), 28), u"3"_s);
        test::SetField(Edit(d_.get(), 29), u"2"_s);
        QVERIFY(!d_->ReadConditions());
        QCOMPARE(hook.last().text, u"Il valore del numero massimo di condizioni non è valido!"_s);
        // The fields take digits only.
        Edit(d_.get(), 6)->clear();
        QTest::keyClicks(Edit(d_.get(), 6), u"1a-2"_s);
        QCOMPARE(Edit(d_.get(), 6)->text(), u"12"_s);
    }

    void forecastRunAppendsAndSavesOnClose() {
        choose({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        setPlays(1); // 1 2 on "Tutte" with 1 euro: the same combination is not added again
        open();
        d_->RadioButton1->setChecked(true);
        d_->ComboBox1->setCurrentIndex(1);
        test::SetField(d_->Edit1, u"1"_s);
        QCOMPARE(d_->Label14->text(), u"45"_s);
        // Nothing passes: the message, and the dialog stays.
        test::SetField(Edit(d_.get(), 28), u"1"_s);
        test::SetField(Edit(d_.get(), 29), u"1"_s);
        MessageBoxHook hook;
        QTest::mouseClick(d_->go, Qt::LeftButton);
        QCOMPARE(hook.last().text, QString::fromUtf8(AllPlaysDiscardedMessage));
        QCOMPARE(hook.last().caption, u"Attenzione"_s);
        QVERIFY(d_->isVisible());
        QCOMPARE(Globals().system.list.count(), 1);
        // Everything passes.
        test::SetField(Edit(d_.get(), 28), u"0"_s);
        test::SetField(Edit(d_.get(), 29), u"0"_s);
        QTest::mouseClick(d_->go, Qt::LeftButton);
        QVERIFY(!d_->isVisible());
        QCOMPARE(Globals().system.list.count(), 1 + 44);
        QVERIFY(Globals().system.modified);
        QCOMPARE(Globals().system.undo.count(), 1);
        ConditionSet saved;
        QVERIFY(LoadConditions(dir_->file(ConditionsFileName), saved));
        QCOMPARE(saved.maxConditions(), 0);
        QVERIFY(saved == Conditions());
    }

    void forecastChecksInOrder() {
        choose({1, 2, 3});
        Globals().system.forecast.fixed[0] = 1;
        Globals().system.forecast.fixed[1] = 2;
        Globals().system.forecast.fixedCount = 2;
        open();
        MessageBoxHook hook;
        d_->ComboBox1->setCurrentIndex(3); // 4 numbers from 3
        test::SetField(d_->Edit1, u"1"_s);
        QTest::mouseClick(d_->go, Qt::LeftButton);
        QCOMPARE(hook.last().text, QString::fromUtf8(PlaySizeAboveForecastMessage));
        d_->ComboBox1->setCurrentIndex(0); // 1 number, 2 fixed
        QTest::mouseClick(d_->go, Qt::LeftButton);
        QCOMPARE(hook.last().text, u"La quantità di numeri per giocata è minore del numero di fisse"_s);
        d_->ComboBox1->setCurrentIndex(1);
        test::SetField(d_->Edit1, u"0,3"_s);
        QTest::mouseClick(d_->go, Qt::LeftButton);
        QCOMPARE(hook.last().text, QString::fromStdString(StakeRuleMessage(Globals().settings)));
        QCOMPARE(Globals().system.list.count(), 0);
    }

    void currentPlaysRunKeepsThePassingPlays() {
        choose({});
        setPlays(40);
        open();
        QVERIFY(d_->RadioButton2->isChecked());
        // Even count exactly 1: every play "i i+1" has one even number.
        d_->cb[0]->setChecked(true);
        test::SetField(Edit(d_.get(), 6), u"1"_s);
        test::SetField(Edit(d_.get(), 7), u"1"_s);
        // Average 11..20: "10 11" gives 10.5 -> 10, "11 12" 11.5 -> 12, ..., "20 21" 20.5 -> 20.
        d_->cb[2]->setChecked(true);
        test::SetField(Edit(d_.get(), 10), u"11"_s);
        test::SetField(Edit(d_.get(), 11), u"20"_s);
        test::SetField(Edit(d_.get(), 28), u"2"_s);
        test::SetField(Edit(d_.get(), 29), u"2"_s);
        QTest::mouseClick(d_->go, Qt::LeftButton);
        QVERIFY(!d_->isVisible());
        const PlayList& list = Globals().system.list;
        QCOMPARE(list.count(), 10);
        QCOMPARE(int(list.play(1).numbers[0]), 11);
        QCOMPARE(int(list.play(10).numbers[0]), 20);
        QCOMPARE(Globals().system.undo.count(), 40);
    }

    void defaultsOriginalsAndAFailedWrite() {
        choose({1, 2});
        open();
        d_->PageControl1->setCurrentIndex(1);
        MessageBoxHook hook;
        test::SetField(Edit(d_.get(), 21), u"66"_s);
        test::SetField(Edit(d_.get(), 20), u"33"_s);
        QTest::mouseClick(d_->AntiLabel6, Qt::LeftButton);
        QCOMPARE(hook.last().text, u"Condizioni salvate con successo."_s);
        QCOMPARE(hook.last().caption, u"OK"_s);
        QCOMPARE(hook.last().icon, MsgIcon::Information);
        QCOMPARE(test::ReadAll(dir_->file(ConditionsFileName)), Conditions().toBytes());

        // "Ripristina originali", then "Annulla": the originals reach "Condizioni.def".
        QTest::mouseClick(d_->AntiLabel1, Qt::LeftButton);
        ConditionSet original;
        QVERIFY(LoadConditions(dir_->file(OriginalConditionsFileName), original));
        QCOMPARE(Edit(d_.get(), 20)->text(), QString::number(original.minimum(8)));
        QTest::mouseClick(d_->SpeedButton3, Qt::LeftButton);
        QVERIFY(!d_->isVisible());
        QCOMPARE(test::ReadAll(dir_->file(ConditionsFileName)), test::ReadAll(dir_->file(OriginalConditionsFileName)));

        // A file that cannot be written: the message, no confirmation, the old file kept.
        open();
        const std::string before = test::ReadAll(dir_->file(ConditionsFileName));
        std::filesystem::permissions(dir_->file(ConditionsFileName), std::filesystem::perms::owner_read);
        test::SetField(Edit(d_.get(), 20), u"34"_s);
        hook.clear();
        QTest::mouseClick(d_->AntiLabel6, Qt::LeftButton);
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().text, QString::fromUtf8(ConditionsWriteErrorMessage));
        QCOMPARE(hook.last().caption, u"Errore"_s);
        d_->reject(); // the close says so too, and closes all the same
        QVERIFY(!d_->isVisible());
        QCOMPARE(hook.count(), 2);
        QCOMPARE(test::ReadAll(dir_->file(ConditionsFileName)), before);
        std::filesystem::permissions(dir_->file(ConditionsFileName), std::filesystem::perms::owner_all);
    }

    void statisticsNeedFourHundredDraws() {
        choose({1, 2});
        Globals().archive = test::RandomArchive(3, 399, 90);
        open();
        MessageBoxHook hook;
        QTest::mouseClick(d_->SpeedButton1, Qt::LeftButton);
        QCOMPARE(hook.last().text, u"L'archivio storico contiene meno di 400 estrazioni."_s);
        QCOMPARE(hook.last().caption, u"Errore"_s);

        Globals().archive = test::RandomArchive(3, 400, 90);
        Conditions().values[20] = 31, Conditions().values[21] = 45;
        d_->ShowConditions();
        auto stats = std::make_unique<TStatsRidCond>(d_.get());
        bool inspected = false;
        test::RunModal<TStatsRidCond>([&](TStatsRidCond* s) {
            inspected = true;
            QCOMPARE(s->windowTitle(), u"Statistiche sull'archivio storico"_s);
            QCOMPARE(s->ComboBox1->itemText(9), u"Numeri da 31 a 45"_s);
            QCOMPARE(s->ComboBox2->currentText(), u"Cinquine"_s);
            QVERIFY(s->ruote->isChecked(1) && !s->ruote->isChecked(12));
            auto expect = [&](int k, int size, std::uint16_t mask) {
                const ConditionChart c = ConditionStatistic(Globals().archive, k, size, mask, Conditions());
                QCOMPARE(s->chartTitle(), QString::fromStdString(c.title));
                const auto bars = s->bars();
                QCOMPARE(bars.size(), qsizetype(c.bars.size()));
                for (std::size_t i = 0; i < c.bars.size(); ++i) {
                    QCOMPARE(bars[qsizetype(i)].first, QString::number(c.bars[i].first));
                    QCOMPARE(bars[qsizetype(i)].second, c.bars[i].second);
                }
            };
            expect(1, 5, 1);
            s->ComboBox1->setCurrentIndex(9); // every change recomputes
            expect(10, 5, 1);
            QCOMPARE(s->chartTitle(), u"Quantità di numeri da 31 a 45"_s);
            s->ComboBox2->setCurrentIndex(3);
            expect(10, 2, 1);
            QTest::mouseClick(s->ruote->box(12), Qt::LeftButton);
            expect(10, 2, 1u << 11);
            s->ComboBox1->setCurrentIndex(6);
            expect(7, 2, 1u << 11);
            // "Stampa": the footer shows on the printed image only.
            test::TempDir out;
            SetPrinterSetupHook([&](QPrinter& p) {
                p.setOutputFormat(QPrinter::PdfFormat);
                p.setOutputFileName(QString::fromStdString(out.file("stat.pdf")));
                return true;
            });
            QTest::mouseClick(s->SpeedButton5, Qt::LeftButton);
            SetPrinterSetupHook({});
            QVERIFY(FileSize(out.file("stat.pdf")) > 0);
            QVERIFY(!s->Label3->isVisible() && s->Panel1->isVisible());
            QVERIFY(s->Label3->text().contains(u"Numora"_s));
            s->ComboBox1->setCurrentIndex(0);
            QTest::mouseClick(s->SpeedButton3, Qt::LeftButton);
        });
        QTest::mouseClick(d_->SpeedButton1, Qt::LeftButton);
        QVERIFY(inspected);
        QVERIFY(!stats->isVisible());
    }

    void interruptionInCurrentPlaysRestoresTheList() {
        choose({});
        setPlays(100);
        open();
        test::SetField(Edit(d_.get(), 28), u"0"_s);
        test::SetField(Edit(d_.get(), 29), u"0"_s);
        MessageBoxHook hook;
        hook.queueAnswer(MsgAnswer::Yes);
        // "Interrompi" is pressed when the run first lets events through (after 17 plays); Yes.
        QTimer::singleShot(0, d_.get(), [this] { QTest::mouseClick(d_->sb1, Qt::LeftButton); });
        d_->goClick();
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().text, u"Sei sicuro di voler interrompere l'elaborazione?"_s);
        QCOMPARE(Globals().system.list.count(), 100);
        QVERIFY(d_->isVisible());
        QVERIFY(!Globals().system.modified);
    }
};

QTEST_MAIN(TestRidCond)
#include "tst_ridcond.moc"
