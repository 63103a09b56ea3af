#pragma once

#include <QString>

#include <ostream>

// A QString from a UTF-8 literal, for tables of cases.
inline QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// GoogleTest prints a QString as its text, with line breaks shown as \r and \n.
inline void PrintTo(const QString &text, std::ostream *os)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1String("\\r")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
    *os << '"' << shown.toStdString() << '"';
}
