#include "stakes/UImporti.h"

#include "components/UMessageBox.h"
#include "core/Globali.h"
#include "core/TextHelpers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace numora;

namespace {

// Minimo 1, Massimo 300, Multiplo 0.5, i1 0.5, i18 200.
void UseTestSettings() {
    Settings s;
    s.minimo = 1;
    s.massimo = 300;
    s.multiplo = 0.5;
    s.decimali = 2;
    for (int k = 1; k <= 18; ++k) s.i(k) = 0.5 * k;
    s.i(18) = 200;
    Globals().settings = s;
}

QLineEdit* Field(TImporti& d, int j) {
    return d.findChild<QLineEdit*>(u"Edit%1"_s.arg(j));
}
QLabel* Total(TImporti& d) {
    return d.findChild<QLabel*>(u"Label6"_s);
}
QColor TotalColor(TImporti& d) {
    return Total(d)->palette().color(QPalette::WindowText);
}
const QColor Red(230, 0, 0);

void TypeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

} // namespace

class TestImporti : public QObject {
    Q_OBJECT
private slots:
    void init() { UseTestSettings(); }

    void captionAndTexts() {
        TImporti d;
        QCOMPARE(d.windowTitle(), u"Importi delle giocate"_s);
        QStringList labels;
        for (QLabel* l : d.findChildren<QLabel*>()) labels << l->text();
        for (const char* t : {"Estratto:", "Ambo:", "Terno:", "Quaterna:", "Cinquina:", "Totale:"})
            QVERIFY2(labels.contains(QString::fromUtf8(t)), t);
        QCOMPARE(labels.count(u"€"_s), 5);
        QCOMPARE(d.findChild<QPushButton*>(u"OK"_s)->text(), u"OK"_s);
        QCOMPARE(d.findChild<QPushButton*>(u"Annulla"_s)->text(), u"Annulla"_s);
        for (int j = 1; j <= 5; ++j) QCOMPARE(Field(d, j)->maxLength(), 8);
    }

    void typingFilter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("point becomes comma") << u"1.5"_s << u"1,5"_s;
        QTest::newRow("comma stays") << u"1,5"_s << u"1,5"_s;
        QTest::newRow("letters refused") << u"a1b2"_s << u"12"_s;
        QTest::newRow("sign and blank refused") << u"-3 4"_s << u"34"_s;
        QTest::newRow("eight characters at most") << u"1234567890"_s << u"12345678"_s;
    }
    void typingFilter() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TImporti d;
        d.show();
        TypeInto(Field(d, 3), typed);
        QCOMPARE(Field(d, 3)->text(), shown);
        // Backspace is one of the control characters that still work.
        QTest::keyClick(Field(d, 3), Qt::Key_Backspace);
        QCOMPARE(Field(d, 3)->text(), shown.chopped(1));
    }

    void liveTotal_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("total");
        QTest::addColumn<bool>("valid");
        QTest::newRow("estratto 1") << 5 << QStringList{u"1"_s} << u"1,00 €"_s << true;
        QTest::newRow("estratto 0.75") << 5 << QStringList{u"0,75"_s} << u"0,75 €"_s << false;
        QTest::newRow("0.5 + 0.5") << 5 << QStringList{u"0,5"_s, u"0,5"_s} << u"1,00 €"_s << true;
        QTest::newRow("over Massimo") << 5 << QStringList{u"200"_s, u"150"_s} << u"350,00 €"_s << false;
        QTest::newRow("over i18") << 5 << QStringList{u"250"_s} << u"250,00 €"_s << false;
        QTest::newRow("all empty") << 5 << QStringList{} << u"0,00 €"_s << false;
        QTest::newRow("1.5 typed with a point") << 5 << QStringList{u"1.5"_s} << u"1,50 €"_s << true;
        QTest::newRow("bad text stops the sum") << 5 << QStringList{u"1"_s, u"1,,5"_s, u"2"_s} << u"1,00 €"_s << false;
        QTest::newRow("k = 2 ignores terno") << 2 << QStringList{u"1"_s, u"1"_s, u"250"_s} << u"2,00 €"_s << true;
        QTest::newRow("k = 1 ignores ambo") << 1 << QStringList{u"1"_s, u"1,,5"_s} << u"1,00 €"_s << true;
    }
    void liveTotal() {
        QFETCH(int, k);
        QFETCH(QStringList, texts);
        QFETCH(QString, total);
        QFETCH(bool, valid);
        TImporti d;
        d.show();
        // Text typed while every field was open stays in the fields the play size then closes.
        for (int j = 0; j < texts.size(); ++j) TypeInto(Field(d, j + 1), texts[j]);
        d.setPlaySize(k);
        QCOMPARE(Total(d)->text(), total);
        QCOMPARE(TotalColor(d), valid ? QColor(Qt::black) : Red);

        MessageBoxHook hook;
        QTest::keyClick(Field(d, 1), Qt::Key_Return);
        QCOMPARE(d.isVisible(), !valid);
        if (valid) {
            QCOMPARE(d.result(), int(QDialog::Accepted));
            QCOMPARE(hook.count(), 0);
            QVERIFY(d.stakeSet().valid);
            QCOMPARE(QString::fromStdString(FormatAmount(d.stakeSet().total, 2)) + u" €"_s, total);
        } else {
            QCOMPARE(hook.count(), 1);
            QCOMPARE(hook.last().caption, u"Errore"_s);
            QVERIFY(hook.last().icon == MsgIcon::Error);
            QCOMPARE(hook.last().text, QString::fromStdString(StakeRuleMessage(Globals().settings)));
        }
    }

    void totalFollowsEveryChange() {
        TImporti d;
        d.show();
        TypeInto(Field(d, 1), u"0,7"_s);
        QCOMPARE(TotalColor(d), Red);
        QTest::keyClicks(Field(d, 1), u"5"_s); // 0,75
        QCOMPARE(TotalColor(d), Red);
        TypeInto(Field(d, 2), u"0,25"_s); // 1,00 but 0,25 is not a multiple of i1
        QCOMPARE(Total(d)->text(), u"1,00 €"_s);
        QCOMPARE(TotalColor(d), Red);
        TypeInto(Field(d, 1), u"1"_s);
        TypeInto(Field(d, 2), u""_s);
        QCOMPARE(Total(d)->text(), u"1,00 €"_s);
        QCOMPARE(TotalColor(d), QColor(Qt::black));
    }

    void playSizeDisablesFields() {
        TImporti d;
        QCOMPARE(d.playSize(), 5);
        d.setPlaySize(2);
        for (int j = 1; j <= 5; ++j) {
            QCOMPARE(Field(d, j)->isEnabled(), j <= 2);
            if (j > 2)
                QCOMPARE(Field(d, j)->palette().color(QPalette::Disabled, QPalette::Base), QColor(192, 192, 192));
        }
        d.setPlaySize(5);
        for (int j = 1; j <= 5; ++j) QVERIFY(Field(d, j)->isEnabled());
        QVERIFY(Field(d, 5)->palette().color(QPalette::Disabled, QPalette::Base) != QColor(192, 192, 192));
    }

    void okButtonAndEscape() {
        TImporti d;
        d.show();
        TypeInto(Field(d, 1), u"2"_s);
        QTest::mouseClick(d.findChild<QPushButton*>(u"OK"_s), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.stakeSet().stakes[0], 2.0);

        // The texts stay for the next use; Escape leaves without a result.
        d.show();
        QCOMPARE(Field(d, 1)->text(), u"2"_s);
        TypeInto(Field(d, 1), u"3"_s);
        QTest::keyClick(Field(d, 1), Qt::Key_Escape);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(d.stakeSet().stakes[0], 2.0);

        d.show();
        QTest::mouseClick(d.findChild<QPushButton*>(u"Annulla"_s), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestImporti)
#include "tst_importi.moc"
