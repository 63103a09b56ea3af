#include "updater/versioncompare.h"

#include <QList>
#include <QStringList>
#include <optional>

namespace korvel {

namespace {

// The numbers of a version with their leading zeros removed, so that two numbers compare by
// their length first and then digit by digit; nothing when the text is not dotted decimal.
std::optional<QStringList> versionNumbers(const QString &version)
{
    QStringList numbers;
    for (const QString &field : version.split(QLatin1Char('.'), Qt::SkipEmptyParts)) {
        for (const QChar c : field) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
        }
        qsizetype first = 0;
        while (first < field.size() - 1 && field.at(first) == QLatin1Char('0'))
            ++first;
        numbers << field.mid(first);
    }
    if (numbers.isEmpty())
        return std::nullopt;
    return numbers;
}

int compareNumbers(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

} // namespace

VersionVerdict compareVersions(const QString &installed, const QString &available)
{
    const auto mine = versionNumbers(installed);
    const auto theirs = versionNumbers(available);
    if (!mine || !theirs)
        return VersionVerdict::Unreadable;
    const qsizetype count = std::max(mine->size(), theirs->size());
    const QString zero(QLatin1Char('0'));
    for (qsizetype i = 0; i < count; ++i) {
        const int order = compareNumbers(mine->value(i, zero), theirs->value(i, zero));
        if (order != 0)
            return order < 0 ? VersionVerdict::Newer : VersionVerdict::NotNewer;
    }
    return VersionVerdict::NotNewer;
}

} // namespace korvel
