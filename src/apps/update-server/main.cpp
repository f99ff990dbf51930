// numora-update-server: the maker's update server. It tells the program where the current
// update file is (or gives it a notice) and serves that file, built from an archive.
//
// It speaks HTTP/1.0 and 1.1 itself, on QTcpServer, because it faces the open internet: every
// connection has an idle time-out, a request head and body have size limits, the number of
// connections is bounded, and nothing a client sends (the Host header included) ever shapes
// the addresses it hands out.

#include "archive/DrawUpdateFile.h"
#include "core/DrawArchive.h"
#include "core/FileIo.h"
#include "core/OperatorImport.h"
#include "core/Sockets.h"
#include "core/TextHelpers.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
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

// A request head (request line and headers) larger than this is refused with 431.
constexpr qsizetype MaxHeadBytes = 8192;
// The server takes GETs only; a body larger than this is refused with 413 (smaller ones are
// read and dropped).
constexpr qint64 MaxBodyBytes = 4096;
constexpr int MaxRequestsPerConnection = 1000;
// Answers a client has not taken yet: past these a connection stops reading its requests until
// what it was sent drains, so a client that pipelines requests and never reads holds a few answers
// of memory, not a thousand; and past the total every connection waits.
constexpr qint64 MaxUnsentPerConnection = 64 * 1024;
constexpr qint64 MaxUnsentTotal = 16 * 1024 * 1024;

struct Options {
    QByteArray file;       // aggio.dat; empty: 404
    QByteArray baseUrl;    // from --base-url, ending with "/"; empty: the listening address
    QByteArray noticeBody; // --notice or --notice-file
    bool notice = false;
    int status = 0; // --status: aggiorna.php answers with this code
    bool redirect = false;
    bool redirectLoop = false; // aggio.dat answers with a redirect to itself, for ever
    bool requireCookie = false;
    bool stallFile = false; // the file request is never answered
    qint64 cutFile = -1;    // only this many bytes of the file are sent, then the connection ends
    int idleMs = 10000;
    int maxConnections = 1000;
    QHostAddress listen;
};

struct Request {
    QByteArray method;
    QByteArray target;
    QByteArray path;
    bool http10 = false;
    bool close = false;
    bool hasCookie = false;
    qint64 bodyLength = 0;
};

struct Response {
    int status = 200;
    QByteArray contentType;
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
    bool stall = false;   // answer nothing and wait for the client to go
    qint64 cutAfter = -1; // send this much of the body and end the connection
};

QByteArray Reason(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 302:
        return "Found";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 408:
        return "Request Timeout";
    case 413:
        return "Payload Too Large";
    case 431:
        return "Request Header Fields Too Large";
    case 500:
        return "Internal Server Error";
    case 501:
        return "Not Implemented";
    case 503:
        return "Service Unavailable";
    case 505:
        return "HTTP Version Not Supported";
    default:
        return "Status";
    }
}

// The request line as the log shows it: printable ASCII only.
QString LogLine(const Request& r) {
    QByteArray line = r.method + ' ' + r.target;
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) c = '?';
    return QString::fromLatin1(line);
}

bool HasToken(const QByteArray& value, const QByteArray& token) {
    for (const QByteArray& part : value.split(','))
        if (part.trimmed().toLower() == token) return true;
    return false;
}

class Connection;

class UpdateHttpServer : public QTcpServer {
public:
    explicit UpdateHttpServer(Options options) : options_(std::move(options)) {}

    const Options& options() const { return options_; }
    // Where aggio.dat is, as the connection's own end sees this server.
    QByteArray filePrefix(const QTcpSocket& socket) const {
        if (!options_.baseUrl.isEmpty()) return options_.baseUrl + "files/";
        QHostAddress host = options_.listen;
        // Listening everywhere: the address the client reached, taken from our side of the socket.
        if (host == QHostAddress::Any || host == QHostAddress::AnyIPv4 || host == QHostAddress::AnyIPv6)
            host = socket.localAddress();
        bool v4 = false;
        const quint32 ip4 = host.toIPv4Address(&v4); // an IPv4 client of a dual-stack socket too
        if (v4) host = QHostAddress(ip4);
        const QByteArray name = v4 ? host.toString().toLatin1() : '[' + host.toString().toLatin1() + ']';
        return "http://" + name + ':' + QByteArray::number(serverPort()) + "/files/";
    }
    Response answer(const Request& request, const QTcpSocket& socket) const;
    // Connections open now, shared with each connection so that it can count itself out.
    const std::shared_ptr<int>& openConnections() const { return open_; }
    // Bytes written to all connections and not yet sent.
    qint64& unsentTotal() { return unsent_; }

protected:
    void incomingConnection(qintptr handle) override;

private:
    Options options_;
    std::shared_ptr<int> open_ = std::make_shared<int>(0);
    qint64 unsent_ = 0;
};

// One client connection: reads requests one after another, answers each, and ends when the
// client asks, when HTTP/1.0 is spoken, after an error, or when it sits idle too long.
class Connection : public QObject {
public:
    Connection(UpdateHttpServer& server, QTcpSocket* socket)
        : QObject(socket), server_(server), socket_(socket), open_(server.openConnections()) {
        ++*open_;
        socket_->setReadBufferSize(MaxHeadBytes + MaxBodyBytes);
        idle_.setSingleShot(true);
        connect(&idle_, &QTimer::timeout, this, [this] { timedOut(); });
        connect(socket_, &QTcpSocket::readyRead, this, [this] { readMore(); });
        connect(socket_, &QTcpSocket::disconnected, this, [this] { finish(); });
        connect(socket_, &QTcpSocket::bytesWritten, this, [this] {
            noteUnsent();
            if (closing_ && socket_->bytesToWrite() == 0) endWrites();
            if (closing_ || stalled_) return;
            // The client is taking its answers: it is not idle, and may be read again.
            idle_.start(server_.options().idleMs);
            if (paused_) readMore();
        });
        idle_.start(server_.options().idleMs);
    }
    ~Connection() override {
        --*open_;
        server_.unsentTotal() -= unsent_;
    }

private:
    void finish() {
        idle_.stop();
        socket_->deleteLater();
    }

    // Ends the connection once what is written has gone. Only our side is shut at first, and
    // what the client still sends is read and dropped: closing with unread data would reset the
    // connection and could destroy the answer before the client reads it (a 431 or 413 most of
    // all). A client that never closes its side is dropped at the next time-out.
    void closeAfterWrite() {
        closing_ = true;
        buffer_.clear();
        idle_.start(server_.options().idleMs);
        if (socket_->bytesToWrite() == 0) endWrites();
    }

    void endWrites() {
        if (shut_) return;
        shut_ = true;
        ShutdownSending(static_cast<std::intptr_t>(socket_->socketDescriptor()));
    }

    void noteUnsent() {
        const qint64 now = socket_->bytesToWrite();
        server_.unsentTotal() += now - unsent_;
        unsent_ = now;
    }
    bool backedUp() const { return unsent_ > MaxUnsentPerConnection || server_.unsentTotal() > MaxUnsentTotal; }

    void timedOut() {
        // A client that took nothing of its answers for the whole time is gone, or an attacker.
        if (closing_ || stalled_ || buffer_.isEmpty() || bodyLeft_ > 0 || socket_->bytesToWrite() > 0) {
            socket_->abort();
            return;
        }
        send(Request{}, Response{408, "text/plain", "tempo scaduto\n", {}, false, -1}, true);
    }

    void readMore() {
        if (closing_ || stalled_) {
            socket_->read(socket_->bytesAvailable());
            return;
        }
        paused_ = backedUp();
        if (paused_) {
            // Only the total can hold a connection that has nothing of its own to send.
            if (unsent_ == 0) QTimer::singleShot(50, this, [this] { readMore(); });
            return;
        }
        buffer_ += socket_->read(MaxHeadBytes + MaxBodyBytes + 1 - buffer_.size());
        // Requests sent one after another on the connection are answered in order; each pass
        // takes one out of the buffer, until the answers not yet taken pass the bound.
        for (int pass = 0; pass < MaxRequestsPerConnection && !closing_ && !stalled_; ++pass) {
            if (backedUp()) {
                paused_ = true;
                if (unsent_ == 0) QTimer::singleShot(50, this, [this] { readMore(); });
                return;
            }
            if (!takeRequest()) break;
        }
        // Data beyond what fits the buffer stays in the socket until the buffer has room.
        if (!closing_ && !stalled_ && socket_->bytesAvailable() > 0 && buffer_.size() <= MaxHeadBytes + MaxBodyBytes)
            QTimer::singleShot(0, this, [this] { readMore(); });
    }

    // True when a whole request was handled and the next may follow.
    bool takeRequest() {
        if (bodyLeft_ > 0) {
            const qint64 drop = std::min<qint64>(bodyLeft_, buffer_.size());
            buffer_.remove(0, drop);
            bodyLeft_ -= drop;
            if (bodyLeft_ > 0) return false;
            respond(pending_);
            return !closing_ && !stalled_;
        }
        const qsizetype end = buffer_.indexOf("\r\n\r\n");
        if (end < 0 || end + 4 > MaxHeadBytes) {
            if (buffer_.size() > MaxHeadBytes || end + 4 > MaxHeadBytes)
                send(Request{}, Response{431, "text/plain", "intestazioni troppo grandi\n", {}, false, -1}, true);
            return false;
        }
        const QByteArray head = buffer_.left(end);
        buffer_.remove(0, end + 4);

        Request r;
        const QList<QByteArray> lines = head.split('\n');
        const QList<QByteArray> parts = lines.first().trimmed().split(' ');
        if (parts.size() != 3 || parts[0].isEmpty() || !parts[1].startsWith('/'))
            return error(r, 400, "richiesta non valida\n");
        r.method = parts[0];
        r.target = parts[1];
        r.path = r.target.left(r.target.indexOf('?') >= 0 ? r.target.indexOf('?') : r.target.size());
        if (parts[2] == "HTTP/1.0")
            r.http10 = true;
        else if (parts[2] != "HTTP/1.1")
            return error(r, 505, "versione HTTP non gestita\n");
        r.close = r.http10;
        bool lengthSeen = false;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines[i].trimmed();
            if (line.isEmpty()) continue;
            const qsizetype colon = line.indexOf(':');
            if (colon <= 0) return error(r, 400, "intestazione non valida\n");
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (name == "connection") {
                if (HasToken(value, "close")) r.close = true;
            } else if (name == "content-length") {
                bool ok = false;
                const qint64 length = value.toLongLong(&ok);
                if (!ok || length < 0 || (lengthSeen && length != r.bodyLength))
                    return error(r, 400, "lunghezza non valida\n");
                lengthSeen = true;
                r.bodyLength = length;
            } else if (name == "transfer-encoding") {
                return error(r, 501, "codifica non gestita\n");
            } else if (name == "cookie") {
                for (const QByteArray& c : value.split(';'))
                    if (c.trimmed().startsWith(CookieName + '=')) r.hasCookie = true;
            }
        }
        if (r.bodyLength > MaxBodyBytes) return error(r, 413, "richiesta troppo grande\n");
        idle_.stop();
        if (r.bodyLength > 0) {
            pending_ = r;
            bodyLeft_ = r.bodyLength;
            return takeRequest();
        }
        respond(r);
        return !closing_ && !stalled_;
    }

    bool error(const Request& r, int status, const char* text) {
        send(r, Response{status, "text/plain", text, {}, false, -1}, true);
        return false;
    }

    void respond(const Request& r) {
        Print(LogLine(r));
        ++served_;
        Response response;
        if (r.method != "GET" && r.method != "HEAD") {
            response = Response{405, "text/plain", "solo GET\n", {{"Allow", "GET, HEAD"}}, false, -1};
        } else {
            response = server_.answer(r, *socket_);
        }
        if (response.stall) {
            stalled_ = true;
            return;
        }
        send(r, response, r.close || served_ >= MaxRequestsPerConnection);
    }

    void send(const Request& r, const Response& response, bool close) {
        const bool cut = response.cutAfter >= 0 && response.cutAfter < response.body.size();
        close = close || cut;
        QByteArray out = (r.http10 ? "HTTP/1.0 " : "HTTP/1.1 ") + QByteArray::number(response.status) + ' ' +
                         Reason(response.status) + "\r\n";
        out += "Server: numora-update-server\r\n";
        out += "Cache-Control: no-store\r\n";
        if (!response.contentType.isEmpty()) out += "Content-Type: " + response.contentType + "\r\n";
        out += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
        for (const auto& [name, value] : response.headers) out += name + ": " + value + "\r\n";
        out += close ? "Connection: close\r\n" : "Connection: keep-alive\r\n";
        out += "\r\n";
        if (r.method != "HEAD") out += cut ? response.body.left(response.cutAfter) : response.body;
        socket_->write(out);
        noteUnsent();
        if (close)
            closeAfterWrite();
        else
            idle_.start(server_.options().idleMs);
    }

    UpdateHttpServer& server_;
    QTcpSocket* socket_;
    std::shared_ptr<int> open_;
    QTimer idle_;
    QByteArray buffer_;
    Request pending_; // a request whose body is still arriving
    qint64 bodyLeft_ = 0;
    int served_ = 0;
    bool closing_ = false;
    bool shut_ = false;
    bool stalled_ = false;
    bool paused_ = false; // reading stopped until the answers drain
    qint64 unsent_ = 0;   // this connection's share of the server's unsent total
};

void UpdateHttpServer::incomingConnection(qintptr handle) {
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
        delete socket;
        return;
    }
    if (*open_ >= options_.maxConnections) {
        socket->write("HTTP/1.1 503 Service Unavailable\r\nCache-Control: no-store\r\nContent-Length: 0\r\n"
                      "Connection: close\r\n\r\n");
        socket->disconnectFromHost();
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        // A client that never reads the refusal does not hold the socket for ever.
        QTimer::singleShot(options_.idleMs, socket, [socket] { socket->abort(); });
        return;
    }
    new Connection(*this, socket);
}

Response UpdateHttpServer::answer(const Request& r, const QTcpSocket& socket) const {
    const Options& o = options_;
    if (r.path == "/aggiorna.php") {
        if (o.status) return Response{o.status, "text/plain", "errore", {}, false, -1};
        Response response{200, "text/html", {}, {}, false, -1};
        response.body = o.notice ? o.noticeBody : filePrefix(socket);
        if (o.requireCookie) response.headers.append({"Set-Cookie", CookieName + "=1; Path=/"});
        return response;
    }
    const bool stored = r.path == "/store/aggio.dat";
    if (r.path != "/files/aggio.dat" && !stored) return Response{404, "text/plain", "non trovato\n", {}, false, -1};
    if (o.redirectLoop) return Response{302, "text/plain", {}, {{"Location", r.path}}, false, -1};
    if (o.redirect && !stored) return Response{302, "text/plain", {}, {{"Location", "/store/aggio.dat"}}, false, -1};
    if (o.file.isEmpty()) return Response{404, "text/plain", "non trovato\n", {}, false, -1};
    if (o.requireCookie && !r.hasCookie) return Response{403, "text/plain", "vietato\n", {}, false, -1};
    if (o.stallFile) return Response{200, {}, {}, {}, true, -1};
    return Response{200, "application/octet-stream", o.file, {}, false, o.cutFile};
}

long long WholeOption(const QCommandLineParser& args, const QString& name, long long low, long long high) {
    long long v = 0;
    if (!ParseWholeNumber(args.value(name).toStdString(), v) || v < low || v > high)
        Die(u"--%1 wants a whole number %2..%3"_s.arg(name).arg(low).arg(high));
    return v;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"numora-update-server"_s);

    QCommandLineParser args;
    args.setApplicationDescription(u"The update server of Numora: GET /aggiorna.php tells where the update file is, "
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
        {u"notice-file"_s, u"Answer aggiorna.php with the bytes of this file instead of the file's address."_s,
         u"FILE"_s},
        {u"status"_s, u"Answer aggiorna.php with this HTTP status code."_s, u"CODE"_s},
        {u"silent"_s, u"Accept connections and never answer."_s},
        {u"stall-file"_s, u"Answer aggiorna.php but never the request for aggio.dat."_s},
        {u"cut-file"_s, u"Send only the first N bytes of aggio.dat, then end the connection."_s, u"N"_s},
        {u"base-url"_s, u"Public address of this server in replies (default http://ADDRESS:PORT/ of --listen)."_s,
         u"URL"_s},
        {u"redirect"_s, u"Serve aggio.dat through a redirect to /store/aggio.dat."_s},
        {u"redirect-loop"_s, u"Answer every request for aggio.dat with a redirect to itself."_s},
        {u"require-cookie"_s, u"Serve aggio.dat only to clients that kept the cookie of aggiorna.php."_s},
        {u"idle-timeout"_s, u"Milliseconds a connection may sit without a complete request (default 10000)."_s, u"MS"_s,
         u"10000"_s},
        {u"max-connections"_s, u"Connections held at once; more are refused with 503 (default 1000)."_s, u"N"_s,
         u"1000"_s},
    });
    args.process(app);

    const long long port = WholeOption(args, u"port"_s, 0, 65535);
    const QHostAddress address(args.value(u"listen"_s));
    if (address.isNull()) Die(u"--listen wants an IP address"_s);

    if (args.isSet(u"silent"_s)) {
        SilentServer silent;
        if (!silent.listen(address, static_cast<quint16>(port))) Die(u"cannot listen: "_s + silent.errorString());
        Print(u"listening on %1"_s.arg(silent.serverPort()));
        return app.exec();
    }

    Options o;
    o.listen = address;
    o.notice = args.isSet(u"notice"_s) || args.isSet(u"notice-file"_s);
    if (args.isSet(u"notice"_s) && args.isSet(u"notice-file"_s)) Die(u"give only one of --notice and --notice-file"_s);
    if (args.isSet(u"notice-file"_s)) {
        auto text = ReadInput(args.value(u"notice-file"_s));
        if (!text) Die(u"cannot read "_s + args.value(u"notice-file"_s));
        o.noticeBody = QByteArray::fromStdString(*text);
    } else {
        o.noticeBody = args.value(u"notice"_s).toUtf8();
    }
    if (args.isSet(u"status"_s)) o.status = static_cast<int>(WholeOption(args, u"status"_s, 100, 599));
    const int sources = int(args.isSet(u"archive"_s)) + int(args.isSet(u"text"_s)) + int(args.isSet(u"raw"_s));
    if (sources > 1) Die(u"give only one of --archive, --text and --raw"_s);
    if (sources == 0 && !o.notice && o.status == 0) Die(u"give --archive, --text or --raw (or --notice, --status)"_s);
    if (sources) o.file = QByteArray::fromStdString(BuildFromOptions(args));
    if (args.isSet(u"base-url"_s)) {
        const QUrl base(args.value(u"base-url"_s), QUrl::StrictMode);
        if (!base.isValid() || (base.scheme() != u"http"_s && base.scheme() != u"https"_s) || base.host().isEmpty())
            Die(u"--base-url wants an http:// or https:// address"_s);
        o.baseUrl = base.toString(QUrl::FullyEncoded).toLatin1();
        if (!o.baseUrl.endsWith('/')) o.baseUrl += '/';
    }
    o.redirect = args.isSet(u"redirect"_s);
    o.redirectLoop = args.isSet(u"redirect-loop"_s);
    o.requireCookie = args.isSet(u"require-cookie"_s);
    o.stallFile = args.isSet(u"stall-file"_s);
    if (args.isSet(u"cut-file"_s)) o.cutFile = WholeOption(args, u"cut-file"_s, 0, 1 << 30);
    o.idleMs = static_cast<int>(WholeOption(args, u"idle-timeout"_s, 1, 3600000));
    o.maxConnections = static_cast<int>(WholeOption(args, u"max-connections"_s, 1, 100000));

    UpdateHttpServer server(std::move(o));
    // A burst of clients waits in the queue rather than being turned away by the system.
    server.setListenBacklogSize(1024);
    server.setMaxPendingConnections(1024);
    if (!server.listen(address, static_cast<quint16>(port)))
        Die(u"cannot listen on port %1: %2"_s.arg(port).arg(server.errorString()));
    Print(u"listening on %1"_s.arg(server.serverPort()));
    return app.exec();
}
