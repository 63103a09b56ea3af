#include "source/formatrules.h"

#include "source/htmltags.h"
#include "source/texthelpers.h"
#include "source/textmatch.h"

namespace korvel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

struct WrapTexts {
    const char *open;
    const char *close;
};

// In the order of SourceWrap.
const WrapTexts kWraps[] = {
    {"<b>", "</b>"},
    {"<i>", "</i>"},
    {"<u>", "</u>"},
    {"<strike>", "</strike>"},
    {"<p align=\"left\">", "</p>"},
    {"<p align=\"right\">", "</p>"},
    {"<p align=\"justify\">", "</p>"},
    {"<p align=\"center\">", "</p>"},
    {"<sup>", "</sup>"},
    {"<sub>", "</sub>"},
    {"<p style=\"text-align:left; margin-left:50px\">", "</p>"},
    {"", "<br>"},
    {"", "<br><hr style=\"width:300px; color:gray; background-color:gray; height:2px; "
         "text-align:center; border:1px\">"},
    {"<div class=\"undefined\">", "</div>"},
    {"<span class=\"undefined\">", "</span>"},
};

static_assert(std::size(kWraps) == static_cast<size_t>(SourceWrap::Span) + 1);

bool IsSpaceOrBreak(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\r' || u == u'\n' || u == u'\t';
}

// The elements whose text the browser shows with its line breaks, or runs as code.
bool KeepsItsText(const QString &name)
{
    return name == QLatin1String("pre") || name == QLatin1String("textarea")
        || name == QLatin1String("script") || name == QLatin1String("style");
}

// Appends text with every run of blanks, CR, LF and TAB as one blank.
void AppendFlattened(QString &out, QStringView text)
{
    bool inRun = false;
    for (const QChar c : text) {
        if (IsSpaceOrBreak(c)) {
            inRun = true;
            continue;
        }
        if (inRun)
            out += QLatin1Char(' ');
        inRun = false;
        out += c;
    }
    if (inRun)
        out += QLatin1Char(' ');
}

// Removes [begin, end) and [begin2, end2) from the text, the second range lying behind the first.
QString WithoutRanges(const QString &text, qsizetype begin, qsizetype end, qsizetype begin2,
                      qsizetype end2)
{
    QString out;
    out.reserve(text.size());
    out += QStringView(text).left(begin);
    if (begin2 < 0) {
        out += QStringView(text).mid(end);
        return out;
    }
    out += QStringView(text).mid(end, begin2 - end);
    out += QStringView(text).mid(end2);
    return out;
}

} // namespace

QString FirstTag(const QString &text)
{
    qsizetype begin = text.indexOf(QLatin1Char('<'));
    if (begin < 0)
        begin = 0;
    // The end is looked for behind the start: a ">" in front of the first "<" would give a
    // tag of negative length.
    const qsizetype end = text.indexOf(QLatin1Char('>'), begin);
    if (end < 0)
        return QString();
    return text.mid(begin, end - begin + 1);
}

QString ColorToHtml(int red, int green, int blue)
{
    auto hex = [](int value) {
        return QStringLiteral("%1").arg(qBound(0, value, 255), 2, 16, QLatin1Char('0')).toUpper();
    };
    return QLatin1Char('#') + hex(red) + hex(green) + hex(blue);
}

QString SourceWrapped(SourceWrap wrap, const QString &sel)
{
    const WrapTexts &texts = kWraps[static_cast<size_t>(wrap)];
    return QLatin1String(texts.open) + sel + QLatin1String(texts.close);
}

SourceWrap AlignWrapForTag(int tag)
{
    switch (tag) {
    case 0:
        return SourceWrap::AlignLeft;
    case 1:
        return SourceWrap::AlignRight;
    case 2:
        return SourceWrap::AlignJustify;
    default:
        return SourceWrap::AlignCenter;
    }
}

QString CompactHtmlKeepingWords(const QString &html)
{
    QString out;
    out.reserve(html.size());
    const QStringView text(html);
    qsizetype copied = 0;
    HtmlTag tag;
    qsizetype at = 0;
    while (NextHtmlTag(text, at, tag)) {
        at = tag.end;
        if (tag.closing || !KeepsItsText(tag.name))
            continue;
        const HtmlTag end = MatchingEndTag(text, tag.end, tag.name);
        const qsizetype keepUntil = end.begin < 0 ? text.size() : end.begin;
        AppendFlattened(out, text.mid(copied, tag.end - copied));
        out += text.mid(tag.end, keepUntil - tag.end);
        copied = keepUntil;
        at = keepUntil;
    }
    AppendFlattened(out, text.mid(copied));
    return out;
}

std::optional<QString> OutdentSource(const QString &sel)
{
    const QString s = TrimBlanks(CompactHtmlKeepingWords(sel));
    qsizetype at = IndexOfAsciiNoCase(s, QStringLiteral("<p style"));
    if (at < 0)
        at = IndexOfAsciiNoCase(s, QStringLiteral("<blockquote"));
    if (at < 0)
        return std::nullopt;
    const QString prefix = s.left(at);
    const QString rest = s.mid(at);
    const QString tag = FirstTag(rest);
    const QString head = AsciiLowerCase(tag.left(9));
    const qsizetype tagAt = rest.indexOf(tag);
    if (head == QLatin1String("<p style=")) {
        // A paragraph holds no paragraph, so its end tag is the first one behind it.
        const qsizetype endAt = IndexOfAsciiNoCase(rest, QStringLiteral("</p>"), tagAt + tag.size());
        return prefix + WithoutRanges(rest, tagAt, tagAt + tag.size(), endAt, endAt + 4);
    }
    if (head == QLatin1String("<blockquo")) {
        // Quotes nest (the designer's indentation makes one per step): the end tag removed is
        // the one of this quote, so the text behind an inner quote keeps its indentation.
        const HtmlTag end = MatchingEndTag(rest, tagAt + tag.size(), QStringLiteral("blockquote"));
        return prefix + WithoutRanges(rest, tagAt, tagAt + tag.size(), end.begin, end.end);
    }
    return prefix + rest;
}

QString FontSource(const QString &sel, const FontChoice &font)
{
    QString out = QStringLiteral("<font");
    if (font.face)
        out += QStringLiteral(" face=\"") + *font.face + QLatin1Char('"');
    if (font.size)
        out += QStringLiteral(" size=\"") + *font.size + QLatin1Char('"');
    if (font.color)
        out += QStringLiteral(" color=\"") + *font.color + QLatin1Char('"');
    return out + QLatin1Char('>') + sel + QStringLiteral("</font>");
}

QString EngineFontSize(const QString &sizeText)
{
    const QString trimmed = TrimBlanks(sizeText);
    bool whole = !trimmed.isEmpty();
    for (const QChar c : trimmed)
        whole = whole && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!whole)
        return sizeText;
    // Long digit runs do not fit a number; they lie above the range all the same.
    bool fits = false;
    const int size = trimmed.toInt(&fits);
    return QString::number(fits ? qBound(1, size, 7) : 7);
}

std::vector<EngineCall> DesignerFontCalls(const FontChoice &font)
{
    std::vector<EngineCall> calls;
    if (font.face)
        calls.push_back({QStringLiteral("fontName"), *font.face});
    if (font.size)
        calls.push_back({QStringLiteral("fontSize"), EngineFontSize(*font.size)});
    if (font.color)
        calls.push_back({QStringLiteral("foreColor"), *font.color});
    return calls;
}

QString escapeRangeText(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QLatin1String("&amp;");
            break;
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString DesignerDivisionFragment(const QString &rangeHtml)
{
    return QStringLiteral("<div class=\"undefined\">") + kCrLf + CompactHtmlKeepingWords(rangeHtml)
        + kCrLf + QStringLiteral("</div>");
}

QString DesignerSpanFragment(const QString &rangeText)
{
    return SourceWrapped(SourceWrap::Span, escapeRangeText(rangeText));
}

std::optional<StyleInsertion> PlaceStyleBlock(const QString &text, qsizetype selStart,
                                              qsizetype selLength, const QString &styleResult)
{
    if (IsBlank(styleResult))
        return std::nullopt;
    StyleInsertion insertion{selStart, selLength, QString()};
    const qsizetype headEnd = FindText(text, QStringLiteral("</head>"), 0, text.size(), false, false);
    if (headEnd >= 0) {
        insertion.start = headEnd;
        insertion.length = 7;
    }
    // The text behind the block is the selection once the head end tag is selected, so the
    // tag stays and nothing the person had selected is copied into the head.
    insertion.replacement = kCrLf + styleResult + kCrLf + text.mid(insertion.start, insertion.length);
    return insertion;
}

LinkPreset LinkPresetFor(const QString &sel)
{
    LinkPreset preset;
    preset.description = sel;
    if (sel.size() < 2)
        return preset;
    auto asAddress = [&](int protocol) {
        preset.protocol = protocol;
        preset.address = sel;
        preset.kindButton = 1;
    };
    auto asMail = [&] {
        preset.protocol = 2;
        preset.address = sel;
        preset.kindButton = 2;
    };
    const QString trimmed = TrimBlanks(sel);
    if (sel.contains(QLatin1String("http")) || sel.contains(QLatin1String("www.")))
        asAddress(1);
    // A web address keeps its kind: "#" and "@" inside it are its fragment and its query.
    if (trimmed.startsWith(QLatin1String("http")) || trimmed.startsWith(QLatin1String("www.")))
        return preset;
    if (trimmed.startsWith(QLatin1Char('#')))
        asAddress(3);
    if (sel.contains(QLatin1Char('@')) || sel.contains(QLatin1String("mailto")))
        asMail();
    return preset;
}

} // namespace korvel
