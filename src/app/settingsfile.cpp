#include "app/settingsfile.h"
#include "app/filecodec.h"

#include <QDir>

#include <cmath>

namespace korvel {

namespace {

constexpr char kKey[4] = {'p', 'e', 'm', 'u'};

QByteArray shift(const QByteArray &in, int sign)
{
    QByteArray out(in.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < in.size(); ++i) {
        const int b = static_cast<unsigned char>(in.at(i));
        out[i] = char((b + sign * kKey[i % 4] + 256) % 256);
    }
    return out;
}

QString decodeSettingsText(const QByteArray &bytes)
{
    // A file cut short in the middle of a character is still UTF-8 up to the cut: read as
    // Windows-1252 every other non-ASCII value would change, and the next write would keep it so.
    for (qsizetype cut = 1; cut <= 3 && cut < bytes.size(); ++cut) {
        if ((static_cast<unsigned char>(bytes.at(bytes.size() - cut)) & 0xC0) != 0xC0)
            continue;  // not the lead byte of a sequence
        if (!decodeUtf8Exactly(bytes.right(cut)) && !isExactUtf8(bytes.constData(), bytes.size()))
            if (const auto text = decodeUtf8Exactly(bytes.chopped(cut)))
                return *text;
        break;
    }
    // A plain file written by another tool may be in Windows-1252.
    return decodeUtf8OrAnsi(bytes);
}

// Rounds halves to the even neighbour.
qsizetype roundHalfEven(double x)
{
    return qsizetype(std::nearbyint(x));
}

QString lineAt(const QStringList &lines, int i)
{
    return i < lines.size() ? lines.at(i) : QString();
}

} // namespace

QByteArray scrambleSettings(const QByteArray &plain)
{
    return shift(plain, +1);
}

QByteArray unscrambleSettings(const QByteArray &scrambled)
{
    return shift(scrambled, -1);
}

bool LooksScrambled(const QByteArray &text)
{
    QString b = QString::fromLatin1(text);
    b.remove(QStringLiteral("\r\n"));
    b.remove(QLatin1Char('\t'));
    b.remove(QStringLiteral("kqo"), Qt::CaseInsensitive);
    b.remove(QLatin1Char(' '));
    QString a;
    a.reserve(b.size());
    for (QChar c : b) {
        if (c.unicode() >= 33 && c.unicode() <= 126)
            a.append(c);
    }
    if (a == b)
        return false;
    return a.isEmpty() || a.size() < roundHalfEven(double(b.size()) / 1.4);
}

QStringList settingsLinesFromFile(const QByteArray &fileBytes)
{
    const QByteArray plain = LooksScrambled(fileBytes) ? unscrambleSettings(fileBytes) : fileBytes;
    QStringList lines = splitLines(decodeSettingsText(plain));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray settingsFileBytes(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return scrambleSettings(text.toUtf8());
}

QStringList withLanguageLine(QStringList lines, int uiLanguage)
{
    const QString language = QString::number(uiLanguage);
    if (lines.size() >= 16) {
        lines[15] = language;
        return lines;
    }
    while (lines.size() < 15)
        lines.append(QStringLiteral(" "));
    lines.append(language);
    return lines;
}

std::optional<int> settingsInteger(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

SettingsValues readSettingsValues(const std::optional<QByteArray> &fileBytes)
{
    SettingsValues v;
    if (!fileBytes) {
        v.askLanguage = true;
        return v;
    }
    v.fileExists = true;
    const QStringList lines = settingsLinesFromFile(*fileBytes);
    const auto line = [&](int i) { return lineAt(lines, i); };
    const auto number = [&](int i, std::optional<int> &target) {
        if (line(i).trimmed().isEmpty())
            return true;
        target = settingsInteger(line(i));
        return target.has_value();
    };

    if (!number(1, v.fontSize)) {
        v.failed = true;
        return v;
    }
    v.lineNumbers = line(2) != QStringLiteral("false");
    v.ftpUser = line(3);
    v.ftpPassword = line(4);
    v.ftpServer = line(5);
    if (lines.size() > 6)  // a file that ends before the line keeps the default, "Anonymous"
        v.ftpLoginMode = line(6);
    v.defaultCharset = line(7).trimmed().isEmpty() ? QStringLiteral("ISO-8859-1") : line(7);
    v.externalBrowser = line(8);
    if (!number(9, v.keywordColor) || !number(10, v.identifierColor) || !number(11, v.valueColor)) {
        v.failed = true;
        return v;
    }
    if (line(15).trimmed().isEmpty()) {
        v.askLanguage = true;
    } else if (!number(15, v.uiLanguage)) {
        v.failed = true;
    }
    return v;
}

QString settingsFilePath(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("Htmledit.ini"));
}

} // namespace korvel
