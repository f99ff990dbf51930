// The program's finish: the about window, the first run on an empty archive, the drawn pictures
// at 100 % and 200 %.
#include "archive/UArchiveCommands.h"
#include "components/UMessageBox.h"
#include "components/UTiledPanel.h"
#include "core/Globali.h"
#include "main/UInformazioni.h"
#include "main/UNotificaAgg.h"
#include "main/UPri.h"
#include "main/UProgram.h"
#include "main/USplash.h"
#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace numora;

class TstFinishing : public QObject {
    Q_OBJECT
    numora::test::TempDir dir;

private slots:
    void initTestCase() {
        Globali& g = Globals();
        g.appDir = dir.path();
        g.archive.clear();
        MessageBoxHook hook; // an empty archive makes some windows say so at creation
        CreateWindows();
    }
    void cleanupTestCase() { delete TPri::instance(); }

    void aboutShowsVersionLicenceCreditsAndDataFolder() {
        Globali& g = Globals();
        for (bool readOnly : {false, true}) {
            g.readOnly = readOnly;
            TInformazioni about;
            QCOMPARE(about.windowTitle(), QStringLiteral("Informazioni su Numora"));
            const QString text = about.Label1->text();
            QVERIFY(text.contains(QStringLiteral("Versione ") + QString::fromUtf8(NUMORA_VERSION)));
            QVERIFY(text.contains(QStringLiteral("L'archivio storico è vuoto.")));
            QVERIFY(text.contains(QString::fromStdString(g.appDir)));
            QCOMPARE(text.contains(QStringLiteral("(sola lettura)")), readOnly);
            QVERIFY(about.licenza->text().contains(QStringLiteral("licenza MIT")));
            QVERIFY(about.riconoscimenti->text().contains(QStringLiteral("Qt 6")));
            QVERIFY(about.Label3->text().contains(QString::fromUtf8(NumoraHomePage)));
            about.show();
            QVERIFY(about.ok->hasFocus() || about.ok->isDefault());
            // Everything fits: no paragraph is cut at the bottom.
            QVERIFY(about.ok->geometry().bottom() < about.height());
        }
        g.readOnly = false;
        // Why the user's own folder could not take the place of a read-only program folder.
        g.dataFolderProblem = "Impossibile usare la cartella dei dati \"/home/anna/.local/share/Numora/\"";
        TInformazioni about;
        QVERIFY(about.Label1->text().contains(QStringLiteral("Impossibile usare la cartella dei dati")));
        g.dataFolderProblem.clear();
    }

    void firstRunOffersTheImport() {
        Globali& g = Globals();
        g.archive.clear();
        bool importAsked = false;
        SetImportFileChooser([&](QWidget*, const QString&) {
            importAsked = true;
            return QString(); // the user cancels the choice of the file
        });
        numora::test::RunModal<TNotificaAgg>([](TNotificaAgg* d) {
            QVERIFY(d->Label3 && d->Label3->isVisible());
            QVERIFY(d->Label3->text().contains(QStringLiteral("importare il file delle estrazioni")));
            QTest::mouseClick(d->Importa, Qt::LeftButton);
        });
        bool dontShow = true;
        QVERIFY(!TNotificaAgg::ask(nullptr, QStringLiteral("L'archivio storico non contiene nessuna estrazione."),
                                   dontShow));
        QVERIFY(!dontShow);
        QVERIFY(importAsked);
        SetImportFileChooser({});

        // With draws in the archive the reminder is the plain one.
        DrawRecord d;
        d.day = 1, d.month = 2, d.year = 2026;
        for (int w = 1; w <= 11; ++w)
            for (int k = 0; k < 5; ++k) d.setNumber(w, k, static_cast<std::uint8_t>(w + 11 * k));
        InsertDraw(g.archive, d);
        TNotificaAgg plain(nullptr, QStringLiteral("testo"));
        QVERIFY(!plain.Label3 && !plain.Importa);
        g.archive.clear();
    }

    void picturesAtEveryScale_data() {
        QTest::addColumn<qreal>("dpr");
        QTest::newRow("100 %") << 1.0;
        QTest::newRow("200 %") << 2.0;
    }
    void picturesAtEveryScale() {
        QFETCH(qreal, dpr);
        const QPixmap tile = ProgramTile(dpr);
        QCOMPARE(tile.size(), QSize(48, 48) * dpr);
        QCOMPARE(tile.deviceIndependentSize().toSize(), QSize(48, 48));
        // The tile joins its neighbours: its opposite edges are alike.
        const QImage t = tile.toImage();
        for (int y = 0; y < t.height(); y += 7) {
            const QColor a = t.pixelColor(0, y), b = t.pixelColor(t.width() - 1, y);
            QVERIFY(qAbs(a.blue() - b.blue()) < 24);
        }
        const QPixmap icon = ProgramIconPixmap(32, dpr);
        QCOMPARE(icon.size(), QSize(32, 32) * dpr);
        QCOMPARE(icon.toImage().pixelColor(0, 0).alpha(), 0); // rounded corners
        const QPixmap splash = TSplash::picture(dpr);
        QCOMPARE(splash.size(), QSize(420, 240) * dpr);
        QCOMPARE(splash.deviceIndependentSize().toSize(), QSize(420, 240));
    }

    void panelLabelIsLegibleOnThePanel() {
        TTiledPanel panel;
        auto* heading = new TPanelLabel(QStringLiteral("Numora"), &panel, true);
        auto* plain = new TPanelLabel(QStringLiteral("Numora"), &panel);
        QVERIFY(heading->sizeHint().height() > plain->sizeHint().height());
        QVERIFY(heading->sizeHint().width() >= heading->fontMetrics().horizontalAdvance(QStringLiteral("Numora")));
        heading->move(4, 4);
        heading->resize(heading->sizeHint());
        panel.resize(heading->width() + 8, heading->height() + 8);
        const QImage shot = panel.grab().toImage();
        int light = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) light += shot.pixelColor(x, y).lightness() > 200;
        QVERIFY(light > 20); // the white text stands out on the dark tiles
    }
};

QTEST_MAIN(TstFinishing)
#include "tst_finishing.moc"
