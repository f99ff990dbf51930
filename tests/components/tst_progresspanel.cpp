#include "components/UGeneratorHost.h"
#include "components/UMessageBox.h"
#include "components/UProgressPanel.h"
#include "core/Combinations.h"
#include "core/Globali.h"
#include "core/StakeRule.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;
using namespace numora;

namespace {

// The smallest dialog on the host: M plays typed in Edit6, an engine that walks the combinations
// of the forecast and lets the test act at one of its steps.
class TProva : public TGeneratorHost {
public:
    explicit TProva(const GeneratorSetup& setup) : TGeneratorHost(setup) {
        Edit6 = new QLineEdit;
        Edit6->setObjectName(u"Edit6"_s);
        addCharacteristic(u"Numero di giocate da estrarre:"_s, Edit6);
        connect(Edit6, &QLineEdit::textChanged, this, &TGeneratorHost::Edit1Change);
        Criteri = new QGroupBox(u"Criteri"_s);
        addParameterPanel(Criteri);
    }

    QLineEdit* Edit6;
    QGroupBox* Criteri;
    QString refusal; // checkParameters() shows it and refuses
    int actAt = 0;   // the step at which `during` runs
    std::function<void()> during;
    std::uint64_t steps = 0;

protected:
    double playsInTotal(bool) override {
        bool ok = false;
        const int m = Edit6->text().toInt(&ok);
        return ok && m >= 1 ? m : -1;
    }
    bool checkParameters() override {
        if (refusal.isEmpty()) return true;
        MessageBox::error(this, refusal);
        return false;
    }
    bool runEngine(const ProgressCallback& progress) override {
        CombinationEnumerator e;
        e.start(forecastList(), playSize(), fixedNumbers());
        ProgressTicker ticker(Progress{progress, 4}, e.count());
        steps = 0;
        do {
            if (++steps == static_cast<std::uint64_t>(actAt) && during) during();
            if (!ticker.step()) return false;
        } while (e.next());
        return true;
    }
};

GeneratorSetup Setup(int smallest = 1, const QString& national = QString()) {
    return GeneratorSetup{u"Prova"_s, u"Estrai giocate"_s, 2, smallest, national};
}

// A forecast of 1..n with the given fixed numbers; Minimo 1, Massimo 300, Multiplo 0.5.
void UseForecast(int n, std::initializer_list<int> fixed = {}) {
    Globali& g = Globals();
    test::ResetGlobals(g);
    for (int i = 1; i <= n; ++i) g.system.forecast.setChosen(i, true);
    for (int f : fixed)
        g.system.forecast.fixed[static_cast<std::size_t>(g.system.forecast.fixedCount++)] =
            static_cast<std::uint8_t>(f);
    Settings s;
    s.minimo = 1;
    s.massimo = 300;
    s.multiplo = 0.5;
    for (int k = 1; k <= 18; ++k) s.i(k) = 0.5 * k;
    g.settings = s;
}

void Fill(TProva& d, int sizeIndex, const QString& estratto, const QString& m) {
    d.ComboBox1->setCurrentIndex(sizeIndex);
    d.Edit1->setText(estratto);
    d.Edit6->setText(m);
}

} // namespace

class TestProgressPanel : public QObject {
    Q_OBJECT
private slots:
    void sharedControls() {
        UseForecast(8, {3});
        TProva d(Setup(2, u"CheckBox14"_s));
        d.show();
        QCOMPARE(d.ComboBox1->itemText(0), u"2"_s);
        QCOMPARE(d.ComboBox1->count(), 9);
        for (const char* name : {"Edit2", "Label12", "CheckBox11", "CheckBox14", "gg", "sb1", "SpeedButton2"})
            QVERIFY2(d.findChild<QWidget*>(QString::fromUtf8(name)), name);
        QCOMPARE(d.go->text(), u"Estrai giocate"_s);
        QVERIFY(!d.AntiPan3->isVisible());
        QVERIFY(d.usafisse->isChecked() && d.usafisse->isEnabled());
        // The stake fields follow the play size: K = 2 enables two, K = 4 four, K = 8 all five.
        const QLineEdit* fields[] = {d.Edit1, d.Edit2, d.Edit3, d.Edit4, d.Edit5};
        for (const auto& [index, enabled] : {std::pair{0, 2}, {2, 4}, {6, 5}}) {
            d.ComboBox1->setCurrentIndex(index);
            for (int j = 0; j < 5; ++j) QCOMPARE(fields[j]->isEnabled(), j < enabled);
        }
        // Without fixed numbers the box is off at the next activation.
        d.hide();
        Globals().system.forecast.fixedCount = 0;
        d.show();
        QVERIFY(!d.usafisse->isChecked() && !d.usafisse->isEnabled());
        QVERIFY(d.Label12->text().isEmpty());
    }

    void goChecks_data() {
        QTest::addColumn<int>("sizeIndex");
        QTest::addColumn<QString>("estratto");
        QTest::addColumn<QString>("m");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("message");
        const QString tooFew =
            u"La quantità di numeri per ogni giocata non è valida (il pronostoico contiene meno segni)!"_s;
        const QString stakes = u"<the stake rule's message>"_s;
        QTest::newRow("more numbers than the forecast") << 6 << u"1"_s << u"3"_s << QString() << tooFew;
        QTest::newRow("stake below the minimum") << 1 << u"0,5"_s << u"3"_s << QString() << stakes;
        QTest::newRow("no play count") << 1 << u"1"_s << QString() << QString() << stakes;
        QTest::newRow("the dialog's own check") << 1 << u"1"_s << u"3"_s << u"prova"_s << u"prova"_s;
    }
    void goChecks() {
        QFETCH(int, sizeIndex);
        QFETCH(QString, estratto);
        QFETCH(QString, m);
        QFETCH(QString, refusal);
        QFETCH(QString, message);
        UseForecast(6);
        TProva d(Setup());
        d.refusal = refusal;
        d.show();
        Fill(d, sizeIndex, estratto, m);
        if (message.startsWith(u'<')) message = QString::fromStdString(StakeRuleMessage(Globals().settings));
        MessageBoxHook hook;
        QTest::mouseClick(d.go, Qt::LeftButton);
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().text, message);
        QCOMPARE(d.steps, 0u);
        QVERIFY(d.isVisible());
    }

    // While the engine runs, the dialog's controls are off and nothing closes it; "Interrompi"
    // leads to the question at the next report, and only Yes stops the run.
    void busyRun_data() {
        QTest::addColumn<int>("answer"); // -1: "Interrompi" is not pressed
        QTest::newRow("not interrupted") << -1;
        QTest::newRow("No goes on") << int(MsgAnswer::No);
        QTest::newRow("Yes stops") << int(MsgAnswer::Yes);
    }
    void busyRun() {
        QFETCH(int, answer);
        UseForecast(8);
        Globals().system.list.play(1) = test::MakePlay({1, 2});
        Globals().system.list.setCount(1);
        TProva d(Setup());
        d.show();
        Fill(d, 2, u"1"_s, u"5"_s);
        const QList<QWidget*> controls{d.go, d.SpeedButton2, d.SpeedButton3, d.GroupBox1, d.Criteri};
        bool checked = false;
        d.actAt = 9; // the next report comes at step 12
        d.during = [&] {
            QVERIFY(d.busy() && d.AntiPan3->isVisible() && d.sb1->isEnabled());
            for (QWidget* w : controls) QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
            d.close();
            QTest::keyClick(&d, Qt::Key_Escape);
            d.reject();
            QVERIFY(d.isVisible());
            if (answer >= 0) QTest::mouseClick(d.sb1, Qt::LeftButton);
            checked = true;
        };
        MessageBoxHook hook;
        if (answer >= 0) hook.queueAnswer(MsgAnswer(answer));
        d.goClick();
        QVERIFY(checked);
        QCOMPARE(hook.count(), answer >= 0 ? 1 : 0);
        if (answer >= 0) {
            const ShownMessage q = hook.last();
            QCOMPARE(q.text, u"Sei sicuro di voler interrompere l'elaborazione?"_s);
            QCOMPARE(q.caption, u"Attenzione"_s);
            QVERIFY(q.icon == MsgIcon::Question && q.buttons == MsgButtons::YesNo && q.defaultAnswer == MsgAnswer::No);
        }
        const bool stopped = answer == int(MsgAnswer::Yes);
        QCOMPARE(d.AntiPan3->interrupted(), stopped);
        QCOMPARE(d.steps, stopped ? 12u : Binomial(8, 3));
        QCOMPARE(d.isVisible(), stopped);
        QVERIFY(!d.busy() && !d.AntiPan3->isVisible());
        for (QWidget* w : controls) QVERIFY(w->isEnabled());
        QCOMPARE(Globals().system.undo.count(), 1);
    }

    void panelOnItsOwn() {
        QWidget owner;
        auto* panel = new TProgressPanel(&owner);
        panel->setQuestion(u"Interrompere l'elaborazione ?"_s, MsgAnswer::Yes);
        panel->setCountCaption(u"Nº di giocate: "_s);
        panel->setGaugeMaximum(4005);
        owner.show();
        panel->begin({});
        MessageBoxHook hook;
        QVERIFY(panel->report({2000, 4005, 17}));
        QCOMPARE(panel->gg->value(), 2000);
        QCOMPARE(panel->conta->text(), u"Nº di giocate: 17"_s);
        panel->sb1Click();
        QVERIFY(!panel->callback()({4005, 4005, 18})); // unanswered: the preselected Yes
        QCOMPARE(hook.last().text, u"Interrompere l'elaborazione ?"_s);
        owner.close();
        QVERIFY(owner.isVisible());
        panel->end();
        owner.close();
        QVERIFY(!owner.isVisible());
    }
};

QTEST_MAIN(TestProgressPanel)
#include "tst_progresspanel.moc"
