// What a player reads in the windows, through their controls: the delay chart, the new-draw
// window, the selector and precision bar, and the figures of the guaranteed reduction.
#include "archive/UNuovaEstra.h"
#include "components/UMessageBox.h"
#include "components/UProgressPanel.h"
#include "components/UWheelSelection.h"
#include "core/Globali.h"
#include "generation/Generation.h"
#include "reduction/UGenio.h"
#include "reduction/URidGara.h"
#include "stats/UStatRit.h"
#include "stats/UStats.h"

#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSlider>
#include <QTableWidget>
#include <QtTest>

using namespace numora;
using numora::test::SetField;
using namespace Qt::StringLiterals;

class TstPlayerReports : public QObject {
    Q_OBJECT
    test::TempDir dir_;

private slots:
    void initTestCase() {
        test::RegisterAllFeatures();
        Globals().appDir = dir_.path();
        test::UseTestStakes(Globals().settings);
    }

    void delayChart() {
        TStatRit w;
        w.show();
        const int h = w.ritgraf->height(), plot = h - 17;
        // Each grid line is labelled with the value a bar reaching it stands for.
        for (int m : {9, 141, 4269, 5, 13}) {
            w.ritgraf->setEntries({{1, m}, {2, 2}});
            for (int i = 1; i <= 5; ++i) {
                const double stands = double(plot - (i - 1) * (plot / 5)) * m / plot;
                const QString label = w.ritgraf->gridLabel(i);
                QVERIFY2(std::abs(QString(label).replace(u',', u'.').toDouble() - stands) <= (m >= 100 ? 0.5 : 0.05),
                         qPrintable(u"M %1 line %2: %3"_s.arg(m).arg(i).arg(label)));
            }
        }
        // The top label is whole: its green ink starts below the edge and is as tall as the text.
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
        QVERIFY(top > 0 && bottom - top + 1 >= QFontMetrics(font).tightBoundingRect(u"4269"_s).height());
        // "Ricalcola" and reopening start from the first bar; a larger window shows more bars.
        w.scbrit->setValue(600);
        w.goClick();
        QCOMPARE(w.scbrit->value(), 0);
        w.scbrit->setValue(600);
        w.hide();
        w.show();
        QCOMPARE(w.scbrit->value(), 0);
        const int narrow = w.ritgraf->width();
        w.resize(w.width() + 400, w.height() + 100);
        QTRY_VERIFY(w.ritgraf->width() >= narrow + 400 && w.ritgraf->height() > h);
        QCOMPARE(w.scbrit->maximum(), NumberChart::StripWidth - w.ritgraf->width());
        QVERIFY(!w.intestazione->isVisible() &&
                w.intestazione->text().startsWith(u"I Ritardi dei 90 numeri - Ruote: Tutte"_s));
    }

    void newDrawWindow() {
        MessageBoxHook hook;
        TNuovaEstra n;
        n.show();
        n.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&n));
        SetField(n.Edit1, u"31/2/2020"_s);
        for (int wheel = 1; wheel <= 11; ++wheel)
            for (int k = 0; k < 5; ++k) n.cell(wheel, k)->setText(QString::number(k + 1));
        n.ApplicaClick();
        QCOMPARE(hook.last().text, u"La data 31/2/2020 non esiste."_s);
        // Typing in a filled cell replaces it, also when it is clicked again; three characters fit.
        for (const QString& typed : {u"47"_s, u"8"_s}) {
            QTest::mouseClick(n.cell(1, 0), Qt::LeftButton);
            QTest::keyClicks(n.cell(1, 0), typed);
            QCOMPARE(n.cell(1, 0)->text(), typed);
        }
        QVERIFY(n.sg->columnWidth(1) >= n.sg->fontMetrics().horizontalAdvance(u"000"_s) + 8);
    }

    void selectorAndSliders() {
        TStats s;
        s.show();
        QVERIFY(s.tipo->width() > s.tipo->fontMetrics().horizontalAdvance(u"Le frequenze dei 4005 Ambi"_s) + 20);
        TGenio g;
        g.show();
        const auto x = [&](const QString& text) {
            for (const QLabel* l : g.findChildren<QLabel*>())
                if (l->text() == text) return l->mapTo(&g, QPoint()).x();
            return -1;
        };
        QVERIFY(x(u"Velocità"_s) < g.TKB->mapTo(&g, QPoint()).x() &&
                g.TKB->mapTo(&g, QPoint()).x() < x(u"Precisione"_s));
    }

    void reductionFigures() {
        MessageBoxHook hook;
        Forecast& f = Globals().system.forecast;
        f.clear();
        for (int n = 1; n <= 10; ++n) f.setChosen(n, true);
        f.fixed[0] = 3;
        f.fixedCount = 1;
        TRidGara r;
        r.show();
        r.ComboBox1->setCurrentIndex(3); // 4 numbers: C(9, 3) plays hold the fixed 3
        SetField(r.Edit3, u"1"_s);
        SetField(r.Edit1, u"1"_s);
        QCOMPARE(r.Label15->text(), u"84"_s);
        r.ruote->box(1)->setChecked(true);
        r.ruote->box(8)->setChecked(true);
        QVERIFY2(r.Label12->text().startsWith(u"336,00"_s), qPrintable(r.Label12->text())); // 84 × 2 € × 2 wheels
        r.ComboBox1->setCurrentIndex(1); // the terno left in a field now disabled
        QCOMPARE(r.Label15->text(), u"9"_s);
        // At the list's capacity the count is the run's, not the last report's.
        r.usafisse->setChecked(false);
        r.ridval->setCurrentIndex(1); // every ambo: 45 plays, 5 places left
        PlayList& list = Globals().system.list;
        list.setCount(PlayList::Capacity - 5);
        r.goClick();
        QCOMPARE(hook.last().text, QString::fromUtf8(PlayListFullMessage));
        QCOMPARE(r.AntiPan3->conta->text(), u"Nº di giocate: 100000"_s);
        list.clear();
    }
};

QTEST_MAIN(TstPlayerReports)
#include "tst_playerreports.moc"
