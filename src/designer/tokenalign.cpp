#include "designer/tokenalign.h"

#include <algorithm>

namespace korvel {

namespace {

using Kind = HtmlTokenKind;

bool IsSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool In(const QString &name, std::initializer_list<const char16_t *> names)
{
    for (const char16_t *n : names) {
        if (name == QStringView(n))
            return true;
    }
    return false;
}

bool IsHeadContent(const QString &name)
{
    return In(name, {u"base", u"basefont", u"bgsound", u"link", u"meta", u"noframes", u"script", u"style",
                     u"template", u"title", u"noscript"});
}

bool IsTablePart(const QString &name)
{
    return In(name, {u"td", u"th", u"tr", u"tbody", u"thead", u"tfoot"});
}

// Whether the start tag `z` ends the open element `a` (when the parser meets it there).
bool StartTagCloses(const QString &z, const QString &a)
{
    if (a == u"p")
        return In(z, {u"address", u"article", u"aside", u"blockquote", u"center", u"details", u"dialog", u"dir",
                      u"div", u"dl", u"fieldset", u"figcaption", u"figure", u"footer", u"form", u"h1", u"h2",
                      u"h3", u"h4", u"h5", u"h6", u"header", u"hgroup", u"hr", u"li", u"dd", u"dt", u"main",
                      u"menu", u"nav", u"ol", u"p", u"pre", u"listing", u"section", u"summary", u"ul"});
    if (a == u"li")
        return z == u"li";
    if (a == u"dd" || a == u"dt")
        return z == u"dd" || z == u"dt";
    if (a == u"td" || a == u"th")
        return IsTablePart(z);
    if (a == u"tr")
        return In(z, {u"tr", u"tbody", u"thead", u"tfoot"});
    if (a == u"tbody" || a == u"thead" || a == u"tfoot")
        return In(z, {u"tbody", u"thead", u"tfoot"});
    if (a == u"option")
        return z == u"option" || z == u"optgroup";
    if (a == u"optgroup")
        return z == u"optgroup";
    if (a == u"head")
        return !IsHeadContent(z) && z != u"head";
    if (a == u"colgroup")
        return z != u"col";
    return false;
}

bool SameTag(const HtmlScan &sourceScan, const HtmlToken &s, const HtmlScan &serializedScan, const HtmlToken &b)
{
    if (s.kind != b.kind)
        return false;
    switch (s.kind) {
    case Kind::StartTag:
        return s.name == b.name && std::ranges::equal(sourceScan.attributes(s), serializedScan.attributes(b));
    case Kind::EndTag:
        return s.name == b.name;
    case Kind::Comment:
        return s.text == b.text;
    default:
        return false;
    }
}

class Aligner final {
public:
    Aligner(const HtmlScan &source, qsizetype sourceLength, const HtmlScan &serialized)
        : m_source(source), m_serialized(serialized), S(source.tokens), B(serialized.tokens), m_length(sourceLength)
    {
        const qsizetype n = B.size();
        out.begin.resize(n);
        out.end.resize(n);
        out.implied.resize(n);
        out.textSource.fill(-1, n);
        out.textStart.fill(-1, n);
    }

    std::optional<TokenAlignment> run()
    {
        while (j < B.size()) {
            if (i < S.size() && S[i].kind == Kind::Text && ic >= S[i].text.size()) {
                ++i;
                ic = 0;
                continue;
            }
            const bool ok = B[j].kind == Kind::Text ? textStep() : tagStep();
            if (!ok)
                return std::nullopt;
        }
        for (; i < S.size(); ++i, ic = 0) {
            const HtmlToken &s = S[i];
            const bool rest = (s.kind == Kind::Text && ic >= s.text.size()) || s.kind == Kind::Comment
                || s.kind == Kind::Doctype || s.kind == Kind::Ignored
                || (s.kind == Kind::EndTag && (s.name == u"body" || s.name == u"html"));
            if (!rest)
                return std::nullopt;
        }
        return std::move(out);
    }

private:
    qsizetype sourcePosition() const
    {
        if (i >= S.size())
            return m_length;
        return S[i].kind == Kind::Text ? m_source.offsetOf(S[i], ic) : S[i].begin;
    }

    void push(const HtmlToken &b)
    {
        if (b.kind == Kind::StartTag && !IsVoidElement(b.name))
            m_stack.append(b.name);
        if (b.kind == Kind::StartTag && b.name == u"head")
            m_headStarted = true;
    }

    bool pop(const HtmlToken &b)
    {
        if (m_stack.isEmpty() || m_stack.last() != b.name)
            return false;
        m_stack.removeLast();
        return true;
    }

    bool implyCurrent()
    {
        const HtmlToken &b = B[j];
        out.begin[j] = out.end[j] = sourcePosition();
        out.implied[j] = true;
        ++j;
        if (b.kind == Kind::EndTag)
            return pop(b);
        push(b);
        return true;
    }

    void skipSource()
    {
        ++i;
        ic = 0;
    }

    bool textStep()
    {
        const HtmlToken &b = B[j];
        if (i >= S.size())
            return false;
        const HtmlToken &s = S[i];
        if (s.kind != Kind::Text) {
            if (!skippable(s, true))
                return false;
            if (m_textStarted)
                out.textSource[j] = -1;
            skipSource();
            return true;
        }
        if (s.raw != b.raw)
            return false;
        if (m_preNewline) {
            m_preNewline = false;
            if (ic == 0 && jc == 0 && s.text.startsWith(u'\n') && dropsLeadingNewline(s.text, b.text))
                ic = 1;
            return true;
        }
        const qsizetype room = qMin(b.text.size() - jc, s.text.size() - ic);
        qsizetype k = 0;
        while (k < room && b.text[jc + k] == s.text[ic + k])
            ++k;
        if (k == 0)
            return false;
        if (!m_textStarted) {
            m_textStarted = true;
            out.begin[j] = m_source.offsetOf(s, ic);
            out.textSource[j] = i;
            out.textStart[j] = ic;
        } else if (out.textSource[j] != i) {
            out.textSource[j] = -1;
        }
        jc += k;
        ic += k;
        if (jc == b.text.size()) {
            out.end[j] = m_source.offsetOf(s, ic);
            ++j;
            jc = 0;
            m_textStarted = false;
            return true;
        }
        return ic == s.text.size();  // else the texts differ here
    }

    // Whether the text after a pre's start tag is the source text without its first line break.
    static bool dropsLeadingNewline(const QString &source, const QString &serialized)
    {
        const qsizetype n = qMin<qsizetype>(64, qMin(source.size() - 1, serialized.size()));
        const bool without = QStringView(source).mid(1, n) == QStringView(serialized).left(n);
        const bool with = QStringView(source).left(n) == QStringView(serialized).left(n);
        return without && !with;
    }

    bool tagStep()
    {
        const HtmlToken &b = B[j];
        m_textStarted = false;
        if (i >= S.size())
            return b.kind == Kind::EndTag || (b.kind == Kind::StartTag && impliedAtEnd(b)) ? implyCurrent() : false;
        const HtmlToken &s = S[i];
        m_preNewline = false;
        if (SameTag(m_source, s, m_serialized, b)) {
            out.begin[j] = s.begin;
            out.end[j] = s.end;
            ++j;
            skipSource();
            if (b.kind == Kind::EndTag)
                return pop(b);
            push(b);
            if (b.kind == Kind::StartTag) {
                m_preNewline = In(b.name, {u"pre", u"textarea", u"listing"});
                // A self-closing foreign element ends where it starts.
                if (s.selfClosing && !IsVoidElement(b.name) && j < B.size() && B[j].kind == Kind::EndTag
                    && B[j].name == b.name) {
                    out.begin[j] = out.end[j] = s.end;
                    out.implied[j] = true;
                    ++j;
                    m_stack.removeLast();
                }
            }
            return true;
        }
        if (s.kind == Kind::Text && !m_headStarted && b.kind == Kind::StartTag && (b.name == u"html" || b.name == u"head")) {
            // Blanks before the head are dropped.
            const qsizetype from = ic;
            while (ic < s.text.size() && IsSpace(s.text[ic]))
                ++ic;
            if (ic > from)
                return true;
        }
        if (skippable(s, false)) {
            skipSource();
            return true;
        }
        if (implied(b, s))
            return implyCurrent();
        return false;
    }

    bool impliedAtEnd(const HtmlToken &b) const
    {
        return In(b.name, {u"html", u"head", u"body"});
    }

    // Source tokens that leave no trace in the serialization here.
    bool skippable(const HtmlToken &s, bool inText)
    {
        if (s.kind == Kind::Doctype || s.kind == Kind::Ignored)
            return true;
        if (s.kind == Kind::Comment)
            return m_stack.isEmpty() || m_htmlEnded;
        if (s.kind != Kind::EndTag)
            return false;
        const HtmlToken &b = B[j];
        if (s.name == u"body" || s.name == u"html") {
            if (!m_stack.contains(s.name) || (!inText && b.kind == Kind::EndTag && b.name == s.name))
                return false;
            if (!inText && b.kind == Kind::EndTag)
                return false;  // the serialization closes elements first
            m_htmlEnded = m_htmlEnded || s.name == u"html";
            return true;
        }
        // An end tag of no open element is dropped.
        return !m_stack.contains(s.name) && s.name != u"p" && s.name != u"br";
    }

    bool endTagInScope(const QString &y) const
    {
        const bool tableScope = In(y, {u"table", u"tbody", u"thead", u"tfoot", u"tr", u"td", u"th"});
        for (qsizetype k = m_stack.size() - 1; k >= 0; --k) {
            const QString &a = m_stack[k];
            if (a == y)
                return true;
            if (tableScope ? In(a, {u"html", u"table", u"template"})
                           : In(a, {u"applet", u"caption", u"html", u"table", u"td", u"th", u"marquee", u"object",
                                    u"template"}))
                return false;
        }
        return false;
    }

    // Whether the parser supplies the serialization's tag `b` where the source is at `s`.
    bool implied(const HtmlToken &b, const HtmlToken &s) const
    {
        if (b.kind == Kind::StartTag) {
            const bool startTag = s.kind == Kind::StartTag;
            if (b.name == u"html")
                return m_stack.isEmpty() && !(startTag && s.name == u"html");
            if (m_stack.isEmpty() || s.kind == Kind::Comment)
                return false;
            const QString &top = m_stack.last();
            if (b.name == u"head")
                return m_stack.size() == 1 && !m_headStarted && !(startTag && s.name == u"head");
            if (b.name == u"body")
                return m_stack.size() == 1 && !(startTag && (s.name == u"body" || s.name == u"frameset" || IsHeadContent(s.name)));
            if (b.name == u"tbody")
                return top == u"table" && startTag && s.name == u"tr";
            if (b.name == u"colgroup")
                return top == u"table" && startTag && s.name == u"col";
            return false;
        }
        if (b.kind != Kind::EndTag || m_stack.isEmpty())
            return false;
        if (s.kind == Kind::EndTag)
            return s.name != b.name && endTagInScope(s.name);
        if (s.kind == Kind::Text) {
            if (b.name != u"head")
                return false;
            for (qsizetype k = ic; k < s.text.size(); ++k) {
                if (!IsSpace(s.text[k]))
                    return true;
            }
            return false;
        }
        if (s.kind != Kind::StartTag)
            return false;
        if (StartTagCloses(s.name, b.name))
            return true;
        // A cell, row or row group start ends everything open inside the row part it closes.
        if (IsTablePart(s.name)) {
            for (qsizetype k = m_stack.size() - 2; k >= 0; --k) {
                const QString &a = m_stack[k];
                if (a == u"table" || a == u"html")
                    return false;
                if (IsTablePart(a))
                    return StartTagCloses(s.name, a);
            }
        }
        return false;
    }

    const HtmlScan &m_source;
    const HtmlScan &m_serialized;
    const QList<HtmlToken> &S;
    const QList<HtmlToken> &B;
    qsizetype m_length;
    TokenAlignment out;
    qsizetype i = 0, ic = 0, j = 0, jc = 0;
    QStringList m_stack;
    bool m_headStarted = false;
    bool m_htmlEnded = false;
    bool m_preNewline = false;
    bool m_textStarted = false;
};

} // namespace

std::optional<TokenAlignment> AlignTokens(const HtmlScan &source, qsizetype sourceLength, const HtmlScan &serialized)
{
    return Aligner(source, sourceLength, serialized).run();
}

} // namespace korvel
