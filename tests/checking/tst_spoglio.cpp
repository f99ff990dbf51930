#include "checking/USpoglio.h"

#include "components/UDaiNumEstra.h"
#include "components/UMessageBox.h"
#include "core/FileIo.h"
#include "core/Globali.h"
#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace numora;

namespace {

// A draw of 2004: no R. Nazionale yet.
DrawRecord Draw2004() {
    DrawRecord d;
    d.day = 5;
    d.month = 1;
    d.year = 2004;
    for (int w = 1; w <= 10; ++w)
        for (int k = 0; k < 5; ++k) d.setNumber(w, k, static_cast<std::uint8_t>(w + 10 * k));
    return d;
}

QString Cell(TSpoglio& s, int r, int c) {
    return s.stg->item(r, c) ? s.stg->item(r, c)->text() : QString();
}

} // namespace

class TestSpoglio : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TempDir> dir;

private slots:
    void init() {
        dir = std::make_unique<test::TempDir>();
        Globali& g = Globals();
        test::ResetGlobals(g);
        g.appDir = dir->path();
        g.readOnly = false;
        g.settings = Settings{};
        g.settings.vincitaMassima = 6e6;
        g.insertDraw(Draw2004());
        // Ambo 1-11 on Bari (both drawn there), one euro; on "Tutte" a tenth.
        g.system.list.play(1) = test::MakePlay({1, 11}, {0, 1, 0, 0, 0}, 1u << 0);
        g.system.list.play(2) = test::MakePlay({1, 11, 21}, {0, 1, 0, 0, 0}, 1u << 11 | 1u << 10);
        g.system.list.setCount(2);
    }
    void cleanup() { test::ResetWindows(); }

    void apriLoadsTheDrawAndAWheelNotDrawnIsEmpty() {
        new TDaiNumEstra;
        TSpoglio s;
        s.show();
        test::RunModal<TDaiNumEstra>([](TDaiNumEstra* p) { p->OKClick(); });
        s.SpeedButton1Click();
        QCOMPARE(s.Edit1->text(), u"5/1/2004"_s);
        QCOMPARE(Cell(s, 0, 0), u" Bari"_s);
        QCOMPARE(Cell(s, 0, 2), u"11"_s);
        QCOMPARE(Cell(s, 10, 1), QString());
        s.goClick();
        QCOMPARE(s.counts[1]->text(), u"4"_s);         // 1 on Bari, 3 on Bari for the terno play
        QCOMPARE(s.amounts[1]->text(), u"275,00 €"_s); // 250 + C(3,2)/C(3,2) * 250 / 10
        QCOMPARE(s.total->text(), u"275,00 €"_s);
        QVERIFY(s.Memo1->toPlainText().startsWith(QString(74, u'-') + u"\nGiocata Nº 1\n"_s));
        QVERIFY(!s.go->isEnabled());
        // Enter and Escape do nothing now; typing in the grid enables them again.
        QTest::keyClick(&s, Qt::Key_Escape);
        QVERIFY(s.isVisible());
        QTest::keyClick(s.stg, Qt::Key_5);
        QVERIFY(s.go->isEnabled());
        QTest::keyClick(&s, Qt::Key_Escape);
        QVERIFY(!s.isVisible());
    }

    void salvaNeedsEveryCell() {
        TSpoglio s;
        s.Edit1->setText(u"07/02/2004"_s);
        for (int r = 0; r < 10; ++r)
            for (int k = 1; k <= 5; ++k) s.stg->setItem(r, k, new QTableWidgetItem(QString::number(r * 5 + k)));
        MessageBoxHook hook;
        s.SpeedButton4Click();
        QCOMPARE(hook.last().text, u"La ruota \"R. Nazionale\" contiene dei valori non validi!"_s);
        QCOMPARE(hook.last().caption, u"Attenzione"_s);
        QCOMPARE(Globals().archive.count(), 1);
        for (int k = 1; k <= 5; ++k) s.stg->setItem(10, k, new QTableWidgetItem(QString::number(80 + k)));
        s.Edit1->setText(u"7/2/04"_s);
        s.SpeedButton4Click();
        QVERIFY(hook.last().text.startsWith(u"La data inserita non è valida."_s));
        s.Edit1->setText(u"07/02/2004"_s);
        hook.clear();
        s.SpeedButton4Click();
        QCOMPARE(hook.count(), 0);
        QCOMPARE(Globals().archive.count(), 2);
        QCOMPARE(Globals().archive.last().number(11, 4), 85);
        QVERIFY(FileExists(Globals().path(ArchiveFileName)));
    }

    void reportPagesFollowTheListing() {
        Globali& g = Globals();
        for (int i = 1; i <= 150; ++i) g.system.list.play(i) = test::MakePlay({1, 11}, {1, 1, 0, 0, 0}, 1u << 0);
        g.system.list.setCount(150);
        TSpoglio s;
        for (int k = 0; k < 5; ++k) s.stg->setItem(0, k + 1, new QTableWidgetItem(QString::number(1 + 10 * k)));
        s.Edit1->setText(u"5/1/2004"_s);
        s.goClick();
        const QByteArray env = qgetenv("NUMORA_REPORT_PDF");
        const QString pdf =
            env.isEmpty() ? QString::fromStdString(dir->file("report.pdf")) : QString::fromLocal8Bit(env);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        s.printReport(printer);
        const std::string bytes = test::ReadAll(pdf.toStdString());
        int pages = 0;
        for (std::size_t at = bytes.find("/Type /Page\n"); at != std::string::npos;
             at = bytes.find("/Type /Page\n", at + 1))
            ++pages;
        // 150 blocks of four lines beside the table: more than one page, fewer than one per block.
        QVERIFY2(pages > 1 && pages < 40, qPrintable(QString::number(pages)));
    }
};

QTEST_MAIN(TestSpoglio)
#include "tst_spoglio.moc"
