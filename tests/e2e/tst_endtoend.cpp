// A whole session as a user has it, on a real X display (Xvfb) with a window manager: the program
// starts on the real archive and its windows stand whole and apart beneath the strip, the user chooses numbers on the
// board, develops them integrally, checks the plays against the last draw, saves the system and opens it again. A
// screenshot of the screen is kept at each step, in NUMORA_E2E_SHOTS.
#include "checking/USpoglio.h"
#include "components/UCommandTable.h"
#include "components/UDaiNumEstra.h"
#include "components/UGeneratorHost.h"
#include "components/UMessageBox.h"
#include "components/UWindowRegistry.h"
#include "core/FileIo.h"
#include "core/Globali.h"
#include "core/OperatorImport.h"
#include "core/SystemFile.h"
#include "forecast/ForecastBoard.h"
#include "forecast/UPronostico.h"
#include "main/UPri.h"
#include "main/UProgram.h"
#include "main/USplash.h"
#include "playlist/UGiocate.h"
#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <algorithm>

using namespace numora;
using numora::test::RunModal;
using numora::test::SetField;
using namespace Qt::StringLiterals;

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// A seeded archive of 300 draws, for a machine without the real one.
void FillSeededArchive(DrawArchive& archive) {
    StdRandom random(20);
    for (int i = 0; i < 300; ++i) {
        DrawRecord d;
        const int day = 1 + i % 28, month = 1 + (i / 28) % 12, year = 2000 + i / 336;
        d.day = static_cast<std::uint8_t>(day);
        d.month = static_cast<std::uint8_t>(month);
        d.year = static_cast<std::uint16_t>(year);
        for (int w = 1; w <= 11; ++w) {
            std::vector<int> drum(90);
            for (int n = 0; n < 90; ++n) drum[static_cast<std::size_t>(n)] = n + 1;
            for (int k = 0; k < 5; ++k) {
                const int at = k + random.below(90 - k);
                std::swap(drum[static_cast<std::size_t>(k)], drum[static_cast<std::size_t>(at)]);
                d.setNumber(w, k, static_cast<std::uint8_t>(drum[static_cast<std::size_t>(k)]));
            }
        }
        InsertDraw(archive, d);
    }
}

} // namespace

class TstEndToEnd : public QObject {
    Q_OBJECT
    numora::test::TempDir dir;
    MemoryStore store;
    QString shots;
    int shot = 0;

    void screenshot(const QString& name) {
        QCoreApplication::processEvents();
        QTest::qWait(150);
        const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
        QVERIFY(!screen.isNull());
        const QString file =
            QDir(shots).filePath(QStringLiteral("%1-%2.png").arg(++shot, 2, 10, QLatin1Char('0')).arg(name));
        QVERIFY2(screen.save(file), qPrintable(file));
    }

    TPri* pri() { return TPri::instance(); }

    // The title the window manager shows for a window, as X holds it.
    static QString ShownTitle(const QWidget* w) {
        QProcess xprop;
        xprop.start(QStringLiteral("xprop"),
                    {QStringLiteral("-id"), QString::number(w->winId()), QStringLiteral("_NET_WM_NAME")});
        if (!xprop.waitForFinished(5000)) return QString();
        const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
        const auto quote = out.indexOf(u'"');
        return quote < 0 ? out : out.mid(quote + 1).chopped(1);
    }

    // The strip and the working windows once the window manager has decorated them: no two
    // overlap, every title bar lies on the screen, the strip spans the screen's width.
    void checkDesk() {
        std::vector<QWidget*> windows{pri()};
        for (const auto& [w, place] : Windows().placedWindows()) windows.push_back(w);
        QCOMPARE(int(windows.size()), 7);
        for (QWidget* w : windows) QVERIFY2(w->isVisible(), qPrintable(w->windowTitle()));
        const QRect screen = pri()->screen()->availableGeometry();
        auto titleBar = [](const QWidget* w) {
            const QRect f = w->frameGeometry();
            return QRect(f.left(), f.top(), f.width(), w->geometry().top() - f.top());
        };
        auto settled = [&] {
            for (std::size_t i = 0; i < windows.size(); ++i) {
                const QRect bar = titleBar(windows[i]);
                if (bar.height() <= 0 || !screen.contains(bar)) return false;
                for (std::size_t j = i + 1; j < windows.size(); ++j)
                    if (windows[i]->frameGeometry().intersects(windows[j]->frameGeometry())) return false;
            }
            return true;
        };
        for (int waited = 0; waited < 10000 && !settled(); waited += 100) QTest::qWait(100);
        QTest::qWait(300); // nothing moves afterwards
        for (std::size_t i = 0; i < windows.size(); ++i) {
            const QRect bar = titleBar(windows[i]);
            QVERIFY2(bar.height() > 0, qPrintable(u"senza barra del titolo: "_s + windows[i]->windowTitle()));
            QVERIFY2(screen.contains(bar),
                     qPrintable(u"barra del titolo fuori schermo: "_s + windows[i]->windowTitle()));
            for (std::size_t j = i + 1; j < windows.size(); ++j)
                QVERIFY2(!windows[i]->frameGeometry().intersects(windows[j]->frameGeometry()),
                         qPrintable(windows[i]->windowTitle() + u" / "_s + windows[j]->windowTitle()));
        }
        QCOMPARE(pri()->frameGeometry().left(), screen.left());
        QCOMPARE(pri()->frameGeometry().width(), screen.width());
        QCOMPARE(ShownTitle(pri()), u"Numora - ["_s + Q(FileNameOf(Globals().system.currentPath)) + u"]"_s);
    }
    void trigger(const char* name) {
        QAction* a = pri()->action(QString::fromUtf8(name));
        QVERIFY2(a && a->isEnabled(), name);
        a->trigger();
    }

private slots:
    void initTestCase() {
        QVERIFY2(QGuiApplication::platformName() == QStringLiteral("xcb"), "runs on a real display");
        shots = qEnvironmentVariable("NUMORA_E2E_SHOTS", QDir::tempPath() + QStringLiteral("/numora-e2e"));
        QDir(shots).removeRecursively();
        QVERIFY(QDir().mkpath(shots));
        const std::string bin = std::getenv("NUMORA_BIN_DIR") ? std::getenv("NUMORA_BIN_DIR") : "";
        for (const char* f : {"Numora.ini", "Numora.smo", "Condizioni.ori"})
            QVERIFY(CopyFileOver(WithTrailingSeparator(bin) + f, dir.file(f)));
    }

    void session() {
        Globali& g = Globals();
        StartDataLayer(g, dir.path(), store);
        if (const std::string storico = numora::test::StoricoPath(); !storico.empty()) {
            const ImportResult r = MergeOperatorDraws(ReadOperatorFile(storico), g.archive);
            QVERIFY(g.archive.count() > 1000);
            static_cast<void>(r);
        } else {
            FillSeededArchive(g.archive);
        }
        QVERIFY(g.saveArchive());
        g.settings.notificaaggio = 0; // no reminder: the archive's last draw may be old
        CreateWindows();
        for (const auto& refresh :
             {Commands().views.refreshPlayList, Commands().views.refreshForecast, Commands().views.refreshViewerToLast})
            if (refresh) refresh();

        // 1. The splash, then the windows around the main window.
        {
            TSplash splash(nullptr, 400);
            QTimer::singleShot(200, this, [this] { screenshot(QStringLiteral("splash")); });
            splash.exec();
        }
        ShowWindows();
        QVERIFY(QTest::qWaitForWindowExposed(pri()));
        checkDesk();
        screenshot(QStringLiteral("avvio"));

        // A fixed number refused: after the message the forecast is active again with the focus
        // in its box, and the corrected number goes there.
        {
            TPronostico* f = TPronostico::instance();
            f->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(f));
            f->Edit23->setFocus();
            // Real key presses through the X server, as the window manager sees a user's.
            RunModal<QMessageBox>([&](QMessageBox* box) {
                QVERIFY(QTest::qWaitForWindowActive(box));
                screenshot(QStringLiteral("fissa-rifiutata"));
                QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")});
            });
            QTRY_COMPARE(QApplication::focusWidget(), f->Edit23);
            QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("0")});
            QTRY_COMPARE(QApplication::activeWindow(), f);
            QTest::qWait(1000); // and it stays there
            QCOMPARE(QApplication::activeWindow(), f);
            QCOMPARE(QApplication::focusWidget(), f->Edit23);
            QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("7")});
            QTRY_COMPARE(f->Edit23->text(), u"7"_s);
            f->Edit23->clear();
        }

        // 2. Numbers chosen with the mouse on the forecast board: three of Bari's and three of
        // Cagliari's in the last draw, so that the check below finds a terno and ambi.
        const DrawRecord& last = g.archive.last();
        std::vector<int> Chosen;
        for (int w : {1, 2})
            for (int k = 0, taken = 0; k < 5 && taken < 3; ++k)
                if (const int n = last.number(w, k); std::find(Chosen.begin(), Chosen.end(), n) == Chosen.end()) {
                    Chosen.push_back(n);
                    ++taken;
                }
        QCOMPARE(int(Chosen.size()), 6);
        TPronostico* forecast = TPronostico::instance();
        QVERIFY(forecast && forecast->isVisible());
        for (int n : Chosen) {
            const BoardCell c = BoardCellOfNumber(n);
            QTest::mouseClick(forecast->Image1, Qt::LeftButton, {},
                              QPoint(c.x() + BoardCellWidth / 2, c.y() + BoardCellHeight / 2));
        }
        QCOMPARE(g.system.forecast.chosenCount(), int(Chosen.size()));
        for (int n : Chosen) QVERIFY(g.system.forecast.isChosen(n));
        screenshot(QStringLiteral("pronostico"));

        // 3. The integral development in threes, one euro on the ambo and on the terno.
        bool developed = false;
        RunModal<TGeneratorHost>([&](TGeneratorHost* d) {
            d->ComboBox1->setCurrentIndex(d->ComboBox1->findText(QStringLiteral("3")));
            SetField(d->Edit2, QStringLiteral("1"));
            SetField(d->Edit3, QStringLiteral("1"));
            screenshot(QStringLiteral("sviluppo-integrale"));
            QTest::mouseClick(d->go, Qt::LeftButton);
            developed = true;
        });
        trigger("Sviluppointegraledelpronostico1");
        QVERIFY(developed);
        QCOMPARE(g.system.list.count(), 20); // C(6, 3)
        for (int i = 1; i <= 20; ++i) {
            const Play& p = g.system.list.play(i);
            QCOMPARE(p.stakes[1], 1.0);
            QCOMPARE(p.stakes[2], 1.0);
        }
        QVERIFY(TGiocate::instance()->isVisible());
        screenshot(QStringLiteral("giocate"));

        // 4. Checked against the last draw of the archive; the counts as the plays literally hit.
        int ambi = 0, terni = 0;
        for (int i = 1; i <= g.system.list.count(); ++i) {
            const Play& p = g.system.list.play(i);
            for (int w = 1; w <= 10; ++w) {
                int hits = 0;
                for (int k = 0; k < 3; ++k)
                    for (int j = 0; j < 5; ++j) hits += last.number(w, j) == p.numbers[static_cast<std::size_t>(k)];
                ambi += hits * (hits - 1) / 2;
                terni += hits == 3;
            }
        }
        QString report;
        RunModal<TSpoglio>([&](TSpoglio* s) {
            RunModal<TDaiNumEstra>([](TDaiNumEstra* picker) { QTest::mouseClick(picker->OK, Qt::LeftButton); });
            QTest::mouseClick(s->SpeedButton1, Qt::LeftButton);
            QCOMPARE(s->Edit1->text(), Q(DateText(last)));
            QTest::mouseClick(s->go, Qt::LeftButton);
            report = s->counts[1]->text() + QLatin1Char('|') + s->counts[2]->text();
            screenshot(QStringLiteral("spoglio"));
            QTest::mouseClick(s->SpeedButton3, Qt::LeftButton);
        });
        trigger("Spogliodellegiocate1");
        QVERIFY(terni >= 2 && ambi >= 6);
        QCOMPARE(report, QStringLiteral("%1|%2").arg(ambi).arg(terni));

        // 5. Saved, a new empty system, and the saved one opened again.
        const std::string saved = g.system.currentPath;
        trigger("Salva1");
        QVERIFY(FileExists(saved));
        QVERIFY(!g.system.modified);
        trigger("Nuovo1");
        QCOMPARE(g.system.list.count(), 0);
        QCOMPARE(g.system.forecast.chosenCount(), 0);
        screenshot(QStringLiteral("nuovo"));
        RunModal<QFileDialog>([&](QFileDialog* d) {
            d->selectFile(Q(saved));
            screenshot(QStringLiteral("apri"));
            QMetaObject::invokeMethod(d, "accept");
        });
        trigger("Apri1");
        QCOMPARE(g.system.currentPath, saved);
        QCOMPARE(g.system.list.count(), 20);
        for (int n : Chosen) QVERIFY(g.system.forecast.isChosen(n));
        QVERIFY(pri()->windowTitle().contains(Q(FileNameOf(saved))));
        screenshot(QStringLiteral("riaperto"));
    }

    void cleanupTestCase() { delete TPri::instance(); }
};

QTEST_MAIN(TstEndToEnd)
#include "tst_endtoend.moc"
