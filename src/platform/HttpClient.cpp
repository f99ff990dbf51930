#include "platform/HttpClient.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkCookie>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <memory>

using namespace Qt::StringLiterals;

namespace numora {

const char* const HttpClient::UserAgent =
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Numora/4.5";
const char* const HttpClient::Referer = "https://www.varnel.it/numora/";

QString NetworkErrorText(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return u"il server ha rifiutato la connessione"_s;
    case QNetworkReply::RemoteHostClosedError:
        return u"il server ha chiuso la connessione"_s;
    case QNetworkReply::HostNotFoundError:
        return u"il server non è stato trovato"_s;
    case QNetworkReply::TimeoutError:
    case QNetworkReply::ProxyTimeoutError:
        return u"la connessione ha impiegato troppo tempo"_s;
    case QNetworkReply::OperationCanceledError:
        return u"la connessione è stata interrotta"_s;
    case QNetworkReply::SslHandshakeFailedError:
        return u"la connessione sicura con il server non è riuscita"_s;
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return u"la rete non è disponibile"_s;
    case QNetworkReply::TooManyRedirectsError:
        return u"il server rimanda ad altri indirizzi senza fine"_s;
    case QNetworkReply::InsecureRedirectError:
        return u"il server rimanda a un indirizzo non sicuro"_s;
    case QNetworkReply::ProxyConnectionRefusedError:
        return u"il proxy ha rifiutato la connessione"_s;
    case QNetworkReply::ProxyConnectionClosedError:
        return u"il proxy ha chiuso la connessione"_s;
    case QNetworkReply::ProxyNotFoundError:
        return u"il proxy non è stato trovato"_s;
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return u"il proxy chiede un'autenticazione"_s;
    case QNetworkReply::ProtocolUnknownError:
    case QNetworkReply::ProtocolInvalidOperationError:
    case QNetworkReply::ProtocolFailure:
        return u"il server ha risposto in modo non valido"_s;
    default:
        return u"errore di rete nº %1"_s.arg(static_cast<int>(error));
    }
}

// What the client asks of one connection, and what came back.
struct HttpClient::Hop {
    QUrl url;
    qint64 maxBytes = NoLimit;
    QDeadlineTimer deadline;
    HttpResult* result = nullptr;
    QUrl redirect; // set when the answer sends the request elsewhere
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    bool protocolFault = false; // the answer broke HTTP
};

namespace {

// A status line with its headers may not pass this; a chunk-size line neither.
constexpr qsizetype MaxHeadBytes = 64 * 1024;
// What the socket takes in before the client has parsed it: the rest waits in the network.
constexpr qint64 SocketBufferBytes = 64 * 1024;

bool IsRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The reply error that tells the player what a socket error means, the proxy's when the failing
// connection was the proxy's.
QNetworkReply::NetworkError ReplyErrorOf(QAbstractSocket::SocketError e, bool toProxy) {
    switch (e) {
    case QAbstractSocket::ConnectionRefusedError:
        return toProxy ? QNetworkReply::ProxyConnectionRefusedError : QNetworkReply::ConnectionRefusedError;
    case QAbstractSocket::RemoteHostClosedError:
        return toProxy ? QNetworkReply::ProxyConnectionClosedError : QNetworkReply::RemoteHostClosedError;
    case QAbstractSocket::HostNotFoundError:
        return toProxy ? QNetworkReply::ProxyNotFoundError : QNetworkReply::HostNotFoundError;
    case QAbstractSocket::SocketTimeoutError:
        return QNetworkReply::TimeoutError;
    case QAbstractSocket::SslHandshakeFailedError:
    case QAbstractSocket::SslInternalError:
    case QAbstractSocket::SslInvalidUserDataError:
        return QNetworkReply::SslHandshakeFailedError;
    case QAbstractSocket::ProxyConnectionRefusedError:
        return QNetworkReply::ProxyConnectionRefusedError;
    case QAbstractSocket::ProxyConnectionClosedError:
        return QNetworkReply::ProxyConnectionClosedError;
    case QAbstractSocket::ProxyNotFoundError:
        return QNetworkReply::ProxyNotFoundError;
    case QAbstractSocket::ProxyAuthenticationRequiredError:
        return QNetworkReply::ProxyAuthenticationRequiredError;
    case QAbstractSocket::ProxyConnectionTimeoutError:
        return QNetworkReply::ProxyTimeoutError;
    case QAbstractSocket::ProxyProtocolError:
        return QNetworkReply::ProtocolFailure;
    case QAbstractSocket::NetworkError:
        return QNetworkReply::TemporaryNetworkFailureError;
    default:
        return QNetworkReply::UnknownNetworkError;
    }
}

// The answer as it arrives: a status line, headers, then a body by length, by chunks or up to
// the end of the connection. Every byte handed to feed() is consumed or kept for the next line.
class AnswerParser {
public:
    enum class Stage { StatusLine, Headers, Body, ChunkSize, ChunkData, ChunkEnd, Trailer, UntilClose, Done, Fault };

    AnswerParser(qint64 maxBytes, HttpResult& result) : maxBytes_(maxBytes), result_(result) {}

    Stage stage() const { return stage_; }
    const QList<QByteArray>& cookies() const { return cookies_; }
    const QByteArray& location() const { return location_; }
    bool bodyWanted() const { return wanted_; }

    // Takes in what arrived; stops at the end of the answer, at a fault, or at the limit.
    void feed(const QByteArray& bytes) {
        pending_ += bytes;
        while (stage_ != Stage::Done && stage_ != Stage::Fault && !result_.tooLarge) {
            if (!step()) break;
        }
        if (pending_.size() > MaxHeadBytes && stage_ != Stage::Done) stage_ = Stage::Fault;
    }
    // The connection ended: an answer read to its close is complete, any other is cut.
    void closed() {
        if (stage_ == Stage::UntilClose) stage_ = Stage::Done;
    }
    bool cutShort() const { return stage_ == Stage::Body; }
    // The Content-Length of a body read by length, -1 for any other.
    qint64 announced() const { return announced_; }

private:
    // One line of the head, without its end; false when the line has not come yet.
    bool takeLine(QByteArray& line) {
        const qsizetype end = pending_.indexOf('\n');
        if (end < 0) return false;
        line = pending_.left(end);
        if (line.endsWith('\r')) line.chop(1);
        pending_.remove(0, end + 1);
        return true;
    }
    void addBody(qsizetype n) {
        const qint64 room = maxBytes_ >= 0 ? maxBytes_ + 1 - result_.body.size() : n;
        const qsizetype taken = static_cast<qsizetype>(std::min<qint64>(n, std::max<qint64>(room, 0)));
        if (wanted_) result_.body.append(pending_.constData(), taken);
        pending_.remove(0, n);
        if (wanted_ && maxBytes_ >= 0 && result_.body.size() > maxBytes_) result_.tooLarge = true;
    }
    bool step() {
        QByteArray line;
        switch (stage_) {
        case Stage::StatusLine: {
            if (!takeLine(line)) return false;
            const QList<QByteArray> parts = line.split(' ');
            bool ok = false;
            const int status = parts.size() >= 2 ? parts[1].toInt(&ok) : 0;
            if (!line.startsWith("HTTP/1.") || !ok || status < 100 || status > 999) {
                stage_ = Stage::Fault;
                return false;
            }
            result_.status = status;
            chunked_ = false, length_ = -1;
            stage_ = Stage::Headers;
            return true;
        }
        case Stage::Headers: {
            if (!takeLine(line)) return false;
            if (!line.isEmpty()) {
                const qsizetype colon = line.indexOf(':');
                if (colon <= 0) {
                    stage_ = Stage::Fault;
                    return false;
                }
                const QByteArray name = line.left(colon).trimmed().toLower();
                const QByteArray value = line.mid(colon + 1).trimmed();
                if (name == "set-cookie") cookies_ += value;
                if (name == "location") location_ = value;
                if (name == "transfer-encoding" && value.toLower().contains("chunked")) chunked_ = true;
                if (name == "content-length") {
                    bool ok = false;
                    length_ = value.toLongLong(&ok);
                    if (!ok || length_ < 0) {
                        stage_ = Stage::Fault;
                        return false;
                    }
                }
                return true;
            }
            const int status = result_.status;
            if (status >= 100 && status < 200) { // an interim answer: the real one follows
                stage_ = Stage::StatusLine;
                return true;
            }
            // Only a successful answer's body is kept; any other ends the exchange here.
            wanted_ = status >= 200 && status < 300;
            if (!wanted_ || status == 204) {
                stage_ = Stage::Done;
                return false;
            }
            if (chunked_) {
                stage_ = Stage::ChunkSize;
            } else if (length_ >= 0) {
                if (maxBytes_ >= 0 && length_ > maxBytes_) {
                    result_.tooLarge = true;
                    return false;
                }
                announced_ = length_;
                stage_ = length_ == 0 ? Stage::Done : Stage::Body;
            } else {
                stage_ = Stage::UntilClose;
            }
            return true;
        }
        case Stage::ChunkSize: {
            if (!takeLine(line)) return false;
            const qsizetype semicolon = line.indexOf(';');
            const QByteArray hex = (semicolon >= 0 ? line.left(semicolon) : line).trimmed();
            bool ok = false;
            length_ = hex.size() <= 15 ? hex.toLongLong(&ok, 16) : -1;
            if (!ok || length_ < 0) {
                stage_ = Stage::Fault;
                return false;
            }
            stage_ = length_ == 0 ? Stage::Trailer : Stage::ChunkData;
            return true;
        }
        case Stage::ChunkData:
        case Stage::Body: {
            if (pending_.isEmpty()) return false;
            const qsizetype n = static_cast<qsizetype>(std::min<qint64>(length_, pending_.size()));
            addBody(n);
            length_ -= n;
            if (length_ == 0) stage_ = stage_ == Stage::Body ? Stage::Done : Stage::ChunkEnd;
            return true;
        }
        case Stage::ChunkEnd:
            if (!takeLine(line)) return false;
            if (!line.isEmpty()) {
                stage_ = Stage::Fault;
                return false;
            }
            stage_ = Stage::ChunkSize;
            return true;
        case Stage::Trailer:
            if (!takeLine(line)) return false;
            if (line.isEmpty()) stage_ = Stage::Done;
            return true;
        case Stage::UntilClose:
            if (pending_.isEmpty()) return false;
            addBody(pending_.size());
            return true;
        case Stage::Done:
        case Stage::Fault:
            return false;
        }
        return false;
    }

    qint64 maxBytes_;
    HttpResult& result_;
    Stage stage_ = Stage::StatusLine;
    QByteArray pending_;
    QList<QByteArray> cookies_;
    QByteArray location_;
    bool chunked_ = false;
    bool wanted_ = false;
    qint64 length_ = -1;
    qint64 announced_ = -1;
};

QByteArray HostHeader(const QUrl& url) {
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':')) host = '[' + host + ']';
    const int defaultPort = url.scheme() == u"https"_s ? 443 : 80;
    if (url.port() != -1 && url.port() != defaultPort) host += ':' + QByteArray::number(url.port());
    return host;
}

} // namespace

HttpClient::HttpClient(QObject* parent) : QObject(parent) {}

void HttpClient::setProxy(const QString& host, int port) {
    if (host.isEmpty())
        proxy_ = QNetworkProxy(QNetworkProxy::NoProxy);
    else
        proxy_ = QNetworkProxy(QNetworkProxy::HttpProxy, host, static_cast<quint16>(port));
}

void HttpClient::abort() {
    if (!running_) return;
    cancelRequested_ = true;
    if (socket_) socket_->abort();
    if (loop_) loop_->quit();
}

// One request on one connection. A plain request through the proxy is sent to it whole (the
// proxy fetches it); a secure one goes through the proxy's tunnel.
void HttpClient::fetch(Hop& hop) {
    HttpResult& result = *hop.result;
    const bool secure = hop.url.scheme() == u"https"_s;
    const bool viaProxy = proxy_.type() != QNetworkProxy::NoProxy;
    std::unique_ptr<QAbstractSocket> socket;
    if (secure) {
        if (!QSslSocket::supportsSsl()) {
            hop.error = QNetworkReply::SslHandshakeFailedError;
            return;
        }
        socket = std::make_unique<QSslSocket>();
    } else {
        socket = std::make_unique<QTcpSocket>();
    }
    socket->setProxy(secure ? proxy_ : QNetworkProxy(QNetworkProxy::NoProxy));
    socket->setReadBufferSize(SocketBufferBytes);
    socket_ = socket.get();

    QByteArray target = hop.url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty()) target = "/";
    if (hop.url.hasQuery()) target += '?' + hop.url.query(QUrl::FullyEncoded).toLatin1();
    if (viaProxy && !secure) target = hop.url.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveFragment).toEncoded();
    QByteArray request = "GET " + target + " HTTP/1.1\r\nHost: " + HostHeader(hop.url) +
                         "\r\nContent-Type: text/html\r\nAccept: text/html, */*\r\nReferer: " + Referer +
                         "\r\nUser-Agent: " + UserAgent + "\r\nAccept-Encoding: identity\r\nConnection: close\r\n";
    QByteArray cookieLine;
    for (const QNetworkCookie& c : cookies_.cookiesForUrl(hop.url))
        cookieLine += (cookieLine.isEmpty() ? "" : "; ") + c.toRawForm(QNetworkCookie::NameAndValueOnly);
    if (!cookieLine.isEmpty()) request += "Cookie: " + cookieLine + "\r\n";
    request += "\r\n";

    AnswerParser parser(hop.maxBytes, result);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool connected = false;
    auto finish = [&] { loop.quit(); };
    auto drain = [&] {
        while (socket->bytesAvailable() > 0 && parser.stage() != AnswerParser::Stage::Done &&
               parser.stage() != AnswerParser::Stage::Fault && !result.tooLarge)
            parser.feed(socket->read(SocketBufferBytes));
        const auto stage = parser.stage();
        if (stage == AnswerParser::Stage::Done || stage == AnswerParser::Stage::Fault || result.tooLarge) finish();
    };
    auto send = [&] {
        connected = true;
        socket->write(request);
    };
    if (secure) {
        auto* ssl = static_cast<QSslSocket*>(socket.get());
        connect(ssl, &QSslSocket::encrypted, &loop, send);
    } else {
        connect(socket.get(), &QAbstractSocket::connected, &loop, send);
    }
    connect(socket.get(), &QAbstractSocket::readyRead, &loop, drain);
    connect(socket.get(), &QAbstractSocket::disconnected, &loop, [&] {
        drain();
        parser.closed();
        finish();
    });
    connect(socket.get(), &QAbstractSocket::errorOccurred, &loop, [&](QAbstractSocket::SocketError e) {
        if (e == QAbstractSocket::RemoteHostClosedError) return; // told by disconnected, after the last bytes
        if (hop.error == QNetworkReply::NoError) hop.error = ReplyErrorOf(e, viaProxy && !secure && !connected);
        finish();
    });
    connect(&timer, &QTimer::timeout, &loop, [&] {
        result.timedOut = true;
        finish();
    });

    const QString host = viaProxy && !secure ? proxy_.hostName() : hop.url.host();
    const quint16 port = viaProxy && !secure ? proxy_.port() : static_cast<quint16>(hop.url.port(secure ? 443 : 80));
    if (secure)
        static_cast<QSslSocket*>(socket.get())->connectToHostEncrypted(host, port);
    else
        socket->connectToHost(host, port);
    const qint64 left = hop.deadline.remainingTime();
    timer.start(static_cast<int>(std::clamp<qint64>(left, 0, std::numeric_limits<int>::max())));
    loop_ = &loop;
    if (!cancelRequested_) loop.exec();
    loop_ = nullptr;
    timer.stop();
    socket_ = nullptr;
    socket->disconnect(&loop);
    socket->abort();

    for (const QByteArray& c : parser.cookies()) cookies_.setCookiesFromUrl(QNetworkCookie::parseCookies(c), hop.url);
    if (result.timedOut || cancelRequested_ || result.tooLarge) return;
    const auto stage = parser.stage();
    if (stage == AnswerParser::Stage::Fault) {
        hop.protocolFault = true;
    } else if (stage != AnswerParser::Stage::Done) {
        if (parser.cutShort() && parser.announced() >= 0) {
            result.truncated = true;
            result.error = u"la risposta è incompleta: %1 byte dei %2 annunciati"_s.arg(result.body.size())
                               .arg(parser.announced());
        } else if (hop.error == QNetworkReply::NoError) {
            hop.error = connected ? QNetworkReply::RemoteHostClosedError
                                  : (viaProxy && !secure ? QNetworkReply::ProxyConnectionClosedError
                                                         : QNetworkReply::RemoteHostClosedError);
        }
    } else if (IsRedirect(result.status) && !parser.location().isEmpty()) {
        hop.redirect = hop.url.resolved(QUrl::fromEncoded(parser.location()));
    }
    if (viaProxy && !secure && result.status == 407) hop.error = QNetworkReply::ProxyAuthenticationRequiredError;
}

HttpResult HttpClient::get(const QUrl& url, qint64 maxBytes) {
    HttpResult result;
    if (running_) {
        result.error = u"una richiesta è già in corso"_s;
        return result;
    }
    if (!url.isValid() || (url.scheme() != u"http"_s && url.scheme() != u"https"_s)) {
        result.error = u"indirizzo non valido: "_s + url.toString();
        return result;
    }
    running_ = true;
    cancelRequested_ = false;
    Hop hop;
    hop.url = url;
    hop.maxBytes = maxBytes;
    hop.deadline = QDeadlineTimer(timeoutMs_);
    hop.result = &result;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    bool protocolFault = false;
    for (int redirects = 0;; ++redirects) {
        result.body.clear();
        result.status = 0;
        hop.redirect = QUrl();
        fetch(hop);
        if (cancelRequested_ || result.timedOut || result.tooLarge || result.truncated) break;
        error = hop.error;
        protocolFault = hop.protocolFault;
        if (error != QNetworkReply::NoError || protocolFault || hop.redirect.isEmpty()) break;
        // Never from a secure address to a plain one, and never round and round.
        const QString scheme = hop.redirect.scheme();
        if ((scheme != u"http"_s && scheme != u"https"_s) || (hop.url.scheme() == u"https"_s && scheme == u"http"_s)) {
            error = QNetworkReply::InsecureRedirectError;
            break;
        }
        if (redirects == 10) {
            error = QNetworkReply::TooManyRedirectsError;
            break;
        }
        hop.url = hop.redirect;
    }
    running_ = false;
    result.cancelled = cancelRequested_;
    cancelRequested_ = false;

    if (result.cancelled) {
        result.error = u"richiesta annullata dall'utente"_s;
    } else if (result.timedOut) {
        result.error = u"nessuna risposta entro %1 ms"_s.arg(timeoutMs_);
    } else if (result.tooLarge) {
        result.error = u"la risposta supera i %1 byte"_s.arg(maxBytes);
    } else if (result.truncated) {
        // said by fetch(), with the lengths
    } else if (error != QNetworkReply::NoError) {
        result.error = NetworkErrorText(error);
    } else if (protocolFault) {
        result.error = NetworkErrorText(QNetworkReply::ProtocolFailure);
    } else if (result.status != 0 && (result.status < 200 || result.status > 299)) {
        result.error = u"risposta HTTP %1"_s.arg(result.status);
    } else if (result.status == 0) {
        result.error = u"nessuna risposta HTTP"_s;
    } else {
        result.ok = true;
    }
    if (!result.ok) result.body.clear();
    return result;
}

} // namespace numora
