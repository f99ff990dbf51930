#include "smorfia/UModSmorfia.h"
#include "smorfia/USmorfia.h"

#include "components/UMessageBox.h"
#include "core/FileIo.h"
#include "core/Globali.h"
#include "smorfia/SmorfiaTable.h"
#include "support/TestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <filesystem>

using namespace Qt::StringLiterals;
using namespace numora;

namespace {

std::string Image(std::initializer_list<std::pair<int, const char*>> list) {
    std::vector<SmorfiaEntry> v;
    for (const auto& [n, utf8] : list) {
        std::string cp;
        Utf8ToCp1252(utf8, cp);
        v.push_back({n, cp});
    }
    return SmorfiaImage(v);
}

QString Cell(QTableWidget* t, int r, int c) {
    return t->item(r, c) ? t->item(r, c)->text() : QString();
}

void SetCell(QTableWidget* t, int r, int c, const QString& text) {
    t->setItem(r, c, new QTableWidgetItem(text));
}

} // namespace

class TestSmorfia : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TempDir> dir;
    std::string file() const { return dir->file(SmorfiaFileName); }

private slots:
    void init() {
        dir = std::make_unique<test::TempDir>();
        Globals().appDir = dir->path();
        Globals().readOnly = false;
        test::WriteAll(file(), Image({{42, "il caffè"}, {70, "la città"}, {1, "l'italia"}}));
    }

    void searchFillsTheGridAndKeepsIt() {
        TSmorfia s;
        s.smo->setText(u"  caffè   CITTÀ "_s);
        QTest::keyClick(s.smo, Qt::Key_Return);
        QCOMPARE(s.smo->text(), u"  caffè   CITTÀ "_s); // Enter typed nothing
        QCOMPARE(s.sgsmo->rowCount(), 2);
        QCOMPARE(Cell(s.sgsmo, 0, 0), u"  42"_s);
        QCOMPARE(Cell(s.sgsmo, 0, 1), u"Il caffè"_s);
        QCOMPARE(Cell(s.sgsmo, 1, 1), u"La città"_s);
        s.smo->setText(u"   "_s);
        s.SpeedButton8Click();
        QCOMPARE(s.sgsmo->rowCount(), 2);
        s.smo->setText(u"nulla"_s);
        s.SpeedButton8Click();
        QCOMPARE(s.sgsmo->rowCount(), 1);
        QCOMPARE(Cell(s.sgsmo, 0, 0), QString());
    }

    void editorLoadsAndKeepsAFreeRow() {
        Tmodsmorfia d;
        QCOMPARE(d.smo->rowCount(), 4);
        QCOMPARE(Cell(d.smo, 1, 1), u"La città"_s);
        QCOMPARE(Cell(d.smo, 3, 0), QString());
        SetCell(d.smo, 3, 0, u"5"_s);
        QCOMPARE(d.smo->rowCount(), 5);
    }

    void deletingClampsAndLeavesOneRow() {
        Tmodsmorfia d;
        d.smo->setRangeSelected(QTableWidgetSelectionRange(1, 0, 1, 1), true);
        d.SpeedButton1Click();
        QCOMPARE(d.smo->rowCount(), 3);
        QCOMPARE(Cell(d.smo, 1, 0), u"1"_s);
        d.smo->setRangeSelected(QTableWidgetSelectionRange(0, 0, 2, 1), true);
        d.SpeedButton1Click();
        QCOMPARE(d.smo->rowCount(), 1);
        QCOMPARE(Cell(d.smo, 0, 0), QString());
        d.SpeedButton2Click();
        QCOMPARE(test::ReadAll(file()), std::string());
    }

    void applicaSkipsCutsAndLowers() {
        Tmodsmorfia d;
        d.smo->setRowCount(9);
        const QString rows[][2] = {{u"0"_s, u"zero"_s},  {u"91"_s, u"troppo"_s}, {u"300"_s, u"x"_s},
                                   {u"tre"_s, u"tre"_s}, {u"9"_s, QString()},    {u"90"_s, u"PAURA Città"_s}};
        for (int r = 0; r < 6; ++r) {
            SetCell(d.smo, 3 + r, 0, rows[r][0]);
            SetCell(d.smo, 3 + r, 1, rows[r][1]);
        }
        SetCell(d.smo, 0, 1, QString(100, u'a'));
        d.SpeedButton2Click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        const auto e = ParseSmorfia(test::ReadAll(file()));
        QCOMPARE(e.size(), std::size_t(4));
        QCOMPARE(e[0].text, std::string(80, 'a'));
        QCOMPARE(Cp1252ToUtf8(e[3].text), std::string("paura città"));
        QCOMPARE(e[3].number, 90);
    }

    void refusalsKeepTheFileAndTheEditor() {
        const std::string before = test::ReadAll(file());
        Tmodsmorfia d;
        d.show();
        SetCell(d.smo, 0, 1, u"nuovo"_s);
        MessageBoxHook hook;
        Globals().readOnly = true;
        d.SpeedButton2Click();
        Globals().readOnly = false;
        QCOMPARE(hook.last().text, QString::fromUtf8(ReadOnlyMessage));
        QCOMPARE(hook.last().caption, u"Numora"_s);
        QVERIFY(d.isVisible());
        SetCell(d.smo, 1, 1, u"freccia →"_s);
        d.SpeedButton2Click();
        QVERIFY(hook.last().text.contains(u"riga 2"_s));
        QVERIFY(d.isVisible());
        QCOMPARE(test::ReadAll(file()), before);
        // A write that fails (the name taken by a folder) says so; the editor stays open.
        SetCell(d.smo, 1, 1, u"freccia"_s);
        RemoveFile(file());
        std::filesystem::create_directory(file());
        d.SpeedButton2Click();
        QVERIFY(hook.last().text.startsWith(u"Impossibile scrivere il file"_s));
        QVERIFY(d.isVisible());
        QCOMPARE(Cell(d.smo, 0, 1), u"nuovo"_s);
    }
};

QTEST_MAIN(TestSmorfia)
#include "tst_smorfia.moc"
