#include "stakes/UModimpo.h"

#include "components/UHelp.h"
#include "components/UMessageBox.h"
#include "core/FileIo.h"
#include "core/Globali.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace numora;

namespace {

Settings Known() {
    Settings s;
    s.minimo = 1;
    s.massimo = 200;
    s.multiplo = 0.5;
    s.decimali = 2;
    s.vincitaMassima = 1000000;
    for (int k = 1; k <= 18; ++k) s.i(k) = 0.5 * k; // i1 0,50 .. i18 9,00
    s.i(18) = 1500;
    return s;
}

QLineEdit* Edit(TModimpo& d, const QString& name) {
    return d.findChild<QLineEdit*>(name);
}
QLineEdit* Row(TModimpo& d, int r) {
    return d.findChild<QLineEdit*>(u"importo%1"_s.arg(r));
}

void TypeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void ClickApplica(TModimpo& d) {
    QTest::mouseClick(d.findChild<QPushButton*>(u"Applica"_s), Qt::LeftButton);
}

} // namespace

class TestModimpo : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TempDir> dir_;

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDir>();
        Globals().appDir = dir_->path();
        Globals().readOnly = false;
        Globals().settings = Known();
    }
    void cleanup() { delete CurrentHelpWindow(); }

    void showsTheSettings() {
        TModimpo d;
        QCOMPARE(d.windowTitle(), u"Modifica importi di giocata"_s);
        QCOMPARE(Edit(d, u"minimo"_s)->text(), u"1,00"_s);
        QCOMPARE(Edit(d, u"massimo"_s)->text(), u"200,00"_s);
        QCOMPARE(Edit(d, u"multiplo"_s)->text(), u"0,50"_s);
        QCOMPARE(Edit(d, u"vincitamassima"_s)->text(), u"1.000.000,00"_s);
        QCOMPARE(Edit(d, u"decimali"_s)->text(), u"2"_s);
        QCOMPARE(Row(d, 1)->text(), u"1.500,00"_s); // i18 first
        QCOMPARE(Row(d, 2)->text(), u"8,50"_s);
        QCOMPARE(Row(d, 18)->text(), u"0,50"_s); // i1 last
        auto* list = d.findChild<QTableWidget*>(u"importi"_s);
        QCOMPARE(list->rowCount(), 18);
        QCOMPARE(list->columnCount(), 1);
        QCOMPARE(list->toolTip(), u"Inserire gli importi di giocata in ordine decrescente."_s);
        QStringList labels;
        for (QLabel* l : d.findChildren<QLabel*>()) labels << l->text();
        for (const char* t :
             {"Importo Minimo di giocata (€):", "Importo Massimo di giocata (€):",
              "Il totale deve essere multiplo di €:", "Vincita Massima per giocata (€):", "Numero di cifre decimali:"})
            QVERIFY2(labels.contains(QString::fromUtf8(t)), t);
        for (const char* b : {"Applica", "Annulla", "Manuale"})
            QCOMPARE(d.findChild<QPushButton*>(QString::fromUtf8(b))->text(), QString::fromUtf8(b));
    }

    void typingFilters() {
        TModimpo d;
        d.show();
        TypeInto(Edit(d, u"minimo"_s), u"2.5x"_s);
        QCOMPARE(Edit(d, u"minimo"_s)->text(), u"2,5"_s);
        TypeInto(Row(d, 4), u"1.2a"_s);
        QCOMPARE(Row(d, 4)->text(), u"1,2"_s);
        TypeInto(Edit(d, u"decimali"_s), u"1,3.5"_s);
        QCOMPARE(Edit(d, u"decimali"_s)->text(), u"13"_s);
    }

    // Each field in turn made unreadable: its message, the values before it stored, the ones
    // after it untouched, nothing written, the dialog still open.
    void applicaStopsAtTheFirstBadField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("stored"); // how many of the seven groups below are already stored
        QTest::newRow("row 5") << u"importo5"_s << u"Uno degli importi delle giocate non è valido."_s << 0;
        QTest::newRow("minimo") << u"minimo"_s << u"L'importo minimo di giocata non è valido."_s << 1;
        QTest::newRow("massimo") << u"massimo"_s << u"L'importo massimo di giocata non è valido."_s << 2;
        QTest::newRow("multiplo") << u"multiplo"_s << u"Il multiplo delle giocate non è valido."_s << 3;
        QTest::newRow("vincita") << u"vincitamassima"_s << u"La vincita massima per giocata non è valida."_s << 4;
        QTest::newRow("decimali") << u"decimali"_s << u"Il numero di cifre decimali non è valido."_s << 5;
    }
    void applicaStopsAtTheFirstBadField() {
        QFETCH(QString, field);
        QFETCH(QString, message);
        QFETCH(int, stored);
        TModimpo d;
        d.show();
        // New values everywhere, in the order "Applica" reads them.
        TypeInto(Row(d, 1), u"300"_s);
        TypeInto(Row(d, 4), u"7.5"_s);
        TypeInto(Row(d, 6), u"4"_s);
        TypeInto(Edit(d, u"minimo"_s), u"2"_s);
        TypeInto(Edit(d, u"massimo"_s), u"250"_s);
        TypeInto(Edit(d, u"multiplo"_s), u"0"_s);
        TypeInto(Edit(d, u"vincitamassima"_s), u"5000"_s);
        TypeInto(Edit(d, u"decimali"_s), u"3"_s);
        TypeInto(Edit(d, field), field == u"decimali"_s ? QString() : u"1,2,3"_s);

        MessageBoxHook hook;
        ClickApplica(d);
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().text, message);
        QCOMPARE(hook.last().caption, u"Errore"_s);
        QVERIFY(hook.last().icon == MsgIcon::Error);
        QVERIFY(d.isVisible());
        QVERIFY(!FileExists(Globals().path(SettingsFileName)));

        const Settings& s = Globals().settings;
        const Settings k = Known();
        // Rows 1 and 4 come before row 5 and are stored in every case; row 6 only after row 5.
        QCOMPARE(s.i(18), 300.0);
        QCOMPARE(s.i(15), 7.5);
        QCOMPARE(s.i(16), k.i(16)); // a row left as shown reads back as it was
        QCOMPARE(s.i(13), stored > 0 ? 4.0 : k.i(13));
        QCOMPARE(s.minimo, stored > 1 ? 2.0 : k.minimo);
        QCOMPARE(s.massimo, stored > 2 ? 250.0 : k.massimo);
        QCOMPARE(s.multiplo, stored > 3 ? 0.0 : k.multiplo);
        QCOMPARE(s.vincitaMassima, stored > 4 ? 5000.0 : k.vincitaMassima);
        QCOMPARE(s.decimali, k.decimali);

        // Closing now keeps the values taken so far for the rest of the run.
        QTest::mouseClick(d.findChild<QPushButton*>(u"Annulla"_s), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(Globals().settings.minimo, stored > 1 ? 2.0 : k.minimo);
    }

    void applicaWritesTheIni() {
        TModimpo d;
        d.show();
        TypeInto(Edit(d, u"minimo"_s), u"2.5"_s);
        TypeInto(Edit(d, u"decimali"_s), u"3"_s);
        TypeInto(Row(d, 18), u"0,25"_s);
        MessageBoxHook hook;
        ClickApplica(d);
        QCOMPARE(hook.count(), 0);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        const std::string ini = test::ReadAll(Globals().path(SettingsFileName));
        QVERIFY(ini.find("Minimo=2.5000000000") != std::string::npos);
        QVERIFY(ini.find("Decimali=3") != std::string::npos);
        QVERIFY(ini.find("i1=0.2500000000") != std::string::npos);
        // Shown with thousands separators, read back as the same amounts.
        QVERIFY(ini.find("i18=1500.0000000000") != std::string::npos);
        QVERIFY(ini.find("VincitaMassima=1000000.0000000000") != std::string::npos);
    }

    // More than four decimals is refused before anything is written: the ini stays as it was.
    void decimalsAboveFourAreRefused() {
        const std::string ini = Globals().path(SettingsFileName);
        const std::string before = "[IMPORTI]\r\nDecimali=2\r\n";
        test::WriteAll(ini, before);
        TModimpo d;
        d.show();
        TypeInto(Edit(d, u"decimali"_s), u"5"_s);
        MessageBoxHook hook;
        ClickApplica(d);
        QCOMPARE(hook.last().text, u"Il numero di cifre decimali non è valido: deve essere compreso tra 0 e 4."_s);
        QCOMPARE(Globals().settings.decimali, 2);
        QCOMPARE(test::ReadAll(ini), before);
    }

    void unwritableFolders_data() {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("staysOpen");
        QTest::newRow("read-only folder") << true << QString::fromUtf8(ReadOnlyMessage) << false;
        QTest::newRow("write fails") << false << u"Impossibile scrivere il file"_s << true;
    }
    void unwritableFolders() {
        QFETCH(bool, readOnly);
        QFETCH(QString, message);
        QFETCH(bool, staysOpen);
        Globals().readOnly = readOnly;
        if (!readOnly) Globals().appDir = dir_->path() + "manca/";
        TModimpo d;
        d.show();
        TypeInto(Edit(d, u"massimo"_s), u"250"_s);
        MessageBoxHook hook;
        ClickApplica(d);
        QCOMPARE(hook.count(), 1);
        QVERIFY(hook.last().text.startsWith(message));
        QCOMPARE(hook.last().caption, u"Errore"_s);
        QVERIFY(hook.last().icon == MsgIcon::Error);
        QCOMPARE(d.isVisible(), staysOpen);
        QCOMPARE(Globals().settings.massimo, 250.0);
        QVERIFY(!FileExists(Globals().path(SettingsFileName)));
        Globals().readOnly = false;
    }

    void annullaAndEscapeWriteNothing() {
        for (bool escape : {false, true}) {
            TModimpo d;
            d.show();
            TypeInto(Edit(d, u"minimo"_s), u"5"_s);
            if (escape)
                QTest::keyClick(Edit(d, u"minimo"_s), Qt::Key_Escape);
            else
                QTest::mouseClick(d.findChild<QPushButton*>(u"Annulla"_s), Qt::LeftButton);
            QVERIFY(!d.isVisible());
            QCOMPARE(Globals().settings.minimo, 1.0);
            QVERIFY(!FileExists(Globals().path(SettingsFileName)));
        }
    }

    void manualeOpensItsHelpPage() {
        QTemporaryDir cache;
        SetHelpCacheFolder(cache.path());
        SetHelpFile(QString::fromUtf8(NUMORA_HELP_FILE));
        TModimpo d;
        d.show();
        QTest::mouseClick(d.findChild<QPushButton*>(u"Manuale"_s), Qt::LeftButton);
        THelp* help = CurrentHelpWindow();
        QVERIFY(help);
        QCOMPARE(help->currentContext(), 14);
        SetHelpFile(QString());
    }

    // The help opened from the dialog while it is modal takes clicks (a click through the window
    // system, where a modal dialog blocks the other windows), and stays open, on its own, after it.
    void manualeFromTheModalDialogIsUsable() {
        QTemporaryDir cache;
        SetHelpCacheFolder(cache.path());
        SetHelpFile(QString::fromUtf8(NUMORA_HELP_FILE));
        TModimpo d;
        d.setModal(true);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(QApplication::activeModalWidget(), &d);
        QTest::mouseClick(d.findChild<QPushButton*>(u"Manuale"_s), Qt::LeftButton);
        THelp* help = CurrentHelpWindow();
        QVERIFY(help && help->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QTabBar* tabs = help->schede->tabBar();
        const int index = help->schede->indexOf(help->cerca->parentWidget());
        QVERIFY(help->schede->currentIndex() != index);
        const QPoint at = tabs->mapTo(help, tabs->tabRect(index).center());
        QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(help->schede->currentIndex(), index);
        d.hide();
        QTRY_VERIFY(help->isVisible());
        QCOMPARE(help->parentWidget(), nullptr);
        delete CurrentHelpWindow();
        SetHelpFile(QString());
    }
};

QTEST_MAIN(TestModimpo)
#include "tst_modimpo.moc"
