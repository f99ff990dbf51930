#include "components/UWheelSelection.h"

#include <QCheckBox>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using numora::WheelSelection;

namespace {

constexpr std::uint16_t Bit(int w) {
    return static_cast<std::uint16_t>(1u << (w - 1));
}
constexpr std::uint16_t Tutte = Bit(12);
constexpr std::uint16_t Naz = Bit(11);

// Wheel numbers to click in order: 1..10 regional, 11 national, 12 "Tutte".
using Clicks = QList<int>;

void ClickBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

} // namespace

class TestWheelSelection : public QObject {
    Q_OBJECT
private slots:
    void componentsAndCaptions() {
        WheelSelection w;
        const char* names[] = {"Bari",   "Cagliari", "Firenze", "Genova", "Milano",
                               "Napoli", "Palermo",  "Roma",    "Torino", "Venezia"};
        for (int i = 1; i <= 10; ++i) {
            auto* b = w.findChild<QCheckBox*>(u"CheckBox%1"_s.arg(i));
            QVERIFY(b);
            QCOMPARE(b, w.box(i));
            QCOMPARE(b->text(), QString::fromUtf8(names[i - 1]));
        }
        QCOMPARE(w.findChild<QCheckBox*>(u"CheckBox12"_s)->text(), u"Nazion."_s);
        QCOMPARE(w.findChild<QCheckBox*>(u"CheckBox11"_s)->text(), u"Tutte"_s);
        QCOMPARE(w.box(11)->objectName(), u"CheckBox12"_s);
        QCOMPARE(w.box(12)->objectName(), u"CheckBox11"_s);
        QCOMPARE(w.toolTip(), u"Ruote da usare per le giocate"_s);
        QCOMPARE(w.mask(), Tutte);

        w.setNationalCaption(u"R. Nazionale"_s);
        w.setNationalObjectName(u"CheckBox14"_s);
        QCOMPARE(w.findChild<QCheckBox*>(u"CheckBox14"_s)->text(), u"R. Nazionale"_s);
        QVERIFY(!w.findChild<QCheckBox*>(u"CheckBox12"_s));
    }

    void clickRules_data() {
        QTest::addColumn<Clicks>("clicks");
        QTest::addColumn<int>("mask");
        QTest::newRow("start") << Clicks{} << int(Tutte);
        QTest::newRow("regional unchecks Tutte") << Clicks{1} << int(Bit(1));
        QTest::newRow("two regional") << Clicks{1, 8} << int(Bit(1) | Bit(8));
        QTest::newRow("last regional off rechecks Tutte") << Clicks{1, 1} << int(Tutte);
        QTest::newRow("one of two off") << Clicks{1, 8, 1} << int(Bit(8));
        QTest::newRow("Tutte clears regional") << Clicks{1, 8, 10, 12} << int(Tutte);
        QTest::newRow("national keeps Tutte") << Clicks{11} << int(Naz | Tutte);
        QTest::newRow("national alone") << Clicks{11, 12} << int(Naz);
        QTest::newRow("national off, nothing left") << Clicks{11, 12, 11} << int(Tutte);
        QTest::newRow("Tutte keeps national") << Clicks{11, 3, 12} << int(Naz | Tutte);
        QTest::newRow("regional with national") << Clicks{11, 3} << int(Naz | Bit(3));
        QTest::newRow("Tutte cannot be emptied") << Clicks{12} << int(Tutte);
        QTest::newRow("regional off, national stays") << Clicks{11, 3, 3} << int(Naz);
        QTest::newRow("all ten") << Clicks{1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << 0x3FF;
    }
    void clickRules() {
        QFETCH(Clicks, clicks);
        QFETCH(int, mask);
        WheelSelection w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QSignalSpy spy(&w, &WheelSelection::changed);
        for (int c : clicks) ClickBox(w.box(c));
        QCOMPARE(int(w.mask()), mask);
        // One notice per click, however many boxes the rules moved.
        QCOMPARE(spy.count(), clicks.size());
        for (int wheel = 1; wheel <= 12; ++wheel) QCOMPARE(w.isChecked(wheel), (mask & Bit(wheel)) != 0);
    }

    void setMaskPlacesExactly() {
        WheelSelection w;
        QSignalSpy spy(&w, &WheelSelection::changed);
        w.setMask(Bit(2) | Tutte); // a stored play may carry both
        QCOMPARE(w.mask(), std::uint16_t(Bit(2) | Tutte));
        QCOMPARE(spy.count(), 1);
        w.setMask(Bit(2) | Tutte);
        QCOMPARE(spy.count(), 1);
        w.setMask(0);
        QCOMPARE(w.mask(), std::uint16_t(0));
        {
            QSignalBlocker block(&w);
            w.setMask(Naz);
            w.box(5)->setChecked(true);
        }
        QCOMPARE(spy.count(), 2);
        QCOMPARE(w.mask(), std::uint16_t(Naz | Bit(5)));
    }

    void programmaticCheckFollowsRules() {
        WheelSelection w;
        QSignalSpy spy(&w, &WheelSelection::changed);
        w.box(4)->setChecked(true);
        QCOMPARE(w.mask(), Bit(4));
        w.box(12)->setChecked(true);
        QCOMPARE(w.mask(), Tutte);
        QCOMPARE(spy.count(), 2);
    }
};

QTEST_MAIN(TestWheelSelection)
#include "tst_wheelselection.moc"
