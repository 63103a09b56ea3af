#include "generators/htmlescape.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace korvel {

namespace {

// One pass over the text; quote decides whether '"' is replaced too.
QString escaped(const QString &value, bool quote)
{
    QString out;
    out.reserve(value.size() + value.size() / 8);
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'&': out += QLatin1String("&amp;"); break;
        case u'<': out += QLatin1String("&lt;"); break;
        case u'>': out += QLatin1String("&gt;"); break;
        case u'"':
            if (quote)
                out += QLatin1String("&quot;");
            else
                out += c;
            break;
        default: out += c;
        }
    }
    return out;
}

} // namespace

QString escapeAttribute(const QString &value)
{
    return escaped(value, true);
}

QString escapeText(const QString &value)
{
    return escaped(value, false);
}

QString documentRelativePath(const QString &docFile, const QString &chosenPath)
{
    const QString absolute = QFileInfo(chosenPath).absoluteFilePath();
    if (docFile.isEmpty())
        return QUrl::fromLocalFile(absolute).toString(QUrl::FullyEncoded);
    const QString relative = QDir(QFileInfo(docFile).absolutePath()).relativeFilePath(absolute);
    // Only the separators stay literal; "#", "?", "%" and blanks would otherwise change
    // what the address means.
    return QString::fromLatin1(QUrl::toPercentEncoding(QDir::fromNativeSeparators(relative), "/"));
}

} // namespace korvel
