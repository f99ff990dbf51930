// The slip printing dialog and the calibration dialogs through their controls, printing to PDF.
#include "printing/UCalibra.h"
#include "printing/UColSuCarta.h"
#include "printing/UColSuSche.h"
#include "printing/UNewCalibra.h"
#include "printing/UNewColSuSche.h"
#include "printing/USlipPrint.h"

#include "components/UMessageBox.h"
#include "components/UPrinter.h"
#include "core/Globali.h"
#include "core/TextHelpers.h"
#include "support/TestSupport.h"
#include "support/UiTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace numora;

namespace {

int PdfPages(const std::string& path) {
    const std::string pdf = test::ReadAll(path);
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
        pages += pdf.compare(at, 12, "/Type /Pages") == 0 ? 0 : 1;
    return pages;
}

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TempDir> dir;
    MemoryStore store;
    std::string pdf() const { return dir->file("out.pdf"); }

private slots:
    void init() {
        dir = std::make_unique<test::TempDir>();
        store = MemoryStore{};
        Globals().appDir = dir->path();
        Globals().store = &store;
        Globals().settings = Settings{};
        Globals().settings.calibration.horizontal = SlipCalibration::DefaultHorizontal;
        Globals().settings.calibration.vertical = SlipCalibration::DefaultVertical;
        Globals().settings.orientamento = 1;
        auto& list = Globals().system.list;
        list.clear();
        for (int k = 1; k <= 4; ++k) {
            list.play(k) = test::MakePlay({k, k + 10, k + 20}, {1, 1, 0, 0, 0});
        }
        list.setCount(4);
        QPrinter& printer = PrintingPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf()));
    }
    void cleanup() { Globals().store = nullptr; }

    void slipFieldsAndMessages() {
        MessageBoxHook hook;
        TNewColSuSche d;
        QCOMPARE(d.windowTitle(), u"Stampa di 4 Giocate"_s);
        QVERIFY(d.staver->isChecked());
        QCOMPARE(d.Edit3->text(), u"4"_s);
        struct Case {
            QString single, first, last;
            const char* message;
        } cases[] = {
            {u"5"_s, u"1"_s, u"4"_s, printing::BadSlipMessage},
            {u"1"_s, u"0"_s, u"4"_s, printing::BadSlipMessage},
            {u"1"_s, u"1"_s, u"9"_s, printing::BadLastSlipMessage},
            {u"1"_s, u"3"_s, u"2"_s, printing::BadRangeMessage},
        };
        for (const auto& c : cases) {
            d.Edit1->setText(c.single);
            d.Edit2->setText(c.first);
            d.Edit3->setText(c.last);
            hook.clear();
            if (c.single != u"1"_s)
                d.SpeedButton11->click();
            else
                d.SpeedButton1->click();
            QCOMPARE(hook.count(), 1);
            QCOMPARE(hook.last().text, QString::fromUtf8(c.message));
            QCOMPARE(hook.last().caption, u"Errore !"_s);
        }
        QVERIFY(!std::filesystem::exists(pdf()));
        // Typing a slip number moves the preview; a letter types nothing.
        QTest::keyClicks(d.Edit1, u"x"_s);
        d.Edit1->clear();
        QTest::keyClicks(d.Edit1, u"3"_s);
        QCOMPARE(d.currentSlip(), 3);
    }

    void singleSlipsAdvanceAndWrap() {
        TNewColSuSche d;
        d.Edit1->setText(u"4"_s);
        d.SpeedButton11->click();
        QCOMPARE(d.Edit1->text(), u"1"_s);
        QCOMPARE(d.currentSlip(), 1);
        QCOMPARE(PdfPages(pdf()), 1);
    }

    void rangeWithAnInterruptionAnsweredNo() {
        MessageBoxHook hook;
        hook.queueAnswer(MsgAnswer::No);
        TNewColSuSche d;
        d.stanu->setChecked(true);
        d.afterSlip = [&d](int slip) {
            if (slip == 1) d.fermastampa->click();
        };
        d.SpeedButton1->click();
        QCOMPARE(hook.count(), 1); // asked once, then the rest printed without asking
        QCOMPARE(PdfPages(pdf()), 4);
        QVERIFY(d.fermastampa->isHidden());

        hook.clear();
        hook.queueAnswer(MsgAnswer::Yes);
        d.Edit2->setText(u"1"_s);
        d.afterSlip = [&d](int slip) {
            if (slip == 2) d.fermastampa->click();
        };
        d.SpeedButton1->click();
        QCOMPARE(PdfPages(pdf()), 2);
        QCOMPARE(hook.last().caption, u"Conferma"_s);
    }

    void failedStartThenPdfChosenInImpostaStampante() {
        // As on a machine without printers: PDF output with no file chosen. The start fails, and
        // a printer whose start failed used to refuse every later change and job.
        PrintingPrinter().setOutputFileName(QString());
        PrintingPrinter().setOutputFormat(QPrinter::PdfFormat);
        MessageBoxHook hook;
        TNewColSuSche d;
        d.SpeedButton11->click();
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().text, QString::fromUtf8(PrintStartFailedMessage));
        QCOMPARE(d.Edit1->text(), u"1"_s);
        QString confirm;
        test::RunModal<QPrintDialog>([&](QPrintDialog* p) {
            confirm = p->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->text();
            auto* printers = p->findChild<QComboBox*>(u"printers"_s);
            printers->setCurrentIndex(printers->count() - 1); // printing to a PDF file comes last
            p->findChild<QLineEdit*>(u"filename"_s)->setText(QString::fromStdString(pdf()));
            p->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        d.SpeedButton12->click();
        QCOMPARE(confirm, u"OK"_s);
        QVERIFY(!std::filesystem::exists(pdf()));
        d.SpeedButton11->click();
        QCOMPARE(hook.count(), 1);
        QCOMPARE(PdfPages(pdf()), 1);
        QCOMPARE(d.Edit1->text(), u"2"_s);
    }

    void closeStoresTheOrientation() {
        TNewColSuSche d;
        d.staor->click();
        d.SpeedButton9->click();
        QCOMPARE(Globals().settings.orientamento, 0);
        QCOMPARE(store.get("ms_orientamento").value_or(""), std::string("0"));
    }

    void calibrationArrowsFixingAndMarkers() {
        for (int vertical = 0; vertical < 2; ++vertical) {
            std::unique_ptr<TNewCalibrationDialog> d;
            if (vertical)
                d = std::make_unique<TNewCalibraVer>();
            else
                d = std::make_unique<TNewCalibra>();
            const auto o = vertical ? printing::SlipOrientation::Vertical : printing::SlipOrientation::Horizontal;
            const auto& g = printing::CalibrationGeometry(o);
            QCOMPARE(d->markers[0]->pos(), QPoint(g.base1.x, g.base1.y));
            d->edits[0]->setText(u"0"_s);
            d->upDowns[0]->less->click();
            QCOMPARE(d->edits[0]->text(), u"0.0"_s);
            // "," typed becomes "."; Enter reads the fields and moves the markers.
            d->edits[0]->clear();
            QTest::keyClicks(d->edits[0], u"1,5a"_s);
            QCOMPARE(d->edits[0]->text(), u"1.5"_s);
            QTest::keyClick(d->edits[0], Qt::Key_Return);
            QVERIFY(d->markers[0]->pos() != QPoint(g.base1.x, g.base1.y));
            d->SpeedButton11->click();
            QCOMPARE(d->markers[0]->pos(), QPoint(g.base1.x, g.base1.y));
            QCOMPARE(PdfPages(pdf()), 1);
            d->RadioButton2->click();
            QCOMPARE(d->edits[0]->text(), u"58.0"_s);
            d->RadioButton1->click();
            QCOMPARE(d->edits[0]->text(), u"1.50"_s);
            const auto before =
                vertical ? Globals().settings.calibration.vertical : Globals().settings.calibration.horizontal;
            d->spb8->click();
            QCOMPARE(vertical ? Globals().settings.calibration.vertical : Globals().settings.calibration.horizontal,
                     before);
            QVERIFY(!store.get(vertical ? "new_cal_ver_1" : "new_cal_or_1").has_value());
        }
        MessageBoxHook hook;
        TNewCalibraVer d;
        d.edits[4]->setText(u"7"_s);
        d.SpeedButton13->click();
        QCOMPARE(hook.last().text, u"Ripristinare i valori originali ?"_s);
        QCOMPARE(d.edits[4]->text(), u"1.90"_s);
        d.edits[1]->setText(u"30.25"_s);
        d.SpeedButton9->click();
        QCOMPARE(Globals().settings.calibration.vertical[1], 30.25);
        QCOMPARE(store.get("new_cal_ver_2").value_or(""), std::string("30.250"));
    }

    void plainPaperHeadingOptionsAndPages() {
        auto& system = Globals().system;
        system.currentPath = dir->file("SISTEMA1.LPC");
        system.forecast.clear();
        auto& list = system.list;
        for (int k = 1; k <= 50; ++k) list.play(k) = test::MakePlay({k, k + 1}, {1, 1, 0, 0, 0});
        list.setCount(50);
        TColSuCarta d;
        QVERIFY(!d.CheckBox1->isEnabled() && !d.CheckBox1->isChecked());
        QVERIFY(!d.CheckBox2->isEnabled());
        QVERIFY(d.CheckBox3->isChecked());
        d.fillHeading();
        QCOMPARE(d.Memo1->toPlainText(), u"Nome del sistema: Sistema1\nNº di giocate: 50\nCosto totale: 100,00 €"_s);
        d.SpeedButton11->click();
        QVERIFY(PdfPages(pdf()) >= 2);
        system.forecast.setChosen(7, true);
        system.forecast.fixed[0] = 7;
        system.forecast.fixedCount = 1;
        d.FormActivate();
        QVERIFY(d.CheckBox1->isChecked() && d.CheckBox2->isChecked());
        system.forecast.clear();
        system.currentPath.clear();
    }

    void oldSlipsPrintForecastAndClose() {
        Globals().settings.oldHorizontal = printing::OldSlipOriginalValues(printing::SlipOrientation::Horizontal);
        Globals().system.forecast.clear();
        Globals().system.forecast.setChosen(5, true);
        TColSuSche d;
        d.show();
        QCOMPARE(d.windowTitle(), u"Stampa di 4 Giocate"_s);
        QCOMPARE(d.antep->cells().front(), (printing::Cell{1, 1})); // number 1 of play 1
        d.staor->click();
        d.SpeedButton1->click();
        QCOMPARE(PdfPages(pdf()), 4);
        d.pronostico->click();
        QCOMPARE(PdfPages(pdf()), 1);
        for (bool readOnly : {true, false}) {
            Globals().readOnly = readOnly;
            d.show();
            d.staor->click();
            d.SpeedButton9->click();
            QCOMPARE(Globals().settings.orientamento, 0);
            QCOMPARE(std::filesystem::exists(dir->file(SettingsFileName)), !readOnly);
        }
        QVERIFY(test::ReadAll(dir->file(SettingsFileName)).find("orientamento=0") != std::string::npos);
        Globals().readOnly = false;
        Globals().system.forecast.clear();
    }

    void oldCalibrationButtonsRestoreAndSave() {
        test::WriteAll(dir->file(SettingsFileName), "[GENERALI]\nProxyServer=host\n");
        for (bool readOnly : {true, false}) {
            Globals().readOnly = readOnly;
            MessageBoxHook hook;
            TCalibraVer d;
            QCOMPARE(d.edits[0]->text(), u"0.0"_s);
            d.moves[1]->click(); // "più a destra" at 0 keeps 0
            QCOMPARE(d.edits[0]->text(), u"0.0"_s);
            d.SpeedButton13->click();
            QCOMPARE(hook.count(), 0);
            QCOMPARE(d.edits[5]->text(), u"108.20"_s);
            const QPoint before = d.markers[4]->pos();
            d.moves[2]->click(); // "più in alto": superiore and distanza_importi + 0.35341
            QCOMPARE(d.markers[4]->pos(), before - QPoint(0, 1));
            d.SpeedButton11->click();
            const auto fifth = printing::OldCalibrationTestCells(printing::SlipOrientation::Vertical)[4];
            QCOMPARE(d.markers[4]->pos(),
                     TOldCalibrationDialog::cellPosition(printing::SlipOrientation::Vertical, fifth));
            QCOMPARE(PdfPages(pdf()), 1);
            d.SpeedButton9->click();
            const std::string ini = test::ReadAll(dir->file(SettingsFileName));
            QCOMPARE(ini.find("distanza_importi_ver=108.55341") != std::string::npos, !readOnly);
            QVERIFY(ini.find("ProxyServer=host") != std::string::npos);
            QCOMPARE(hook.count(), readOnly ? 1 : 0);
            QCOMPARE(Globals().settings.oldVertical.distanza_importi, 108.2 + 0.35341);
            Globals().settings.oldVertical = OldSlipLayout{};
        }
        Globals().readOnly = false;
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
