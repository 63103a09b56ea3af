#pragma once

#include <QSize>
#include <QString>

namespace korvel {

// The settings values the main window holds after reading Htmledit.ini.
struct MainSettings {
    QString FtpUser;
    QString FtpPassword;
    QString FtpServer;
    QString FtpLoginMode = QStringLiteral("Anonymous");
    QString DefaultCharset = QStringLiteral("ISO-8859-1");
    QString ExternalBrowser;
};

// The leading whole number of an engine version text ("102.0.5005.177" gives 102); 0 when
// the text does not start with a digit.
int engineMajorVersionOf(const QString &version);

// The main window's first size for a screen: 1000 wide on screens wider than 1000 pixels, then
// 700 high on screens taller than 700; otherwise 786 by 543.
QSize mainWindowSize(const QSize &screen);

} // namespace korvel
