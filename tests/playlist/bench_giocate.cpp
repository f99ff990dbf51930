// The refresh of a full play list and the first paint of the grid after it.
#include "core/Globali.h"
#include "playlist/UGiocate.h"
#include "support/TestSupport.h"

#include <QTableView>
#include <QtTest>

using namespace numora;

class BenchGiocate : public QObject {
    Q_OBJECT

private:
    test::TempDir dir_;

private slots:
    void initTestCase() {
        Globals().appDir = dir_.path();
        Globals().settings.decimali = 2;
        PlayList& list = Globals().system.list;
        list.setCount(PlayList::Capacity);
        for (int i = 1; i <= PlayList::Capacity; ++i) {
            Play p;
            p.setNumbers({1 + i % 90, 1 + (i / 90) % 90, 1 + (i / 7) % 90, 1 + (i / 13) % 90, 1 + (i / 31) % 90});
            p.stakes = {1, 0.5, 0.5, 0, 0};
            p.wheels = static_cast<std::uint16_t>(1u << (i % 12));
            list.play(i) = p;
        }
    }

    // A window that never showed plays: the first refresh after start-up or opening a system.
    void coldRefreshAndFirstPaint() {
        TGiocate g;
        g.resize(420, 700);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QBENCHMARK_ONCE {
            g.RefreshPlayList();
            g.sg->viewport()->repaint();
        }
        QCOMPARE(g.sg->model()->rowCount(), PlayList::Capacity);
    }

    void refreshAndFirstPaint() {
        TGiocate g;
        g.resize(420, 700);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QBENCHMARK {
            // An empty list in between (a refresh that costs nothing), so every round builds the whole
            // grid again.
            Globals().system.list.setCount(0);
            g.RefreshPlayList();
            Globals().system.list.setCount(PlayList::Capacity);
            g.RefreshPlayList();
            g.sg->viewport()->repaint();
        }
        QCOMPARE(g.sg->model()->rowCount(), PlayList::Capacity);
    }
};

QTEST_MAIN(BenchGiocate)
#include "bench_giocate.moc"
