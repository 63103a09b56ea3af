#include "generators/cssbuilder.h"

#include <QRegularExpression>

namespace korvel {

namespace {

const CssDeclaration kDeclarations[] = {
    {"position:", &CssFields::position},
    {"top:", &CssFields::top},
    {"left:", &CssFields::left},
    {"width:", &CssFields::width},
    {"margin:", &CssFields::margin},
    {"border-width:", &CssFields::borderWidth},
    {"border-color:", &CssFields::borderColor},
    {"border-style:", &CssFields::borderStyle},
    {"padding:", &CssFields::padding},
    {"font-family:", &CssFields::fontFamily},
    {"font-size:", &CssFields::fontSize},
    {"font-weight:", &CssFields::fontWeight},
    {"font-style:", &CssFields::fontStyle},
    {"color:", &CssFields::color},
    {"text-decoration:", &CssFields::textDecoration},
    {"text-align:", &CssFields::textAlign},
    {"background-image:url(", &CssFields::backgroundImage},
    {"background-repeat:", &CssFields::backgroundRepeat},
    {"background-position:", &CssFields::backgroundPosition},
    {"background-attachment:", &CssFields::backgroundAttachment},
    {"background-color:", &CssFields::backgroundColor},
};

const QString CRLF = QStringLiteral("\r\n");

bool isUrl(const CssDeclaration &d)
{
    return d.value == &CssFields::backgroundImage;
}

bool isLength(const CssDeclaration &d)
{
    for (auto member : {&CssFields::top, &CssFields::left, &CssFields::width, &CssFields::margin,
                        &CssFields::borderWidth, &CssFields::padding, &CssFields::fontSize})
        if (d.value == member)
            return true;
    return false;
}

// What ends the style element or its comment wrapper, in any field; then what breaks the rule
// where the text is not inside a quoted string. ">" is a selector's child combinator.
std::optional<QString> forbidden(const QString &text, bool quoted, bool selector)
{
    for (const QLatin1String end : {QLatin1String("</style"), QLatin1String("-->")})
        if (text.contains(end, Qt::CaseInsensitive))
            return QString(end);
    if (quoted)
        return std::nullopt;
    for (const QChar c : text) {
        if (c == u'{' || c == u'}' || c == u';' || c == u'<' || (c == u'>' && !selector))
            return QString(c);
    }
    return std::nullopt;
}

// "10" or "1.5" as a whole blank-separated word gets "px"; zero needs no unit.
QString withUnits(const QString &value)
{
    static const QRegularExpression bare(
        QStringLiteral("(?<=^|\\s)[+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?=\\s|$)"));
    static const QRegularExpression zero(QStringLiteral("^[+-]?0*\\.?0*$"));
    QString out;
    qsizetype last = 0;
    for (auto it = bare.globalMatch(value); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(value).mid(last, m.capturedEnd() - last);
        if (!zero.match(m.capturedView()).hasMatch())
            out += QLatin1String("px");
        last = m.capturedEnd();
    }
    out += QStringView(value).mid(last);
    return out;
}

QString weightKeyword(const QString &value)
{
    const qsizetype at = value.indexOf(QLatin1String("light"), 0, Qt::CaseInsensitive);
    if (value.trimmed().compare(QLatin1String("light"), Qt::CaseInsensitive) != 0)
        return value;
    QString out = value;
    out.replace(at, 5, QStringLiteral("lighter"));
    return out;
}

QString quotedUrl(const QString &value)
{
    QString out;
    out.reserve(value.size() + 2);
    out += QLatin1Char('"');
    for (const QChar c : value) {
        if (c == u'"' || c == u'\\')
            out += QLatin1Char('\\');
        if (c == u'\n')
            out += QLatin1String("\\a ");
        else if (c == u'\r')
            out += QLatin1String("\\d ");
        else
            out += c;
    }
    out += QLatin1Char('"');
    return out;
}

QString fieldName(int field)
{
    if (field < 0)
        return QStringLiteral("Class or ID");
    const QString property = QString::fromLatin1(kDeclarations[field].property);
    return property.left(property.indexOf(QLatin1Char(':')));
}

} // namespace

std::span<const CssDeclaration> cssDeclarations()
{
    return kDeclarations;
}

std::optional<CssProblem> findCssProblem(const CssFields &fields)
{
    if (auto found = forbidden(fields.selector, false, true))
        return CssProblem{-1, *found};
    for (int i = 0; i < int(std::size(kDeclarations)); ++i) {
        const CssDeclaration &d = kDeclarations[i];
        if (auto found = forbidden(fields.*d.value, isUrl(d), false))
            return CssProblem{i, *found};
    }
    return std::nullopt;
}

QString MakeCss(const CssFields &fields)
{
    if (fields.selector.trimmed().isEmpty() || findCssProblem(fields))
        return {};
    QString out = QStringLiteral("<style type=\"text/css\">") + CRLF + QStringLiteral("<!--") + CRLF;
    out += fields.selector + QLatin1Char('{') + CRLF;
    for (const CssDeclaration &d : kDeclarations) {
        QString value = fields.*d.value;
        if (value.trimmed().isEmpty())
            continue;
        out += QLatin1String(d.property);
        if (isUrl(d)) {
            out += quotedUrl(value) + QLatin1String(");") + CRLF;
            continue;
        }
        if (isLength(d))
            value = withUnits(value);
        else if (d.value == &CssFields::fontWeight)
            value = weightKeyword(value);
        out += value + QLatin1Char(';') + CRLF;
    }
    out += QLatin1Char('}') + CRLF + QStringLiteral("-->") + CRLF + QStringLiteral("</style>");
    return out;
}

QString cssProblemText(const CssProblem &problem, int uiLanguage)
{
    const QString text = uiLanguage == 0
        ? QStringLiteral("Das Feld \"%1\" enthält \"%2\", das in einer Style-Definition nicht stehen darf.")
        : QStringLiteral("The field \"%1\" contains \"%2\", which cannot stand in a style definition.");
    return text.arg(fieldName(problem.field), problem.found);
}

StyleBlockPlace placeStyleBlock(const QString &source, qsizetype selectionStart,
                               qsizetype selectionLength, const QString &block)
{
    StyleBlockPlace out{selectionStart, selectionLength, {}};
    const qsizetype head = source.indexOf(QLatin1String("</head>"), 0, Qt::CaseInsensitive);
    if (head >= 0) {
        out.start = head;
        out.length = 7;
    }
    out.text = CRLF + block + CRLF + source.mid(out.start, out.length);
    return out;
}

} // namespace korvel
