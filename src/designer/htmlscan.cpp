#include "designer/htmlscan.h"

#include "designer/htmlentities.h"

namespace korvel {

namespace {

bool IsSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool IsAsciiAlpha(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool IsAsciiAlnum(QChar c)
{
    return IsAsciiAlpha(c) || (c >= u'0' && c <= u'9');
}

QChar Lower(QChar c)
{
    return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + 32) : c;
}

// A tag or attribute name in lower case; the scanned characters themselves when they are.
QString LowerName(QStringView name)
{
    for (qsizetype k = 0; k < name.size(); ++k) {
        if (name[k] >= u'A' && name[k] <= u'Z') {
            QString lower;
            lower.reserve(name.size());
            for (QChar c : name)
                lower.append(Lower(c));
            return lower;
        }
    }
    return QString::fromRawData(name.data(), name.size());
}

bool StartsWithNoCase(QStringView text, qsizetype at, QLatin1String word)
{
    if (at + word.size() > text.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (Lower(text[at + i]) != QLatin1Char(word[i]))
            return false;
    }
    return true;
}

// Reads text from the span into `out`, resolving character references (unless raw) and line
// breaks (CR LF and CR become LF). Offsets are kept only when the text read differs from the
// span.
class TextReader final {
public:
    TextReader(QStringView src, HtmlScan &scan) : m_src(src), m_scan(scan) {}

    void read(qsizetype begin, qsizetype end, bool raw, bool attribute, QString &out, QList<qsizetype> &offsets)
    {
        offsets.clear();
        // Most text holds no reference and no CR: it is the scanned characters themselves.
        const QStringView span = m_src.mid(begin, end - begin);
        if (!span.contains(u'\r') && (raw || !span.contains(u'&'))) {
            out = QString::fromRawData(span.data(), span.size());
            return;
        }
        out.clear();
        bool plain = true;
        for (qsizetype i = begin; i < end;) {
            const QChar c = m_src[i];
            if (c == u'\r') {
                if (plain)
                    startOffsets(begin, out.size(), offsets, plain);
                m_scan.usesCrLf = m_scan.usesCrLf || (i + 1 < end && m_src[i + 1] == u'\n');
                offsets.append(i);
                out.append(u'\n');
                i += (i + 1 < end && m_src[i + 1] == u'\n') ? 2 : 1;
                continue;
            }
            if (c == u'&' && !raw) {
                char32_t decoded = 0;
                const qsizetype length = reference(i, end, attribute, decoded);
                if (length > 0) {
                    if (plain)
                        startOffsets(begin, out.size(), offsets, plain);
                    if (decoded >= 0x80 && m_src[i + length - 1] == u';' && !m_scan.references.contains(decoded))
                        m_scan.references.insert(decoded, m_src.mid(i, length).toString());
                    const QString chars = QString::fromUcs4(&decoded, 1);
                    for (QChar unit : chars) {
                        offsets.append(i);
                        out.append(unit);
                    }
                    i += length;
                    continue;
                }
            }
            if (!plain)
                offsets.append(i);
            out.append(c);
            ++i;
        }
        if (!plain)
            offsets.append(end);
    }

private:
    static void startOffsets(qsizetype begin, qsizetype count, QList<qsizetype> &offsets, bool &plain)
    {
        plain = false;
        offsets.reserve(count + 16);
        for (qsizetype k = 0; k < count; ++k)
            offsets.append(begin + k);
    }

    // The length of the reference at `at` ("&"), 0 when there is none.
    qsizetype reference(qsizetype at, qsizetype end, bool attribute, char32_t &decoded) const
    {
        qsizetype i = at + 1;
        if (i < end && m_src[i] == u'#') {
            ++i;
            const bool hex = i < end && (m_src[i] == u'x' || m_src[i] == u'X');
            if (hex)
                ++i;
            const qsizetype digits = i;
            quint64 value = 0;
            while (i < end && (hex ? (IsAsciiAlnum(m_src[i]) && QStringLiteral("0123456789abcdefABCDEF").contains(m_src[i]))
                                   : (m_src[i] >= u'0' && m_src[i] <= u'9'))) {
                const int digit = m_src[i] <= u'9' ? m_src[i].unicode() - u'0' : (Lower(m_src[i]).unicode() - u'a' + 10);
                value = qMin<quint64>(value * (hex ? 16 : 10) + digit, 0x110000);
                ++i;
            }
            if (i == digits)
                return 0;
            if (i < end && m_src[i] == u';')
                ++i;
            decoded = NumericReferenceChar(quint32(value));
            return i - at;
        }
        qsizetype nameEnd = i;
        while (nameEnd < end && IsAsciiAlnum(m_src[nameEnd]))
            ++nameEnd;
        if (nameEnd == i)
            return 0;
        if (nameEnd < end && m_src[nameEnd] == u';') {
            if (const char32_t c = NamedEntityChar(m_src.mid(i, nameEnd - i))) {
                decoded = c;
                return nameEnd + 1 - at;
            }
        }
        // Without ";" the longest known legacy name that starts the run counts; in a value not
        // when a letter, a digit or "=" follows it.
        for (qsizetype n = qMin<qsizetype>(nameEnd - i, 8); n >= 2; --n) {
            const QStringView name = m_src.mid(i, n);
            if (!IsLegacyEntityName(name))
                continue;
            const qsizetype after = i + n;
            if (attribute && after < end && (IsAsciiAlnum(m_src[after]) || m_src[after] == u'='))
                return 0;
            decoded = NamedEntityChar(name);
            return n + 1;
        }
        return 0;
    }

    QStringView m_src;
    HtmlScan &m_scan;
};

class Scanner final {
public:
    explicit Scanner(QStringView src) : m_src(src), m_reader(src, m_scan) {}

    HtmlScan run()
    {
        m_scan.tokens.reserve(m_src.size() / 6 + 16);
        qsizetype i = 0;
        qsizetype textStart = 0;
        while (i < m_src.size()) {
            if (m_src[i] != u'<') {
                const qsizetype next = m_src.indexOf(u'<', i);
                i = next < 0 ? m_src.size() : next;
                continue;
            }
            const qsizetype markupEnd = markup(i, textStart);
            if (markupEnd < 0) {
                ++i;
                continue;
            }
            i = textStart = markupEnd;
        }
        flushText(textStart, m_src.size());
        return std::move(m_scan);
    }

private:
    void flushText(qsizetype begin, qsizetype end, bool raw = false)
    {
        if (begin >= end)
            return;
        HtmlToken token;
        token.kind = HtmlTokenKind::Text;
        token.begin = begin;
        token.end = end;
        token.raw = raw;
        QList<qsizetype> offsets;
        m_reader.read(begin, end, raw, false, token.text, offsets);
        if (!offsets.isEmpty()) {
            token.offsetList = qint32(m_scan.offsetLists.size());
            m_scan.offsetLists.append(std::move(offsets));
        }
        m_scan.tokens.append(std::move(token));
    }

    void add(HtmlTokenKind kind, qsizetype begin, qsizetype end)
    {
        HtmlToken token;
        token.kind = kind;
        token.begin = begin;
        token.end = end;
        m_scan.tokens.append(std::move(token));
    }

    void addComment(qsizetype begin, qsizetype end, qsizetype contentBegin, qsizetype contentEnd)
    {
        add(HtmlTokenKind::Comment, begin, end);
        QList<qsizetype> unused;
        m_reader.read(contentBegin, contentEnd, true, false, m_scan.tokens.last().text, unused);
    }

    // Reads the markup at `at` ("<"); the end of it, or -1 when the "<" is text. Text before it
    // is flushed first.
    qsizetype markup(qsizetype at, qsizetype textStart)
    {
        const qsizetype n = m_src.size();
        const QChar next = at + 1 < n ? m_src[at + 1] : QChar();
        if (next == u'!' && m_src.mid(at, 4) == u"<!--") {
            flushText(textStart, at);
            qsizetype close = m_src.indexOf(u"-->", at + 4);
            const qsizetype bang = m_src.indexOf(u"--!>", at + 4);
            qsizetype closeLength = 3;
            if (bang >= 0 && (close < 0 || bang < close)) {
                close = bang;
                closeLength = 4;
            }
            if (at + 4 < n && m_src[at + 4] == u'>') { // "<!-->"
                addComment(at, at + 5, at + 4, at + 4);
                return at + 5;
            }
            if (m_src.mid(at + 4, 2) == u"->") { // "<!--->"
                addComment(at, at + 6, at + 4, at + 4);
                return at + 6;
            }
            const qsizetype end = close < 0 ? n : close + closeLength;
            addComment(at, end, at + 4, close < 0 ? n : close);
            return end;
        }
        if (next == u'!' || next == u'?') {
            flushText(textStart, at);
            const qsizetype close = m_src.indexOf(u'>', at + 2);
            const qsizetype end = close < 0 ? n : close + 1;
            if (next == u'!' && StartsWithNoCase(m_src, at + 2, QLatin1String("doctype")))
                add(HtmlTokenKind::Doctype, at, end);
            else
                addComment(at, end, next == u'!' ? at + 2 : at + 1, close < 0 ? n : close);
            return end;
        }
        if (next == u'/') {
            const QChar first = at + 2 < n ? m_src[at + 2] : QChar();
            if (first == u'>') {
                flushText(textStart, at);
                add(HtmlTokenKind::Ignored, at, at + 3);
                return at + 3;
            }
            if (first.isNull())
                return -1;
            flushText(textStart, at);
            if (!IsAsciiAlpha(first)) {
                const qsizetype close = m_src.indexOf(u'>', at + 2);
                const qsizetype end = close < 0 ? n : close + 1;
                addComment(at, end, at + 2, close < 0 ? n : close);
                return end;
            }
            return tag(at, at + 2, HtmlTokenKind::EndTag);
        }
        if (!IsAsciiAlpha(next))
            return -1;
        flushText(textStart, at);
        return tag(at, at + 1, HtmlTokenKind::StartTag);
    }

    qsizetype tag(qsizetype at, qsizetype nameBegin, HtmlTokenKind kind)
    {
        const qsizetype n = m_src.size();
        HtmlToken token;
        token.kind = kind;
        token.begin = at;
        token.firstAttribute = qint32(m_scan.attributeList.size());
        qsizetype i = nameBegin;
        while (i < n && !IsSpace(m_src[i]) && m_src[i] != u'/' && m_src[i] != u'>')
            ++i;
        token.name = LowerName(m_src.mid(nameBegin, i - nameBegin));
        bool closed = false;
        while (i < n) {
            const QChar c = m_src[i];
            if (IsSpace(c)) {
                ++i;
                continue;
            }
            if (c == u'>') {
                closed = true;
                ++i;
                break;
            }
            if (c == u'/') {
                ++i;
                if (i < n && m_src[i] == u'>') {
                    token.selfClosing = true;
                    closed = true;
                    ++i;
                    break;
                }
                continue;
            }
            i = attribute(i, token);
        }
        if (!closed) {
            m_scan.attributeList.resize(token.firstAttribute);
            add(HtmlTokenKind::Ignored, at, n);
            return n;
        }
        token.end = i;
        if (kind == HtmlTokenKind::EndTag) {
            m_scan.attributeList.resize(token.firstAttribute);
            token.attributeCount = 0;
            token.selfClosing = false;
        }
        const QString name = token.name;
        m_scan.tokens.append(std::move(token));
        if (kind == HtmlTokenKind::StartTag)
            return rawContent(name, i);
        return i;
    }

    qsizetype attribute(qsizetype i, HtmlToken &token)
    {
        const qsizetype n = m_src.size();
        const qsizetype nameBegin = i++;
        while (i < n && !IsSpace(m_src[i]) && m_src[i] != u'/' && m_src[i] != u'>' && m_src[i] != u'=')
            ++i;
        const QString name = LowerName(m_src.mid(nameBegin, i - nameBegin));
        qsizetype j = i;
        while (j < n && IsSpace(m_src[j]))
            ++j;
        QString value;
        if (j < n && m_src[j] == u'=') {
            ++j;
            while (j < n && IsSpace(m_src[j]))
                ++j;
            qsizetype valueBegin = j, valueEnd = j;
            if (j < n && (m_src[j] == u'"' || m_src[j] == u'\'')) {
                const qsizetype close = m_src.indexOf(m_src[j], j + 1);
                valueBegin = j + 1;
                valueEnd = close < 0 ? n : close;
                i = close < 0 ? n : close + 1;
            } else {
                while (j < n && !IsSpace(m_src[j]) && m_src[j] != u'>')
                    ++j;
                valueEnd = i = j;
            }
            QList<qsizetype> unused;
            m_reader.read(valueBegin, valueEnd, false, true, value, unused);
        }
        for (qsizetype k = token.firstAttribute; k < m_scan.attributeList.size(); ++k) {
            if (m_scan.attributeList[k].first == name)
                return i;
        }
        m_scan.attributeList.append({name, value});
        ++token.attributeCount;
        return i;
    }

    // After the start tag of an element whose content is text only: that text up to its end tag.
    qsizetype rawContent(const QString &name, qsizetype from)
    {
        static const QStringList rawElements = {QStringLiteral("script"), QStringLiteral("style"),
            QStringLiteral("xmp"), QStringLiteral("iframe"), QStringLiteral("noembed"), QStringLiteral("noframes"),
            QStringLiteral("noscript")};
        const bool raw = rawElements.contains(name);
        if (!raw && name != u"title" && name != u"textarea")
            return from;
        const QString closing = QStringLiteral("</") + name;
        qsizetype at = from;
        while (true) {
            at = m_src.indexOf(closing, at, Qt::CaseInsensitive);
            if (at < 0) {
                flushText(from, m_src.size(), raw);
                return m_src.size();
            }
            const qsizetype after = at + closing.size();
            if (after >= m_src.size() || IsSpace(m_src[after]) || m_src[after] == u'/' || m_src[after] == u'>')
                break;
            at = after;
        }
        flushText(from, at, raw);
        return at; // the end tag is scanned as markup
    }

    QStringView m_src;
    HtmlScan m_scan;
    TextReader m_reader;
};

} // namespace

HtmlScan ScanHtml(QStringView text)
{
    return Scanner(text).run();
}

bool IsVoidElement(QStringView name)
{
    static const QStringList voids = {QStringLiteral("area"), QStringLiteral("base"), QStringLiteral("br"),
        QStringLiteral("col"), QStringLiteral("embed"), QStringLiteral("hr"), QStringLiteral("img"),
        QStringLiteral("input"), QStringLiteral("link"), QStringLiteral("meta"), QStringLiteral("param"),
        QStringLiteral("source"), QStringLiteral("track"), QStringLiteral("wbr"), QStringLiteral("basefont"),
        QStringLiteral("bgsound"), QStringLiteral("frame"), QStringLiteral("keygen")};
    return voids.contains(name);
}

} // namespace korvel
