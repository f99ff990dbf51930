// The per-number panel through the forecast board's pointer and the statistics selector's
// entries.
#include "core/Globali.h"
#include "forecast/ForecastBoard.h"
#include "forecast/UPronostico.h"
#include "stats/UNumStats.h"
#include "stats/UStatAmbiMenoFre.h"
#include "stats/UStatFre.h"
#include "stats/UStatRit.h"
#include "stats/UStats.h"

#include "RandomDraws.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace numora;
using namespace Qt::StringLiterals;

namespace {

void HoverOver(QWidget* board, int n) {
    const BoardCell cell = BoardCellOfNumber(n);
    const QPointF pos(cell.x() + 11, cell.y() + 9);
    QMouseEvent move(QEvent::MouseMove, pos, board->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(board, &move);
}

} // namespace

class TstStatsSelector : public QObject {
    Q_OBJECT

private:
    test::TempDir dir_;

private slots:
    void initTestCase() {
        test::RegisterAllFeatures();
        Globals().appDir = dir_.path();
        Globals().archive = test::RandomArchive(6, 250, 90);
        // Number 33 just drawn on Roma only.
        DrawRecord& last = Globals().archive.draw(250);
        for (int w = 1; w <= 11; ++w)
            for (int k = 0; k < 5; ++k)
                if (last.number(w, k) == 33) last.setNumber(w, k, 0);
        last.setNumber(8, 0, 33);
        StdRandom random(2);
        QVERIFY(SaveArchive(Globals().path(ArchiveFileName), Globals().archive, Globals().delays, Globals().frequencies,
                            random));
    }

    void panelFollowsTheBoard() {
        TPronostico forecast;
        TNumStats panel;
        QCOMPARE(panel.shownNumber(), 1);
        QCOMPARE(panel.windowTitle(), u"Statistiche relative al nº 1"_s);
        QCOMPARE(panel.vdb->rowCount(), 12);
        QCOMPARE(panel.vdb->item(10, 0)->text(), u" Tutte"_s);
        QCOMPARE(panel.vdb->item(11, 0)->text(), u" R. Nazionale"_s);

        const DelayTable& d = Globals().delays;
        const FrequencyTable& f = Globals().frequencies;
        for (int n : {33, 90, 2}) {
            HoverOver(forecast.Image1, n);
            QCOMPARE(panel.shownNumber(), n);
            QCOMPARE(panel.windowTitle(), u"Statistiche relative al nº %1"_s.arg(n));
            int sum = 0, least = 1 << 30;
            for (int r = 0; r < 10; ++r) {
                QCOMPARE(panel.vdb->item(r, 1)->text(), u"     %1"_s.arg(d.at(r + 1, n)));
                QCOMPARE(panel.vdb->item(r, 2)->text(), u"     %1"_s.arg(f.at(r + 1, n)));
                sum += f.at(r + 1, n);
                least = std::min(least, d.at(r + 1, n));
            }
            QCOMPARE(panel.vdb->item(10, 1)->text(), u"     %1"_s.arg(least));
            QCOMPARE(panel.vdb->item(10, 2)->text(), u"     %1"_s.arg(sum));
            QCOMPARE(panel.vdb->item(11, 1)->text(), u"     %1"_s.arg(d.at(11, n)));
            if (n == 33) QCOMPARE(panel.vdb->item(10, 1)->text(), u"     0"_s);
        }
        // The same number again rewrites nothing.
        panel.vdb->item(0, 1)->setText(u"x"_s);
        HoverOver(forecast.Image1, 2);
        QCOMPARE(panel.vdb->item(0, 1)->text(), u"x"_s);
    }

    void selectorOpensItsEntries() {
        TStatRit rit;
        TStatFre fre;
        TStatAmbiMenoFre ambi;
        TStats s;
        QCOMPARE(s.tipo->count(), 9);
        QCOMPARE(s.tipo->currentIndex(), 0);
        QCOMPARE(s.tipo->itemText(2), u"Probabilità dei 90 numeri"_s);
        QCOMPARE(s.vai->statusTip(), u" Visualizza le statistiche "_s);
        s.vai->click();
        QVERIFY(rit.isVisible() && !fre.isVisible());
        s.tipo->setCurrentIndex(1);
        s.vai->click();
        QVERIFY(fre.isVisible());
        s.tipo->setCurrentIndex(8);
        s.vai->click();
        QVERIFY(ambi.isVisible());
    }
};

QTEST_MAIN(TstStatsSelector)
#include "tst_statsselector.moc"
