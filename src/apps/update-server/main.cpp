// numora-update-server: the maker's update server. It tells the program where the current
// update file is (or gives it a notice) and serves that file, built from an archive.

#include "archive/UpdateFile.h"
#include "core/DrawArchive.h"
#include "core/FileIo.h"
#include "core/OperatorImport.h"
#include "core/TextHelpers.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

using namespace Qt::StringLiterals;
using namespace numora;

namespace {

constexpr std::size_t MaxInputFile = 64u * 1024u * 1024u;
const QByteArray CookieName = QByteArrayLiteral("numora_sessione");

void Print(const QString& line) {
    const QByteArray b = line.toUtf8();
    std::fwrite(b.constData(), 1, static_cast<std::size_t>(b.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

[[noreturn]] void Die(const QString& message) {
    const QByteArray b = (u"numora-update-server: "_s + message).toUtf8();
    std::fprintf(stderr, "%s\n", b.constData());
    std::exit(2);
}

std::optional<std::string> ReadInput(const QString& path) {
    const std::string p = path.toStdString();
    if (!FileExists(p)) return std::nullopt;
    return ReadFileBytes(p, MaxInputFile);
}

// The update file from the options, or the reason it cannot be built.
std::string BuildFromOptions(const QCommandLineParser& args) {
    if (args.isSet(u"raw"_s)) {
        auto raw = ReadInput(args.value(u"raw"_s));
        if (!raw) Die(u"cannot read "_s + args.value(u"raw"_s));
        return *raw;
    }
    DrawArchive archive;
    if (args.isSet(u"archive"_s)) {
        DelayTable delays;
        FrequencyTable frequencies;
        if (!LoadArchive(args.value(u"archive"_s).toStdString(), archive, delays, frequencies))
            Die(u"cannot read "_s + args.value(u"archive"_s));
    } else {
        auto text = ReadInput(args.value(u"text"_s));
        if (!text) Die(u"cannot read "_s + args.value(u"text"_s));
        const ImportResult r = ImportOperatorText(*text, archive);
        if (!r.ok) Die(args.value(u"text"_s) + u": "_s + QString::fromStdString(r.error));
    }
    long long count = 60;
    if (args.isSet(u"count"_s) && !ParseWholeNumber(args.value(u"count"_s).toStdString(), count))
        Die(u"--count wants a whole number"_s);
    if (count > 0xFFFF) Die(u"--count holds 16 bits: at most 65535"_s);
    const auto draws = MostRecentDraws(archive, static_cast<int>(count));
    if (static_cast<int>(draws.size()) < MinUpdateDraws && !args.isSet(u"allow-short"_s))
        Die(u"an update file needs at least %1 draws (the archive gives %2); --allow-short overrides"_s
                .arg(MinUpdateDraws)
                .arg(draws.size()));
    std::string message;
    if (args.isSet(u"message"_s)) {
        auto m = ReadInput(args.value(u"message"_s));
        if (!m) Die(u"cannot read "_s + args.value(u"message"_s));
        message = std::move(*m);
    }
    std::string file = BuildUpdateFile(draws, message);
    if (file.size() > MaxUpdateFileSize)
        Die(u"the update file would take %1 bytes; the program accepts at most %2 (--raw serves any file)"_s
                .arg(file.size())
                .arg(MaxUpdateFileSize));
    return file;
}

QString RequestLine(const QHttpServerRequest& request) {
    const QUrl url = request.url();
    QString line = u"GET "_s + url.path(QUrl::FullyEncoded);
    if (url.hasQuery()) line += u"?"_s + url.query(QUrl::FullyEncoded);
    return line;
}

bool HasSessionCookie(const QHttpServerRequest& request) {
    const QList<QByteArray> parts = request.value(QByteArrayLiteral("Cookie")).split(';');
    for (const QByteArray& p : parts)
        if (p.trimmed().startsWith(CookieName + '=')) return true;
    return false;
}

// Holds every connection and never answers, so that clients meet their time-out.
class SilentServer : public QTcpServer {
public:
    using QTcpServer::QTcpServer;

protected:
    void incomingConnection(qintptr handle) override {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(handle);
        connect(socket, &QTcpSocket::readyRead, socket, [socket] { socket->readAll(); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"numora-update-server"_s);

    QCommandLineParser args;
    args.setApplicationDescription(
        u"The update server of Numora: GET /aggiorna.php tells where the update file is, "
        u"GET /files/aggio.dat serves it."_s);
    args.addHelpOption();
    args.addOptions({
        {u"port"_s, u"Port to listen on; 0 picks a free one (default 0)."_s, u"PORT"_s, u"0"_s},
        {u"listen"_s, u"Address to listen on (default 127.0.0.1)."_s, u"ADDRESS"_s, u"127.0.0.1"_s},
        {u"archive"_s, u"Build aggio.dat from this archive file (Numora.dtb)."_s, u"FILE"_s},
        {u"text"_s, u"Build aggio.dat from this archive text (YYYY/MM/DD, wheel, five numbers)."_s, u"FILE"_s},
        {u"count"_s, u"Number of most recent draws in aggio.dat (default 60, at least 50)."_s, u"N"_s},
        {u"allow-short"_s, u"Allow fewer than 50 draws (to test the program's refusal)."_s},
        {u"message"_s, u"Append this RTF file to aggio.dat as its message."_s, u"FILE"_s},
        {u"raw"_s, u"Serve this file's bytes as aggio.dat unchanged."_s, u"FILE"_s},
        {u"notice"_s, u"Answer aggiorna.php with this text instead of the file's address."_s, u"TEXT"_s},
        {u"status"_s, u"Answer aggiorna.php with this HTTP status code."_s, u"CODE"_s},
        {u"silent"_s, u"Accept connections and never answer."_s},
        {u"base-url"_s, u"Public address of this server in replies (default http://HOST:PORT/ as requested)."_s,
         u"URL"_s},
        {u"redirect"_s, u"Serve aggio.dat through a redirect to /store/aggio.dat."_s},
        {u"require-cookie"_s, u"Serve aggio.dat only to clients that kept the cookie of aggiorna.php."_s},
    });
    args.process(app);

    long long port = 0;
    if (!ParseWholeNumber(args.value(u"port"_s).toStdString(), port) || port > 65535)
        Die(u"--port wants a number 0..65535"_s);
    const QHostAddress address(args.value(u"listen"_s));
    if (address.isNull()) Die(u"--listen wants an IP address"_s);

    if (args.isSet(u"silent"_s)) {
        SilentServer silent;
        if (!silent.listen(address, static_cast<quint16>(port)))
            Die(u"cannot listen: "_s + silent.errorString());
        Print(u"listening on %1"_s.arg(silent.serverPort()));
        return app.exec();
    }

    const bool notice = args.isSet(u"notice"_s);
    int status = 0;
    if (args.isSet(u"status"_s)) {
        long long code = 0;
        if (!ParseWholeNumber(args.value(u"status"_s).toStdString(), code) || code < 100 || code > 599)
            Die(u"--status wants an HTTP status code 100..599"_s);
        status = static_cast<int>(code);
    }
    const int sources = int(args.isSet(u"archive"_s)) + int(args.isSet(u"text"_s)) + int(args.isSet(u"raw"_s));
    if (sources > 1) Die(u"give only one of --archive, --text and --raw"_s);
    if (sources == 0 && !notice && status == 0) Die(u"give --archive, --text or --raw (or --notice, --status)"_s);
    const QByteArray file = sources ? QByteArray::fromStdString(BuildFromOptions(args)) : QByteArray();
    const QString baseUrl = args.value(u"base-url"_s);
    const bool redirect = args.isSet(u"redirect"_s);
    const bool requireCookie = args.isSet(u"require-cookie"_s);
    const QString noticeText = args.value(u"notice"_s);

    QHttpServer server;
    quint16 listening = 0;
    server.route(u"/aggiorna.php"_s, QHttpServerRequest::Method::Get, [&](const QHttpServerRequest& request) {
        Print(RequestLine(request));
        if (status) {
            return QHttpServerResponse(QByteArrayLiteral("text/plain"), QByteArrayLiteral("errore"),
                                       static_cast<QHttpServerResponder::StatusCode>(status));
        }
        QByteArray body;
        if (notice) {
            body = noticeText.toUtf8();
        } else if (!baseUrl.isEmpty()) {
            body = (baseUrl.endsWith(u'/') ? baseUrl : baseUrl + u'/').toUtf8() + QByteArrayLiteral("files/");
        } else {
            QByteArray host = request.value(QByteArrayLiteral("Host"));
            const bool plain = !host.isEmpty() && std::all_of(host.begin(), host.end(), [](char c) {
                return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                       c == '-' || c == ':' || c == '[' || c == ']';
            });
            if (!plain) host = "127.0.0.1:" + QByteArray::number(listening);
            body = QByteArrayLiteral("http://") + host + QByteArrayLiteral("/files/");
        }
        QHttpServerResponse response(QByteArrayLiteral("text/html"), body);
        if (requireCookie) response.addHeader(QByteArrayLiteral("Set-Cookie"), CookieName + "=1; Path=/");
        return response;
    });
    auto serveFile = [&](const QHttpServerRequest& request) {
        Print(RequestLine(request));
        if (file.isEmpty()) return QHttpServerResponse(QHttpServerResponder::StatusCode::NotFound);
        if (requireCookie && !HasSessionCookie(request))
            return QHttpServerResponse(QHttpServerResponder::StatusCode::Forbidden);
        return QHttpServerResponse(QByteArrayLiteral("application/octet-stream"), file);
    };
    server.route(u"/files/aggio.dat"_s, QHttpServerRequest::Method::Get, [&](const QHttpServerRequest& request) {
        if (!redirect) return serveFile(request);
        Print(RequestLine(request));
        QHttpServerResponse moved(QHttpServerResponder::StatusCode::Found);
        moved.addHeader(QByteArrayLiteral("Location"), QByteArrayLiteral("/store/aggio.dat"));
        return moved;
    });
    server.route(u"/store/aggio.dat"_s, QHttpServerRequest::Method::Get, serveFile);

    listening = server.listen(address, static_cast<quint16>(port));
    if (listening == 0) Die(u"cannot listen on port %1"_s.arg(port));
    Print(u"listening on %1"_s.arg(listening));
    return app.exec();
}
