#include "updater/updatenames.h"

#include <QStringList>

namespace korvel {

bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && !name.contains(QChar(u'\0'));
}

QString releaseInfoFileName(const QString &productId)
{
    return productId + QStringLiteral(".inf");
}

QString backupFileName(const QString &programFile)
{
    return QStringLiteral("Old") + programFile;
}

QString fourPartVersion(const QString &version)
{
    QStringList numbers = version.split(QLatin1Char('.'));
    if (version.isEmpty() || numbers.size() > 4)
        return {};
    for (QString &number : numbers) {
        bool ok = false;
        const uint value = number.toUInt(&ok);
        if (!ok || number.isEmpty() || !number.at(0).isDigit())
            return {};
        number = QString::number(value);
    }
    while (numbers.size() < 4)
        numbers << QStringLiteral("0");
    return numbers.join(QLatin1Char('.'));
}

} // namespace korvel
