#include "updater/releaseinfo.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

namespace korvel {

namespace {

QString decodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder ansi("windows-1252");
    if (ansi.isValid())
        return ansi.decode(bytes);
    return QString::fromLatin1(bytes);
}

} // namespace

ReleaseInfo parseReleaseInfo(const QByteArray &bytes)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = decodeText(bytes).split(lineBreak);
    ReleaseInfo info;
    info.version = lines.value(0).trimmed();
    info.fileName = lines.value(1).trimmed();
    info.newsGerman = lines.value(2).trimmed();
    info.newsEnglish = lines.value(3).trimmed();
    info.mode = lines.value(4).trimmed();
    return info;
}

QString newsFor(const ReleaseInfo &info, int languageNumber)
{
    return languageNumber != 0 ? info.newsEnglish : info.newsGerman;
}

InstallMode installModeOf(const QString &mode)
{
    const QString trimmed = mode.trimmed();
    if (trimmed.isEmpty() || trimmed == QLatin1String("default"))
        return InstallMode::Replace;
    if (trimmed.contains(QLatin1String("setup"), Qt::CaseInsensitive))
        return InstallMode::Setup;
    return InstallMode::Program;
}

} // namespace korvel
