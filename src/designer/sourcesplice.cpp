#include "designer/sourcesplice.h"

#include "designer/htmlentities.h"
#include "designer/htmlscan.h"
#include "designer/tokenalign.h"
#include "designer/tokendiff.h"

namespace korvel {

namespace {

using Kind = HtmlTokenKind;

// Widening stops after this many enclosing elements; the whole page is taken then.
constexpr int kMaxWidenings = 12;
// Edits far apart are spliced one by one when the changed tokens are at most this many;
// beyond that all between the first and the last change is taken as one.
constexpr int kMaxSeparateEdits = 200;

// One replacement in the source: [begin, end) becomes text.
struct Piece {
    qsizetype begin = 0;
    qsizetype end = 0;
    QString text;
};

QStringView Span(const QString &text, const HtmlToken &token)
{
    return QStringView(text).mid(token.begin, token.end - token.begin);
}

bool Holds(CharacterRepertoire repertoire, char32_t c)
{
    switch (repertoire) {
    case CharacterRepertoire::Unicode:
        return true;
    case CharacterRepertoire::Windows1252:
        return Windows1252Byte(c) >= 0;
    case CharacterRepertoire::Ascii:
        return c < 0x80;
    }
    return false;
}

// The elements of a serialization: for each token its innermost enclosing start tag, and for
// each start tag the index of its end tag.
struct Structure {
    QList<qsizetype> parent;
    QList<qsizetype> close;

    explicit Structure(const QList<HtmlToken> &tokens)
    {
        parent.fill(-1, tokens.size());
        close.fill(-1, tokens.size());
        QList<qsizetype> open;
        for (qsizetype t = 0; t < tokens.size(); ++t) {
            const HtmlToken &token = tokens[t];
            parent[t] = open.isEmpty() ? -1 : open.last();
            if (token.kind == Kind::StartTag && !IsVoidElement(token.name)) {
                open.append(t);
            } else if (token.kind == Kind::EndTag && !open.isEmpty() && tokens[open.last()].name == token.name) {
                close[open.last()] = t;
                parent[t] = parent[open.last()];
                open.removeLast();
            }
        }
    }
};

class Splicer final {
public:
    Splicer(const QString &source, const QString &baseline, const QString &pulled, CharacterRepertoire repertoire)
        : m_source(source), m_baseline(baseline), m_pulled(pulled), m_repertoire(repertoire),
          S(ScanHtml(source)), B(ScanHtml(baseline)), P(ScanHtml(pulled))
    {
    }

    std::optional<QString> run()
    {
        const auto alignment = AlignTokens(S, m_source.size(), B);
        if (!alignment)
            return std::nullopt;
        m_align = &*alignment;
        if (m_baseline == m_pulled)
            return m_source;
        const QList<HtmlToken> &b = B.tokens;
        const QList<HtmlToken> &p = P.tokens;
        const qsizetype common = qMin(b.size(), p.size());
        qsizetype lo = 0;
        while (lo < common && Span(m_baseline, b[lo]) == Span(m_pulled, p[lo]))
            ++lo;
        qsizetype tail = 0;
        while (tail < common - lo && Span(m_baseline, b[b.size() - 1 - tail]) == Span(m_pulled, p[p.size() - 1 - tail]))
            ++tail;
        qsizetype hiB = b.size() - tail;
        if (auto spliced = spliceEach(lo, hiB, p.size() - tail))
            return spliced;
        // An end tag the source leaves out goes in with the change: what follows it must not
        // land inside its element.
        while (lo > 0 && m_align->implied[lo - 1] && b[lo - 1].kind == Kind::EndTag)
            --lo;

        const Structure structure(b);
        bool refine = true;
        for (int attempt = 0; attempt <= kMaxWidenings; ++attempt) {
            const qsizetype hiP = p.size() - (b.size() - hiB);
            if (hiP < lo)
                return std::nullopt;
            if (auto spliced = splice(lo, hiB, hiP, refine))
                return spliced;
            refine = false;
            // The enclosing element's serialization in place of the element's source.
            qsizetype k = structure.parent[qMin(lo, b.size() - 1)];
            while (k >= 0 && structure.close[k] < hiB)
                k = structure.parent[k];
            if (k <= 0 || b[k].name == u"html")
                return std::nullopt;
            lo = k;
            hiB = structure.close[k] + 1;
        }
        return std::nullopt;
    }

private:
    // Each run of changed tokens between baseline [lo, hiB) and pulled [lo, hiP) spliced on
    // its own; empty when they are too many or the result does not trace back.
    std::optional<QString> spliceEach(qsizetype lo, qsizetype hiB, qsizetype hiP)
    {
        const QList<HtmlToken> &b = B.tokens;
        const QList<HtmlToken> &p = P.tokens;
        QList<size_t> hashB, hashP;
        hashB.reserve(hiB - lo);
        hashP.reserve(hiP - lo);
        for (qsizetype k = lo; k < hiB; ++k)
            hashB.append(qHash(Span(m_baseline, b[k])));
        for (qsizetype k = lo; k < hiP; ++k)
            hashP.append(qHash(Span(m_pulled, p[k])));
        const auto hunks = DiffTokens(hiB - lo, hiP - lo, [&](qsizetype x, qsizetype y) {
            return hashB[x] == hashP[y] && Span(m_baseline, b[lo + x]) == Span(m_pulled, p[lo + y]);
        }, kMaxSeparateEdits);
        if (!hunks || hunks->size() < 2)
            return std::nullopt;
        QList<Piece> pieces;
        qsizetype doneB = 0, doneP = 0;
        for (const TokenHunk &h : *hunks) {
            qsizetype loB = lo + h.beginA, loP = lo + h.beginB;
            while (loB > doneB && loP > doneP && m_align->implied[loB - 1] && b[loB - 1].kind == Kind::EndTag) {
                --loB;
                --loP;
            }
            Piece next = piece(loB, lo + h.endA, loP, lo + h.endB, true);
            if (!pieces.isEmpty() && next.begin < pieces.last().end)
                return std::nullopt;
            pieces.append(std::move(next));
            doneB = lo + h.endA;
            doneP = lo + h.endB;
        }
        return assemble(pieces);
    }

    // Replaces the source of baseline tokens [lo, hiB) by pulled tokens [lo, hiP); the result
    // when the pulled page traces back to it.
    std::optional<QString> splice(qsizetype lo, qsizetype hiB, qsizetype hiP, bool refine)
    {
        return assemble({piece(lo, hiB, lo, hiP, refine)});
    }

    // The source with the pieces put in; the result when the pulled page traces back to it.
    std::optional<QString> assemble(const QList<Piece> &pieces) const
    {
        qsizetype size = m_source.size();
        for (const Piece &piece : pieces)
            size += piece.text.size() - (piece.end - piece.begin);
        QString spliced;
        spliced.reserve(size);
        qsizetype copied = 0;
        for (const Piece &piece : pieces) {
            spliced.append(QStringView(m_source).mid(copied, piece.begin - copied));
            spliced.append(piece.text);
            copied = piece.end;
        }
        spliced.append(QStringView(m_source).mid(copied));
        if (!AlignTokens(ScanHtml(spliced), spliced.size(), P))
            return std::nullopt;
        return spliced;
    }

    // The source of baseline tokens [loB, hiB) and the pulled tokens [loP, hiP) that replace
    // it; with `refine`, a text changed at its ends only loses only its changed characters.
    Piece piece(qsizetype lo, qsizetype hiB, qsizetype loP, qsizetype hiP, bool refine) const
    {
        const QList<HtmlToken> &b = B.tokens;
        const QList<HtmlToken> &p = P.tokens;
        const TokenAlignment &a = *m_align;
        qsizetype sa = 0, sb = 0, pa = 0, pb = 0;
        if (lo < hiB) {
            sa = a.begin[lo];
            sb = a.end[hiB - 1];
        } else {
            sa = sb = lo > 0 ? a.end[lo - 1] : 0;
        }
        if (loP < hiP) {
            pa = p[loP].begin;
            pb = p[hiP - 1].end;
        }
        if (refine && lo < hiB && loP < hiP) {
            // Inside a changed text only the characters that changed.
            const bool leftText = isPlainText(lo, b[lo], p[loP]);
            const bool rightText = isPlainText(hiB - 1, b[hiB - 1], p[hiP - 1]);
            qsizetype prefix = 0, suffix = 0;
            if (leftText)
                prefix = CommonPrefix(b[lo].text, p[loP].text);
            if (rightText) {
                const QString &bt = b[hiB - 1].text;
                const QString &pt = p[hiP - 1].text;
                // A text that is both first and last keeps its prefix out of the suffix.
                const qsizetype limit = qMin(bt.size() - (lo == hiB - 1 ? prefix : 0),
                                             pt.size() - (loP == hiP - 1 ? prefix : 0));
                while (suffix < limit && bt[bt.size() - 1 - suffix] == pt[pt.size() - 1 - suffix])
                    ++suffix;
                if (suffix > 0 && suffix < pt.size() && pt[pt.size() - suffix].isLowSurrogate())
                    --suffix;
            }
            if (leftText) {
                sa = S.offsetOf(S.tokens[a.textSource[lo]], a.textStart[lo] + prefix);
                pa = P.offsetOf(p[loP], prefix);
            }
            if (rightText) {
                const HtmlToken &bt = b[hiB - 1];
                sb = S.offsetOf(S.tokens[a.textSource[hiB - 1]], a.textStart[hiB - 1] + bt.text.size() - suffix);
                pb = P.offsetOf(p[hiP - 1], p[hiP - 1].text.size() - suffix);
            }
        }
        Piece result{sa, sb, QString()};
        appendPulled(result.text, loP, hiP, pa, pb);
        return result;
    }

    bool isPlainText(qsizetype index, const HtmlToken &b, const HtmlToken &p) const
    {
        return b.kind == Kind::Text && p.kind == Kind::Text && !b.raw && !p.raw && m_align->textSource[index] >= 0;
    }

    static qsizetype CommonPrefix(const QString &x, const QString &y)
    {
        const qsizetype n = qMin(x.size(), y.size());
        qsizetype k = 0;
        while (k < n && x[k] == y[k])
            ++k;
        if (k > 0 && k < y.size() && y[k].isLowSurrogate())
            --k;
        return k;
    }

    // The pulled page's text of tokens [lo, hiP) between pa and pb, in the source's ways.
    void appendPulled(QString &out, qsizetype lo, qsizetype hiP, qsizetype pa, qsizetype pb) const
    {
        for (qsizetype k = lo; k < hiP; ++k) {
            const HtmlToken &token = P.tokens[k];
            const qsizetype from = qMax(token.begin, pa);
            const qsizetype to = qMin(token.end, pb);
            const bool encode = (token.kind == Kind::Text && !token.raw) || token.kind == Kind::StartTag;
            for (qsizetype i = from; i < to; ++i) {
                const QChar c = m_pulled[i];
                if (c == u'\n') {
                    out.append(S.usesCrLf ? QStringView(u"\r\n") : QStringView(u"\n"));
                    continue;
                }
                if (!encode || c.unicode() < 0x80) {
                    out.append(c);
                    continue;
                }
                char32_t code = c.unicode();
                const bool pair = c.isHighSurrogate() && i + 1 < to && m_pulled[i + 1].isLowSurrogate();
                if (pair)
                    code = QChar::surrogateToUcs4(c, m_pulled[i + 1]);
                if (Holds(m_repertoire, code)) {
                    out.append(c);
                    if (pair)
                        out.append(m_pulled[++i]);
                    continue;
                }
                if (pair)
                    ++i;
                const QString used = S.references.value(code);
                out.append(used.isEmpty() ? QStringLiteral("&#%1;").arg(quint32(code)) : used);
            }
        }
    }

    const QString &m_source;
    const QString &m_baseline;
    const QString &m_pulled;
    CharacterRepertoire m_repertoire;
    HtmlScan S, B, P;
    const TokenAlignment *m_align = nullptr;
};

} // namespace

std::optional<QString> SplicePulledPage(const QString &source, const QString &baseline, const QString &pulled,
                                        CharacterRepertoire repertoire)
{
    // A page the designer did not change gives its source back as it is, even one whose
    // source cannot be traced, and without scanning the three texts.
    if (baseline == pulled && !source.isEmpty())
        return source;
    return Splicer(source, baseline, pulled, repertoire).run();
}

} // namespace korvel
