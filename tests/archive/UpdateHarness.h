#pragma once

// An update server process and a loopback HTTP proxy for the window tests of the update.

#include "support/TestSupport.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

#include <memory>
#include <vector>

namespace numora::test {

// numora-update-server on a free port of 127.0.0.1, stopped when the object dies.
class UpdateServer {
public:
    UpdateServer() = default;
    UpdateServer(const UpdateServer&) = delete;
    UpdateServer& operator=(const UpdateServer&) = delete;
    ~UpdateServer() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    bool start(const QStringList& args) {
        process_.setProgram(QString::fromStdString(BinDir() + "numora-update-server"));
        process_.setArguments(args + QStringList{QStringLiteral("--port"), QStringLiteral("0")});
        process_.start();
        if (!process_.waitForStarted(10000)) return false;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 15000) {
            process_.waitForReadyRead(100);
            out_ += process_.readAllStandardOutput();
            const qsizetype nl = out_.indexOf('\n');
            if (nl >= 0) {
                const QByteArray first = out_.left(nl);
                out_.remove(0, nl + 1);
                if (!first.startsWith("listening on ")) return false;
                port_ = first.mid(13).trimmed().toInt();
                return port_ > 0;
            }
            if (process_.state() == QProcess::NotRunning) break;
        }
        return false;
    }
    QString errors() { return QString::fromUtf8(process_.readAllStandardError()); }
    int port() const { return port_; }
    qint64 pid() const { return process_.processId(); }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1/").arg(port_); }

    // The request lines the server printed so far.
    QStringList requests() {
        while (process_.waitForReadyRead(100)) {
        }
        out_ += process_.readAllStandardOutput();
        return QString::fromUtf8(out_).split(QChar(u'\n'), Qt::SkipEmptyParts);
    }

private:
    QProcess process_;
    QByteArray out_;
    int port_ = 0;
};

// A port on which nothing listens (taken and given back at once).
inline int ClosedPort() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    const int port = s.serverPort();
    s.close();
    return port;
}

// Forwards absolute-URI GETs to their server, one request per connection, and records them.
class LoopbackProxy : public QTcpServer {
public:
    QStringList requestLines;
    QList<QByteArray> requestHeads;

protected:
    void incomingConnection(qintptr handle) override {
        auto* client = new QTcpSocket(this);
        client->setSocketDescriptor(handle);
        auto request = std::make_shared<QByteArray>();
        connect(client, &QTcpSocket::readyRead, this, [this, client, request] {
            if (client->property("forwarded").toBool()) {
                client->readAll();
                return;
            }
            *request += client->readAll();
            const qsizetype end = request->indexOf("\r\n\r\n");
            if (end < 0) return;
            client->setProperty("forwarded", true);
            forward(client, request->left(end));
        });
        connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
    }

private:
    void forward(QTcpSocket* client, const QByteArray& head) {
        requestHeads << head;
        const QList<QByteArray> lines = head.split('\n');
        const QList<QByteArray> parts = lines.value(0).trimmed().split(' ');
        requestLines << QString::fromLatin1(lines.value(0).trimmed());
        const QUrl url(QString::fromLatin1(parts.value(1)));
        QByteArray upstreamHead = parts.value(0) + ' ' + url.path(QUrl::FullyEncoded).toLatin1();
        if (url.hasQuery()) upstreamHead += '?' + url.query(QUrl::FullyEncoded).toLatin1();
        upstreamHead += " HTTP/1.1\r\n";
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray l = lines[i].trimmed();
            const QByteArray name = l.left(l.indexOf(':')).toLower();
            if (l.isEmpty() || name == "connection" || name == "proxy-connection" || name == "keep-alive") continue;
            upstreamHead += l + "\r\n";
        }
        upstreamHead += "Connection: close\r\n\r\n";

        auto* upstream = new QTcpSocket(client);
        auto response = std::make_shared<QByteArray>();
        auto deliver = [client, response] {
            if (client->property("delivered").toBool()) return;
            client->setProperty("delivered", true);
            QByteArray r = *response;
            const qsizetype eol = r.indexOf("\r\n");
            if (eol >= 0) r.insert(eol + 2, "Connection: close\r\n");
            client->write(r);
            client->disconnectFromHost();
        };
        connect(upstream, &QTcpSocket::connected, upstream,
                [upstream, upstreamHead] { upstream->write(upstreamHead); });
        connect(upstream, &QTcpSocket::readyRead, upstream, [upstream, response, deliver] {
            *response += upstream->readAll();
            const qsizetype end = response->indexOf("\r\n\r\n");
            if (end < 0) return;
            const QByteArray lower = response->left(end).toLower();
            const qsizetype at = lower.indexOf("content-length:");
            if (at < 0) return;
            const qsizetype eol = lower.indexOf("\r\n", at);
            const qsizetype length = lower.mid(at + 15, eol - at - 15).trimmed().toLongLong();
            if (response->size() >= end + 4 + length) deliver();
        });
        connect(upstream, &QTcpSocket::disconnected, upstream, deliver);
        connect(upstream, &QTcpSocket::errorOccurred, upstream, [client](QAbstractSocket::SocketError e) {
            if (e != QAbstractSocket::RemoteHostClosedError && !client->property("delivered").toBool()) client->abort();
        });
        upstream->connectToHost(url.host(), static_cast<quint16>(url.port(80)));
    }
};

} // namespace numora::test
