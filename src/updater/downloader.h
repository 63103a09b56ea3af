#pragma once

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>

class QString;
class QUrl;

namespace korvel {

enum class DownloadResult {
    Complete,  // the file arrived whole and now stands under the target name
    Failed,    // refused address, network or HTTP error, cut short, or not writable
    Aborted,   // abort() was called while it ran
};

// Fetches one URL into a file, waiting in a local event loop so the window stays alive. The
// data goes into a temporary file in the target's folder, which replaces the target only when
// the server answered 200 and, when it announced a length, sent exactly that many bytes; on
// any failure the target is left as it was.
class Downloader final : public QObject {
    Q_OBJECT
public:
    explicit Downloader(QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(Downloader)

    // A transfer that receives nothing for this long fails.
    void setTransferTimeout(int milliseconds) { m_transferTimeout = milliseconds; }

    DownloadResult fetch(const QUrl &url, const QString &targetPath);

    bool isRunning() const { return m_reply != nullptr; }
    // Ends a running fetch; it returns Aborted.
    void abort();

private:
    QNetworkAccessManager m_network;
    QPointer<QNetworkReply> m_reply;
    bool m_aborted = false;
    int m_transferTimeout = 30000;
};

} // namespace korvel
