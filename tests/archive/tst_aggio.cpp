// The update dialog against the real update server over HTTP on 127.0.0.1.

#include "archive/DrawUpdateFile.h"
#include "archive/UAvviso.h"
#include "archive/Uaggio.h"
#include "archive/UpdateHarness.h"
#include "archive/UpdateTestData.h"
#include "archive/Uperrtf.h"
#include "components/UMessageBox.h"
#include "core/FileIo.h"
#include "core/Globali.h"
#include "core/OperatorImport.h"
#include "platform/OpenDocument.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

long VmRssKb() {
    QFile f(u"/proc/self/status"_s);
    const QByteArray status = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    const qsizetype at = status.indexOf("VmRSS:");
    return at < 0 ? -1 : status.mid(at + 6, status.indexOf('\n', at) - at - 6).trimmed().split(' ').first().toLong();
}

} // namespace
using namespace numora;
using numora::test::LoopbackProxy;
using numora::test::TempDir;
using numora::test::UpdateServer;

namespace {

using Opened = QList<QPair<QString, QString>>;

QStringList FailureLines() {
    return {u"ERRORE: impossibile aggiornare l'archivio storico!"_s,
            u"Assicurarsi che la connessione ad internet sia attiva."_s,
            u"Assicurarsi che nel sistema non siano attivi Firewall che"_s,
            u"impediscano a Numora di collegarsi ad internet."_s,
            u"Se si utilizza un server proxy verificare le impostazioni"_s,
            u"della scheda \"Opzioni generali\" > \"Connessione ad internet\"."_s};
}

const QString Connected = u"Connessione riuscita"_s;
const QString Started = u"Avviato aggiornamento archivio storico ..."_s;
const QString Query = u"GET /aggiorna.php?idprogramma=8&versione=45&idi=ABCDEFGHIJ"_s;

QStringList Lines(const TAggio& dlg) {
    return dlg.mm1->toPlainText().split(QChar(u'\n'));
}

std::string Tail19(const std::string& file) {
    return file.size() >= 19 ? file.substr(19) : std::string();
}

// What the message window showed while it was up, recorded by a poll that then closes it.
struct MessageWatch {
    int shown = 0;
    bool fileExisted = false;
    std::string fileBytes;
    QString text;
    bool boldSeen = false;
};

std::string OperatorTextOf(const std::vector<DrawRecord>& draws) {
    static const char* codes[] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"};
    std::string out;
    char line[64];
    for (const DrawRecord& d : draws)
        for (int w = 1; w <= 11; ++w) {
            std::snprintf(line, sizeof line, "%04u/%02u/%02u\t%s\t%u\t%u\t%u\t%u\t%u\n", unsigned(d.year),
                          unsigned(d.month), unsigned(d.day), codes[w - 1], unsigned(d.number(w, 0)),
                          unsigned(d.number(w, 1)), unsigned(d.number(w, 2)), unsigned(d.number(w, 3)),
                          unsigned(d.number(w, 4)));
            out += line;
        }
    return out;
}

} // namespace

class TestAggio : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> files_; // the server's files, for the whole run
    std::unique_ptr<TempDir> app_;   // AppDir of one test
    std::vector<DrawRecord> client_; // the archive before the update: 100 draws
    std::vector<DrawRecord> server_; // the server's archive: 103 draws, 44..100 corrected
    std::vector<DrawRecord> all_;    // the 103 draws as first made
    std::string clientFile_;         // Numora.dtb as it was before the update
    std::unique_ptr<Tperrtf> messageWindow_;

    QString file(const char* name) const { return QString::fromStdString(files_->file(name)); }

    void writeFile(const char* name, const std::string& bytes) const {
        numora::test::WriteAll(files_->file(name), bytes);
    }

    std::vector<DrawRecord> serverTail(int count) const {
        return std::vector<DrawRecord>(server_.end() - count, server_.end());
    }

    // Polls for the message window while the dialog runs, records it and presses its OK.
    void watchMessages(QTimer& poll, MessageWatch& watch) {
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, this, [this, &watch] {
            Tperrtf* w = messageWindow_.get();
            if (!w->isVisible()) return;
            ++watch.shown;
            const std::string msg = Globals().path(UpdateMessageFileName);
            watch.fileExisted = FileExists(msg);
            watch.fileBytes = numora::test::ReadAll(msg);
            watch.text = w->RichEdit1->toPlainText();
            for (QTextBlock b = w->RichEdit1->document()->begin(); b.isValid(); b = b.next())
                for (auto it = b.begin(); !it.atEnd(); ++it)
                    if (it.fragment().charFormat().fontWeight() == QFont::Bold) watch.boldSeen = true;
            QTest::mouseClick(w->OK, Qt::LeftButton);
        });
        poll.start();
    }

    // Starts the server with `args` and presses "Aggiorna" in `dlg`, which talks to it.
    bool runAgainst(UpdateServer& server, const QStringList& args, TAggio& dlg) {
        if (!server.start(args)) return false;
        Globals().settings.updateServer = server.base().toStdString();
        dlg.show();
        QTest::mouseClick(dlg.SpeedButton1, Qt::LeftButton);
        return true;
    }

    void expectArchiveUnchanged() {
        QCOMPARE(numora::test::ReadAll(Globals().path(ArchiveFileName)), clientFile_);
        QCOMPARE(Globals().archive.count(), 100);
        QCOMPARE(Globals().archive.draw(100), client_.back());
    }

private slots:
    void initTestCase() {
        QVERIFY2(FileExists(numora::test::BinDir() + "numora-update-server"), "numora-update-server not built");
        files_ = std::make_unique<TempDir>();
        const auto all = test::SyntheticDraws(103, 11);
        all_ = all;
        client_.assign(all.begin(), all.begin() + 100);
        server_ = all;
        for (int i = 43; i < 100; ++i)
            server_[static_cast<std::size_t>(i)] = test::Corrected(all[static_cast<std::size_t>(i)]);

        DrawArchive a;
        test::FillArchive(a, server_);
        StdRandom random(1);
        writeFile("server.dtb", ArchiveFileImage(a, random));
        writeFile("server.txt", OperatorTextOf(server_));
        // The text cannot carry the reserved byte, so after an update from it the archive holds 0 there.
        DrawArchive fromText;
        QVERIFY(ImportOperatorText(OperatorTextOf(server_), fromText).ok);
        writeFile("fromtext.dtb", ArchiveFileImage(fromText, random));

        const std::size_t body60 = 2 + 60 * DrawRecord::Size;
        writeFile("exact.dat",
                  BuildUpdateFile(serverTail(60),
                                  "{\\rtf1 \\b limite\\b0 " + std::string(MaxUpdateFileSize - body60 - 21, 'x') + "}"));
        writeFile("big.dat", BuildUpdateFile(serverTail(60), std::string(MaxUpdateFileSize - body60 + 1, ' ')));
        auto bad = serverTail(60);
        bad[29].day = 31;
        bad[29].month = 2;
        writeFile("baddate.dat", BuildUpdateFile(bad, "{\\rtf1 messaggio che non deve arrivare}"));
        std::vector<DrawRecord> zeros(client_.end() - 60, client_.end());
        for (DrawRecord& d : zeros) d.numbers.fill(0);
        writeFile("zeros.dat", BuildUpdateFile(zeros));
        auto fewer = serverTail(60);
        for (int i = 10; i < 15; ++i)
            for (int k = 0; k < 5; ++k) fewer[static_cast<std::size_t>(i)].setNumber(11, k, 0);
        writeFile("fewer.dat", BuildUpdateFile(fewer));
        writeFile("fewermsg.dat", BuildUpdateFile(fewer, "{\\rtf1 \\b avviso\\b0}"));
        writeFile("short.dat", BuildUpdateFile(serverTail(60)).substr(0, 2 + 59 * DrawRecord::Size));
        writeFile("huge.txt", std::string(2 * 1024 * 1024, 'z'));
        std::string notice = "aaaa";
        for (int i = 1; i <= 400; ++i) notice += "Riga " + std::to_string(i) + " dell'avviso del server.\r\n";
        writeFile("long.txt", notice);
        writeFile("msg10.rtf", "{\\rtf1 ab}");
        writeFile("msg11.rtf", "{\\rtf1\\b c}");
        QCOMPARE(numora::test::ReadAll(files_->file("msg10.rtf")).size(), 10u);
        QCOMPARE(numora::test::ReadAll(files_->file("msg11.rtf")).size(), 11u);
    }

    void init() {
        app_ = std::make_unique<TempDir>();
        Globali& g = Globals();
        g.appDir = app_->path();
        g.readOnly = false;
        g.installationId = "ABCDEFGHIJ";
        g.settings = Settings{};
        test::FillArchive(g.archive, client_);
        QVERIFY(g.saveArchive());
        clientFile_ = numora::test::ReadAll(g.path(ArchiveFileName));
        messageWindow_ = std::make_unique<Tperrtf>();
        QCOMPARE(Tperrtf::instance(), messageWindow_.get());
    }

    void cleanup() {
        messageWindow_.reset();
        app_.reset();
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void controls() {
        TAggio dlg;
        QCOMPARE(dlg.windowTitle(), u"Aggiornamento diretto da Internet"_s);
        QCOMPARE(dlg.SpeedButton1->text(), u"Aggiorna"_s);
        QCOMPARE(dlg.SpeedButton1->toolTip(), u"Avvia l'aggiornamento"_s);
        QCOMPARE(dlg.SpeedButton2->text(), u"Chiudi"_s);
        QCOMPARE(dlg.SpeedButton2->toolTip(), u"Chiude la scheda"_s);
        QVERIFY(dlg.mm1->isReadOnly());
        QCOMPARE(dlg.Label3->text(), u"Numora https://www.varnel.it/numora"_s);
        QCOMPARE(dlg.findChild<QToolButton*>(u"SpeedButton1"_s), dlg.SpeedButton1);
        QCOMPARE(dlg.findChild<QPlainTextEdit*>(u"mm1"_s), dlg.mm1);

        Opened opened;
        dlg.setOpener([&](const QString& t, const QString& p) { opened.append({t, p}); });
        dlg.show();
        QTest::mouseClick(dlg.Label3, Qt::LeftButton);
        QCOMPARE(opened, (Opened{{u"https://www.varnel.it/numora"_s, QString()}}));
    }

    void closingRemovesTheWorkFiles() {
        for (const char* name : {UpdateFileName, UpdateMessageFileName, UpdateHeaderFileName})
            numora::test::WriteAll(Globals().path(name), "x");
        TAggio dlg;
        dlg.show();
        QTest::mouseClick(dlg.SpeedButton2, Qt::LeftButton);
        QVERIFY(!dlg.isVisible());
        for (const char* name : {UpdateFileName, UpdateMessageFileName, UpdateHeaderFileName})
            QVERIFY2(!FileExists(Globals().path(name)), name);
        QVERIFY(FileExists(Globals().path(ArchiveFileName)));
    }

    void fullUpdate_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("viaProxy");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QStringList>("files");
        const QString dat = u"GET /files/aggio.dat"_s;
        QTest::newRow("archive") << QStringList{u"--archive"_s, file("server.dtb")} << false << file("server.dtb")
                                 << QByteArray() << QStringList{dat};
        QTest::newRow("archive text") << QStringList{u"--text"_s, file("server.txt")} << false << file("fromtext.dtb")
                                      << QByteArray() << QStringList{dat};
        QTest::newRow("redirect and cookie")
            << QStringList{u"--archive"_s, file("server.dtb"), u"--redirect"_s, u"--require-cookie"_s} << false
            << file("server.dtb") << QByteArray() << QStringList{dat, u"GET /store/aggio.dat"_s};
        QTest::newRow("proxy") << QStringList{u"--archive"_s, file("server.dtb")} << true << file("server.dtb")
                               << QByteArray() << QStringList{dat};
        QTest::newRow("10 message bytes are no message")
            << QStringList{u"--archive"_s, file("server.dtb"), u"--message"_s, file("msg10.rtf")} << false
            << file("server.dtb") << QByteArray() << QStringList{dat};
        QTest::newRow("11 message bytes are a message")
            << QStringList{u"--archive"_s, file("server.dtb"), u"--message"_s, file("msg11.rtf")} << false
            << file("server.dtb") << QByteArray("{\\rtf1\\b c}") << QStringList{dat};
        QTest::newRow("exactly 32768 bytes")
            << QStringList{u"--raw"_s, file("exact.dat")} << false << file("server.dtb")
            << QByteArray("{\\rtf1 \\b limite") << QStringList{dat};
    }

    void fullUpdate() {
        QFETCH(QStringList, args);
        QFETCH(bool, viaProxy);
        QFETCH(QString, expected);
        QFETCH(QByteArray, message);
        QFETCH(QStringList, files);

        UpdateServer server;
        QVERIFY2(server.start(args), qPrintable(server.errors()));
        LoopbackProxy proxy;
        Globali& g = Globals();
        g.settings.updateServer = server.base().toStdString();
        if (viaProxy) {
            QVERIFY(proxy.listen(QHostAddress::LocalHost, 0));
            g.settings.proxyServer = "127.0.0.1";
            g.settings.proxyPorta = std::to_string(proxy.serverPort());
        }

        MessageBoxHook hook;
        MessageWatch watch;
        QTimer poll;
        watchMessages(poll, watch);
        TAggio dlg;
        Opened opened;
        dlg.setOpener([&](const QString& t, const QString& p) { opened.append({t, p}); });
        QStringList texts;
        connect(dlg.mm1, &QPlainTextEdit::textChanged, &dlg, [&] { texts << dlg.mm1->toPlainText(); });
        dlg.show();
        QTest::mouseClick(dlg.SpeedButton1, Qt::LeftButton);
        poll.stop();

        // While each request runs the text says whom it waits for.
        const QString host = QUrl(server.base()).host();
        QVERIFY(texts.contains(u"Connessione a "_s + host + u" in corso..."_s));
        QVERIFY(texts.contains(u"%1\n%2\nConnessione a %3 in corso..."_s.arg(Connected, Started, host)));
        QCOMPARE(Lines(dlg), (QStringList{Connected, Started, QString(), u"Nº di nuove estrazioni: 3"_s,
                                          u"Nº di estrazioni modificate: 57"_s}));
        QCOMPARE(dlg.lastError(), QString());
        QCOMPARE(hook.count(), 0);
        QVERIFY(opened.isEmpty());
        // The report stays until the player closes it.
        QVERIFY(dlg.isVisible());
        QTest::mouseClick(dlg.SpeedButton2, Qt::LeftButton);
        QVERIFY(!dlg.isVisible());

        // The 57 known draws are overwritten with the file's versions, 3 are added.
        const std::string after = numora::test::ReadAll(g.path(ArchiveFileName));
        QCOMPARE(Tail19(after), Tail19(numora::test::ReadAll(expected.toStdString())));
        QCOMPARE(g.archive.count(), 103);
        DelayTable delays;
        FrequencyTable frequencies;
        RebuildDerivedTables(g.archive, delays, frequencies);
        QVERIFY(delays == g.delays);
        QVERIFY(frequencies == g.frequencies);

        if (message.isEmpty()) {
            QCOMPARE(watch.shown, 0);
        } else {
            QCOMPARE(watch.shown, 1);
            QVERIFY(watch.fileExisted);
            QVERIFY(QByteArray::fromStdString(watch.fileBytes).startsWith(message));
            QVERIFY(watch.boldSeen);
            QVERIFY(!watch.text.contains(u"rtf"_s));
        }
        for (const char* name : {UpdateFileName, UpdateMessageFileName}) QVERIFY2(!FileExists(g.path(name)), name);

        // Qt may send a GET again on a fresh connection when the kept one closes under it.
        QStringList requests = server.requests();
        requests.erase(std::unique(requests.begin(), requests.end()), requests.end());
        QCOMPARE(requests, QStringList{Query} + files);
        if (viaProxy) {
            QCOMPARE(proxy.requestLines.size(), 1 + files.size());
            QCOMPARE(proxy.requestLines.first(), u"GET "_s + server.base().chopped(1) + Query.mid(4) + u" HTTP/1.1"_s);
            const QByteArray head = proxy.requestHeads.first().toLower();
            QVERIFY(head.contains("\r\naccept: text/html, */*"));
            QVERIFY(head.contains("\r\ncontent-type: text/html"));
            QVERIFY(head.contains("\r\nuser-agent: mozilla/5.0"));
            QVERIFY(head.contains("\r\nreferer: https://www.varnel.it/numora/"));
        }
    }

    void refusals_data() {
        QTest::addColumn<QStringList>("args"); // empty: no server at all
        QTest::addColumn<QString>("proxy");    // "" direct, "dead" a proxy port where nothing listens
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("reason"); // how the last line begins
        const QStringList afterQuery = QStringList{Connected, Started} + FailureLines();
        const QString over = u"Motivo: la risposta supera i 32768 byte"_s;
        QTest::newRow("49 draws") << QStringList{u"--archive"_s, file("server.dtb"), u"--count"_s, u"49"_s,
                                                 u"--allow-short"_s}
                                  << QString() << afterQuery
                                  << u"Motivo: il file di aggiornamento contiene solo 49 estrazioni"_s;
        QTest::newRow("body over 32768 bytes")
            << QStringList{u"--raw"_s, file("big.dat")} << QString() << afterQuery << over;
        QTest::newRow("impossible date") << QStringList{u"--raw"_s, file("baddate.dat")} << QString() << afterQuery
                                         << u"Motivo: l'estrazione 30 ha la data impossibile 31/2/"_s;
        QTest::newRow("file shorter than its count")
            << QStringList{u"--raw"_s, file("short.dat")} << QString() << afterQuery
            << u"Motivo: il file di aggiornamento è incompleto"_s;
        QTest::newRow("download cut short")
            << QStringList{u"--archive"_s, file("server.dtb"), u"--cut-file"_s, u"1000"_s} << QString() << afterQuery
            << u"Motivo: la risposta è incompleta: 1000 byte dei 3602 annunciati"_s;
        QTest::newRow("redirect loop") << QStringList{u"--archive"_s, file("server.dtb"), u"--redirect-loop"_s}
                                       << QString() << afterQuery
                                       << u"Motivo: il server rimanda ad altri indirizzi senza fine"_s;
        QTest::newRow("query reply of 2 MB")
            << QStringList{u"--notice-file"_s, file("huge.txt")} << QString() << FailureLines() << over;
        QTest::newRow("HTTP 500") << QStringList{u"--status"_s, u"500"_s} << QString() << FailureLines()
                                  << u"Motivo: risposta HTTP 500"_s;
        QTest::newRow("HTTP 404") << QStringList{u"--status"_s, u"404"_s} << QString() << FailureLines()
                                  << u"Motivo: risposta HTTP 404"_s;
        QTest::newRow("connection refused")
            << QStringList() << QString() << FailureLines() << u"Motivo: il server ha rifiutato la connessione"_s;
        QTest::newRow("proxy not there") << QStringList{u"--archive"_s, file("server.dtb")} << u"dead"_s
                                         << FailureLines() << u"Motivo: il proxy ha rifiutato la connessione"_s;
    }

    void refusals() {
        QFETCH(QStringList, args);
        QFETCH(QString, proxy);
        QFETCH(QStringList, lines);
        QFETCH(QString, reason);

        UpdateServer server;
        Globali& g = Globals();
        if (args.isEmpty()) {
            g.settings.updateServer = "http://127.0.0.1:" + std::to_string(test::ClosedPort()) + "/";
        } else {
            QVERIFY2(server.start(args), qPrintable(server.errors()));
            g.settings.updateServer = server.base().toStdString();
        }
        if (proxy == u"dead"_s) {
            g.settings.proxyServer = "127.0.0.1";
            g.settings.proxyPorta = std::to_string(test::ClosedPort());
        }

        MessageBoxHook hook;
        MessageWatch watch;
        QTimer poll;
        watchMessages(poll, watch);
        TAggio dlg;
        dlg.show();
        QTest::mouseClick(dlg.SpeedButton1, Qt::LeftButton);
        poll.stop();

        QStringList shown = Lines(dlg);
        QVERIFY2(shown.size() == lines.size() + 1 && shown.last().startsWith(reason), qPrintable(shown.last()));
        QCOMPARE(shown.last(), u"Motivo: "_s + dlg.lastError());
        shown.removeLast();
        QCOMPARE(shown, lines);
        QVERIFY(!dlg.lastError().isEmpty());
        QCOMPARE(hook.count(), 0);
        QCOMPARE(watch.shown, 0);
        QVERIFY(dlg.isVisible());
        QVERIFY(dlg.SpeedButton1->isEnabled());
        QVERIFY(dlg.SpeedButton2->isEnabled());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        expectArchiveUnchanged();
        QVERIFY(!FileExists(g.path(UpdateMessageFileName)));

        // The dialog stays for another try; closing it clears what the try left.
        QTest::mouseClick(dlg.SpeedButton2, Qt::LeftButton);
        QVERIFY(!dlg.isVisible());
        QVERIFY(!FileExists(g.path(UpdateFileName)));
    }

    void notices_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<Opened>("opened");
        QTest::newRow("AA target AA grazie") << u"AAhttp://127.0.0.1:9/avvisoAAgrazie"_s << QStringList{u"grazie"_s}
                                             << Opened{{u"http://127.0.0.1:9/avviso"_s, QString()}};
        QTest::newRow("aa doc bb param bb aa")
            << u"aadocbbparambbaa"_s << QStringList() << Opened{{u"doc"_s, u"param"_s}};
        QTest::newRow("anything else") << u"Servizio sospeso fino a lunedì"_s
                                       << QStringList{u"Servizio sospeso fino a lunedì"_s} << Opened{};
    }

    void notices() {
        QFETCH(QString, reply);
        QFETCH(QStringList, boxes);
        QFETCH(Opened, opened);

        UpdateServer server;
        QVERIFY2(server.start({u"--notice"_s, reply, u"--archive"_s, file("server.dtb")}), qPrintable(server.errors()));
        Globals().settings.updateServer = server.base().toStdString();

        MessageBoxHook hook;
        TAggio dlg;
        Opened calls;
        dlg.setOpener([&](const QString& t, const QString& p) { calls.append({t, p}); });
        dlg.show();
        QTest::mouseClick(dlg.SpeedButton1, Qt::LeftButton);

        QCOMPARE(Lines(dlg), QStringList{Connected});
        QStringList shown;
        for (const ShownMessage& m : hook.shown()) {
            QCOMPARE(m.caption, u"Attenzione"_s);
            QCOMPARE(m.icon, MsgIcon::Warning);
            shown << m.text;
        }
        QCOMPARE(shown, boxes);
        QCOMPARE(calls, opened);
        QVERIFY(!dlg.isVisible());
        expectArchiveUnchanged();
        QCOMPARE(server.requests(), QStringList{Query});
    }

    // A notice may name a web address or a document; whatever names a program starts nothing.
    void noticesNeverStartPrograms_data() {
        QTest::addColumn<QString>("target"); // "APP/" stands for AppDir
        QTest::addColumn<QString>("opened"); // what reaches the desktop; empty: nothing
        const QString sh = u"/bin/shbb-c \"touch APP/avviato\"bb"_s;
        QTest::newRow("/bin/sh with parameters") << sh << QString();
        QTest::newRow("file address of /bin/sh") << u"file://"_s + sh << QString();
        QTest::newRow("program named as a document") << u"leggimi.pdfbbAPP/avviatobb"_s << QString();
        QTest::newRow("web address") << u"https://www.varnel.it/novita.html"_s
                                     << u"https://www.varnel.it/novita.html"_s;
        QTest::newRow("document beside the program") << u"note.txtbbxbb"_s << u"file://APP/note.txt"_s;
    }
    void noticesNeverStartPrograms() {
        QFETCH(QString, target);
        QFETCH(QString, opened);
        const QString app = QString::fromStdString(Globals().appDir);
        const std::string script = "#!/bin/sh\ntouch \"$1\"\n";
        numora::test::WriteAll(Globals().path("note.txt"), script);
        numora::test::WriteAll(Globals().path("leggimi.pdf"), script);
        QFile::setPermissions(app + u"leggimi.pdf"_s, QFile::ReadOwner | QFile::ExeOwner);
        QList<QUrl> desktop;
        SetUrlHandler([&](const QUrl& url) { return desktop.append(url), true; });
        MessageBoxHook hook;
        UpdateServer server;
        TAggio dlg;
        QVERIFY(runAgainst(server, {u"--notice"_s, u"aa"_s + QString(target).replace(u"APP/"_s, app) + u"aa"_s}, dlg));
        SetUrlHandler({});
        // A started program would leave its mark within moments.
        for (int i = 0; i < 10 && !FileExists(Globals().path("avviato")); ++i) QTest::qWait(100);
        QVERIFY(!FileExists(Globals().path("avviato")));
        QCOMPARE(desktop, opened.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(opened.replace(u"APP/"_s, app))});
        QCOMPARE(hook.count() == 1 && hook.last().text.contains(u"non è stato aperto"_s), opened.isEmpty());
        expectArchiveUnchanged();
    }

    // A draw of the update never replaces a stored one with fewer drawn wheels.
    void updateNeverEmptiesStoredDraws_data() {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<int>("added");
        QTest::addColumn<int>("refused");
        QTest::addColumn<int>("changed");
        QTest::newRow("stored dates with every number 0") << file("zeros.dat") << 0 << 60 << 0;
        QTest::newRow("national wheel missing on 5 stored dates") << file("fewer.dat") << 3 << 5 << 52;
    }
    void updateNeverEmptiesStoredDraws() {
        QFETCH(QString, raw);
        QFETCH(int, added);
        QFETCH(int, refused);
        QFETCH(int, changed);
        MessageBoxHook hook;
        UpdateServer server;
        TAggio dlg;
        QVERIFY(runAgainst(server, {u"--raw"_s, raw}, dlg));
        QStringList report{Connected, Started, QString(), u"Nº di nuove estrazioni: %1"_s.arg(added)};
        // The stored dates the file corrects without emptying a wheel count as changed.
        if (changed > 0) report << u"Nº di estrazioni modificate: %1"_s.arg(changed);
        report << u"Nº di estrazioni rifiutate (con meno ruote di quelle in archivio): "_s + QString::number(refused);
        QCOMPARE(Lines(dlg), report);
        QVERIFY(dlg.isVisible());
        if (added == 0) return expectArchiveUnchanged();
        QCOMPARE(Globals().archive.count(), 103);
        for (std::size_t i = 0; i < 103; ++i)
            QCOMPARE(Globals().archive.draw(int(i) + 1), i < 43 || (i >= 53 && i <= 57) ? all_[i] : server_[i]);
    }

    // The message of an update whose draws were partly refused is gone once read, and no later
    // reply can hand a file the update wrote to the desktop.
    void aServerWrittenFileIsNeverOpened() {
        MessageBoxHook hook;
        MessageWatch watch;
        QTimer poll;
        watchMessages(poll, watch);
        UpdateServer server;
        TAggio dlg;
        QVERIFY(runAgainst(server, {u"--raw"_s, file("fewermsg.dat")}, dlg));
        poll.stop();
        QCOMPARE(watch.shown, 1);
        QVERIFY(watch.fileExisted);
        QVERIFY(dlg.isVisible());
        QVERIFY(!FileExists(Globals().path(UpdateMessageFileName)));
        numora::test::WriteAll(Globals().path(UpdateMessageFileName), "{\\rtf1 x}");
        for (const QString& name : {u"Msg.rtf"_s, u"./Msg.rtf"_s, u"aggio.dat"_s,
                                    QString::fromStdString(Globals().path(UpdateMessageFileName))}) {
            UpdateServer notice;
            TAggio again;
            Opened calls;
            again.setOpener([&](const QString& t, const QString& p) { calls.append({t, p}); });
            QVERIFY(runAgainst(notice, {u"--notice"_s, u"aa"_s + name + u"aa"_s}, again));
            QVERIFY2(calls.isEmpty(), qPrintable(name));
            QVERIFY(!hook.shown().empty());
            QVERIFY2(hook.last().text.contains(u"scritto dall'aggiornamento"_s), qPrintable(hook.last().text));
        }
    }

    // A reply whose chunked body never ends is refused as soon as it passes the limit, holding no
    // more than a bounded buffer of it meanwhile.
    void endlessChunkedReplyIsRefusedAtTheLimit_data() {
        QTest::addColumn<QByteArray>("head");  // sent once, after the status line
        QTest::addColumn<QByteArray>("piece"); // sent again and again
        QTest::newRow("chunks of 64 KB") << QByteArray()
                                         << QByteArray::number(65536, 16) + "\r\n" + QByteArray(65536, 'z') + "\r\n";
        QByteArray tiny;
        for (int i = 0; i < 4096; ++i) tiny += "1\r\nz\r\n";
        QTest::newRow("chunks of 1 byte") << QByteArray() << tiny;
        QTest::newRow("one endless chunk") << QByteArray("7fffffff\r\n") << QByteArray(65536, 'z');
    }
    void endlessChunkedReplyIsRefusedAtTheLimit() {
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, piece);
        // The server pumps from a thread of its own, as a remote one would, whatever the
        // program's thread is doing.
        std::atomic<qint64> sent = 0;
        std::atomic<int> port = 0;
        constexpr qint64 Cap = 256ll << 20; // the server gives up past this
        std::unique_ptr<QThread> thread(QThread::create([&] {
            QTcpServer endless;
            endless.listen(QHostAddress::LocalHost, 0);
            QObject::connect(&endless, &QTcpServer::newConnection, &endless, [&] {
                QTcpSocket* s = endless.nextPendingConnection();
                auto pump = [s, &sent, piece] {
                    while (s->state() == QAbstractSocket::ConnectedState && s->bytesToWrite() < (1 << 20) && sent < Cap)
                        s->write(piece);
                };
                QObject::connect(s, &QTcpSocket::readyRead, s, [s, pump, head] {
                    if (!s->readAll().contains("GET ")) return;
                    s->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nTransfer-Encoding: chunked\r\n\r\n" + head);
                    pump();
                });
                QObject::connect(s, &QTcpSocket::bytesWritten, s, [&sent, pump](qint64 n) { sent += n, pump(); });
            });
            port = endless.serverPort();
            QEventLoop loop; // ends with thread->quit()
            loop.exec();
        }));
        thread->start();
        for (int i = 0; i < 100 && port == 0; ++i) QThread::msleep(20);
        QVERIFY(port != 0);
        Globals().settings.updateServer = "http://127.0.0.1:" + std::to_string(port) + "/";
        const long before = VmRssKb();
        MessageBoxHook hook;
        TAggio dlg;
        dlg.setTimeout(20000);
        dlg.show();
        QTest::mouseClick(dlg.SpeedButton1, Qt::LeftButton);
        const long rss = VmRssKb();
        thread->quit();
        thread->wait();
        qInfo("client VmRSS %ld kB before, %ld kB after an endless chunked reply; the server sent %lld kB", before, rss,
              sent.load() / 1024);
        QCOMPARE(dlg.lastError(), u"la risposta supera i 32768 byte"_s);
        QVERIFY2(sent < 16ll << 20, qPrintable(QString::number(sent.load())));
#if !defined(__SANITIZE_ADDRESS__)
        QVERIFY2(rss - before < 16 * 1024, qPrintable(QString::number(rss - before)));
#endif
        expectArchiveUnchanged();
    }

    // A long notice scrolls inside a box that fits the screen.
    void longNoticeScrollsInsideTheScreen() {
        MessageBoxHook hook;
        bool seen = false;
        QTimer poll;
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* notice = qobject_cast<TAvviso*>(QApplication::activeModalWidget());
            if (!notice || !notice->isVisible()) return;
            poll.stop();
            seen = true;
            // NUMORA_HOLD_MS keeps the box up for a look at it.
            QTimer::singleShot(qEnvironmentVariableIntValue("NUMORA_HOLD_MS"), notice->OK, &QPushButton::click);
            QVERIFY(notice->screen()->availableGeometry().contains(notice->frameGeometry()));
            QVERIFY(notice->Testo->verticalScrollBar()->maximum() > 0);
            QVERIFY(notice->Testo->toPlainText().startsWith(u"Riga 1 dell'avviso del server.\nRiga 2 "_s));
            QVERIFY(notice->Testo->toPlainText().endsWith(u"Riga 400 dell'avviso del server.\n"_s));
        });
        poll.start();
        UpdateServer server;
        TAggio dlg;
        QVERIFY(runAgainst(server, {u"--notice-file"_s, file("long.txt")}, dlg));
        QVERIFY(seen);
        QCOMPARE(hook.count(), 0);
        expectArchiveUnchanged();
    }

    void serverThatNeverAnswers() {
        UpdateServer server;
        QVERIFY2(server.start({u"--silent"_s}), qPrintable(server.errors()));
        Globals().settings.updateServer = server.base().toStdString();

        MessageBoxHook hook;
        TAggio dlg;
        dlg.setTimeout(2000);
        dlg.show();
        // While the request waits the program keeps running: timers fire, the controls are
        // disabled, the hourglass shows and the dialog refuses to close.
        bool sawWaiting = false;
        bool stayedOpen = false;
        QTimer::singleShot(300, &dlg, [&] {
            sawWaiting = dlg.busy() && !dlg.SpeedButton1->isEnabled() && dlg.SpeedButton2->isEnabled() &&
                         dlg.SpeedButton2->text() == u"Annulla"_s && QApplication::overrideCursor() &&
                         QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            dlg.close();
            dlg.reject();
            stayedOpen = dlg.isVisible();
        });
        QElapsedTimer elapsed;
        elapsed.start();
        QTest::mouseClick(dlg.SpeedButton1, Qt::LeftButton);
        const qint64 ms = elapsed.elapsed();

        QVERIFY(sawWaiting);
        QVERIFY(stayedOpen);
        QVERIFY2(ms >= 1900 && ms < 30000, qPrintable(QString::number(ms)));
        QCOMPARE(Lines(dlg), FailureLines() << u"Motivo: nessuna risposta entro 2000 ms"_s);
        QVERIFY(dlg.isVisible());
        QVERIFY(dlg.SpeedButton1->isEnabled());
        expectArchiveUnchanged();
    }

    // "Annulla" stops a request that hangs, at either step, without waiting for the time-out.
    void cancelStopsAHangingRequest_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("query") << QStringList{u"--silent"_s} << FailureLines();
        QTest::newRow("file") << QStringList{u"--archive"_s, file("server.dtb"), u"--stall-file"_s}
                              << QStringList{Connected, Started} + FailureLines();
    }
    void cancelStopsAHangingRequest() {
        QFETCH(QStringList, args);
        QFETCH(QStringList, lines);
        MessageBoxHook hook;
        UpdateServer server;
        TAggio dlg;
        QTimer poll;
        poll.setInterval(50);
        connect(&poll, &QTimer::timeout, &dlg, [&] {
            // The file request hangs only once the query has been answered.
            if (dlg.busy() && (args.first() == u"--silent"_s || Lines(dlg).contains(Started)))
                QTest::mouseClick(dlg.SpeedButton2, Qt::LeftButton);
        });
        poll.start();
        QVERIFY(runAgainst(server, args, dlg));
        QCOMPARE(Lines(dlg), lines << u"Motivo: richiesta annullata dall'utente"_s);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.SpeedButton2->text(), u"Chiudi"_s);
        QVERIFY(dlg.SpeedButton1->isEnabled() && dlg.SpeedButton2->isEnabled());
        expectArchiveUnchanged();
    }

    void saveFailureKeepsTheArchive() {
        UpdateServer server;
        QVERIFY2(server.start({u"--archive"_s, file("server.dtb")}), qPrintable(server.errors()));
        Globali& g = Globals();
        g.settings.updateServer = server.base().toStdString();
        // A folder where the archive should be: the file cannot be replaced.
        const std::string archivePath = g.path(ArchiveFileName);
        const std::string saved = numora::test::ReadAll(archivePath);
        RemoveFile(archivePath);
        QVERIFY(QDir().mkdir(QString::fromStdString(archivePath)));
        QDir(QString::fromStdString(archivePath)).mkdir(u"occupato"_s);

        MessageBoxHook hook;
        TAggio dlg;
        dlg.show();
        QTest::mouseClick(dlg.SpeedButton1, Qt::LeftButton);
        QCOMPARE(Lines(dlg), (QStringList{Connected, Started} + FailureLines()
                              << u"Motivo: impossibile scrivere "_s + QString::fromStdString(archivePath)));
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().icon, MsgIcon::Error);
        QCOMPARE(g.archive.count(), 100);
        QCOMPARE(g.archive.draw(60), client_[59]);
        QVERIFY(dlg.isVisible());
        QDir(QString::fromStdString(archivePath)).removeRecursively();
        numora::test::WriteAll(archivePath, saved);
    }
};

QTEST_MAIN(TestAggio)
#include "tst_aggio.moc"
