#pragma once

#include <QString>

#include <ostream>

// GoogleTest prints a QString as its text, with line breaks shown as \r and \n.
inline void PrintTo(const QString &text, std::ostream *os)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1String("\\r")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
    *os << '"' << shown.toStdString() << '"';
}
