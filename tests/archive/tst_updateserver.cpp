// numora-update-server as a client on the internet meets it: the protocol, the limits, and a
// load of many clients at once with many idle connections held open.

#include "archive/UpdateHarness.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using numora::test::UpdateServer;

namespace {

// What came back on one connection, and whether the server ended it.
struct Exchange {
    QByteArray reply;
    bool closed = false;
};

// Sends the bytes and reads until the server closes or `ms` pass without it.
Exchange Talk(int port, const QByteArray& bytes, int ms = 3000) {
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    Exchange e;
    if (!s.waitForConnected(5000)) return e;
    for (qsizetype at = 0; at < bytes.size() && s.state() == QAbstractSocket::ConnectedState; at += 65536) {
        s.write(bytes.mid(at, 65536));
        s.waitForBytesWritten(1000);
        e.reply += s.readAll();
    }
    QElapsedTimer t;
    t.start();
    while (s.state() == QAbstractSocket::ConnectedState && t.elapsed() < ms) {
        s.waitForReadyRead(100);
        e.reply += s.readAll();
    }
    e.reply += s.readAll();
    e.closed = s.state() != QAbstractSocket::ConnectedState;
    return e;
}

long VmRssKb(qint64 pid) {
    QFile f(u"/proc/%1/status"_s.arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmRSS:")) return l.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

} // namespace

class TestUpdateServer : public QObject {
    Q_OBJECT
    UpdateServer server_;

private slots:
    void initTestCase() {
        QVERIFY2(server_.start({u"--notice"_s, u"http://127.0.0.1:1/"_s, u"--idle-timeout"_s, u"3000"_s}),
                 qPrintable(server_.errors()));
    }

    void protocol_data() {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("status");   // how the reply begins
        QTest::addColumn<int>("replies");         // status lines in the reply
        QTest::addColumn<bool>("closed");         // ended by the server before the idle time-out
        const QByteArray get = "GET /aggiorna.php HTTP/1.1\r\nHost: h\r\n";
        QTest::newRow("HTTP/1.0 is answered in 1.0 and closed")
            << QByteArray("GET /aggiorna.php HTTP/1.0\r\n\r\n") << QByteArray("HTTP/1.0 200 OK\r\n") << 1 << true;
        QTest::newRow("Connection: close") << get + "Connection: close\r\n\r\n" << QByteArray("HTTP/1.1 200") << 1 << true;
        QTest::newRow("keep-alive serves one request after another")
            << get + "\r\n" + get + "Connection: close\r\n\r\n" << QByteArray("HTTP/1.1 200") << 2 << true;
        QTest::newRow("headers of 1 MB") << get + "X-Riempi: " + QByteArray(1 << 20, 'x') + "\r\n\r\n"
                                         << QByteArray("HTTP/1.1 431") << 1 << true;
        QTest::newRow("body of 10 MB announced") << get + "Content-Length: 10000000\r\n\r\n"
                                                 << QByteArray("HTTP/1.1 413") << 1 << true;
        QTest::newRow("half a request, then silence") << QByteArray("GET /aggiorna.php HTTP/1.1\r\nHost:")
                                                      << QByteArray("HTTP/1.1 408") << 1 << true;
        QTest::newRow("idle connection") << QByteArray() << QByteArray() << 0 << true;
    }
    void protocol() {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, status);
        QFETCH(int, replies);
        QFETCH(bool, closed);
        const Exchange e = Talk(server_.port(), request, 6000);
        QVERIFY2(e.reply.startsWith(status), e.reply.left(80).constData());
        QCOMPARE(int(e.reply.count("HTTP/1.")), replies);
        QCOMPARE(int(e.reply.count("\r\nCache-Control: no-store\r\n")), replies);
        QCOMPARE(e.closed, closed);
    }

    // The address handed out never comes from the client's Host header.
    void addressesIgnoreTheHostHeader_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("address"); // "BASE" stands for http://127.0.0.1:PORT/
        QTest::newRow("listening address") << QStringList() << u"BASEfiles/"_s;
        QTest::newRow("--base-url") << QStringList{u"--base-url"_s, u"https://agg.example/numora"_s}
                                    << u"https://agg.example/numora/files/"_s;
    }
    void addressesIgnoreTheHostHeader() {
        QFETCH(QStringList, args);
        QFETCH(QString, address);
        numora::test::TempDir dir;
        numora::test::WriteAll(dir.file("aggio.dat"), "x");
        UpdateServer server;
        QVERIFY(server.start(args + QStringList{u"--raw"_s, QString::fromStdString(dir.file("aggio.dat"))}));
        const Exchange e = Talk(server.port(), "GET /aggiorna.php HTTP/1.0\r\nHost: evil.example:666\r\n\r\n");
        QVERIFY2(e.reply.endsWith("\r\n\r\n" + address.replace(u"BASE"_s, server.base()).toLatin1()),
                 e.reply.constData());
    }

    // 1000 requests over 100 parallel keep-alive connections while 300 idle ones are held: all
    // are answered, and the idle ones are closed by the server.
    void loadWithIdleConnections() {
        std::vector<std::unique_ptr<QTcpSocket>> idle, busy;
        for (int i = 0; i < 300; ++i) {
            idle.push_back(std::make_unique<QTcpSocket>());
            idle.back()->connectToHost(QHostAddress::LocalHost, static_cast<quint16>(server_.port()));
        }
        const QByteArray request = "GET /aggiorna.php?idi=carico HTTP/1.1\r\nHost: h\r\n\r\n";
        int answered = 0;
        std::vector<int> sent(100, 0);
        std::vector<QByteArray> in(100);
        QElapsedTimer clock;
        clock.start();
        for (int c = 0; c < 100; ++c) {
            busy.push_back(std::make_unique<QTcpSocket>());
            QTcpSocket* s = busy.back().get();
            connect(s, &QTcpSocket::connected, s, [s, &request, &sent, c] { s->write(request), ++sent[c]; });
            connect(s, &QTcpSocket::readyRead, s, [s, &request, &sent, &in, &answered, c] {
                in[c] += s->readAll();
                for (qsizetype end; (end = in[c].indexOf("http://127.0.0.1:1/")) >= 0;) {
                    in[c].remove(0, end + 19);
                    if (++answered, sent[c] < 10) s->write(request), ++sent[c];
                }
            });
            s->connectToHost(QHostAddress::LocalHost, static_cast<quint16>(server_.port()));
        }
        for (int i = 0; i < 1200 && answered < 1000; ++i) QTest::qWait(50);
        const qint64 ms = clock.elapsed();
        QCOMPARE(answered, 1000);
        qInfo("%d requests in %lld ms: %.0f requests per second; server VmRSS %ld kB with 300 idle connections",
              answered, ms, answered * 1000.0 / double(std::max<qint64>(ms, 1)), VmRssKb(server_.pid()));
        auto open = [&] {
            return std::count_if(idle.begin(), idle.end(),
                                 [](const auto& s) { return s->state() == QAbstractSocket::ConnectedState; });
        };
        for (int i = 0; i < 200 && open() > 0; ++i) QTest::qWait(50);
        QCOMPARE(open(), 0);
        // The server still answers, and 1 MB of headers on each of 20 connections does not grow it.
        for (int i = 0; i < 20; ++i)
            QVERIFY(Talk(server_.port(), "GET / HTTP/1.1\r\nX: " + QByteArray(1 << 20, 'h')).reply.startsWith("HTTP/1.1 431"));
        const long rss = VmRssKb(server_.pid());
        qInfo("server VmRSS %ld kB after the header flood", rss);
        QVERIFY2(rss < 64 * 1024, qPrintable(QString::number(rss)));
    }
};

QTEST_MAIN(TestUpdateServer)
#include "tst_updateserver.moc"
