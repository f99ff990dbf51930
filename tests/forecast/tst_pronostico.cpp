#include "components/UMessageBox.h"
#include "core/Globali.h"
#include "forecast/UPronostico.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <memory>
#include <vector>

using namespace numora;
using namespace Qt::StringLiterals;

namespace {

QPoint CentreOf(int n) {
    const BoardCell cell = BoardCellOfNumber(n);
    return {cell.x() + 11, cell.y() + 9};
}

// QTest::mouseMove carries no buttons, so a drag sends its own move events.
void MoveWith(QWidget* w, QPoint pos, Qt::MouseButtons buttons) {
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

Forecast& Data() {
    return Globals().system.forecast;
}

} // namespace

class TstPronostico : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void windowShape();
    void leftDragChoosesRightDragClears();
    void eachCellOncePerDrag();
    void dragLeavingTheBoard();
    void hoverListenerGetsEveryMove();
    void boardShowsMarkedCells();
    void prendiFisse_data();
    void prendiFisse();
    void invalidValueTypedIsRefused();
    void lettersAreDiscarded();
    void repeatedValueRefusedOnLeave();
    void invalidValueRefusedOnLeave();
    void refreshShowsNineFixedNumbers();
    void randomAddAndRemove();
    void randomAddWithFullBoardChangesNothing();
    void closingHides();

private:
    void typeInto(QLineEdit* box, const QString& text);
    std::unique_ptr<test::TempDir> dir_;
    std::unique_ptr<TPronostico> w_;
    ForecastBoardWidget* board_ = nullptr;
};

void TstPronostico::initTestCase() {
    dir_ = std::make_unique<test::TempDir>();
    Globals().appDir = dir_->path();
    w_ = std::make_unique<TPronostico>();
    board_ = w_->findChild<ForecastBoardWidget*>(u"Image1"_s);
    QVERIFY(board_ != nullptr);
    w_->show();
    w_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w_.get()));
}

void TstPronostico::cleanupTestCase() {
    w_.reset();
    QCOMPARE(TPronostico::instance(), nullptr);
}

void TstPronostico::init() {
    Data().clear();
    w_->show();
    w_->RefreshForecast();
    Globals().system.modified = false;
    w_->setHoverListener({});
}

void TstPronostico::typeInto(QLineEdit* box, const QString& text) {
    box->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(box, text);
}

void TstPronostico::windowShape() {
    QCOMPARE(TPronostico::instance(), w_.get());
    QCOMPARE(board_->size(), QSize(230, 171));
    QCOMPARE(w_->minimumSize(), w_->maximumSize());
    QVERIFY(w_->windowFlags().testFlag(Qt::Tool));
    QCOMPARE(w_->windowTitle(), u"Pronostico: 0 numeri"_s);
    const char16_t* const order[9] = {u"Edit23", u"Edit24", u"Edit25", u"Edit26", u"Edit27",
                                      u"Edit3",  u"Edit4",  u"Edit1",  u"Edit2"};
    int previousX = -1;
    for (const char16_t* name : order) {
        auto* box = w_->findChild<QLineEdit*>(QString::fromUtf16(name));
        QVERIFY2(box != nullptr, qPrintable(QString::fromUtf16(name)));
        QCOMPARE(box->maxLength(), 2);
        QCOMPARE(box->toolTip(), u"Le fisse sono quei numeri che saranno presenti in tutte le giocate"_s);
        QVERIFY(box->x() > previousX); // laid out in entry order
        previousX = box->x();
    }
    QCOMPARE(w_->Label1->text(), u"Fisse:"_s);
    QVERIFY(w_->Label1->x() < w_->Edit23->x());
}

void TstPronostico::leftDragChoosesRightDragClears() {
    QTest::mousePress(board_, Qt::LeftButton, {}, CentreOf(1));
    for (int n = 2; n <= 10; ++n) MoveWith(board_, CentreOf(n), Qt::LeftButton);
    QTest::mouseRelease(board_, Qt::LeftButton, {}, CentreOf(10));
    for (int n = 1; n <= 10; ++n) QVERIFY(Data().isChosen(n));
    QCOMPARE(Data().chosenCount(), 10);
    QCOMPARE(w_->chosenCount(), 10);
    QCOMPARE(w_->windowTitle(), u"Pronostico: 10 numeri"_s);
    QVERIFY(Globals().system.modified);

    Globals().system.modified = false;
    QTest::mousePress(board_, Qt::RightButton, {}, CentreOf(10));
    for (int n = 9; n >= 1; --n) MoveWith(board_, CentreOf(n), Qt::RightButton);
    QTest::mouseRelease(board_, Qt::RightButton, {}, CentreOf(1));
    QCOMPARE(Data().chosenCount(), 0);
    QCOMPARE(w_->windowTitle(), u"Pronostico: 0 numeri"_s);
    QVERIFY(Globals().system.modified);
}

void TstPronostico::eachCellOncePerDrag() {
    QTest::mousePress(board_, Qt::LeftButton, {}, CentreOf(47));
    QVERIFY(Data().isChosen(47));
    Globals().system.modified = false;
    MoveWith(board_, CentreOf(47) + QPoint(3, 2), Qt::LeftButton);
    QVERIFY(!Globals().system.modified);
    // A click only ever selects under the left button: pressing again keeps it chosen.
    QTest::mouseRelease(board_, Qt::LeftButton, {}, CentreOf(47));
    QTest::mouseClick(board_, Qt::LeftButton, {}, CentreOf(47));
    QVERIFY(Data().isChosen(47));
    QVERIFY(Globals().system.modified);
    QTest::mouseClick(board_, Qt::RightButton, {}, CentreOf(47));
    QVERIFY(!Data().isChosen(47));
}

void TstPronostico::dragLeavingTheBoard() {
    QTest::mousePress(board_, Qt::LeftButton, {}, CentreOf(74));
    MoveWith(board_, QPoint(3 * 23 + 5, 240), Qt::LeftButton); // below the last row, column 3
    MoveWith(board_, QPoint(-40, 2 * 19 + 4), Qt::LeftButton); // left of the board, row 2
    QTest::mouseRelease(board_, Qt::LeftButton, {}, QPoint(-40, 2 * 19 + 4));
    QVERIFY(Data().isChosen(74));
    QVERIFY(Data().isChosen(84));
    QVERIFY(Data().isChosen(21));
    QCOMPARE(Data().chosenCount(), 3);
}

void TstPronostico::hoverListenerGetsEveryMove() {
    std::vector<int> heard;
    w_->setHoverListener([&heard](int n) { heard.push_back(n); });
    QTest::mouseMove(board_, CentreOf(5));
    MoveWith(board_, CentreOf(63), Qt::NoButton);
    MoveWith(board_, CentreOf(63) + QPoint(1, 1), Qt::NoButton);
    MoveWith(board_, QPoint(22, 0), Qt::NoButton); // the last pixel of cell 1 answers for 2
    QCOMPARE(heard, (std::vector<int>{5, 63, 63, 2}));
    QCOMPARE(Data().chosenCount(), 0);
    QVERIFY(!Globals().system.modified);
    heard.clear();
    QTest::mousePress(board_, Qt::LeftButton, {}, CentreOf(90));
    MoveWith(board_, CentreOf(89), Qt::LeftButton);
    QTest::mouseRelease(board_, Qt::LeftButton, {}, CentreOf(89));
    QCOMPARE(heard, (std::vector<int>{90, 89}));
    w_->setHoverListener({});
    MoveWith(board_, CentreOf(3), Qt::NoButton); // no listener: nothing happens
    QCOMPARE(heard.size(), std::size_t{2});
}

void TstPronostico::boardShowsMarkedCells() {
    Data().setChosen(1, true);
    Data().setChosen(58, true);
    w_->RefreshForecast();
    const QImage shown = board_->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage plain = board_->plainPicture().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage marked = board_->markedPicture().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), QSize(230, 171));
    QVERIFY(plain != marked);
    for (int n : {1, 2, 58, 90}) {
        const BoardCell cell = BoardCellOfNumber(n);
        const QRect r(cell.x(), cell.y(), 23, 19);
        const QImage& expected = Data().isChosen(n) ? marked : plain;
        QCOMPARE(shown.copy(r), expected.copy(r));
        QVERIFY2(plain.copy(r) != marked.copy(r), "a marked cell must look different");
    }
    QCOMPARE(w_->windowTitle(), u"Pronostico: 2 numeri"_s);
}

void TstPronostico::prendiFisse_data() {
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("result");
    QTest::addColumn<QList<int>>("stored");
    QTest::newRow("5, empty, 12") << QStringList{u"5"_s, u""_s, u"12"_s} << 0 << QList<int>{5, 12};
    QTest::newRow("5, 5") << QStringList{u"5"_s, u"5"_s} << 2 << QList<int>{};
    QTest::newRow("7, 5, 7") << QStringList{u"7"_s, u"5"_s, u"7"_s} << 3 << QList<int>{};
    QTest::newRow("0") << QStringList{u""_s, u""_s, u""_s, u"0"_s} << 4 << QList<int>{};
    QTest::newRow("95") << QStringList{u""_s, u""_s, u""_s, u""_s, u""_s, u""_s, u""_s, u"95"_s} << 8 << QList<int>{};
}

void TstPronostico::prendiFisse() {
    QFETCH(QStringList, texts);
    QFETCH(int, result);
    QFETCH(QList<int>, stored);
    MessageBoxHook hook;
    Data().fixed[0] = 77;
    Data().fixedCount = 1;
    const std::array<QLineEdit*, 9> boxes = {w_->Edit23, w_->Edit24, w_->Edit25, w_->Edit26, w_->Edit27,
                                             w_->Edit3,  w_->Edit4,  w_->Edit1,  w_->Edit2};
    // Put the texts in as they stand, without the box's own checks on change.
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const QSignalBlocker block(boxes[i]);
        boxes[i]->setText(static_cast<qsizetype>(i) < texts.size() ? texts[static_cast<qsizetype>(i)] : QString());
    }
    QCOMPARE(w_->PrendiFisse(), result);
    if (result == 0) {
        QCOMPARE(Data().fixedCount, int(stored.size()));
        for (qsizetype k = 0; k < stored.size(); ++k)
            QCOMPARE(int(Data().fixed[static_cast<std::size_t>(k)]), stored[k]);
    } else {
        QCOMPARE(Data().fixedCount, 1);
        QCOMPARE(int(Data().fixed[0]), 77);
    }
    QCOMPARE(hook.count(), 0);
}

void TstPronostico::invalidValueTypedIsRefused() {
    MessageBoxHook hook;
    typeInto(w_->Edit24, u"12"_s);
    QCOMPARE(hook.count(), 0);
    QCOMPARE(Data().fixedCount, 1);
    QCOMPARE(int(Data().fixed[0]), 12);
    typeInto(w_->Edit25, u"95"_s);
    QCOMPARE(hook.count(), 1);
    QCOMPARE(hook.last().text, u"Il valore inserito non è valido!"_s);
    QCOMPARE(hook.last().caption, u"Attenzione"_s);
    QCOMPARE(hook.last().icon, MsgIcon::Error);
    QCOMPARE(w_->Edit25->text(), QString());
    QCOMPARE(Data().fixedCount, 1);
    QVERIFY(Globals().system.modified);
    // Leaving the boxes now finds nothing wrong.
    w_->Edit26->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    QCOMPARE(hook.count(), 1);
    typeInto(w_->Edit26, u"0"_s);
    QCOMPARE(hook.count(), 2);
    QCOMPARE(w_->Edit26->text(), QString());
}

void TstPronostico::lettersAreDiscarded() {
    MessageBoxHook hook;
    typeInto(w_->Edit27, u"a.-"_s);
    QCOMPARE(w_->Edit27->text(), QString());
    QVERIFY(Globals().system.modified);
    typeInto(w_->Edit27, u"4x2"_s);
    QCOMPARE(w_->Edit27->text(), u"42"_s);
    QTest::keyClick(w_->Edit27, Qt::Key_Backspace);
    QCOMPARE(w_->Edit27->text(), u"4"_s);
    QCOMPARE(hook.count(), 0);
    QCOMPARE(Data().fixedCount, 1);
    QCOMPARE(int(Data().fixed[0]), 4);
}

void TstPronostico::repeatedValueRefusedOnLeave() {
    MessageBoxHook hook;
    typeInto(w_->Edit23, u"5"_s);
    typeInto(w_->Edit24, u"5"_s); // moving into the second box leaves the first: nothing wrong yet
    QCoreApplication::processEvents();
    QCOMPARE(hook.count(), 0);
    QCOMPARE(w_->PrendiFisse(), 2);
    QTest::keyClick(w_->Edit24, Qt::Key_Tab);
    QCoreApplication::processEvents();
    QCOMPARE(hook.count(), 1);
    QCOMPARE(hook.last().text, u"Il valore inserito non è valido!"_s);
    QCOMPARE(hook.last().caption, u"Attenzione"_s);
    QCOMPARE(hook.last().icon, MsgIcon::Error);
    QCOMPARE(w_->Edit24->text(), QString());
    QCOMPARE(w_->Edit23->text(), u"5"_s);
    QVERIFY(w_->Edit24->hasFocus());
    QCOMPARE(Data().fixedCount, 1);
    QCOMPARE(int(Data().fixed[0]), 5);
}

void TstPronostico::invalidValueRefusedOnLeave() {
    MessageBoxHook hook;
    w_->Edit3->setFocus(Qt::OtherFocusReason);
    {
        const QSignalBlocker block(w_->Edit3); // as if the text got in without its change check
        w_->Edit3->setText(u"95"_s);
    }
    QCOMPARE(w_->PrendiFisse(), 6);
    w_->Edit4->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    QCOMPARE(hook.count(), 1);
    QCOMPARE(w_->Edit3->text(), QString());
    QVERIFY(w_->Edit3->hasFocus());
    QCOMPARE(w_->PrendiFisse(), 0);
}

void TstPronostico::refreshShowsNineFixedNumbers() {
    MessageBoxHook hook;
    Data().fixed = {9, 18, 27, 36, 45, 54, 63, 72, 81};
    Data().fixedCount = 9;
    w_->RefreshForecast();
    const std::array<QLineEdit*, 9> boxes = {w_->Edit23, w_->Edit24, w_->Edit25, w_->Edit26, w_->Edit27,
                                             w_->Edit3,  w_->Edit4,  w_->Edit1,  w_->Edit2};
    for (std::size_t i = 0; i < boxes.size(); ++i) QCOMPARE(boxes[i]->text(), QString::number(9 * (i + 1)));
    QCOMPARE(hook.count(), 0);
    QVERIFY(!Globals().system.modified);
    QCOMPARE(w_->PrendiFisse(), 0);
    QCOMPARE(Data().fixedCount, 9);
    // Fewer fixed numbers empty the boxes after them.
    Data().fixedCount = 2;
    w_->MettiFisse();
    QCOMPARE(w_->Edit24->text(), u"18"_s);
    QCOMPARE(w_->Edit25->text(), QString());
    QCOMPARE(w_->Edit2->text(), QString());
}

void TstPronostico::randomAddAndRemove() {
    Data().setChosen(10, true);
    w_->hide();
    w_->AddRandomNumber();
    QVERIFY(w_->isVisible());
    QCOMPARE(Data().chosenCount(), 2);
    QVERIFY(Data().isChosen(10));
    QVERIFY(Globals().system.modified);
    QCOMPARE(w_->windowTitle(), u"Pronostico: 2 numeri"_s);

    Globals().system.modified = false;
    w_->RemoveRandomNumber();
    w_->RemoveRandomNumber();
    QCOMPARE(Data().chosenCount(), 0);
    QVERIFY(Globals().system.modified);
    QCOMPARE(w_->windowTitle(), u"Pronostico: 0 numeri"_s);

    Globals().system.modified = false;
    w_->RemoveRandomNumber();
    QCOMPARE(Data().chosenCount(), 0);
    QVERIFY(!Globals().system.modified);
}

void TstPronostico::randomAddWithFullBoardChangesNothing() {
    Data().chosen.fill(1);
    w_->RefreshForecast();
    Globals().system.modified = false;
    w_->hide();
    w_->AddRandomNumber();
    QVERIFY(w_->isVisible());
    QCOMPARE(Data().chosenCount(), 90);
    QVERIFY(!Globals().system.modified);
    QCOMPARE(w_->windowTitle(), u"Pronostico: 90 numeri"_s);
}

void TstPronostico::closingHides() {
    Data().setChosen(3, true);
    QVERIFY(w_->close());
    QVERIFY(!w_->isVisible());
    QCOMPARE(TPronostico::instance(), w_.get());
    QVERIFY(Data().isChosen(3));
    w_->show();
    w_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w_.get()));
}

QTEST_MAIN(TstPronostico)
#include "tst_pronostico.moc"
