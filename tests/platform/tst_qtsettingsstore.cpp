#include "platform/QtSettingsStore.h"

#include "core/Random.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace numora;
using Status = KeyValueStore::Status;

class TestQtSettingsStore : public QObject {
    Q_OBJECT
private:
    QTemporaryDir home_;

private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        // The native store of the user, redirected away from the real one.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home_.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home_.path());
    }

    void absentThenWrittenThenReadBack() {
        {
            QtSettingsStore store;
            QVERIFY(store.open());
            std::string v = "untouched";
            QVERIFY(store.read("new_cal_or_1", v) == Status::Absent);
            QCOMPARE(v, std::string("untouched"));
            QVERIFY(store.write("new_cal_or_1", "23.500000000000"));
            QVERIFY(store.write("idi", "ABCDEFGHIJ"));
            QVERIFY(store.write("vuoto", ""));
        }
        QtSettingsStore again;
        QVERIFY(again.open());
        std::string v;
        QVERIFY(again.read("new_cal_or_1", v) == Status::Ok);
        QCOMPARE(v, std::string("23.500000000000"));
        QVERIFY(again.read("idi", v) == Status::Ok);
        QCOMPARE(v, std::string("ABCDEFGHIJ"));
        QVERIFY(again.read("vuoto", v) == Status::Ok);
        QCOMPARE(v, std::string());
#ifndef Q_OS_WIN
        QVERIFY(again.location().endsWith(u"Varnel/Numora.conf"_s));
        QVERIFY(QFile::exists(home_.filePath(u"Varnel/Numora.conf"_s)));
#endif
    }

    // What the core keeps in the store survives a restart of the program.
    void calibrationAndIdentifierRoundTrip() {
        const QString path = home_.filePath(u"calibrazione.ini"_s);
        Settings written;
        written.calibration.horizontal = {20.25, 5, 4, 6, 2};
        written.calibration.vertical = {6, 22, 5.5, 4.25, 1.75};
        written.orientamento = 1;
        written.tipoBloccaggio = 1;
        StdRandom random;
        std::string id;
        {
            QtSettingsStore store(path);
            QVERIFY(store.open());
            WriteCalibration(store, written);
            id = InstallationId(store, random);
        }
        QtSettingsStore store(path);
        QVERIFY(store.open());
        Settings read;
        ReadCalibration(store, read);
        QVERIFY(read.calibration.horizontal == written.calibration.horizontal);
        QVERIFY(read.calibration.vertical == written.calibration.vertical);
        QCOMPARE(read.orientamento, 1);
        QCOMPARE(read.tipoBloccaggio, 1);
        QCOMPARE(InstallationId(store, random), id);
        QCOMPARE(id.size(), std::size_t(10));
    }

    void valueWithoutTextIsAnError() {
        const QString path = home_.filePath(u"lista.ini"_s);
        {
            QSettings raw(path, QSettings::IniFormat);
            raw.setValue(u"idi"_s, QStringList{u"A"_s, u"B"_s});
        }
        QtSettingsStore store(path);
        QVERIFY(store.open());
        std::string v;
        QVERIFY(store.read("idi", v) == Status::Error);
    }

    void unreadableStoreIsAnError() {
        const QString path = home_.filePath(u"rotto.ini"_s);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[General\nidi=ABC\n");
        f.close();
        QtSettingsStore store(path);
        QVERIFY(!store.open());
        std::string v;
        QVERIFY(store.read("idi", v) == Status::Error);
    }
};

QTEST_MAIN(TestQtSettingsStore)
#include "tst_qtsettingsstore.moc"
