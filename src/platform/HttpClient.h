#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QEventLoop>
#include <QNetworkCookieJar>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QObject>
#include <QString>
#include <QUrl>

#include <string>

namespace numora {

struct HttpResult {
    bool ok = false;
    QByteArray body;
    int status = 0;         // the HTTP status, 0 when no answer came
    bool timedOut = false;  // no complete answer within the time-out
    bool tooLarge = false;  // the body would pass the limit: the download was stopped
    bool cancelled = false; // abort() stopped it
    bool truncated = false; // the connection ended before the announced length arrived
    QString error;          // what went wrong, for the log
};

// The reason of a network failure as the program says it.
QString NetworkErrorText(QNetworkReply::NetworkError error);

// The update's HTTP client: GET through an optional proxy, following redirects and keeping
// cookies between requests of the same client, with the headers the maker's server knows.
// It speaks HTTP/1.1 on a socket of its own, reading no faster than it parses, so a body is
// refused at its limit however the server sends it (one endless chunk included).
class HttpClient : public QObject {
    Q_OBJECT
public:
    static constexpr int DefaultTimeoutMs = 60000;
    static constexpr qint64 NoLimit = -1;
    static const char* const UserAgent;
    static const char* const Referer;

    explicit HttpClient(QObject* parent = nullptr);

    // An empty host means a direct connection; the system's proxy is never used.
    void setProxy(const QString& host, int port);
    QNetworkProxy proxy() const { return proxy_; }

    // The time a whole request may take, redirects included.
    void setTimeout(int milliseconds) { timeoutMs_ = milliseconds; }
    int timeout() const { return timeoutMs_; }

    // Returns when the request is over. Meanwhile a local event loop keeps the program's
    // windows painting and its timers running; the caller disables what must not be used.
    // A body of more than maxBytes fails as soon as that is known.
    HttpResult get(const QUrl& url, qint64 maxBytes = NoLimit);
    bool busy() const { return running_; }
    // Stops the running request, if any; its get() then returns with `cancelled` set.
    void abort();

private:
    struct Hop;
    void fetch(Hop& hop);

    QNetworkCookieJar cookies_;
    QNetworkProxy proxy_{QNetworkProxy::NoProxy};
    QAbstractSocket* socket_ = nullptr; // the running request's connection
    QEventLoop* loop_ = nullptr;        // and the loop that waits for it
    bool running_ = false;
    int timeoutMs_ = DefaultTimeoutMs;
    bool cancelRequested_ = false;
};

} // namespace numora
