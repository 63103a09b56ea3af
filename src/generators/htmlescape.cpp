#include "generators/htmlescape.h"

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

} // namespace korvel
