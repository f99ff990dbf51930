// The proxy settings dialog, the message window and the HTTP client's set-up.

#include "archive/DrawUpdateReply.h"
#include "archive/UImpoConne.h"
#include "archive/Uperrtf.h"
#include "components/UMessageBox.h"
#include "core/FileIo.h"
#include "core/Globali.h"
#include "platform/HttpClient.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;
using namespace numora;
using numora::test::TempDir;

class TestUpdateWindows : public QObject {
    Q_OBJECT
    std::unique_ptr<TempDir> app_;

private slots:
    void init() {
        app_ = std::make_unique<TempDir>();
        Globali& g = Globals();
        g.appDir = app_->path();
        g.readOnly = false;
        g.settings = Settings{};
    }
    void cleanup() { app_.reset(); }

    void proxyFromSettings_data() {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("expectedPort");
        QTest::newRow("no proxy") << QString() << u"3128"_s << int(QNetworkProxy::NoProxy) << 0;
        QTest::newRow("empty port means 8080") << u"proxy.lan"_s << QString() << int(QNetworkProxy::HttpProxy) << 8080;
        QTest::newRow("letters mean 8080") << u"proxy.lan"_s << u"porta"_s << int(QNetworkProxy::HttpProxy) << 8080;
        QTest::newRow("typed port") << u"proxy.lan"_s << u"3128"_s << int(QNetworkProxy::HttpProxy) << 3128;
    }
    void proxyFromSettings() {
        QFETCH(QString, server);
        QFETCH(QString, port);
        QFETCH(int, type);
        QFETCH(int, expectedPort);
        HttpClient client;
        client.setProxy(server.trimmed(), ProxyPortNumber(port.toStdString()));
        QCOMPARE(int(client.proxy().type()), type);
        if (type == QNetworkProxy::HttpProxy) {
            QCOMPARE(client.proxy().hostName(), server);
            QCOMPARE(int(client.proxy().port()), expectedPort);
        }
    }

    void queryUrl() {
        QCOMPARE(QUrl(QString::fromStdString(UpdateQueryAddress("http://127.0.0.1:8000/", "ABCDEFGHIJ")), QUrl::StrictMode).toString(QUrl::FullyEncoded),
                 u"http://127.0.0.1:8000/aggiorna.php?idprogramma=8&versione=45&idi=ABCDEFGHIJ"_s);
        QCOMPARE(QUrl(QString::fromStdString(UpdateQueryAddress("http://h/numora/", "A B&C=D/é")), QUrl::StrictMode).toString(QUrl::FullyEncoded),
                 u"http://h/numora/aggiorna.php?idprogramma=8&versione=45&idi=A%20B%26C%3DD%2F%C3%A9"_s);
    }

    void connectionDialogShowsAndStores() {
        Globali& g = Globals();
        g.settings.proxyServer = "proxy.lan";
        g.settings.proxyPorta = "3128";
        TImpoConne dlg;
        QCOMPARE(dlg.windowTitle(), u"Impostazioni connessione ad internet"_s);
        QCOMPARE(dlg.Label1->text(),
                 u"Se il computer è connesso ad internet tramite un proxy server inserire l'idirizzo e la porta del sever."_s);
        QCOMPARE(dlg.BITBTN2->toolTip(), u"Chiude la scheda senza apportare modifiche."_s);
        QCOMPARE(dlg.findChild<QPushButton*>(u"AVSEL"_s)->text(), u"OK"_s);
        QCOMPARE(dlg.findChild<QPushButton*>(u"BITBTN2"_s)->text(), u"Annulla"_s);
        dlg.show();
        QCOMPARE(dlg.Edit1->text(), u"proxy.lan"_s);
        QCOMPARE(dlg.Edit2->text(), u"3128"_s);

        dlg.Edit1->clear();
        QTest::keyClicks(dlg.Edit1, QString(90, u'p'));
        QCOMPARE(dlg.Edit1->text().size(), 80);
        dlg.Edit1->setText(u"10.0.0.1"_s);
        dlg.Edit2->clear();
        QTest::keyClicks(dlg.Edit2, u"8a0.8-0 9x99"_s);
        // Digits only, six at most.
        QCOMPARE(dlg.Edit2->text(), u"808099"_s);
        QTest::keyClick(dlg.Edit2, Qt::Key_Backspace);
        QCOMPARE(dlg.Edit2->text(), u"80809"_s);

        MessageBoxHook hook;
        QTest::mouseClick(dlg.AVSEL, Qt::LeftButton);
        QCOMPARE(hook.count(), 0);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(g.settings.proxyServer, std::string("10.0.0.1"));
        QCOMPARE(g.settings.proxyPorta, std::string("80809"));
        const std::string ini = numora::test::ReadAll(g.path(SettingsFileName));
        QVERIFY(ini.find("ProxyServer=10.0.0.1") != std::string::npos);
        QVERIFY(ini.find("ProxyPorta=80809") != std::string::npos);
    }

    void connectionDialogCancelAndReadOnly() {
        Globali& g = Globals();
        g.settings.proxyServer = "vecchio";
        {
            TImpoConne dlg;
            dlg.show();
            dlg.Edit1->setText(u"nuovo"_s);
            QTest::mouseClick(dlg.BITBTN2, Qt::LeftButton);
            QVERIFY(!dlg.isVisible());
            QCOMPARE(g.settings.proxyServer, std::string("vecchio"));
        }
        g.readOnly = true;
        TImpoConne dlg;
        dlg.show();
        dlg.Edit1->setText(u"nuovo"_s);
        MessageBoxHook hook;
        QTest::mouseClick(dlg.AVSEL, Qt::LeftButton);
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().caption, u"Errore"_s);
        QCOMPARE(hook.last().icon, MsgIcon::Error);
        QCOMPARE(hook.last().text, QString::fromUtf8(ReadOnlyMessage));
        QVERIFY(!dlg.isVisible());
        // Kept in memory for this run.
        QCOMPARE(g.settings.proxyServer, std::string("nuovo"));
        QVERIFY(!FileExists(g.path(SettingsFileName)));
    }

    void messageWindowFormatsAndSavesTheOriginal() {
        const QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl ;\\red0\\green0\\blue255;}"
                               "\\qc\\b\\fs32 Titolo\\b0\\par\\pard\\fs20 normale \\i corsivo\\i0  \\cf1 blu\\cf0 , "
                               "\\'e8\\par}";
        Tperrtf w;
        QCOMPARE(Tperrtf::instance(), &w);
        QCOMPARE(w.windowTitle(), u"Messaggio ..."_s);
        w.loadRtf(rtf);
        QCOMPARE(w.RichEdit1->toPlainText(), u"Titolo\nnormale corsivo blu, è"_s);
        QTextDocument* doc = w.RichEdit1->document();
        const QTextBlock title = doc->firstBlock();
        QCOMPARE(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        const QTextCharFormat t = title.begin().fragment().charFormat();
        QCOMPARE(t.fontWeight(), int(QFont::Bold));
        QCOMPARE(t.fontPointSize(), 16.0);
        bool italic = false, blue = false;
        for (auto it = title.next().begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.text() == u"corsivo"_s) italic = f.charFormat().fontItalic();
            if (f.text() == u"blu"_s) blue = f.charFormat().foreground().color() == QColor(0, 0, 255);
        }
        QVERIFY(italic);
        QVERIFY(blue);

        TempDir out;
        const QString target = QString::fromStdString(out.file("copia.rtf"));
        int asked = 0;
        w.setFileNameChooser([&](QWidget*) {
            ++asked;
            return asked == 1 ? QString() : target;
        });
        w.show();
        QTest::mouseClick(w.Salva, Qt::LeftButton);
        QVERIFY2(!FileExists(target.toStdString()), "no name, nothing written");
        QTest::mouseClick(w.Salva, Qt::LeftButton);
        QCOMPARE(QByteArray::fromStdString(numora::test::ReadAll(target.toStdString())), rtf);
        QTest::mouseClick(w.OK, Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }

    void messageWindowFiles() {
        Tperrtf w;
        w.loadRtf("{\\rtf1 prima}");
        QVERIFY(!w.loadRtfFile(QString::fromStdString(app_->file("manca.rtf"))));
        const std::string big = app_->file("grande.rtf");
        numora::test::WriteAll(big, std::string(static_cast<std::size_t>(Tperrtf::MaxFileSize) + 1, 'x'));
        QVERIFY(!w.loadRtfFile(QString::fromStdString(big)));
        QCOMPARE(w.RichEdit1->toPlainText(), u"prima"_s);
        const std::string plain = app_->file("testo.rtf");
        numora::test::WriteAll(plain, "solo testo\r\nseconda riga");
        QVERIFY(w.loadRtfFile(QString::fromStdString(plain)));
        QCOMPARE(w.RichEdit1->toPlainText(), u"solo testo\nseconda riga"_s);
    }

    void saveDialogAsksForRtf() {
        QStringList filters;
        QString suffix;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            filters = dialog->nameFilters();
            suffix = dialog->defaultSuffix();
            dialog->reject();
        });
        QCOMPARE(Tperrtf::ChooseRtfFileName(nullptr), QString());
        QCOMPARE(filters, (QStringList{u"Rich Text Forma (*.rtf)"_s, u"Tutti i file (*.*)"_s}));
        QCOMPARE(suffix, u"rtf"_s);
    }
};

QTEST_MAIN(TestUpdateWindows)
#include "tst_updatewindows.moc"
