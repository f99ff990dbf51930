#include "platform/HttpClient.h"

#include <QEventLoop>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace numora {

const char* const HttpClient::UserAgent =
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Numora/4.5";
const char* const HttpClient::Referer = "https://www.varnel.it/numora/";

HttpClient::HttpClient(QObject* parent) : QObject(parent) {
    manager_.setCookieJar(new QNetworkCookieJar(&manager_));
    manager_.setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
}

void HttpClient::setProxy(const QString& host, int port) {
    if (host.isEmpty())
        manager_.setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    else
        manager_.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, host, static_cast<quint16>(port)));
}

void HttpClient::abort() {
    if (!reply_) return;
    cancelRequested_ = true;
    reply_->abort();
}

HttpResult HttpClient::get(const QUrl& url, qint64 maxBytes) {
    HttpResult result;
    if (reply_) {
        result.error = u"una richiesta è già in corso"_s;
        return result;
    }
    if (!url.isValid() || (url.scheme() != u"http"_s && url.scheme() != u"https"_s)) {
        result.error = u"indirizzo non valido: "_s + url.toString();
        return result;
    }

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(10);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/html"));
    request.setRawHeader(QByteArrayLiteral("Accept"), QByteArrayLiteral("text/html, */*"));
    request.setRawHeader(QByteArrayLiteral("Referer"), QByteArray(Referer));
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray(UserAgent));

    QNetworkReply* reply = manager_.get(request);
    reply_ = reply;
    cancelRequested_ = false;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);

    auto overLimit = [&](qint64 size) { return maxBytes >= 0 && size > maxBytes; };
    auto stopTooLarge = [&] {
        result.tooLarge = true;
        reply->abort();
    };
    connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (status >= 200 && status < 300 && length.isValid() && overLimit(length.toLongLong())) stopTooLarge();
    });
    connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        if (result.tooLarge) return;
        // Read no more than one byte past the limit: that byte is enough to refuse the body.
        const qint64 room = maxBytes >= 0 ? maxBytes + 1 - result.body.size() : reply->bytesAvailable();
        result.body += reply->read(std::max<qint64>(room, 0));
        if (overLimit(result.body.size())) stopTooLarge();
    });
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    connect(&timer, &QTimer::timeout, &loop, [&] {
        result.timedOut = true;
        reply->abort();
    });
    if (!reply->isFinished()) {
        timer.start(timeoutMs_);
        loop.exec();
    }
    timer.stop();
    reply_ = nullptr;
    result.cancelled = cancelRequested_;
    cancelRequested_ = false;

    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!result.tooLarge && !result.timedOut && !result.cancelled) {
        result.body += reply->read(maxBytes >= 0 ? std::max<qint64>(maxBytes + 1 - result.body.size(), 0)
                                                 : reply->bytesAvailable());
        if (overLimit(result.body.size())) result.tooLarge = true;
    }
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    result.truncated = !result.tooLarge && !result.timedOut && !result.cancelled && announced.isValid() &&
                       result.body.size() < announced.toLongLong();
    if (result.cancelled) {
        result.error = u"richiesta annullata dall'utente"_s;
    } else if (result.timedOut) {
        result.error = u"nessuna risposta entro %1 ms"_s.arg(timeoutMs_);
    } else if (result.tooLarge) {
        result.error = u"la risposta supera i %1 byte"_s.arg(maxBytes);
    } else if (result.truncated) {
        result.error = u"la risposta è incompleta: %1 byte dei %2 annunciati"_s.arg(result.body.size())
                           .arg(announced.toLongLong());
    } else if (result.status != 0 && (result.status < 200 || result.status > 299)) {
        result.error = u"risposta HTTP %1"_s.arg(result.status);
    } else if (reply->error() != QNetworkReply::NoError) {
        result.error = reply->errorString();
    } else if (result.status == 0) {
        result.error = u"nessuna risposta HTTP"_s;
    } else {
        result.ok = true;
    }
    if (!result.ok) result.body.clear();
    reply->deleteLater();
    return result;
}

} // namespace numora
