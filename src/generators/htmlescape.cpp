#include "generators/htmlescape.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace korvel {

namespace {

QString escaped(const QString &value, bool quotes)
{
    QString out;
    out.reserve(value.size() + value.size() / 8);
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'&': out += QStringLiteral("&amp;"); break;
        case u'<': out += QStringLiteral("&lt;"); break;
        case u'>': out += QStringLiteral("&gt;"); break;
        case u'"':
            if (quotes) {
                out += QStringLiteral("&quot;");
                break;
            }
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

QString escapeText(const QString &text)
{
    return escaped(text, false);
}

QString documentRelativePath(const QString &documentFile, const QString &chosenPath)
{
    if (chosenPath.isEmpty())
        return {};
    const QString chosen = QFileInfo(chosenPath).absoluteFilePath();
    const QFileInfo document(documentFile);
    // An unnamed document ("Untitled") has no folder that a relative path could start from.
    if (documentFile.isEmpty() || !document.isAbsolute())
        return QUrl::fromLocalFile(chosen).toString(QUrl::FullyEncoded);
    const QString relative = QDir(document.absolutePath()).relativeFilePath(chosen);
    // Sub-delimiters stay readable; ":" is encoded so that a first segment never reads as a scheme.
    return QString::fromLatin1(QUrl::toPercentEncoding(relative, "/!$&'()*+,;=@"));
}

} // namespace korvel
