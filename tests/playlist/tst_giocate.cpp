#include "components/UMessageBox.h"
#include "core/Globali.h"
#include "playlist/UGiocate.h"
#include "playlist/UModGiocata.h"
#include "support/TestSupport.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTimer>
#include <QtTest>

using namespace numora;
using numora::test::MakePlay;
using namespace Qt::StringLiterals;

namespace {

constexpr std::uint16_t Bari = 1u << 0;
constexpr std::uint16_t Roma = 1u << 7;
constexpr std::uint16_t Nazionale = 1u << 10;
constexpr std::uint16_t Tutte = 1u << 11;

void SetPlays(const std::vector<Play>& plays) {
    PlayList& list = Globals().system.list;
    list.setCount(static_cast<int>(plays.size()));
    for (std::size_t i = 0; i < plays.size(); ++i) list.play(static_cast<int>(i) + 1) = plays[i];
}

} // namespace

class TstGiocate : public QObject {
    Q_OBJECT

private:
    test::TempDir dir_;
    TGiocate* g_ = nullptr;

    QAbstractItemModel* model() const { return g_->sg->model(); }
    QString cell(int row, int column) const { return model()->index(row, column).data().toString(); }
    QRect rowRect(int row, int column = 0) const { return g_->sg->visualRect(model()->index(row, column)); }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(g_->sg->viewport(), Qt::LeftButton, modifiers, rowRect(row).center());
    }
    // The text of a cell (row >= 0) or header (row -1), drawn 2 pixels in, ends inside its column.
    bool fits(int row, int c) const {
        const QString t = row < 0 ? model()->headerData(c, Qt::Horizontal).toString() : cell(row, c);
        const QWidget* w = row < 0 ? static_cast<QWidget*>(g_->sg->horizontalHeader()) : g_->sg;
        return 2 + w->fontMetrics().horizontalAdvance(t) <= g_->sg->columnWidth(c);
    }
    QStringList values() const {
        return {g_->NumeroGiocate->text(), g_->NumeriInGioco->text(), g_->RuoteInGioco->text(),
                g_->CostoTotale->text()};
    }

private slots:
    void initTestCase() {
        Globals().appDir = dir_.path();
        Settings& s = Globals().settings;
        s.minimo = 1;
        s.massimo = 300;
        s.multiplo = 0.5;
        s.decimali = 2;
        s.i(1) = 0.5;
        for (int k = 2; k <= 18; ++k) s.i(k) = k * 10.0;
        g_ = new TGiocate;
        g_->show();
        QVERIFY(QTest::qWaitForWindowExposed(g_));
    }
    void cleanupTestCase() { delete g_; }
    void init() {
        Globals().system.list.clear();
        g_->RefreshPlayList();
    }

    void windowAndGrid() {
        QCOMPARE(TGiocate::instance(), g_);
        QCOMPARE(g_->windowTitle(), u"Giocate"_s);
        QVERIFY(g_->windowFlags() & Qt::Tool);
        QCOMPARE(g_->findChild<QTableView*>(u"sg"_s), g_->sg);
        QCOMPARE(model()->columnCount(), 8);
        const QStringList headers = {u" Nº"_s,   u" Numeri"_s, u" Ruote"_s, u"€ Estr"_s,
                                     u"€ Amb"_s, u"€ Tern"_s,  u"€ Quat"_s, u"€ Cinq"_s};
        const int widths[8] = {30, 115, 54, 34, 34, 34, 34, 34};
        for (int c = 0; c < 8; ++c) {
            QCOMPARE(model()->headerData(c, Qt::Horizontal).toString(), headers[c]);
            // The widths of the list are where the columns start; no header is cut.
            QVERIFY(g_->sg->columnWidth(c) >= widths[c]);
            QVERIFY2(fits(-1, c), qPrintable(headers[c]));
        }
        QCOMPARE(g_->sg->horizontalHeader()->sectionResizeMode(1), QHeaderView::Interactive);
        QCOMPARE(g_->sg->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(g_->sg->selectionMode(), QAbstractItemView::ContiguousSelection);
        QCOMPARE(g_->Label1->text(), u"Numero di giocate:"_s);
        QCOMPARE(g_->Label2->text(), u"Numeri in gioco:"_s);
        QCOMPARE(g_->Label3->text(), u"Ruote in gioco:"_s);
        QCOMPARE(g_->Label4->text(), u"Costo Totale:"_s);
        // "Costo Totale:" is the fourth of the summary lines, its value in the column of the others.
        QVERIFY(g_->Label4->x() == g_->Label1->x() && g_->Label4->y() > g_->Label3->y());
        QCOMPARE(g_->CostoTotale->x(), g_->NumeroGiocate->x());
    }

    void emptyListShowsOneEmptyRow() {
        // Values left over from a list with plays must go.
        SetPlays({MakePlay({5, 12}, {1, 1, 0, 0, 0}, Roma)});
        g_->RefreshPlayList();
        QCOMPARE(g_->NumeroGiocate->text(), u"1"_s);
        Globals().system.list.clear();
        g_->RefreshPlayList();
        QCOMPARE(model()->rowCount(), 1);
        for (int c = 0; c < 8; ++c) QCOMPARE(cell(0, c), QString());
        QCOMPARE(values(), (QStringList{u"0"_s, u"0"_s, u"0"_s, u"0,00 €"_s}));
        int f = -1;
        int l = -1;
        QVERIFY(!g_->selection(f, l));
        QVERIFY(g_->selectedRows().empty());
    }

    void summary_data() {
        QTest::addColumn<std::uint16_t>("wheels");
        QTest::addColumn<QString>("ruote");
        QTest::addColumn<QString>("costo");
        QTest::newRow("Bari and Roma") << std::uint16_t(Bari | Roma) << u"Bari Roma "_s << u"4,00 €"_s;
        QTest::newRow("Tutte") << std::uint16_t(Tutte) << u"Tutte "_s << u"2,00 €"_s;
        QTest::newRow("Tutte and national")
            << std::uint16_t(Tutte | Nazionale) << u"R. Nazionale Tutte "_s << u"4,00 €"_s;
    }
    void summary() {
        QFETCH(std::uint16_t, wheels);
        QFETCH(QString, ruote);
        QFETCH(QString, costo);
        SetPlays({MakePlay({5, 12}, {1, 1, 0, 0, 0}, wheels)});
        g_->RefreshPlayList();
        QCOMPARE(values(), (QStringList{u"1"_s, u"2"_s, ruote, costo}));
        QCOMPARE(cell(0, 2), ruote);
    }

    void rowsAndSummaryOfSeveralPlays() {
        SetPlays({MakePlay({5, 12}, {1, 1, 0, 0, 0}, Bari | Roma), MakePlay({90, 1, 33}, {0, 0, 2.5, 0, 0}, Nazionale),
                  MakePlay({1, 2, 3, 4, 5, 6}, {0, 0, 0, 0, 1234}, Tutte)});
        g_->RefreshPlayList();
        QCOMPARE(model()->rowCount(), 3);
        const QStringList row1 = {u"1"_s,    u"5 12 "_s, u"Bari Roma "_s, u"1,00"_s,
                                  u"1,00"_s, QString(),  QString(),       QString()};
        const QStringList row2 = {u"2"_s,    u"90 1 33 "_s, u"R. Nazionale "_s, QString(),
                                  QString(), u"2,50"_s,     QString(),          QString()};
        const QStringList row3 = {u"3"_s,    u"1 2 3 4 5 6 "_s, u"Tutte "_s, QString(),
                                  QString(), QString(),         QString(),   u"1.234,00"_s};
        for (int c = 0; c < 8; ++c) {
            QCOMPARE(cell(0, c), row1[c]);
            QCOMPARE(cell(1, c), row2[c]);
            QCOMPARE(cell(2, c), row3[c]);
        }
        QCOMPARE(values(), (QStringList{u"3"_s, u"9"_s, u"Bari Roma R. Nazionale Tutte "_s, u"1.240,50 €"_s}));
    }

    void selectionOfARange() {
        std::vector<Play> plays;
        for (int i = 1; i <= 6; ++i) plays.push_back(MakePlay({i, i + 10}, {1, 0, 0, 0, 0}, Tutte));
        SetPlays(plays);
        g_->RefreshPlayList();
        clickRow(1);
        clickRow(3, Qt::ShiftModifier);
        int f = 0;
        int l = 0;
        QVERIFY(g_->selection(f, l));
        QCOMPARE(f, 2);
        QCOMPARE(l, 4);
        QCOMPARE(g_->selectedRows(), (std::vector<int>{2, 3, 4}));
        // The refresh after removing plays keeps the range within the list.
        clickRow(3);
        clickRow(5, Qt::ShiftModifier);
        Globals().system.list.setCount(4);
        g_->RefreshPlayList();
        QVERIFY(g_->selection(f, l));
        QCOMPARE(f, 4);
        QCOMPARE(l, 4);
    }

    void colours() {
        SetPlays({MakePlay({5, 12}, {1, 1, 0, 0, 0}, Roma), MakePlay({7, 8}, {1, 0, 0, 0, 0}, Roma),
                  MakePlay({9, 10}, {1, 0, 0, 0, 0}, Roma)});
        g_->RefreshPlayList();
        clickRow(1);
        const QImage image = g_->sg->grab().toImage();
        const QPoint origin = g_->sg->viewport()->mapTo(g_->sg, QPoint(0, 0));
        // The cinquina column is empty, so its middle shows the background.
        auto background = [&](int row) { return image.pixelColor(origin + rowRect(row, 7).center()); };
        QCOMPARE(background(1), QColor(0, 0, 128));
        QCOMPARE(background(0), QColor(Qt::white));
        QCOMPARE(background(2), QColor(Qt::white));
        // Text: white inside the selection, black outside, starting 2 pixels in.
        auto inkCount = [&](int row, const QColor& ink) {
            const QRect r = rowRect(row, 1).translated(origin);
            int n = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) n += image.pixelColor(x, y) == ink ? 1 : 0;
            return n;
        };
        QVERIFY(inkCount(1, QColor(Qt::white)) > 0);
        QVERIFY(inkCount(0, QColor(Qt::black)) > 0);
        QCOMPARE(inkCount(1, QColor(Qt::black)), 0);
        // Nothing is drawn in the two pixels before the text.
        const QRect text = rowRect(0, 1).translated(origin);
        for (int y = text.top(); y <= text.bottom(); ++y)
            for (int x = text.left(); x < text.left() + 2; ++x) QCOMPARE(image.pixelColor(x, y), QColor(Qt::white));

        // The header: silver, a white top and left edge, a grey bottom and right edge.
        QHeaderView* header = g_->sg->horizontalHeader();
        const QImage h = header->grab().toImage();
        const int x0 = header->sectionViewportPosition(2);
        const int x1 = x0 + header->sectionSize(2) - 1;
        QCOMPARE(h.pixelColor(x0 + header->sectionSize(2) - 4, h.height() / 2), QColor(192, 192, 192));
        QCOMPARE(h.pixelColor(x0 + 10, 0), QColor(Qt::white));
        QCOMPARE(h.pixelColor(x0, h.height() / 2), QColor(Qt::white));
        QCOMPARE(h.pixelColor(x0 + 10, h.height() - 1), QColor(128, 128, 128));
        QCOMPARE(h.pixelColor(x1, h.height() / 2), QColor(128, 128, 128));

        // With no play the empty row is never shown as selected.
        Globals().system.list.clear();
        g_->RefreshPlayList();
        clickRow(0);
        const QImage empty = g_->sg->grab().toImage();
        QCOMPARE(empty.pixelColor(origin + rowRect(0, 7).center()), QColor(Qt::white));
    }

    void deleteKeyAsksForTheDeletion() {
        QSignalSpy spy(g_, &TGiocate::deleteSelectedRequested);
        g_->sg->setFocus();
        QTest::keyClick(g_->sg, Qt::Key_Delete);
        QCOMPARE(spy.count(), 0); // no play

        SetPlays({MakePlay({5, 12}, {1, 1, 0, 0, 0}, Roma), MakePlay({7, 8}, {1, 0, 0, 0, 0}, Roma)});
        g_->RefreshPlayList();
        clickRow(1);
        QTest::keyClick(g_->sg, Qt::Key_Delete);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(Globals().system.list.count(), 2); // the window itself deletes nothing

        g_->sg->clearSelection();
        QTest::keyClick(g_->sg, Qt::Key_Delete);
        QCOMPARE(spy.count(), 1); // no selection
    }

    void editWithoutPlaysTellsSo() {
        MessageBoxHook hook;
        EditSelectedPlays(g_);
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().text, u"Non ci sono giocate da modificare!"_s);
        QCOMPARE(hook.last().caption, u"Numora"_s);
        QCOMPARE(hook.last().icon, MsgIcon::Information);

        SetPlays({MakePlay({5, 12}, {1, 1, 0, 0, 0}, Roma)});
        g_->RefreshPlayList();
        g_->sg->clearSelection();
        EditSelectedPlays(g_);
        QCOMPARE(hook.count(), 2);
        QCOMPARE(hook.last().text, u"Non ci sono giocate da modificare!"_s);
    }

    void doubleClickEditsTheSelection() {
        std::vector<Play> plays;
        for (int i = 1; i <= 5; ++i) plays.push_back(MakePlay({i, i + 10}, {1, 0, 0, 0, 0}, Tutte));
        SetPlays(plays);
        Globals().system.undo.clear();
        g_->RefreshPlayList();
        clickRow(1);
        clickRow(2, Qt::ShiftModifier);
        int first = 0;
        int last = 0;
        int shown = 0;
        QTimer::singleShot(0, this, [&] {
            TModGiocata* d = TModGiocata::instance();
            QVERIFY(d && d->isVisible());
            first = d->first();
            last = d->last();
            shown = d->position();
            d->Chiudi->click();
        });
        QTest::mouseDClick(g_->sg->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowRect(2).center());
        QCOMPARE(first, 2);
        QCOMPARE(last, 3);
        QCOMPARE(shown, 2);
        QCOMPARE(Globals().system.undo.count(), 5); // the snapshot comes before the dialog
        delete TModGiocata::instance();
    }

    void fullListRefreshes() {
        PlayList& list = Globals().system.list;
        list.setCount(PlayList::Capacity);
        for (int i = 1; i <= PlayList::Capacity; ++i)
            list.play(i) = MakePlay({1 + i % 90, 1 + (i / 90) % 90}, {1, 0, 0, 0, 0}, Bari);
        list.play(PlayList::Capacity) = MakePlay({88, 89, 90}, {0.5, 0.5, 1, 0, 0}, Roma | Nazionale);
        // The widest cells a play can have: ten two-digit numbers on every wheel.
        list.play(PlayList::Capacity - 1) = MakePlay({80, 81, 82, 83, 84, 85, 86, 87, 88, 89}, {1, 0, 0, 0, 0}, 0x0FFF);
        g_->RefreshPlayList();
        QCOMPARE(model()->rowCount(), PlayList::Capacity);
        const int lastRow = PlayList::Capacity - 1;
        QCOMPARE(cell(lastRow, 0), u"100000"_s);
        QCOMPARE(cell(lastRow, 1), u"88 89 90 "_s);
        QCOMPARE(cell(lastRow, 2), u"Roma R. Nazionale "_s);
        QCOMPARE(cell(lastRow, 5), u"1,00"_s);
        // Five- and six-digit indices, the widest numbers and wheels all show whole.
        for (int row : {-1, 99989, lastRow - 1, lastRow})
            for (int c = 0; c < 8; ++c) QVERIFY2(fits(row, c), qPrintable(QString::number(row)));
        QCOMPARE(g_->NumeroGiocate->text(), u"100000"_s);
        QCOMPARE(g_->NumeriInGioco->text(), u"90"_s);
        QCOMPARE(g_->CostoTotale->text(), u"100.014,00 €"_s);
        // The bottom of the grid paints the last play.
        g_->sg->scrollToBottom();
        QVERIFY(g_->sg->viewport()->rect().intersects(rowRect(lastRow)));
        QVERIFY(!g_->sg->grab().isNull());
    }
};

QTEST_MAIN(TstGiocate)
#include "tst_giocate.moc"
