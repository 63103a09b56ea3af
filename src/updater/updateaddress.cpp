#include "updater/updateaddress.h"

#include <QHostAddress>
#include <QString>
#include <QUrl>

#ifndef KORVEL_UPDATE_URL
#error "KORVEL_UPDATE_URL must name the update server"
#endif

namespace korvel {

QUrl serverFileUrl(const QUrl &root, ServerFolder folder, const QString &fileName)
{
    QUrl url = root.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
    QString path = url.path();
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    path += folder == ServerFolder::Updates ? QStringLiteral("/updates/") : QStringLiteral("/download/");
    url.setPath(path + fileName, QUrl::DecodedMode);
    return url;
}

bool isAcceptableServerUrl(const QUrl &url)
{
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https"))
        return true;
    if (scheme == QLatin1String("http")) {
        const QHostAddress address(url.host());
        return !address.isNull() && address.isLoopback();
    }
    return false;
}

QUrl updateServerRoot()
{
    const QString fromEnvironment = qEnvironmentVariable("KORVEL_UPDATE_URL").trimmed();
    if (!fromEnvironment.isEmpty())
        return QUrl(fromEnvironment, QUrl::StrictMode);
    return QUrl(QStringLiteral(KORVEL_UPDATE_URL), QUrl::StrictMode);
}

} // namespace korvel
