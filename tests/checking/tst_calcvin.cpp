#include "checking/UCalcVin.h"

#include "components/UMessageBox.h"
#include "core/Globali.h"
#include "stakes/UModimpo.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace numora;

namespace {

QLineEdit* Field(TCalcVin& d, int j) {
    return d.findChild<QLineEdit*>(u"Edit%1"_s.arg(j));
}

void TypeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

QStringList Items(const QComboBox* c) {
    QStringList l;
    for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
    return l;
}

} // namespace

class TestCalcVin : public QObject {
    Q_OBJECT
private slots:
    void init() {
        Globals().settings = Settings{};
        Globals().settings.vincitaMassima = 6'000'000;
    }

    void hitsNeverExceedTheNumbersPlayed() {
        TCalcVin d;
        QCOMPARE(d.windowTitle(), u"Calcola Vincite"_s);
        QCOMPARE(d.cb1->currentText(), u"Singola"_s);
        QCOMPARE(d.cb2->currentText(), u"5"_s);
        QCOMPARE(Items(d.cb3), (QStringList{u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}));
        QCOMPARE(d.cb3->currentText(), u"1"_s);
        QVERIFY(!d.go->isEnabled());
        d.cb3->setCurrentIndex(4);
        d.cb2->setCurrentIndex(1); // two numbers: the hits clamp to 2
        QCOMPARE(Items(d.cb3), (QStringList{u"0"_s, u"1"_s, u"2"_s}));
        QCOMPARE(d.cb3->currentText(), u"2"_s);
        d.cb2->setCurrentIndex(9);
        QCOMPARE(d.cb3->count(), 11);
        QCOMPARE(d.cb3->currentText(), u"2"_s);
        QVERIFY(d.go->isEnabled());
    }

    void typingRule() {
        TCalcVin d;
        d.show();
        TypeInto(Field(d, 1), u"1,5a-2"_s);
        QCOMPARE(Field(d, 1)->text(), u"1.52"_s);
        QVERIFY(d.go->isEnabled());
    }

    void messagesInFieldOrder_data() {
        QTest::addColumn<QStringList>("stakes");
        QTest::addColumn<QString>("message");
        QTest::newRow("ambo") << QStringList{u"1"_s, u"."_s, u"."_s, u""_s, u""_s}
                              << u"L'importo dell'ambo non è valido."_s;
        QTest::newRow("cinquina") << QStringList{u""_s, u""_s, u""_s, u""_s, u"1.2.3"_s}
                                  << u"L'importo della cinquina non è valido."_s;
        QTest::newRow("zero") << QStringList{u"0"_s, u""_s, u"0.00"_s, u""_s, u""_s}
                              << u"Gli importi delle giocate devono essere maggiori di zero."_s;
    }
    void messagesInFieldOrder() {
        QFETCH(QStringList, stakes);
        QFETCH(QString, message);
        TCalcVin d;
        for (int j = 1; j <= 5; ++j) Field(d, j)->setText(stakes[j - 1]);
        MessageBoxHook hook;
        QTest::mouseClick(d.go, Qt::LeftButton);
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().text, message);
        QCOMPARE(hook.last().caption, u"Errore"_s);
        QCOMPARE(d.Label19->text(), u"Totale*:"_s);
    }

    void totalAndHint() {
        TCalcVin d;
        d.cb2->setCurrentIndex(5); // six numbers
        d.cb3->setCurrentIndex(5); // five hits
        Field(d, 5)->setText(u"0.70"_s);
        QTest::mouseClick(d.go, Qt::LeftButton);
        QCOMPARE(d.Label19->text(), u"Totale*: 700.000,00 €"_s);
        QCOMPARE(d.Label19->toolTip(), d.Label19->text());
        QVERIFY(!d.go->isEnabled());
        // "Tutte" divides by ten; the cap holds the total.
        d.cb1->setCurrentIndex(1);
        Field(d, 5)->setText(u"100"_s);
        QTest::mouseClick(d.go, Qt::LeftButton);
        QCOMPARE(d.Label19->text(), u"Totale*: 6.000.000,00 €"_s);
    }

    void stakeSettingsRefuseACapOfZero() {
        Globals().appDir = QDir::tempPath().toStdString() + "/";
        Globals().settings.vincitaMassima = 6'000'000;
        TModimpo d;
        d.show();
        auto* cap = d.findChild<QLineEdit*>(u"vincitamassima"_s);
        cap->setText(u"0"_s);
        MessageBoxHook hook;
        QTest::mouseClick(d.findChild<QPushButton*>(u"Applica"_s), Qt::LeftButton);
        QCOMPARE(hook.last().text, u"La vincita massima per giocata non è valida."_s);
        QCOMPARE(Globals().settings.vincitaMassima, 6'000'000.0);
        QVERIFY(d.isVisible());
    }
};

QTEST_MAIN(TestCalcVin)
#include "tst_calcvin.moc"
