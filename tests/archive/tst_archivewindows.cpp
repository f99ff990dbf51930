// The archive windows and commands driven through their controls, on a temporary AppDir.
#include "archive/ArchiveMaintenance.h"
#include "archive/UArchiveCommands.h"
#include "archive/UArchiveGrid.h"
#include "archive/UModEstra.h"
#include "archive/UNuovaEstra.h"
#include "archive/Udb.h"
#include "archive/Ueliest.h"
#include "components/UDaiNumEstra.h"
#include "components/UMessageBox.h"
#include "core/FileIo.h"
#include "core/Globali.h"
#include "core/TextHelpers.h"
#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace numora;
using numora::test::ReadAll;
using numora::test::TempDir;

namespace {

// Draw i of the test archive: 10/6/(2000 + i), numbers that tell draw, wheel and position apart.
DrawRecord TestDraw(int i) {
    DrawRecord d;
    d.day = 10;
    d.month = 6;
    d.year = static_cast<std::uint16_t>(2000 + i);
    for (int w = 1; w <= WheelCount; ++w)
        for (int k = 0; k < NumbersPerWheel; ++k)
            d.setNumber(w, k, static_cast<std::uint8_t>((i * 7 + w * 13 + k * 17) % 90 + 1));
    return d;
}

DrawArchive TestArchive(int n) {
    DrawArchive a;
    for (int i = 1; i <= n; ++i) a.draw(i) = TestDraw(i);
    a.setCount(n);
    return a;
}

// A draw no test archive holds, for the entry window.
DrawRecord FreshDraw(int day, int month, int year) {
    DrawRecord d;
    d.day = static_cast<std::uint8_t>(day);
    d.month = static_cast<std::uint8_t>(month);
    d.year = static_cast<std::uint16_t>(year);
    for (int w = 1; w <= WheelCount; ++w)
        for (int k = 0; k < NumbersPerWheel; ++k) d.setNumber(w, k, static_cast<std::uint8_t>(w * 5 + k + 20));
    return d;
}

// The draws of an archive file as it lies on disk.
DrawArchive OnDisk(const std::string& appDir) {
    DrawArchive a;
    DelayTable delays;
    FrequencyTable frequencies;
    // A missing file is an empty archive.
    static_cast<void>(LoadArchive(appDir + ArchiveFileName, a, delays, frequencies));
    return a;
}

bool SameDraws(const DrawArchive& a, const DrawArchive& b) {
    if (a.count() != b.count()) return false;
    for (int i = 1; i <= a.count(); ++i)
        if (!(a.draw(i) == b.draw(i))) return false;
    return true;
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

void Type(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// A click on the arrow at one end of a horizontal scroll bar: one step down or up.
void ClickArrow(QScrollBar* bar, bool up) {
    const int x = up ? bar->width() - 4 : 4;
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(x, bar->height() / 2));
}

// Types a whole draw into the entry window, the date as given.
void TypeDraw(TNuovaEstra* window, const DrawRecord& d, const QString& date) {
    Type(window->Edit1, date);
    for (int w = 1; w <= WheelCount; ++w)
        for (int k = 0; k < NumbersPerWheel; ++k) Type(window->cell(w, k), QString::number(d.number(w, k)));
}

// Runs a command that opens a modal dialog D, drives it once it is up and closes it when the
// drive left it open. Returns whether the dialog was still open after the drive, so tests can
// tell a refusal (stays open) from a success (closed).
template <class D>
bool RunModal(const std::function<void()>& command, const std::function<void(D*)>& drive, bool* opened = nullptr) {
    bool found = false;
    bool stillOpen = false;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (auto* d = qobject_cast<D*>(w)) {
            found = true;
            drive(d);
            stillOpen = d->isVisible();
            if (stillOpen) d->reject();
        } else if (w) {
            w->close();
        }
    });
    timer.start();
    command();
    timer.stop();
    if (opened) *opened = found;
    return stillOpen;
}

} // namespace

class TestArchiveWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir;
    std::unique_ptr<MessageBoxHook> hook;
    std::unique_ptr<Tdb> viewer;

    std::string archiveFile() const { return dir->file(ArchiveFileName); }

private slots:
    void initTestCase() { test::RegisterAllFeatures(); }
    void init() {
        dir = std::make_unique<TempDir>();
        Globali& g = Globals();
        g.appDir = dir->path();
        g.archive = TestArchive(20);
        QVERIFY(g.saveArchive());
        hook = std::make_unique<MessageBoxHook>();
        viewer = std::make_unique<Tdb>();
        viewer->show();
        QVERIFY(QTest::qWaitForWindowExposed(viewer.get()));
    }

    void cleanup() {
        viewer.reset();
        hook.reset();
        SetFolderChooser({});
        SetImportFileChooser({});
        Globals().archive.clear();
        dir.reset();
    }

    void viewerShowsTheDrawOfItsScrollBar() {
        QCOMPARE(Tdb::instance(), viewer.get());
        QCOMPARE(viewer->windowTitle(), u"Archivio Storico"_s);
        QVERIFY(viewer->windowFlags() & Qt::Tool);
        // Not resizable: the window's least and largest sizes are the same.
        QCOMPARE(viewer->minimumSize(), viewer->maximumSize());

        QTableWidget* sg = viewer->findChild<QTableWidget*>(u"sg"_s);
        QVERIFY(sg);
        QCOMPARE(sg->rowCount(), 11);
        QCOMPARE(sg->columnCount(), 6);
        const int widths[6] = {90, 26, 26, 26, 26, 26};
        for (int c = 0; c < 6; ++c) QCOMPARE(sg->columnWidth(c), widths[c]);

        auto* bar = viewer->findChild<QScrollBar*>(u"ScrollBar1"_s);
        QVERIFY(bar);
        QCOMPARE(bar->minimum(), 1);
        QCOMPARE(bar->maximum(), 20);
        QCOMPARE(bar->value(), 20);

        auto check = [&](int index) {
            QCOMPARE(viewer->shownIndex(), index);
            const DrawRecord d = TestDraw(index);
            QCOMPARE(viewer->findChild<QLabel*>(u"Data"_s)->text(), u"Data:10/6/%1"_s.arg(2000 + index));
            QCOMPARE(viewer->findChild<QLabel*>(u"Concorso"_s)->text(), u"Nº Concorso:%1"_s.arg(index));
            for (int w = 1; w <= 11; ++w) {
                QCOMPARE(sg->item(w - 1, 0)->text(), WheelText(w));
                for (int k = 0; k < 5; ++k) QCOMPARE(sg->item(w - 1, k + 1)->text(), QString::number(d.number(w, k)));
            }
        };
        check(20);
        ClickArrow(bar, false);
        check(19);
        ClickArrow(bar, true);
        check(20);
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
        check(1);
        bar->setSliderPosition(13);
        check(13);

        // Names as written, numbers in drawing order, zeros of an undrawn wheel left blank.
        QCOMPARE(sg->item(10, 0)->text(), u"R. Nazionale"_s);
        DrawRecord old = TestDraw(21);
        for (int k = 0; k < 5; ++k) old.setNumber(11, k, 0);
        old.setNumber(1, 0, 90);
        old.setNumber(1, 4, 1);
        Globals().archive.draw(21) = old;
        Globals().archive.setCount(21);
        viewer->RefreshViewerToLast();
        QCOMPARE(bar->maximum(), 21);
        QCOMPARE(sg->item(0, 1)->text(), u"90"_s);
        QCOMPARE(sg->item(0, 5)->text(), u"1"_s);
        QCOMPARE(sg->item(10, 3)->text(), QString());
    }

    void viewerPaintsAlternateRows() {
        QTableWidget* sg = viewer->sg;
        const QImage img = sg->viewport()->grab().toImage();
        const qreal dpr = img.devicePixelRatio();
        for (int row = 0; row < 11; ++row) {
            const QColor bg = AlternatingRowDelegate::background(row);
            QCOMPARE(bg, row % 2 ? QColor(252, 252, 255) : QColor(252, 255, 252));
            const QRect cell = sg->visualRect(sg->model()->index(row, 0));
            // Away from the text the cell shows its row's colour.
            const QColor sample = img.pixelColor(int((cell.right() - 4) * dpr), int(cell.center().y() * dpr));
            QCOMPARE(sample, bg);
            // The darkest text pixel has the row's text colour; the text starts 2 pixels inside.
            int darkest = 255 * 3, left = cell.right(), top = cell.bottom();
            QColor ink;
            for (int y = cell.top(); y < cell.bottom(); ++y)
                for (int x = cell.left(); x < cell.right() - 1; ++x) {
                    const QColor c = img.pixelColor(int(x * dpr), int(y * dpr));
                    if (c == bg || c.red() > 200) continue;
                    left = std::min(left, x);
                    top = std::min(top, y);
                    const int sum = c.red() + c.green() + c.blue();
                    if (sum < darkest) {
                        darkest = sum;
                        ink = c;
                    }
                }
            QVERIFY2(ink.isValid(), qPrintable(u"no text in row %1"_s.arg(row)));
            if (row % 2 == 0)
                QVERIFY2(ink.blue() - ink.red() > 25, qPrintable(ink.name()));
            else
                QVERIFY2(std::abs(ink.blue() - ink.red()) < 12, qPrintable(ink.name()));
            QVERIFY(left >= cell.left() + 2);
            QVERIFY(top >= cell.top() + 2);
        }
    }

    void entryWindowControls() {
        TNuovaEstra w;
        QCOMPARE(w.windowTitle(), u"Inserimento nuova estrazione"_s);
        QCOMPARE(w.findChild<QLabel*>(u"Label1"_s)->text(), u"Estrazione del:"_s);
        QCOMPARE(w.findChild<QLineEdit*>(u"Edit1"_s)->toolTip(),
                 u"Inserire la data dell'estrazione nel formato gg/mm/aaaa"_s);
        QCOMPARE(w.findChild<QPushButton*>(u"Applica"_s)->toolTip(),
                 u" Inserisce l'estrazione nell'archivio storico "_s);
        QCOMPARE(w.findChild<QPushButton*>(u"Annulla"_s)->toolTip(), u" Chiude la scheda "_s);
        auto* sg = w.findChild<QTableWidget*>(u"sg"_s);
        // The number columns hold three characters between their margins.
        QCOMPARE(sg->columnWidth(0), 80);
        for (int c = 1; c < 6; ++c) QVERIFY(sg->columnWidth(c) >= sg->fontMetrics().horizontalAdvance(u"000"_s) + 8);
        for (int r = 0; r < 11; ++r) QCOMPARE(sg->item(r, 0)->text(), u" "_s + WheelText(r + 1));
        QCOMPARE(w.findChild<QLineEdit*>(u"cella11_5"_s), w.cell(11, 4));
        QCOMPARE(w.Edit1->text(), QString());
        // Number cells take digits only.
        QTest::keyClicks(w.cell(2, 0), u"4a-7"_s);
        QCOMPARE(w.cell(2, 0)->text(), u"47"_s);

        TModEstra m(7);
        QCOMPARE(m.windowTitle(), u"Modifica estrazione"_s);
        QCOMPARE(m.Applica->toolTip(), u" Rende le modifiche permanenti "_s);
        QCOMPARE(m.Edit1->text(), u"10/6/2007"_s);
        QCOMPARE(m.cell(3, 2)->text(), QString::number(TestDraw(7).number(3, 2)));
    }

    void newDrawOnAnExistingDateReplacesItAndViewerGoesToLast() {
        viewer->ScrollBar1->setValue(5);
        const DrawRecord fresh = FreshDraw(10, 6, 2012);
        const bool open = RunModal<TNuovaEstra>([] { NewDraw(nullptr); },
                                                [&](TNuovaEstra* w) {
                                                    TypeDraw(w, fresh, u"10/06/2012"_s);
                                                    Click(w->Applica);
                                                });
        QVERIFY(!open);
        QCOMPARE(hook->count(), 0);
        QCOMPARE(Globals().archive.count(), 20);
        QCOMPARE(Globals().archive.draw(12), fresh);
        QCOMPARE(viewer->shownIndex(), 20);
        QCOMPARE(viewer->ScrollBar1->maximum(), 20);
        QVERIFY(SameDraws(OnDisk(dir->path()), Globals().archive));
    }

    void newDrawInTheMiddleGrowsTheArchiveAndViewerGoesToLast() {
        const DrawRecord fresh = FreshDraw(1, 1, 2005);
        TNuovaEstra w;
        w.show();
        TypeDraw(&w, fresh, u"1/1/2005"_s);
        Click(w.Applica);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(w.storedIndex(), 5);
        QCOMPARE(Globals().archive.count(), 21);
        QCOMPARE(Globals().archive.draw(5), fresh);
        QCOMPARE(viewer->shownIndex(), 21);
        QCOMPARE(viewer->ScrollBar1->maximum(), 21);
        QCOMPARE(OnDisk(dir->path()).count(), 21);
    }

    void entryRefusals_data() {
        QTest::addColumn<int>("wheel");
        QTest::addColumn<int>("pos");
        QTest::addColumn<QString>("cellText");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        QTest::newRow("0") << 1 << 0 << u"0"_s << u"1/1/2030"_s
                           << u"La ruota \"Bari\" contiene dei valori non validi!"_s << u"Attenzione"_s;
        QTest::newRow("91") << 4 << 4 << u"91"_s << u"1/1/2030"_s
                            << u"La ruota \"Genova\" contiene dei valori non validi!"_s << u"Attenzione"_s;
        QTest::newRow("257") << 7 << 2 << u"257"_s << u"1/1/2030"_s
                             << u"La ruota \"Palermo\" contiene dei valori non validi!"_s << u"Attenzione"_s;
        QTest::newRow("empty") << 11 << 3 << QString() << u"1/1/2030"_s
                               << u"La ruota \"R. Nazionale\" contiene dei valori non validi!"_s << u"Attenzione"_s;
        QTest::newRow("repeated") << 9 << 4 << u"same"_s << u"1/1/2030"_s
                                  << u"Alcuni numeri della ruota \"Torino\" sono identici!"_s << u"Attenzione"_s;
        QTest::newRow("date format") << 0 << 0 << QString() << u"30/06"_s
                                     << u"La data inserita non è valida. Usare il formato gg/mm/aaaa (es: 30/06/2003)"_s
                                     << u"Attenzione"_s;
        QTest::newRow("no calendar day") << 0 << 0 << QString() << u"31/02/2005"_s << u"La data 31/2/2005 non esiste."_s
                                         << u"Errore"_s;
    }
    void entryRefusals() {
        QFETCH(int, wheel);
        QFETCH(int, pos);
        QFETCH(QString, cellText);
        QFETCH(QString, date);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        const std::string fileBefore = ReadAll(archiveFile());
        viewer->ScrollBar1->setValue(8);

        TNuovaEstra w;
        w.show();
        TypeDraw(&w, FreshDraw(1, 1, 2030), date);
        if (wheel > 0) {
            if (cellText == u"same"_s)
                Type(w.cell(wheel, pos), w.cell(wheel, 0)->text());
            else
                Type(w.cell(wheel, pos), cellText);
        }
        Click(w.Applica);
        QCOMPARE(hook->count(), 1);
        QCOMPARE(hook->last().text, message);
        QCOMPARE(hook->last().caption, caption);
        QCOMPARE(hook->last().icon, MsgIcon::Error);
        QVERIFY(w.isVisible());
        QCOMPARE(w.storedIndex(), 0);
        QVERIFY(SameDraws(Globals().archive, TestArchive(20)));
        QCOMPARE(ReadAll(archiveFile()), fileBefore);
        QCOMPARE(viewer->shownIndex(), 8);
        // The user's texts stay for a correction.
        QCOMPARE(w.Edit1->text(), date);
    }

    void editMovesTheDrawToItsNewDate() {
        viewer->ScrollBar1->setValue(10);
        const bool open = RunModal<TModEstra>([] { EditShownDraw(nullptr); },
                                              [&](TModEstra* w) {
                                                  QCOMPARE(w->editedIndex(), 10);
                                                  QCOMPARE(w->Edit1->text(), u"10/6/2010"_s);
                                                  Type(w->Edit1, u"15/07/2003"_s);
                                                  Type(w->cell(2, 0), u"88"_s);
                                                  Click(w->Applica);
                                              });
        QVERIFY(!open);
        QCOMPARE(hook->count(), 0);
        DrawRecord expected = TestDraw(10);
        expected.day = 15;
        expected.month = 7;
        expected.year = 2003;
        expected.setNumber(2, 0, 88);
        const DrawArchive& a = Globals().archive;
        QCOMPARE(a.count(), 20);
        QCOMPARE(a.draw(4), expected);
        QCOMPARE(a.draw(3), TestDraw(3));
        QCOMPARE(a.draw(5), TestDraw(4));
        QCOMPARE(a.draw(11), TestDraw(11));
        QCOMPARE(viewer->shownIndex(), 4);
        QCOMPARE(viewer->Concorso->text(), u"Nº Concorso:4"_s);
        QCOMPARE(viewer->ScrollBar1->maximum(), 20);
        QVERIFY(SameDraws(OnDisk(dir->path()), a));
    }

    void editOntoAnotherDrawsDateReplacesIt_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("replaced") << true;
        QTest::newRow("kept") << false;
    }
    void editOntoAnotherDrawsDateReplacesIt() {
        QFETCH(bool, yes);
        viewer->ScrollBar1->setValue(10);
        const std::string fileBefore = ReadAll(archiveFile());
        hook->queueAnswer(yes ? MsgAnswer::Yes : MsgAnswer::No);
        const bool open = RunModal<TModEstra>([] { EditShownDraw(nullptr); },
                                              [&](TModEstra* w) {
                                                  Type(w->Edit1, u"10/6/2015"_s);
                                                  Click(w->Applica);
                                              });
        QCOMPARE(hook->count(), 1);
        QCOMPARE(hook->last().text,
                 u"L'estrazione nº 15 del 10/6/2015 ha la stessa data: sostituirla con quella modificata ?"_s);
        QCOMPARE(hook->last().defaultAnswer, MsgAnswer::No);
        if (!yes) {
            // Nothing replaced, nothing written, and the window waits for another date.
            QVERIFY(open);
            QVERIFY(SameDraws(Globals().archive, TestArchive(20)));
            QCOMPARE(ReadAll(archiveFile()), fileBefore);
            QCOMPARE(viewer->shownIndex(), 10);
            return;
        }
        QCOMPARE(Globals().archive.count(), 19);
        QCOMPARE(viewer->shownIndex(), 14);
        QCOMPARE(viewer->ScrollBar1->maximum(), 19);
        DrawRecord moved = TestDraw(10);
        moved.year = 2015;
        QCOMPARE(Globals().archive.draw(14), moved);
    }

    void editWithAnImpossibleDateKeepsTheOldDraw() {
        viewer->ScrollBar1->setValue(10);
        const std::string fileBefore = ReadAll(archiveFile());
        const bool open = RunModal<TModEstra>([] { EditShownDraw(nullptr); },
                                              [&](TModEstra* w) {
                                                  Type(w->Edit1, u"31/02/2005"_s);
                                                  Click(w->Applica);
                                              });
        QVERIFY(open);
        QCOMPARE(hook->count(), 1);
        QCOMPARE(hook->last().text, u"La data 31/2/2005 non esiste."_s);
        QCOMPARE(hook->last().caption, u"Errore"_s);
        QCOMPARE(hook->last().icon, MsgIcon::Error);
        QVERIFY(SameDraws(Globals().archive, TestArchive(20)));
        QCOMPARE(ReadAll(archiveFile()), fileBefore);
        QCOMPARE(viewer->shownIndex(), 10);
    }

    void deleteTheShownDraw_data() {
        QTest::addColumn<int>("shown");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("shownAfter");
        QTest::newRow("middle, yes") << 7 << true << 7;
        QTest::newRow("middle, no") << 7 << false << 7;
        QTest::newRow("last, yes") << 20 << true << 19;
        QTest::newRow("first, yes") << 1 << true << 1;
    }
    void deleteTheShownDraw() {
        QFETCH(int, shown);
        QFETCH(bool, yes);
        QFETCH(int, shownAfter);
        viewer->hide();
        viewer->ScrollBar1->setValue(shown);
        hook->queueAnswer(yes ? MsgAnswer::Yes : MsgAnswer::No);
        DeleteShownDraw(nullptr);
        QVERIFY(viewer->isVisible());
        QCOMPARE(hook->count(), 1);
        QCOMPARE(hook->last().text, u"Eliminare l'estrazione nº %1 del 10/6/%2 ?"_s.arg(shown).arg(2000 + shown));
        QCOMPARE(hook->last().caption, u"Attenzione"_s);
        QCOMPARE(hook->last().icon, MsgIcon::Question);
        QCOMPARE(hook->last().buttons, MsgButtons::YesNo);
        DrawArchive expected = TestArchive(20);
        if (yes) DeleteDraw(expected, shown);
        QVERIFY(SameDraws(Globals().archive, expected));
        QVERIFY(SameDraws(OnDisk(dir->path()), expected));
        QCOMPARE(viewer->shownIndex(), shownAfter);
        QCOMPARE(viewer->ScrollBar1->maximum(), expected.count());
        QCOMPARE(viewer->Concorso->text(), u"Nº Concorso:%1"_s.arg(shownAfter));
    }

    void rangeWindowBarsPushEachOther() {
        Teliest w;
        w.show();
        QCOMPARE(w.windowTitle(), u"Elimina estrazioni"_s);
        QCOMPARE(w.Label1->text(), u"Specificare l'intervallo delle estrazioni da eliminare."_s);
        QCOMPARE(w.OK->toolTip(), u" Elimina le estrazioni "_s);
        QCOMPARE(w.Annulla->toolTip(), u" Chiude la scheda "_s);
        auto* first = w.findChild<QScrollBar*>(u"ScrollBar1"_s);
        auto* last = w.findChild<QScrollBar*>(u"ScrollBar2"_s);
        for (QScrollBar* b : {first, last}) {
            QCOMPARE(b->minimum(), 1);
            QCOMPARE(b->maximum(), 20);
            QCOMPARE(b->value(), 20);
            QCOMPARE(b->pageStep(), 16);
        }
        QCOMPARE(w.Label2->text(), u"Estrazione iniziale: nº 20 del 10/6/2020"_s);
        QCOMPARE(w.Label3->text(), u"Estrazione finale: nº 20 del 10/6/2020"_s);

        struct Step {
            QScrollBar* bar;
            QAbstractSlider::SliderAction action;
            int first;
            int last;
        } steps[] = {
            {last, QAbstractSlider::SliderPageStepSub, 4, 4},    // the last pushes the first back
            {first, QAbstractSlider::SliderPageStepSub, 1, 4},   // alone
            {last, QAbstractSlider::SliderSingleStepAdd, 1, 5},  // alone
            {first, QAbstractSlider::SliderPageStepAdd, 17, 17}, // the first pushes the last along
            {first, QAbstractSlider::SliderToMaximum, 20, 20},   {last, QAbstractSlider::SliderToMinimum, 1, 1},
        };
        for (const Step& s : steps) {
            s.bar->triggerAction(s.action);
            QCOMPARE(first->value(), s.first);
            QCOMPARE(last->value(), s.last);
            QCOMPARE(w.Label2->text(), u"Estrazione iniziale: nº %1 del 10/6/%2"_s.arg(s.first).arg(2000 + s.first));
            QCOMPARE(w.Label3->text(), u"Estrazione finale: nº %1 del 10/6/%2"_s.arg(s.last).arg(2000 + s.last));
        }
    }

    void deleteARange() {
        viewer->ScrollBar1->setValue(19);
        // Answered No first: nothing goes and the window stays for another choice.
        hook->queueAnswer(MsgAnswer::No);
        hook->queueAnswer(MsgAnswer::Yes);
        const bool open = RunModal<Teliest>([] { DeleteDrawRange(static_cast<QWidget*>(nullptr)); },
                                            [&](Teliest* w) {
                                                w->ScrollBar2->setValue(7);
                                                w->ScrollBar1->setValue(5);
                                                Click(w->OK);
                                                QVERIFY(w->isVisible());
                                                QCOMPARE(Globals().archive.count(), 20);
                                                Click(w->OK);
                                            });
        QVERIFY(!open);
        QCOMPARE(hook->count(), 2);
        QCOMPARE(hook->last().text, u"Eliminare le estrazioni dalla nº 5 alla nº 7 ?"_s);
        QCOMPARE(hook->last().caption, u"Attenzione"_s);
        QCOMPARE(hook->last().icon, MsgIcon::Question);
        const DrawArchive& a = Globals().archive;
        QCOMPARE(a.count(), 17);
        QCOMPARE(a.draw(4), TestDraw(4));
        QCOMPARE(a.draw(5), TestDraw(8));
        QCOMPARE(a.draw(17), TestDraw(20));
        const DrawArchive disk = OnDisk(dir->path());
        QCOMPARE(disk.count(), 17);
        QCOMPARE(disk.draw(5), TestDraw(8));
        QVERIFY(SameDraws(disk, a));
        QCOMPARE(FileSize(archiveFile()), 19 + 17 * 60LL);
        // The viewer was on 19, past the new end.
        QCOMPARE(viewer->shownIndex(), 17);
        QCOMPARE(viewer->ScrollBar1->maximum(), 17);
    }

    void emptyArchiveEverywhere() {
        // Deleting every draw through the range window leaves an empty archive.
        hook->queueAnswer(MsgAnswer::Yes);
        RunModal<Teliest>([] { DeleteDrawRange(static_cast<QWidget*>(nullptr)); },
                          [&](Teliest* w) {
                              w->ScrollBar1->setValue(1);
                              Click(w->OK);
                          });
        QCOMPARE(Globals().archive.count(), 0);
        QCOMPARE(FileSize(archiveFile()), 19LL);
        QCOMPARE(viewer->shownIndex(), 0);
        QCOMPARE(viewer->Data->text(), u"Data:"_s);
        QCOMPARE(viewer->Concorso->text(), u"Nº Concorso:"_s);
        QVERIFY(!viewer->ScrollBar1->isEnabled());
        QCOMPARE(viewer->sg->item(0, 1)->text(), QString());
        QCOMPARE(viewer->sg->item(0, 0)->text(), u"Bari"_s);
        viewer->RefreshViewerToLast();
        ClickArrow(viewer->ScrollBar1, true);
        QCOMPARE(viewer->shownIndex(), 0);

        // Commands that need a shown draw explain and change nothing; no window opens.
        hook->clear();
        const std::function<void()> commands[] = {[] { EditShownDraw(nullptr); }, [] { DeleteShownDraw(nullptr); },
                                                  [] { DeleteDrawRange(static_cast<QWidget*>(nullptr)); }};
        for (const auto& command : commands) {
            bool opened = true;
            RunModal<QDialog>(
                command, [](QDialog*) {}, &opened);
            QVERIFY(!opened);
            QCOMPARE(hook->last().text, u"L'archivio storico non contiene nessuna estrazione."_s);
            QCOMPARE(hook->last().caption, u"Numora"_s);
            QCOMPARE(hook->last().icon, MsgIcon::Information);
        }
        QCOMPARE(hook->count(), 3);
        QCOMPARE(Globals().archive.count(), 0);

        // The windows themselves stand an empty archive.
        Teliest range;
        range.show();
        QVERIFY(!range.OK->isEnabled());
        QVERIFY(!range.ScrollBar1->isEnabled());
        QCOMPARE(range.first(), 0);
        QCOMPARE(range.Label2->text(), u"Estrazione iniziale: "_s);
        Click(range.OK);
        TDaiNumEstra picker;
        picker.setRange(1, 0);
        picker.setPosition(0);
        QCOMPARE(picker.chosenIndex(), 0);
        QVERIFY(!picker.OK->isEnabled());
        QCOMPARE(picker.Data->text(), u"Data:"_s);
        TModEstra edit(1);
        QCOMPARE(edit.Edit1->text(), QString());

        // A new draw is the first.
        const DrawRecord fresh = FreshDraw(3, 3, 2003);
        RunModal<TNuovaEstra>([] { NewDraw(nullptr); },
                              [&](TNuovaEstra* w) {
                                  TypeDraw(w, fresh, u"3/3/2003"_s);
                                  Click(w->Applica);
                              });
        QCOMPARE(Globals().archive.count(), 1);
        QCOMPARE(Globals().archive.draw(1), fresh);
        QCOMPARE(viewer->shownIndex(), 1);
        QVERIFY(viewer->ScrollBar1->isEnabled());
        QCOMPARE(viewer->Data->text(), u"Data:3/3/2003"_s);
    }

    void backupAndRestoreRoundTrip() {
        TempDir backup;
        QString askedTitle;
        SetFolderChooser([&](QWidget*, const QString& title) {
            askedTitle = title;
            return Q(backup.path());
        });
        const std::string original = ReadAll(archiveFile());
        BackupArchive(nullptr);
        QCOMPARE(askedTitle, u"\r\nIndicare la posizione in cui creare la copia di sicurezza."_s);
        QCOMPARE(hook->last().text, u"Il Backup è stato eseguito correttamente."_s);
        QCOMPARE(hook->last().caption, u"Numora"_s);
        QCOMPARE(ReadAll(backup.file(ArchiveFileName)), original);

        // Change the archive, then restore the copy.
        DeleteDrawRange(Globals().archive, 3, 15);
        QVERIFY(Globals().saveArchive());
        viewer->RefreshViewerAt(2);
        RestoreArchive(nullptr);
        QCOMPARE(askedTitle, u"\r\nIndicare la posizione della copia di sicurezza."_s);
        QCOMPARE(hook->last().text, u"Il ripristino del Database è stato eseguito correttamente."_s);
        QCOMPARE(hook->last().caption, u"Numora"_s);
        QVERIFY(SameDraws(Globals().archive, TestArchive(20)));
        QCOMPARE(ReadAll(archiveFile()), original);
        QCOMPARE(viewer->shownIndex(), 20);
        QCOMPARE(viewer->ScrollBar1->maximum(), 20);
        // The derived tables follow the restored archive.
        DelayTable delays;
        FrequencyTable frequencies;
        RebuildDerivedTables(TestArchive(20), delays, frequencies);
        QVERIFY(Globals().delays == delays);
        QCOMPARE(hook->count(), 2);
    }

    void backupAndRestoreFailures() {
        TempDir empty;
        const std::string original = ReadAll(archiveFile());
        viewer->ScrollBar1->setValue(6);

        SetFolderChooser([&](QWidget*, const QString&) { return Q(empty.path()); });
        RestoreArchive(nullptr);
        QCOMPARE(hook->last().text, u"Impossibile leggere dalla posizione indicata!"_s);
        QCOMPARE(hook->last().caption, u"Errore di scrittura"_s);
        QCOMPARE(hook->last().icon, MsgIcon::Error);
        QVERIFY(SameDraws(Globals().archive, TestArchive(20)));
        QCOMPARE(ReadAll(archiveFile()), original);
        QCOMPARE(viewer->shownIndex(), 6);

        SetFolderChooser([&](QWidget*, const QString&) { return Q(empty.path() + "non-esiste/sotto"); });
        BackupArchive(nullptr);
        QCOMPARE(hook->last().text, u"Impossibile scrivere nella posizione indicata!"_s);
        QCOMPARE(hook->last().caption, u"Errore di scrittura"_s);
        QCOMPARE(hook->last().icon, MsgIcon::Error);

        // With no archive file, or one that cannot be read, the message says so rather than
        // blaming the folder.
        SetFolderChooser([&](QWidget*, const QString&) { return Q(empty.path()); });
        QVERIFY(RemoveFile(archiveFile()));
        BackupArchive(nullptr);
        QCOMPARE(hook->last().text, u"Non c'è ancora un archivio da copiare: il file Numora.dtb non esiste.\r\nLa "
                                    u"copia di sicurezza non è stata creata."_s);
        QVERIFY(QDir().mkdir(Q(archiveFile())));
        BackupArchive(nullptr);
        QCOMPARE(hook->last().text,
                 u"Impossibile leggere il file Numora.dtb: la copia di sicurezza non è stata creata."_s);
        QVERIFY(!PathExists(empty.file(ArchiveFileName)));
        QVERIFY(QDir().rmdir(Q(archiveFile())));
        numora::test::WriteAll(archiveFile(), original);

        // A cancelled chooser does nothing at all.
        hook->clear();
        SetFolderChooser([](QWidget*, const QString&) { return QString(); });
        BackupArchive(nullptr);
        RestoreArchive(nullptr);
        QCOMPARE(hook->count(), 0);
        QCOMPARE(ReadAll(archiveFile()), original);
    }

    void pickerChoosesADraw() {
        TDaiNumEstra picker;
        QCOMPARE(TDaiNumEstra::instance(), &picker);
        QCOMPARE(picker.windowTitle(), u"Specificare l'estrazione"_s);
        QCOMPARE(picker.Label1->text(), u"Indicare l'estrazione da usare per lo spoglio"_s);
        picker.setRange(1, 20);
        picker.setPosition(20);
        QCOMPARE(picker.Data->text(), u"Data:10/6/2020"_s);
        QCOMPARE(picker.Concorso->text(), u"Nº Concorso:20"_s);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        ClickArrow(picker.ScrollBar1, false);
        QCOMPARE(picker.Concorso->text(), u"Nº Concorso:19"_s);
        QCOMPARE(picker.Data->text(), u"Data:10/6/2019"_s);
        picker.hide();

        int result = -1;
        RunModal<TDaiNumEstra>([&] { result = picker.exec(); },
                               [](TDaiNumEstra* d) { QTest::keyClick(d, Qt::Key_Return); });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(picker.chosenIndex(), 19);
        RunModal<TDaiNumEstra>([&] { result = picker.exec(); },
                               [](TDaiNumEstra* d) { QTest::keyClick(d, Qt::Key_Escape); });
        QCOMPARE(result, int(QDialog::Rejected));
        RunModal<TDaiNumEstra>([&] { result = picker.exec(); },
                               [](TDaiNumEstra* d) {
                                   d->ScrollBar1->setValue(3);
                                   Click(d->OK);
                               });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(picker.chosenIndex(), 3);
    }

    // The archive file is read-only: each command that changes the archive says so and puts
    // back in memory what the file holds.
    void failedSaveIsToldAndUndone_data() {
        QTest::addColumn<int>("command");
        QTest::newRow("new draw") << 0;
        QTest::newRow("edit") << 1;
        QTest::newRow("delete shown") << 2;
        QTest::newRow("delete range") << 3;
    }
    void failedSaveIsToldAndUndone() {
        QFETCH(int, command);
        const std::string before = ReadAll(archiveFile());
        QCOMPARE(chmod(archiveFile().c_str(), 0444), 0);
        viewer->ScrollBar1->setValue(10);
        hook->queueAnswer(MsgAnswer::Yes);
        bool open = false;
        if (command == 0)
            open = RunModal<TNuovaEstra>([] { NewDraw(nullptr); },
                                         [](TNuovaEstra* w) {
                                             TypeDraw(w, FreshDraw(3, 3, 2031), u"3/3/2031"_s);
                                             Click(w->Applica);
                                         });
        if (command == 1)
            open = RunModal<TModEstra>([] { EditShownDraw(nullptr); },
                                       [](TModEstra* w) {
                                           Type(w->Edit1, u"15/7/2030"_s);
                                           Click(w->Applica);
                                       });
        if (command == 2) DeleteShownDraw(nullptr);
        if (command == 3)
            RunModal<Teliest>([] { DeleteDrawRange(static_cast<QWidget*>(nullptr)); },
                              [](Teliest* w) {
                                  w->ScrollBar2->setValue(7);
                                  w->ScrollBar1->setValue(5);
                                  Click(w->OK);
                              });
        QCOMPARE(hook->last().caption, u"Errore di scrittura"_s);
        QVERIFY2(hook->last().text.contains(u"sola lettura"_s), qPrintable(hook->last().text));
        QCOMPARE(open, command < 2); // the entry windows stay open with the user's texts
        QVERIFY(SameDraws(Globals().archive, TestArchive(20)));
        QCOMPARE(viewer->ScrollBar1->maximum(), 20);
        QCOMPARE(ReadAll(archiveFile()), before);
        struct stat st {};
        QCOMPARE(stat(archiveFile().c_str(), &st), 0);
        QCOMPARE(int(st.st_mode & 0777), 0444);
    }

    // A backup beyond the capacity: told as at start, and the whole file kept aside.
    void restoreOfAnOversizedBackupSaysWhatWasLoaded() {
        TempDir backup;
        // Loading takes the records as they are: 10003 copies of one will do.
        const std::string image = std::string(19, 'h') + std::string(60 * (DrawArchive::Capacity + 3), '\x01');
        numora::test::WriteAll(backup.file(ArchiveFileName), image);
        SetFolderChooser([&](QWidget*, const QString&) { return Q(backup.path()); });
        RestoreArchive(nullptr);
        QCOMPARE(hook->count(), 2);
        QCOMPARE(hook->shown()[0].text, u"Il ripristino del Database è stato eseguito correttamente."_s);
        QCOMPARE(hook->last().caption, u"Attenzione"_s);
        QCOMPARE(hook->last().text,
                 u"Il file Numora.dtb contiene 10003 estrazioni: l'archivio storico ne può contenere al "
                 u"massimo 10000, sono state caricate le prime 10000.\rIl file completo è conservato "
                 u"come "_s +
                     Q(dir->file(OversizedArchiveCopy)) + u"."_s);
        QCOMPARE(ReadAll(dir->file(OversizedArchiveCopy)), image);
        QCOMPARE(Globals().archive.count(), DrawArchive::Capacity);
        QCOMPARE(viewer->shownIndex(), DrawArchive::Capacity);
    }

    void importMatchesTheCommandLine() {
        const std::string storico = numora::test::StoricoPath();
        if (storico.empty()) QSKIP("storico.txt is not beside the project");
        Globals().archive.clear();
        QVERIFY(Globals().saveArchive());
        viewer->RefreshViewerToLast();
        SetImportFileChooser([&](QWidget*, const QString&) { return Q(storico); });
        ImportArchiveFromFile(nullptr);
        QCOMPARE(hook->count(), 1);
        QVERIFY2(hook->last().text.startsWith(u"Nº di nuove estrazioni: "_s), qPrintable(hook->last().text));
        QCOMPARE(hook->last().caption, u"Numora"_s);
        const int n = Globals().archive.count();
        QVERIFY(n > 0);
        QCOMPARE(hook->last().text, u"Nº di nuove estrazioni: %1\r\nNº di estrazioni modificate: 0"_s.arg(n));
        QCOMPARE(viewer->shownIndex(), n);

        TempDir cliDir;
        QProcess cli;
        cli.start(Q(numora::test::BinDir() + "numora-cli"), {u"--dir"_s, Q(cliDir.path()), u"import"_s, Q(storico)});
        QVERIFY(cli.waitForFinished(120000));
        QCOMPARE(cli.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(cli.readAllStandardOutput()).trimmed(),
                 hook->last().text.replace(u"\r\n"_s, u"\n"_s));
        const std::string mine = ReadAll(archiveFile());
        const std::string theirs = ReadAll(cliDir.file(ArchiveFileName));
        QCOMPARE(mine.size(), theirs.size());
        QVERIFY(mine.substr(19) == theirs.substr(19));
    }

    void importCountsNewDrawsAndRefusesABadFile() {
        TempDir files;
        // One wheel of a date already present (merged into it), one new date.
        const std::string good = "2005/06/10\tBA\t1\t2\t3\t4\t5\n2031/01/02\tRM\t10\t20\t30\t40\t50\n";
        numora::test::WriteAll(files.file("good.txt"), good);
        const std::string bad = "2031/01/02\tRM\t10\t20\t30\t40\t50\n2031/01/03\tXX\t1\t2\t3\t4\t5\n";
        numora::test::WriteAll(files.file("bad.txt"), bad);
        std::string chosen;
        SetImportFileChooser([&](QWidget*, const QString&) { return Q(chosen); });

        chosen = files.file("bad.txt");
        const std::string before = ReadAll(archiveFile());
        ImportArchiveFromFile(nullptr);
        QCOMPARE(hook->count(), 1);
        QVERIFY2(hook->last().text.startsWith(u"Riga 2: "_s), qPrintable(hook->last().text));
        QVERIFY(hook->last().text.contains(u"XX"_s));
        QCOMPARE(hook->last().caption, u"Errore"_s);
        QCOMPARE(hook->last().icon, MsgIcon::Error);
        QVERIFY(SameDraws(Globals().archive, TestArchive(20)));
        QCOMPARE(ReadAll(archiveFile()), before);

        chosen = files.file("missing.txt");
        ImportArchiveFromFile(nullptr);
        QCOMPARE(hook->last().icon, MsgIcon::Error);
        QVERIFY(hook->last().text.contains(u"missing.txt"_s));
        QVERIFY(SameDraws(Globals().archive, TestArchive(20)));

        viewer->ScrollBar1->setValue(3);
        chosen = files.file("good.txt");
        ImportArchiveFromFile(nullptr);
        QCOMPARE(hook->last().text, u"Nº di nuove estrazioni: 1\r\nNº di estrazioni modificate: 1"_s);
        QCOMPARE(Globals().archive.count(), 21);
        QCOMPARE(Globals().archive.draw(5).number(1, 0), 1);
        // The other ten wheels of that draw are what they were, on disk too.
        DrawRecord merged = TestDraw(5);
        for (int k = 0; k < NumbersPerWheel; ++k) merged.setNumber(1, k, static_cast<std::uint8_t>(k + 1));
        QCOMPARE(Globals().archive.draw(5), merged);
        QCOMPARE(viewer->shownIndex(), 21);
        QVERIFY(SameDraws(OnDisk(dir->path()), Globals().archive));
    }

    void importCanBeInterrupted_data() {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("confirmed") << true;
        QTest::newRow("taken back") << false;
    }
    void importCanBeInterrupted() {
        QFETCH(bool, confirm);
        TempDir files;
        numora::test::WriteAll(files.file("new.txt"), "2031/01/02\tRM\t10\t20\t30\t40\t50\n");
        SetImportFileChooser([&](QWidget*, const QString&) { return Q(files.file("new.txt")); });
        const std::string before = ReadAll(archiveFile());
        hook->queueAnswer(confirm ? MsgAnswer::Yes : MsgAnswer::No);
        // "Interrompi" is pressed as soon as the gauge is up.
        QTimer press;
        press.setSingleShot(true);
        press.setInterval(0);
        bool pressed = false;
        connect(&press, &QTimer::timeout, [&] {
            QWidget* gauge = QApplication::activeModalWidget();
            if (!gauge) return;
            for (auto* b : gauge->findChildren<QPushButton*>())
                if (b->text() == u"Interrompi"_s) {
                    Click(b);
                    pressed = true;
                }
        });
        press.start();
        ImportArchiveFromFile(nullptr);
        press.stop();
        QVERIFY(pressed);
        QCOMPARE(hook->count(), 2);
        QCOMPARE(hook->shown()[0].text, u"Sei sicuro di voler interrompere l'elaborazione?"_s);
        if (confirm) {
            QCOMPARE(hook->last().caption, u"Numora"_s);
            QCOMPARE(hook->last().icon, MsgIcon::Information);
            QVERIFY(SameDraws(Globals().archive, TestArchive(20)));
            QCOMPARE(ReadAll(archiveFile()), before);
        } else {
            QCOMPARE(hook->last().text, u"Nº di nuove estrazioni: 1\r\nNº di estrazioni modificate: 0"_s);
            QCOMPARE(Globals().archive.count(), 21);
        }
    }
};

QTEST_MAIN(TestArchiveWindows)
#include "tst_archivewindows.moc"
