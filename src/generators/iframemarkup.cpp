#include "generators/iframemarkup.h"

#include "generators/htmlescape.h"

#include <QSet>

namespace korvel {

QString MakeFrame(const IFrameFields &fields)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString src = escapeAttribute(fields.source);
    return QStringLiteral("<iframe src=\"") + src + QStringLiteral("\" width=\"") + escapeAttribute(fields.width)
        + QStringLiteral("\" height=\"") + escapeAttribute(fields.height)
        + QStringLiteral("\" name=\"") + escapeAttribute(fields.name) + QStringLiteral("\">") + crlf
        + QStringLiteral("<p>Your browser is unable to display inline frames:") + crlf
        + QStringLiteral("Use a simple link instead:<a href=\"") + src + QStringLiteral("\">")
        + escapeText(fields.name) + QStringLiteral("</a></p>") + crlf
        + QStringLiteral("</iframe>") + crlf;
}

QString designerIFrameHtml(const QString &id)
{
    if (id.isEmpty())
        return QStringLiteral("<iframe></iframe>");
    return QStringLiteral("<iframe id=\"") + escapeAttribute(id) + QStringLiteral("\"></iframe>");
}

QString nextFrameId(const QStringList &idsPresent)
{
    const QSet<QString> present(idsPresent.cbegin(), idsPresent.cend());
    const QString base = QStringLiteral("MyFrame");
    if (!present.contains(base))
        return base;
    // At most present.size() + 2 candidates are tried, so the search ends.
    for (int n = 2;; ++n) {
        const QString candidate = base + QString::number(n);
        if (!present.contains(candidate))
            return candidate;
    }
}

} // namespace korvel
