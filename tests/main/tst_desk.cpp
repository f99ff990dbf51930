// The desk as the user meets it: after a message or a dialog the window that opened it has the
// activation and the focus back; every window is as wide as its title; the smorfia's and the
// probability grids' texts are whole.
#include "components/UMessageBox.h"
#include "components/UTitleWidth.h"
#include "core/Globali.h"
#include "elimination/UDistriChart.h"
#include "elimination/UProbabilityGrid.h"
#include "forecast/UPronostico.h"
#include "main/UPri.h"
#include "main/UProgram.h"
#include "smorfia/USmorfia.h"
#include "stakes/UImporti.h"
#include "stats/RandomDraws.h"
#include "stats/UStatNumPiuRit.h"
#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace numora;
using namespace Qt::StringLiterals;

class TstDesk : public QObject {
    Q_OBJECT
    numora::test::TempDir dir;

    static void activate(QWidget* w) {
        w->show();
        w->raise();
        w->activateWindow();
        // The window system may still be activating the windows shown before.
        QTRY_COMPARE(QApplication::activeWindow(), w);
    }

private slots:
    void initTestCase() {
        Globali& g = Globals();
        g.appDir = dir.path();
        numora::test::UseTestStakes(g.settings);
        g.archive = numora::test::RandomArchive(3, 400, 90);
        g.settings.notificaaggio = 0; // no update reminder over the windows
        CreateWindows();
        ShowWindows();
        QVERIFY(QTest::qWaitForWindowExposed(TPri::instance()));
    }
    void cleanupTestCase() { delete TPri::instance(); }

    // "Il valore inserito non è valido!" on a fixed-number box: the forecast is active again with
    // the focus in the box, so the corrected number goes there.
    void aRefusedFixedNumberLeavesTheFocusInItsBox() {
        TPronostico* f = TPronostico::instance();
        activate(f);
        f->Edit23->setFocus();
        QString said;
        numora::test::RunModal<QMessageBox>([&](QMessageBox* box) {
            said = box->text();
            QTest::keyClick(box, Qt::Key_Return);
        });
        QTest::keyClick(f->Edit23, Qt::Key_0);
        QCOMPARE(said, u"Il valore inserito non è valido!"_s);
        QTRY_COMPARE(QApplication::activeWindow(), f);
        QCOMPARE(QApplication::focusWidget(), f->Edit23);
        QTest::keyClicks(QApplication::focusWidget(), u"7"_s);
        QCOMPARE(f->Edit23->text(), u"7"_s);
        QCOMPARE(f->PrendiFisse(), 0);
        f->Edit23->clear();
    }

    // The stake dialog belongs to the strip, yet after it the statistics window that asked is the
    // active one, and Escape closes it.
    void theStakeDialogGivesTheStatisticsWindowBack() {
        TStatNumPiuRit w;
        activate(&w);
        w.FormActivate();
        w.sg->selectRow(0);
        QVERIFY(w.agggio->isEnabled());
        w.agggio->setFocus();
        numora::test::RunModal<TImporti>([](TImporti* d) { QTest::keyClick(d, Qt::Key_Escape); });
        QTest::keyClick(w.agggio, Qt::Key_Space);
        QTRY_COMPARE(QApplication::activeWindow(), &w);
        QCOMPARE(QApplication::focusWidget(), w.agggio);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!w.isVisible());
    }

    // Windows whose titles were cut by the window manager: each is at least as wide as its title
    // bar needs, whether its layout fixes its size or not.
    void everyWindowIsAsWideAsItsTitle() {
        QList<QWidget*> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("numora::TImporti") || w->inherits("numora::TStats") ||
                w->inherits("numora::TPronostico") || w->inherits("numora::Tdb") || w->inherits("numora::TDaTastiera"))
                windows << w;
        QCOMPARE(windows.size(), 5);
        for (QWidget* w : windows) {
            w->show();
            QTRY_VERIFY2(w->width() >= TitleBarWidth(w), qPrintable(w->windowTitle()));
            if (!w->inherits("numora::TPronostico") && !w->inherits("numora::Tdb") && !w->inherits("numora::TStats"))
                w->hide();
        }
    }

    // The smorfia opens as wide as its grid, and the probability grid's headings are whole.
    void theGridsShowTheirTextsWhole() {
        TSmorfia smorfia;
        smorfia.show();
        QVERIFY(QTest::qWaitForWindowExposed(&smorfia));
        const QTableWidget* sg = smorfia.sgsmo;
        QVERIFY(sg->viewport()->width() >= sg->columnWidth(0) + 367);
        TProbabilityGrid grid;
        for (int c = 0; c < grid.columnCount(); ++c)
            QVERIFY(grid.horizontalHeader()->fontMetrics().horizontalAdvance(grid.horizontalHeaderItem(c)->text()) <
                    grid.columnWidth(c));
        QVERIFY(grid.width() >= grid.horizontalHeader()->length() + 2 * grid.frameWidth());
    }

    // The distribution chart's counts on the left are whole (nothing drawn in the first columns,
    // where a cut label would start) and the top one keeps clear of the axis arrow's wings.
    void theChartCountsAreWholeAndClearOfTheArrow() {
        for (int most : {9, 141, 4269, 18596, 1234567}) {
            DistributionBins bins{};
            bins[50] = most;
            bins[10] = most / 3;
            THistogram chart(bins);
            chart.busy = false;
            QImage image(chart.size(), QImage::Format_RGB32);
            image.fill(Qt::white);
            chart.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
            auto inked = [&](int x, int y) { return image.pixelColor(x, y) != QColor(Qt::white); };
            for (int y = 0; y < image.height(); ++y)
                QVERIFY2(!inked(0, y) && !inked(1, y), qPrintable(QString::number(most)));
            // The arrow is the first column from the top with ink at y = 0; beside its wings, left of
            // them, there is no ink until the label's own right edge, 2 pixels away at least.
            int arrow = 0;
            while (arrow < image.width() && !inked(arrow, 0)) ++arrow;
            QVERIFY(arrow < image.width());
            for (int y = 0; y <= 5; ++y)
                for (int x = arrow - 5; x < arrow - 3; ++x) QVERIFY2(!inked(x, y), qPrintable(QString::number(most)));
        }
    }
};

QTEST_MAIN(TstDesk)
#include "tst_desk.moc"
