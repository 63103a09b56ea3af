#pragma once

#include "source/catalogueline.h"

#include <QHash>
#include <QString>

namespace korvel::test {

// The catalogue lines the source tools compose their reports from, in both languages.
inline CatalogueLine EnglishLines()
{
    return [](int line) {
        static const QHash<int, QString> lines = {
            {12, QStringLiteral(" closing Tag missing.")},
            {13, QStringLiteral("For")},
            {14, QStringLiteral("missing")},
            {16, QStringLiteral(" redundant")},
            {17, QStringLiteral(" deleted.")},
            {32, QStringLiteral("Code check finished.")},
            {34, QStringLiteral(" x hyphenation deleted.")},
        };
        return lines.value(line);
    };
}

inline CatalogueLine GermanLines()
{
    return [](int line) {
        static const QHash<int, QString> lines = {
            {12, QStringLiteral(" fehlt der schliessende Tag.")},
            {13, QStringLiteral("Für ")},
            {14, QStringLiteral(" fehlt(en) insgesamt ")},
            {16, QStringLiteral(" überzählige ")},
            {17, QStringLiteral(" gelöscht.")},
            {32, QStringLiteral("Codeprüfung abgeschlossen.")},
            {34, QStringLiteral(" x Silbentrennung gelöscht")},
        };
        return lines.value(line);
    };
}

} // namespace korvel::test
