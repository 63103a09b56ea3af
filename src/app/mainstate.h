#pragma once

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

} // namespace korvel
