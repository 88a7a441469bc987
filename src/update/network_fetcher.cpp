#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "update/fetcher.h"

namespace quintara {

namespace {

bool meansNoNetwork(QNetworkReply::NetworkError error)
{
    switch (error) {
        case QNetworkReply::ConnectionRefusedError:
        case QNetworkReply::HostNotFoundError:
        case QNetworkReply::NetworkSessionFailedError:
        case QNetworkReply::TemporaryNetworkFailureError:
        case QNetworkReply::UnknownNetworkError:
        case QNetworkReply::ProxyConnectionRefusedError:
        case QNetworkReply::ProxyNotFoundError:
            return true;
        default:
            return false;
    }
}

}  // namespace

FetchReply NetworkFetcher::get(const std::string& address)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(QString::fromStdString(address)));
    request.setRawHeader("Accept", "application/json");
    std::unique_ptr<QNetworkReply> reply(manager.get(request));

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    timer.start(timeoutMs_);
    if (!reply->isFinished()) loop.exec();

    FetchReply out;
    if (timedOut && !reply->isFinished()) {
        reply->abort();
        out.failure = FetchFailure::Timeout;
        out.message = "no answer within " + (timeoutMs_ % 1000 == 0 ? std::to_string(timeoutMs_ / 1000) + " s"
                                                                    : std::to_string(timeoutMs_) + " ms");
        return out;
    }
    out.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray body = reply->readAll();
    out.body.assign(body.constData(), static_cast<std::size_t>(body.size()));
    const QNetworkReply::NetworkError error = reply->error();
    if (error == QNetworkReply::NoError && out.status == 200) return out;
    if (out.status != 0 && out.status != 200) {
        out.failure = FetchFailure::Http;
        out.message = "HTTP status " + std::to_string(out.status);
    } else if (meansNoNetwork(error)) {
        out.failure = FetchFailure::NoNetwork;
        out.message = reply->errorString().toStdString();
    } else {
        out.failure = FetchFailure::Transfer;
        out.message = reply->errorString().toStdString();
    }
    return out;
}

}  // namespace quintara
