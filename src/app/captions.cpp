#include "app/captions.h"

#include <QRegularExpression>

namespace korvel {

namespace {

// The position of the mnemonic marker, or -1 when the caption has none.
qsizetype mnemonicPosition(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        if (caption.at(i + 1).isLetterOrNumber())
            return i;
    }
    return -1;
}

QString doubledAmpersands(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    for (const QChar c : text) {
        if (c == QLatin1Char('&'))
            out += QLatin1Char('&');
        out += c;
    }
    return out;
}

// Where the mnemonic of a plain caption goes: word initials first, then any letter or digit,
// skipping letters taken; -1 when every letter is taken.
qsizetype chooseMnemonic(const QString &text, const QString &taken)
{
    const auto free = [&](qsizetype i) {
        const QChar c = text.at(i);
        return c.isLetterOrNumber() && !taken.contains(c.toUpper());
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool initial = i == 0 || !text.at(i - 1).isLetterOrNumber();
        if (initial && free(i))
            return i;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (free(i))
            return i;
    }
    return -1;
}

} // namespace

CaptionParts splitCaption(const QString &caption)
{
    // Both languages write the key name out: "STRG+Z" in German, "CTRL+Z" in English.
    static const QRegularExpression written(QStringLiteral("\\s+(STRG|CTRL)\\+(\\S+)\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    CaptionParts parts;
    const QRegularExpressionMatch m = written.match(caption);
    if (m.hasMatch()) {
        parts.text = caption.left(m.capturedStart()).trimmed();
        parts.shortcut = QStringLiteral("Ctrl+") + m.captured(2).toUpper();
    } else {
        parts.text = caption.trimmed();
    }
    return parts;
}

QString withoutMnemonic(const QString &caption)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const bool marker = caption.at(i) == QLatin1Char('&') && i + 1 < caption.size();
        if (marker && caption.at(i + 1) == QLatin1Char('&'))
            ++i;  // "&&" is one ampersand
        else if (marker)
            continue;
        out += caption.at(i);
    }
    return out;
}

QStringList withMnemonics(const QStringList &captions, const QString &reserved)
{
    QString taken = reserved.toUpper();
    QList<bool> own(captions.size(), false);
    // Captions that chose their own mnemonic claim its letter before the others choose.
    for (qsizetype i = 0; i < captions.size(); ++i) {
        const qsizetype at = mnemonicPosition(captions.at(i));
        if (at >= 0) {
            own[i] = true;
            taken += captions.at(i).at(at + 1).toUpper();
        }
    }
    QStringList out;
    out.reserve(captions.size());
    for (qsizetype i = 0; i < captions.size(); ++i) {
        const QString &caption = captions.at(i);
        if (own.at(i) || caption.isEmpty()) {
            out << caption;
            continue;
        }
        const qsizetype at = chooseMnemonic(caption, taken);
        if (at < 0) {
            out << doubledAmpersands(caption);
            continue;
        }
        taken += caption.at(at).toUpper();
        out << doubledAmpersands(caption.left(at)) + QLatin1Char('&') + doubledAmpersands(caption.mid(at));
    }
    return out;
}

} // namespace korvel
