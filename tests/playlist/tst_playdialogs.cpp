#include "components/UMessageBox.h"
#include "components/UWheelSelection.h"
#include "core/Globali.h"
#include "core/StakeRule.h"
#include "core/SystemFile.h"
#include "playlist/PlayEntry.h"
#include "playlist/UDaTastiera.h"
#include "playlist/UGiocate.h"
#include "playlist/UModGiocata.h"
#include "playlist/UPlayEntryPanel.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace numora;
using numora::test::MakePlay;
using namespace Qt::StringLiterals;

namespace {

constexpr std::uint16_t Bari = 1u << 0;
constexpr std::uint16_t Roma = 1u << 7;
constexpr std::uint16_t Nazionale = 1u << 10;
constexpr std::uint16_t Tutte = 1u << 11;

PlayList& List() {
    return Globals().system.list;
}

// Plays i and 50 + i, estratto 1, on Tutte, for i = 1..n.
void NumberedPlays(int n) {
    List().setCount(n);
    for (int i = 1; i <= n; ++i) List().play(i) = MakePlay({i, 50 + i}, {1, 0, 0, 0, 0}, Tutte);
}

// On the box itself: the clickable part of a check box is its indicator and its text only.
void ClickBox(QCheckBox* b) {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

void Type(QWidget* field, const QString& text) {
    static_cast<QLineEdit*>(field)->clear();
    QTest::keyClicks(field, text);
}

} // namespace

class TstPlayDialogs : public QObject {
    Q_OBJECT

private:
    test::TempDir dir_;
    std::unique_ptr<TGiocate> giocate_;

    template <typename T> T* child(QWidget* w, const QString& name) {
        T* c = w->findChild<T*>(name);
        if (!c) qFatal("no child %s", qPrintable(name));
        return c;
    }
    QLineEdit* field(QWidget* w, const char* name) { return child<QLineEdit>(w, QString::fromUtf8(name)); }
    QCheckBox* box(QWidget* w, const char* name) { return child<QCheckBox>(w, QString::fromUtf8(name)); }
    // Numbers and stakes typed through the real fields; the wheel boxes as they stand.
    void typePlay(QWidget* d, const QString& numbers, const QStringList& stakes) {
        Type(field(d, "Numeri"), numbers);
        const char* names[5] = {"Estratto", "Ambo", "Terno", "Quaterna", "Cinquina"};
        for (int j = 0; j < 5; ++j) Type(field(d, names[j]), j < stakes.size() ? stakes[j] : QString());
    }

private slots:
    void initTestCase() {
        Globals().appDir = dir_.path();
        Settings& s = Globals().settings;
        s.minimo = 1;
        s.massimo = 300;
        s.multiplo = 0.5;
        s.decimali = 2;
        const double d[18] = {0.5, 1, 2, 3, 5, 10, 15, 20, 25, 30, 40, 50, 60, 75, 100, 125, 150, 200};
        for (int k = 1; k <= 18; ++k) s.i(k) = d[k - 1];
        giocate_ = std::make_unique<TGiocate>();
    }
    void init() {
        List().clear();
        Globals().system.undo.clear();
        Globals().system.modified = false;
        giocate_->RefreshPlayList();
    }

    void keyboardDialogTexts() {
        TDaTastiera d;
        QCOMPARE(TDaTastiera::instance(), &d);
        QCOMPARE(d.windowTitle(), u"Inserimento giocate da tastiera"_s);
        QCOMPARE(d.Panel1->title(), u"Nuova Giocata"_s);
        QCOMPARE(d.Aggiungi->text(), u"Aggiungi"_s);
        QCOMPARE(d.Aggiungi->toolTip(), u" Inserisce la giocata "_s);
        QCOMPARE(d.Chiudi->toolTip(), u" Chiude la scheda senza "_s);
        QCOMPARE(field(&d, "Numeri")->toolTip(), u" Inserire i numeri della giocata separandoli con uno spazio "_s);
        QStringList labels;
        for (QLabel* l : d.findChildren<QLabel*>()) labels << l->text();
        for (const QString& t : {u"Numeri:"_s, u"Importi di ogni giocata:"_s, u"Estratto:"_s, u"Ambo:"_s, u"Terno:"_s,
                                 u"Quaterna:"_s, u"Cinquina:"_s, u"Totale:"_s})
            QVERIFY2(labels.contains(t), qPrintable(t));
        QCOMPARE(labels.count(u"€"_s), 5);
        const char* boxes[12] = {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4",  "CheckBox5",  "CheckBox6",
                                 "CheckBox7", "CheckBox8", "CheckBox9", "CheckBox10", "CheckBox11", "CheckBox12"};
        for (const char* b : boxes) QVERIFY(box(&d, b)->isVisibleTo(&d));
        QCOMPARE(box(&d, "CheckBox11")->text(), u"Tutte"_s);
        QCOMPARE(box(&d, "CheckBox12")->text(), u"Nazion."_s);
        QVERIFY(box(&d, "CheckBox11")->isChecked());
        QCOMPARE(d.Panel1->Ruote->toolTip(), u"Ruote da usare per le giocate"_s);

        TModGiocata m;
        QCOMPARE(TModGiocata::instance(), &m);
        QCOMPARE(m.windowTitle(), u"Modifica giocate"_s);
        QCOMPARE(m.Panel1->title(), u"Giocata da modificare"_s);
        QCOMPARE(m.Applica->text(), u"Applica"_s);
        QCOMPARE(m.Applica->toolTip(), u" Applica le modifiche alla giocata "_s);
        QCOMPARE(m.Chiudi->toolTip(), u" Chiude la scheda "_s);
        QCOMPARE(field(&m, "Numeri")->toolTip(), u" Inserire i numeri della giocata separandoli con uno spazio "_s);
    }

    void keyboardEntryStoresAPlay() {
        TDaTastiera d;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QVERIFY(d.Aggiungi->isEnabled());
        typePlay(&d, u"12 5"_s, {u"1"_s, u"1"_s});
        ClickBox(box(&d, "CheckBox1"));
        ClickBox(box(&d, "CheckBox8"));
        QVERIFY(!box(&d, "CheckBox11")->isChecked());
        QTest::mouseClick(d.Aggiungi, Qt::LeftButton);
        QCOMPARE(List().count(), 1);
        QCOMPARE(List().play(1), MakePlay({5, 12}, {1, 1, 0, 0, 0}, Bari | Roma));
        QVERIFY(!d.Aggiungi->isEnabled());
        QVERIFY(Globals().system.modified);
        QCOMPARE(giocate_->NumeroGiocate->text(), u"1"_s);
        QCOMPARE(giocate_->CostoTotale->text(), u"4,00 €"_s);

        // The texts stay: a changed number adds the next play.
        QTest::keyClick(field(&d, "Numeri"), Qt::Key_Backspace);
        QVERIFY(d.Aggiungi->isEnabled());
        QTest::keyClicks(field(&d, "Numeri"), u"8"_s);
        QTest::keyClick(field(&d, "Numeri"), Qt::Key_Return);
        QCOMPARE(List().count(), 2);
        QCOMPARE(List().play(2), MakePlay({8, 12}, {1, 1, 0, 0, 0}, Bari | Roma));
    }

    void badNumbersAreRefused_data() {
        QTest::addColumn<QString>("numbers");
        QTest::newRow("repeated") << u"5 5"_s;
        QTest::newRow("eleven") << u"1 2 3 4 5 6 7 8 9 10 11"_s;
        QTest::newRow("none") << QString();
    }
    void badNumbersAreRefused() {
        QFETCH(QString, numbers);
        MessageBoxHook hook;
        TDaTastiera d;
        d.show();
        typePlay(&d, numbers, {u"1"_s});
        QTest::mouseClick(d.Aggiungi, Qt::LeftButton);
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().text, u"Alcuni numeri che compongono la giocata non sono validi!"_s);
        QCOMPARE(hook.last().caption, u"Errore"_s);
        QCOMPARE(hook.last().icon, MsgIcon::Error);
        QCOMPARE(List().count(), 0);
        QVERIFY(d.Aggiungi->isEnabled());
    }

    void badStakesAreRefused() {
        MessageBoxHook hook;
        TDaTastiera d;
        d.show();
        typePlay(&d, u"5 12"_s, {u"0,75"_s});
        QTest::mouseClick(d.Aggiungi, Qt::LeftButton);
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().text, QString::fromStdString(StakeRuleMessage(Globals().settings)));
        QCOMPARE(hook.last().caption, u"Errore"_s);
        QCOMPARE(hook.last().icon, MsgIcon::Error);
        QCOMPARE(List().count(), 0);
    }

    void duplicateIsRefusedWhateverItsStakes() {
        List().setCount(1);
        List().play(1) = MakePlay({5, 12}, {1, 1, 0, 0, 0}, Tutte);
        MessageBoxHook hook;
        TDaTastiera d;
        d.show();
        typePlay(&d, u"12 5"_s, {u"2"_s, u""_s, u""_s});
        QTest::mouseClick(d.Aggiungi, Qt::LeftButton);
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().text, u"La giocata è già presente nell'elenco delle giocate.!"_s);
        QCOMPARE(hook.last().caption, u"Attenzione"_s);
        QCOMPARE(hook.last().icon, MsgIcon::Information);
        QCOMPARE(List().count(), 1);
        QCOMPARE(List().play(1).stake(1), 1.0);
        // On another wheel it is another play.
        ClickBox(box(&d, "CheckBox12"));
        QTest::mouseClick(d.Aggiungi, Qt::LeftButton);
        QCOMPARE(hook.count(), 1);
        QCOMPARE(List().count(), 2);
        QCOMPARE(List().play(2).wheels, std::uint16_t(Tutte | Nazionale));
    }

    void stakeBeyondThePlaySizeIsDropped() {
        MessageBoxHook hook;
        TDaTastiera d;
        d.show();
        typePlay(&d, u"5 12"_s, {u"1"_s, u"1"_s, u"1"_s});
        QCOMPARE(d.Panel1->Totale->text(), u"3,00 €"_s);
        QTest::mouseClick(d.Aggiungi, Qt::LeftButton);
        QCOMPARE(List().count(), 1);
        QCOMPARE(List().play(1).stakes, (std::array<double, 5>{1, 1, 0, 0, 0}));
        // Dropped, but not without a word.
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().text, u"La giocata ha 2 numeri: l'importo di terno non è stato considerato."_s);
    }

    void stakeFieldsAndTotal_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("total");
        QTest::addColumn<bool>("valid");
        QTest::newRow("one") << u"1"_s << u"1"_s << u"1,00 €"_s << true;
        QTest::newRow("below the minimum") << u"0,75"_s << u"0,75"_s << u"0,75 €"_s << false;
        QTest::newRow("point becomes comma") << u"1.5"_s << u"1,5"_s << u"1,50 €"_s << true;
        QTest::newRow("letters refused") << u"2a"_s << u"2"_s << u"2,00 €"_s << true;
        QTest::newRow("eight characters at most") << u"123456789"_s << u"12345678"_s << u"12.345.678,00 €"_s << false;
        QTest::newRow("empty") << QString() << QString() << u"0,00 €"_s << false;
    }
    void stakeFieldsAndTotal() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, total);
        QFETCH(bool, valid);
        TDaTastiera d;
        d.show();
        Type(field(&d, "Estratto"), typed);
        QCOMPARE(field(&d, "Estratto")->text(), shown);
        QLabel* t = d.Panel1->Totale;
        QCOMPARE(t->text(), total);
        QCOMPARE(t->palette().color(QPalette::WindowText), valid ? QColor(Qt::black) : QColor(230, 0, 0));
        // Any stake field counts, not only the first.
        Type(field(&d, "Estratto"), QString());
        Type(field(&d, "Cinquina"), typed);
        QCOMPARE(t->text(), total);
    }

    void enterAndEscape() {
        TDaTastiera d;
        d.show();
        typePlay(&d, u"5 12"_s, {u"1"_s});
        QTest::keyClick(field(&d, "Estratto"), Qt::Key_Return);
        QCOMPARE(List().count(), 1);
        QVERIFY(!d.Aggiungi->isEnabled());
        // A disabled "Aggiungi": Enter adds nothing and Escape does not close.
        MessageBoxHook hook;
        QTest::keyClick(field(&d, "Numeri"), Qt::Key_Return);
        QCOMPARE(hook.count(), 0);
        QTest::keyClick(field(&d, "Numeri"), Qt::Key_Escape);
        QVERIFY(d.isVisible());
        // A box click enables it again, and then Escape closes.
        ClickBox(box(&d, "CheckBox3"));
        QVERIFY(d.Aggiungi->isEnabled());
        QTest::keyClick(field(&d, "Numeri"), Qt::Key_Escape);
        QVERIFY(!d.isVisible());
        // Showing the dialog again enables "Aggiungi" and keeps the texts.
        QTest::mouseClick(d.Aggiungi, Qt::LeftButton);
        d.show();
        QVERIFY(d.Aggiungi->isEnabled());
        QCOMPARE(field(&d, "Numeri")->text(), u"5 12"_s);
        d.Chiudi->click();
        QVERIFY(!d.isVisible());
    }

    void fullListAddsNothing() {
        PlayList& list = List();
        list.setCount(PlayList::Capacity);
        for (int i = 1; i <= PlayList::Capacity; ++i)
            list.play(i) = MakePlay({1 + i % 90, 1 + (i / 90) % 90}, {1, 0, 0, 0, 0}, Bari);
        MessageBoxHook hook;
        TDaTastiera d;
        d.show();
        typePlay(&d, u"5 12 40"_s, {u"1"_s});
        QTest::mouseClick(d.Aggiungi, Qt::LeftButton);
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().text, QString::fromUtf8(PlayListFullMessage));
        QCOMPARE(hook.last().caption, u"Attenzione"_s);
        QCOMPARE(hook.last().icon, MsgIcon::Warning);
        QCOMPARE(list.count(), PlayList::Capacity);
    }

    void keyboardEntryCommand() {
        NumberedPlays(2);
        const PlayList before = List();
        const std::string path = Globals().path("Sistema1.lpc");
        QVERIFY(SaveSystem(path, Globals().system));
        const std::string saved = test::ReadAll(path);
        TDaTastiera d;
        QTimer::singleShot(0, this, [&] {
            QVERIFY(d.isVisible() && d.isModal());
            typePlay(&d, u"30 20 10"_s, {u"1"_s});
            QTest::mouseClick(d.Aggiungi, Qt::LeftButton);
            d.Chiudi->click();
        });
        KeyboardEntry(giocate_.get());
        QCOMPARE(List().count(), 3);
        QCOMPARE(List().play(3), MakePlay({10, 20, 30}, {1, 0, 0, 0, 0}, Tutte));
        QCOMPARE(Globals().system.undo.count(), 2);
        QCOMPARE(Globals().system.undo.play(2), before.play(2));
        QVERIFY(Globals().system.modified); // so closing asks before the typed play is lost
        QCOMPARE(test::ReadAll(path), saved);
        QCOMPARE(giocate_->NumeroGiocate->text(), u"3"_s);
    }

    void editDialogShowsThePlays() {
        NumberedPlays(4);
        List().play(3) = MakePlay({3, 53, 60}, {1, 0, 1.5, 0, 0}, Bari | Tutte);
        List().play(4).wheels = 0;
        TModGiocata m;
        m.setPlays(2, 4);
        m.show();
        QCOMPARE(m.ScrollBar1->minimum(), 2);
        QCOMPARE(m.ScrollBar1->maximum(), 4);
        QCOMPARE(m.position(), 2);
        QCOMPARE(m.Label9->text(), u"Giocata Nº: 2"_s);
        QCOMPARE(field(&m, "Numeri")->text(), u"2 52"_s);
        QCOMPARE(field(&m, "Estratto")->text(), u"1,00"_s);
        QCOMPARE(field(&m, "Ambo")->text(), QString());
        QVERIFY(m.Applica->isEnabled());

        m.Applica->setEnabled(false);
        m.ScrollBar1->setValue(3);
        QVERIFY(m.Applica->isEnabled());
        QCOMPARE(m.Label9->text(), u"Giocata Nº: 3"_s);
        QCOMPARE(field(&m, "Numeri")->text(), u"3 53 60"_s);
        QCOMPARE(field(&m, "Terno")->text(), u"1,50"_s);
        QCOMPARE(m.Panel1->Totale->text(), u"2,50 €"_s);
        // The mask is shown as it is: the box rules stay silent while a play is shown.
        QVERIFY(box(&m, "CheckBox1")->isChecked());
        QVERIFY(box(&m, "CheckBox11")->isChecked());
        m.ScrollBar1->setValue(4);
        QCOMPARE(m.Panel1->Ruote->mask(), std::uint16_t(0));
        QVERIFY(!Globals().system.modified);
        QCOMPARE(List().play(3), MakePlay({3, 53, 60}, {1, 0, 1.5, 0, 0}, Bari | Tutte));
    }

    void editIntoAPlayOfTheSelection() {
        NumberedPlays(4);
        MessageBoxHook hook;
        TModGiocata m;
        m.setPlays(2, 4);
        m.show();
        m.ScrollBar1->setValue(3);
        // Play 4 is being edited too, yet two equal plays would be left: refused.
        const Play third = List().play(3);
        typePlay(&m, u"54 4"_s, {u"0,5"_s, u"0,5"_s});
        QTest::mouseClick(m.Applica, Qt::LeftButton);
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().text, QString::fromUtf8(DuplicatePlayMessage));
        QCOMPARE(List().play(3), third);
        hook.clear();
        Type(field(&m, "Numeri"), u"54 80"_s);
        QTest::mouseClick(m.Applica, Qt::LeftButton);
        QCOMPARE(hook.count(), 0);
        QCOMPARE(List().play(3), MakePlay({54, 80}, {0.5, 0.5, 0, 0, 0}, Tutte));
        QCOMPARE(List().count(), 4);
        // It moved on to play 4, which it shows, ready for the next change.
        QCOMPARE(m.position(), 4);
        QCOMPARE(field(&m, "Numeri")->text(), u"4 54"_s);
        QVERIFY(m.Applica->isEnabled());
        QCOMPARE(giocate_->NumeroGiocate->text(), u"4"_s);
        QCOMPARE(giocate_->CostoTotale->text(), u"4,00 €"_s);

        // On the last play it stays there and "Applica" goes off until the next change.
        Type(field(&m, "Numeri"), u"70 71"_s);
        QTest::keyClick(field(&m, "Numeri"), Qt::Key_Return);
        QCOMPARE(List().play(4), MakePlay({70, 71}, {1, 0, 0, 0, 0}, Tutte));
        QCOMPARE(m.position(), 4);
        QVERIFY(!m.Applica->isEnabled());
        QTest::keyClick(field(&m, "Numeri"), Qt::Key_Escape);
        QVERIFY(m.isVisible());
        QTest::keyClick(field(&m, "Estratto"), Qt::Key_1);
        QVERIFY(m.Applica->isEnabled());
        QTest::keyClick(field(&m, "Numeri"), Qt::Key_Escape);
        QVERIFY(!m.isVisible());
        QVERIFY(Globals().system.modified);
    }

    void editIntoAPlayOutsideTheSelection() {
        NumberedPlays(4);
        const PlayList before = List();
        MessageBoxHook hook;
        TModGiocata m;
        m.setPlays(2, 4);
        m.show();
        m.ScrollBar1->setValue(3);
        typePlay(&m, u"1 51"_s, {u"2"_s});
        QTest::mouseClick(m.Applica, Qt::LeftButton);
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().text, u"La giocata è già presente nell'elenco delle giocate.!"_s);
        QCOMPARE(hook.last().caption, u"Attenzione"_s);
        QCOMPARE(hook.last().icon, MsgIcon::Information);
        for (int i = 1; i <= 4; ++i) QCOMPARE(List().play(i), before.play(i));
        QCOMPARE(m.position(), 3);

        typePlay(&m, u"1 51 2 3 4 5 6 7 8 9 10"_s, {u"1"_s});
        QTest::mouseClick(m.Applica, Qt::LeftButton);
        QCOMPARE(hook.last().text, u"Alcuni numeri che compongono la giocata non sono validi!"_s);
        for (int i = 1; i <= 4; ++i) QCOMPARE(List().play(i), before.play(i));
    }

    void editCommandOnTheSelection() {
        NumberedPlays(5);
        giocate_->show();
        QVERIFY(QTest::qWaitForWindowExposed(giocate_.get()));
        giocate_->RefreshPlayList();
        auto* sg = giocate_->sg;
        auto rowCentre = [&](int row) { return sg->visualRect(sg->model()->index(row, 0)).center(); };
        QTest::mouseClick(sg->viewport(), Qt::LeftButton, {}, rowCentre(2));
        QTest::mouseClick(sg->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowCentre(4));
        TModGiocata m;
        QTimer::singleShot(0, this, [&] {
            QVERIFY(m.isVisible() && m.isModal());
            QCOMPARE(m.position(), 3);
            typePlay(&m, u"88"_s, {u"1"_s});
            QTest::mouseClick(m.Applica, Qt::LeftButton);
            m.Chiudi->click();
        });
        EditSelectedPlays(giocate_.get());
        QCOMPARE(m.first(), 3);
        QCOMPARE(m.last(), 5);
        QCOMPARE(List().play(3), MakePlay({88}, {1, 0, 0, 0, 0}, Tutte));
        QCOMPARE(Globals().system.undo.count(), 5);
        QCOMPARE(Globals().system.undo.play(3), MakePlay({3, 53}, {1, 0, 0, 0, 0}, Tutte));
        QCOMPARE(sg->model()->index(2, 1).data().toString(), u"88 "_s);
        giocate_->hide();
    }
};

QTEST_MAIN(TstPlayDialogs)
#include "tst_playdialogs.moc"
