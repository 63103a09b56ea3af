#include "generators/linkbuilder.h"

#include "generators/htmlescape.h"

#include <QRegularExpression>

namespace korvel {

namespace {

QString pick(int uiLanguage, const char16_t *german, const char16_t *english)
{
    return QString::fromUtf16(uiLanguage == 0 ? german : english);
}

QString removeFirst(QString text, const QString &what, Qt::CaseSensitivity cs)
{
    const qsizetype at = text.indexOf(what, 0, cs);
    if (at >= 0)
        text.remove(at, what.size());
    return text;
}

QString anchorPair(const QString &name, const QString &description, int uiLanguage)
{
    const QString n = escapeAttribute(name);
    return QStringLiteral("<a href=\"#") + n
        + pick(uiLanguage, u"\">Dies ist der interner Link:", u"\">This is an internal link:")
        + description + QStringLiteral("</a>\r\n<a name=\"") + n + QStringLiteral("\">") + description
        + pick(uiLanguage, u", plazieren Sie diesen Anchor irgendwo auf Ihrer Seite</a>",
               u", place this anchor anywhere on the page</a>")
        + QStringLiteral("\r\n");
}

LinkOutcome urlLink(const LinkFields &f)
{
    LinkOutcome out;
    out.address = f.address;
    const QString description = f.description.trimmed();
    if (description.isEmpty()) {
        out.problem = LinkProblem::MissingDescription;
        return out;
    }
    const QString title = f.title.trimmed();
    const QString titlePiece = title.isEmpty()
        ? QString() : QStringLiteral("title=\"") + escapeAttribute(title) + QLatin1Char('"');
    const QString targetPiece = f.target.trimmed().isEmpty()
        ? QString() : QStringLiteral(" target=\"") + escapeAttribute(f.target) + QLatin1Char('"');
    QString address = f.address;
    if (f.kind == LinkKind::Url && needsHttpPrefix(address))
        address.prepend(QStringLiteral("http://"));
    out.html = QStringLiteral("<a ") + titlePiece + QStringLiteral(" href=\"") + escapeAttribute(address)
        + QLatin1Char('"') + targetPiece + QLatin1Char('>') + description + QStringLiteral("</a>");
    return out;
}

LinkOutcome mailLink(const LinkFields &f)
{
    LinkOutcome out;
    out.address = f.address;
    if (!f.address.contains(QLatin1Char('@'))) {
        out.problem = LinkProblem::InvalidMail;
        return out;
    }
    out.address = removeFirst(f.address, QStringLiteral("mailto:"), Qt::CaseInsensitive);
    if (f.description.trimmed().isEmpty()) {
        out.problem = LinkProblem::InvalidMail;
        return out;
    }
    out.html = QStringLiteral("<a href=\"mailto:") + escapeAttribute(out.address) + QStringLiteral("\">")
        + f.description + QStringLiteral("</a>");
    return out;
}

LinkOutcome anchorLink(const LinkFields &f, int uiLanguage)
{
    LinkOutcome out;
    out.address = removeFirst(f.address, QStringLiteral("#"), Qt::CaseSensitive);
    if (out.address.trimmed().isEmpty()) {
        out.problem = LinkProblem::MissingDescription;
        return out;
    }
    out.html = anchorPair(out.address, f.description, uiLanguage);
    return out;
}

} // namespace

LinkOutcome MakeLink(const LinkFields &fields, int uiLanguage)
{
    switch (fields.kind) {
    case LinkKind::Anchor: return anchorLink(fields, uiLanguage);
    case LinkKind::Mail: return mailLink(fields);
    case LinkKind::Url:
    case LinkKind::Plain: return urlLink(fields);
    }
    return {};
}

bool anchorLooksExternal(const QString &address)
{
    return address.contains(QLatin1String("www."));
}

bool needsHttpPrefix(const QString &address)
{
    // A scheme is letters, digits, "+" and "-" before the first colon; a dot there means a
    // host name with a port ("www.x.de:8080"), which still wants the prefix.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+-]*:"));
    const QString text = address.trimmed();
    if (text.startsWith(QLatin1Char('/')) || text.startsWith(QLatin1Char('.'))
        || text.startsWith(QLatin1Char('#')) || text.startsWith(QLatin1Char('?')))
        return false;
    return !scheme.match(text).hasMatch();
}

LinkPreset presetFromSelection(const QString &s)
{
    LinkPreset preset;
    if (s.size() < 2)
        return preset;
    bool url = false;
    bool anchor = false;
    bool mail = false;
    if (s.contains(QLatin1String("http")) || s.contains(QLatin1String("www.")))
        url = true;
    // A web address with a fragment ("...a.html#top") stays a web address.
    if (!url && s.contains(QLatin1Char('#')))
        anchor = true;
    if (s.contains(QLatin1Char('@')) || s.contains(QLatin1String("mailto")))
        mail = true;
    if (mail)
        preset = {LinkKind::Mail, true};
    else if (anchor)
        preset = {LinkKind::Anchor, true};
    else if (url)
        preset = {LinkKind::Url, true};
    return preset;
}

QString linkProblemText(LinkProblem problem, int uiLanguage)
{
    switch (problem) {
    case LinkProblem::None: return {};
    case LinkProblem::MissingDescription:
        return pick(uiLanguage, u"Bitte eine Beschreibung eingeben.", u"Enter a description please.");
    case LinkProblem::InvalidMail:
        return pick(uiLanguage, u"Bitte geben Sie eine gültige Emailadresse ein.", u"Enter a valid email please.");
    }
    return {};
}

QString externalAnchorQuestion(int uiLanguage)
{
    return pick(uiLanguage,
                u"Es scheint, Sie haben eine externe URL für einen internen Anchor angegeben. Trotzdem fortfahren?",
                u"It seems you have entered an external Url for an internal anchor. Continue anyway?");
}

QString anchorLabel(int uiLanguage)
{
    return pick(uiLanguage, u"#Überschrift", u"#Chapter");
}

} // namespace korvel
