// What a player reads in the windows, through their controls: the delay chart's grid labels,
// scrolling and size, the messages of draw and play entry, the selector and new-draw grid, and
// the figures of the generator and reduction dialogs.
#include "archive/UNuovaEstra.h"
#include "components/UMessageBox.h"
#include "components/UProgressPanel.h"
#include "components/UWheelSelection.h"
#include "core/Globali.h"
#include "core/PlayList.h"
#include "generation/Generation.h"
#include "playlist/PlayEntry.h"
#include "playlist/UDaTastiera.h"
#include "playlist/UModGiocata.h"
#include "playlist/UPlayEntryPanel.h"
#include "reduction/UGenio.h"
#include "reduction/UOttimizzaPro.h"
#include "reduction/URidGara.h"
#include "stats/UStatRit.h"
#include "stats/UStats.h"

#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTableWidget>
#include <QtTest>

using namespace numora;
using numora::test::SetField;
using namespace Qt::StringLiterals;

namespace {

void Choose(std::initializer_list<int> numbers, std::initializer_list<int> fixed = {}) {
    Forecast& f = Globals().system.forecast;
    f.clear();
    for (int n : numbers) f.setChosen(n, true);
    for (int x : fixed) f.fixed[static_cast<std::size_t>(f.fixedCount++)] = static_cast<std::uint8_t>(x);
}

Play OnePlay(std::initializer_list<int> numbers, std::uint16_t wheels) {
    Play p;
    p.setNumbersFrom(std::vector<std::uint8_t>(numbers.begin(), numbers.end()));
    p.setStake(1, 1);
    p.wheels = wheels;
    return p;
}

// The left edge of the label whose text is `text` among the widget's children.
int LabelX(const QWidget& w, const QString& text) {
    for (const QLabel* l : w.findChildren<QLabel*>())
        if (l->text() == text) return l->mapTo(&w, QPoint(0, 0)).x();
    return -1;
}

} // namespace

class TstPlayerReports : public QObject {
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
        Globals().system.list.clear();
        Globals().system.forecast.clear();
    }

    void delayChartLabelsScrollAndSize() {
        TStatRit w;
        w.show();
        const int h = w.ritgraf->height();
        const int plot = h - 17;
        // Each grid line is labelled with the value a bar reaching it stands for.
        for (int m : {9, 141, 4269, 5, 13}) {
            w.ritgraf->setEntries({{1, m}, {2, 2}});
            for (int i = 1; i <= 5; ++i) {
                const int y = 2 + (i - 1) * (plot / 5);
                const double stands = double(h - 15 - y) * m / plot;
                const double shown = w.ritgraf->gridLabel(i).replace(u',', u'.').toDouble();
                QVERIFY2(std::abs(shown - stands) <= (m >= 100 ? 0.5 : 0.05),
                         qPrintable(u"M %1 line %2: %3"_s.arg(m).arg(i).arg(w.ritgraf->gridLabel(i))));
            }
        }
        // The top label is whole: as tall in the chart as drawn alone.
        w.ritgraf->setEntries({{1, 4269}});
        const QImage chart = w.ritgraf->grab().toImage();
        int top = -1, bottom = -1;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 26; ++x)
                if (const QColor c = chart.pixelColor(x, y); c.green() - c.red() > 20 && c.green() - c.blue() > 20) {
                    if (top < 0) top = y;
                    bottom = y;
                }
        QFont font(u"Arial"_s);
        font.setPointSize(8);
        const QRect ink = QFontMetrics(font).tightBoundingRect(u"4269"_s);
        QVERIFY2(top > 0 && bottom - top + 1 >= ink.height(), qPrintable(u"%1..%2"_s.arg(top).arg(bottom)));
        // "Ricalcola" and reopening show the start of the ranking.
        w.scbrit->setValue(600);
        w.goClick();
        QCOMPARE(w.scbrit->value(), 0);
        w.scbrit->setValue(600);
        w.hide();
        w.show();
        QCOMPARE(w.scbrit->value(), 0);
        // A wider window shows more bars; the scroll range shrinks by what is shown.
        const int narrow = w.ritgraf->width();
        w.resize(w.width() + 400, w.height() + 100);
        QTRY_VERIFY(w.ritgraf->width() >= narrow + 400);
        QCOMPARE(w.scbrit->maximum(), NumberChart::StripWidth - w.ritgraf->width());
        QVERIFY(w.ritgraf->height() > h);
        // The printed heading names the figures; on screen it is hidden.
        QVERIFY(!w.intestazione->isVisible());
        QVERIFY(w.intestazione->text().startsWith(u"I Ritardi dei 90 numeri - Ruote: Tutte"_s));
    }

    void entryMessages() {
        MessageBoxHook hook;
        // An impossible date, in Italian.
        TNuovaEstra n;
        n.show();
        n.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&n));
        SetField(n.Edit1, u"31/2/2020"_s);
        for (int wheel = 1; wheel <= 11; ++wheel)
            for (int k = 0; k < 5; ++k) n.cell(wheel, k)->setText(QString::number(k + 1));
        n.ApplicaClick();
        QCOMPARE(hook.last().text, u"La data 31/2/2020 non esiste."_s);
        // Typing in a filled cell replaces it; the columns hold three characters.
        QLineEdit* cell = n.cell(1, 0);
        QTest::mouseClick(cell, Qt::LeftButton);
        QTest::keyClicks(cell, u"47"_s);
        QCOMPARE(cell->text(), u"47"_s);
        QTest::mouseClick(cell, Qt::LeftButton); // chosen again while it has the focus
        QTest::keyClicks(cell, u"8"_s);
        QCOMPARE(cell->text(), u"8"_s);
        QVERIFY(n.sg->columnWidth(1) >= n.sg->fontMetrics().horizontalAdvance(u"000"_s) + 8);

        // Stakes for bets the play cannot hold are named.
        TDaTastiera k;
        k.show();
        SetField(k.Panel1->Numeri, u"5 12"_s);
        SetField(k.Panel1->Estratto, u"1"_s);
        SetField(k.Panel1->Terno, u"1"_s);
        SetField(k.Panel1->Quaterna, u"1"_s);
        hook.clear();
        k.AggiungiClick();
        QCOMPARE(Globals().system.list.count(), 1);
        QCOMPARE(hook.last().text,
                 u"La giocata ha 2 numeri: gli importi di terno e quaterna non sono stati considerati."_s);

        // Editing refuses a play equal to another of the list, inside the edited plays too.
        Globals().system.list.clear();
        for (int i = 1; i <= 3; ++i) EnterPlay(Globals().system, OnePlay({i, 40 + i}, 1));
        TModGiocata m;
        m.setPlays(1, 3);
        m.show();
        QCOMPARE(m.position(), 1);
        SetField(m.Panel1->Numeri, u"2 42"_s);
        hook.clear();
        m.ApplicaClick();
        QCOMPARE(hook.last().text, QString::fromUtf8(DuplicatePlayMessage));
        QCOMPARE(Globals().system.list.play(1), OnePlay({1, 41}, 1));
        SetField(m.Panel1->Numeri, u"1 41"_s); // itself
        hook.clear();
        m.ApplicaClick();
        QCOMPARE(hook.count(), 0);
    }

    void selectorWholeAndSliders() {
        TStats s;
        s.show();
        QVERIFY(s.tipo->width() > s.tipo->fontMetrics().horizontalAdvance(u"Le frequenze dei 4005 Ambi"_s) + 20);
        // Precision grows toward "Precisione" on both track bars.
        TGenio g;
        TOttimizzaPro o;
        for (QWidget* d : {static_cast<QWidget*>(&g), static_cast<QWidget*>(&o)}) {
            d->show();
            QVERIFY(LabelX(*d, u"Velocità"_s) < LabelX(*d, u"Precisione"_s));
            QCOMPARE(d->findChild<QSlider*>(u"TKB"_s)->invertedAppearance(), false);
        }
    }

    void generatorFigures() {
        MessageBoxHook hook;
        Choose({3, 8, 12, 20, 33, 41, 57, 60, 70, 80}, {3});
        TRidGara r;
        r.show();
        QVERIFY(r.usafisse->isChecked());
        r.ComboBox1->setCurrentIndex(3); // 4 numbers: C(9, 3) hold the fixed 3
        SetField(r.Edit3, u"1"_s);
        SetField(r.Edit1, u"1"_s);
        QCOMPARE(r.Label15->text(), u"84"_s);
        // Two wheels cost twice; the count does not follow the stakes.
        r.ruote->box(1)->setChecked(true);
        r.ruote->box(8)->setChecked(true);
        QVERIFY2(r.Label12->text().startsWith(u"336,00"_s), qPrintable(r.Label12->text()));
        r.ComboBox1->setCurrentIndex(1); // terno's stake left in a field now disabled
        QCOMPARE(r.Label15->text(), u"9"_s);
        // At the list's capacity the count says what the list holds.
        r.ruote->box(12)->setChecked(true);
        r.usafisse->setChecked(false);
        PlayList& list = Globals().system.list;
        list.setCount(PlayList::Capacity - 5);
        for (int i = 1; i <= list.count(); ++i) list.play(i) = OnePlay({90}, 1);
        r.ComboBox1->setCurrentIndex(1);
        r.ridval->setCurrentIndex(1); // every ambo: 45 plays, more than the 5 places left
        SetField(r.Edit1, u"1"_s);
        r.goClick();
        QCOMPARE(hook.last().text, QString::fromUtf8(PlayListFullMessage));
        QCOMPARE(r.AntiPan3->conta->text(), u"Nº di giocate: 100000"_s);
        list.clear();

        // A mistyped count in Genio is named as such.
        TGenio g;
        Choose({5, 10, 15, 20, 25, 30});
        g.show();
        g.ComboBox1->setCurrentIndex(1);
        SetField(g.Edit1, u"1"_s);
        SetField(g.Edit6, u"1O"_s);
        g.goClick();
        QCOMPARE(hook.last().text, QString::fromUtf8(InvalidPlaysToAddMessage));
    }
};

QTEST_MAIN(TstPlayerReports)
#include "tst_playerreports.moc"
