#include "updater/downloader.h"

#include "textio/atomicfile.h"

#include "updater/updateaddress.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QUrl>

namespace korvel {

Downloader::Downloader(QObject *parent) : QObject(parent) {}

void Downloader::abort()
{
    if (m_reply) {
        m_aborted = true;
        m_reply->abort();
    }
}

DownloadResult Downloader::fetch(const QUrl &url, const QString &targetPath)
{
    if (m_reply || !isAcceptableServerUrl(url))
        return DownloadResult::Failed;

    QSaveFile file(targetPath);
    if (!file.open(QIODevice::WriteOnly))
        return DownloadResult::Failed;

    QNetworkRequest request(url);
    // Each redirect is checked like the first address, so it cannot lead to plain HTTP away
    // from this machine.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    // The announced length must be the length of what is written.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setTransferTimeout(m_transferTimeout);

    m_aborted = false;
    bool writeFailed = false;
    qint64 written = 0;
    QNetworkReply *reply = m_network.get(request);
    m_reply = reply;
    QEventLoop loop;
    connect(reply, &QNetworkReply::redirected, reply, [reply](const QUrl &next) {
        if (isAcceptableServerUrl(next))
            emit reply->redirectAllowed();
        else
            reply->abort();
    });
    const auto store = [&file, &writeFailed, &written](const QByteArray &chunk) {
        if (file.write(chunk) == chunk.size())
            written += chunk.size();
        else
            writeFailed = true;
    };
    connect(reply, &QNetworkReply::readyRead, reply, [reply, &store, &writeFailed] {
        store(reply->readAll());
        if (writeFailed)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    if (reply->isOpen())
        store(reply->readAll());

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    const bool whole = reply->error() == QNetworkReply::NoError && status == 200 && !writeFailed
        && (!announced.isValid() || announced.toLongLong() == written);
    const bool aborted = m_aborted;
    m_reply = nullptr;
    reply->disconnect();
    reply->deleteLater();

    if (aborted) {
        file.cancelWriting();
        return DownloadResult::Aborted;
    }
    if (!whole) {
        file.cancelWriting();
        return DownloadResult::Failed;
    }
    return commitWholly(file) ? DownloadResult::Complete : DownloadResult::Failed;
}

} // namespace korvel
