#include "app/documentfile.h"
#include "app/declaredcharset.h"
#include "textio/largebuffer.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace korvel {

namespace {

// As much of a file's start as tells its mark, whether it looks binary and the character set
// its head declares.
bool readHead(QFile &file, QByteArray &head)
{
    head.resize(std::max<qsizetype>(8192, charsetDeclarationReach()));
    qsizetype got = 0;
    while (got < head.size()) {
        const qint64 n = file.read(head.data() + got, head.size() - got);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        got += qsizetype(n);
    }
    head.truncate(got);
    return true;
}

// The whole file read into one buffer of its size and decoded: the simple way, for the forms
// that are rare.
DecodedText decodeWholeFile(QFile &file)
{
    if (!file.seek(0))
        return {};
    QByteArray bytes;
    bytes.resize(file.size());
    adviseHugePages(bytes);
    const qint64 got = file.read(bytes.data(), bytes.size());
    if (got < 0)
        return {};
    bytes.truncate(got);
    bytes.append(file.readAll());  // whatever a growing file holds beyond its size then
    if (file.error() != QFile::NoError)
        return {};
    return decodeDocumentText(bytes);
}

// encodeDocumentText(text, format) written piece by piece.
bool writeInPieces(QIODevice &file, const QString &text, const FileFormat &format, qsizetype chunkChars)
{
    const auto put = [&file](const char *bytes, qsizetype n) { return file.write(bytes, n) == n; };
    const QByteArrayView mark = byteOrderMark(format.encoding);
    if (!mark.isEmpty() && !put(mark.data(), mark.size()))
        return false;
    const QString to = lineSeparator(format.lineBreak);
    const QStringView whole(text);
    QString converted;
    QByteArray bytes;
    for (qsizetype from = 0; from < whole.size();) {
        const qsizetype end = pieceEnd(whole, from, chunkChars);
        QStringView piece = whole.sliced(from, end - from);
        if (!breaksAre(piece, to)) {
            converted.resize(0);
            appendWithBreaks(converted, piece, to, false);
            piece = converted;
        }
        bytes.resize(0);
        appendEncodedText(bytes, piece, format.encoding);
        if (!put(bytes.constData(), bytes.size()))
            return false;
        from = end;
    }
    return true;
}

} // namespace

LoadedFile loadDocumentFile(const QString &path)
{
    LoadedFile result;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return result;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFile::NoError)
        return result;
    DecodedDocument doc = decodeDocument(bytes);
    if (!doc.ok)
        return result;
    result.ok = true;
    result.lines = std::move(doc.lines);
    result.format = doc.format;
    result.looksBinary = doc.looksBinary;
    result.keepsEveryByte = doc.keepsEveryByte;
    result.lineBreaks = std::move(doc.lineBreaks);
    return result;
}

EditorFile loadFileForEditor(const QString &path)
{
    EditorFile result;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return result;
    QByteArray bytes = file.readAll();
    if (file.error() != QFile::NoError)
        return result;
    file.close();
    result.stamp = stampOf(path, bytes);
    result.doc = decodeDocumentForEditor(std::move(bytes));
    return result;
}

DecodedText loadDocumentText(const QString &path, qsizetype chunkBytes)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    const qint64 size = file.size();
    QByteArray head;
    if (!readHead(file, head))
        return {};
    if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF"))
        return decodeWholeFile(file);
    const bool marked = head.startsWith("\xEF\xBB\xBF");
    if (!file.seek(marked ? 3 : 0))
        return {};
    // UTF-8 takes at least one byte a character; the slack is for LF and CR breaks that become
    // CR LF. Only the part written to is ever touched.
    QString text;
    text.reserve(qsizetype(size) + qsizetype(size) / 8 + 16);
    adviseHugePages(text);
    CrLfTextReader reader(file, CrLfTextReader::Encoding::Utf8, chunkBytes);
    QStringView piece;
    while (reader.next(piece))
        text.append(piece);
    if (reader.readFailed())
        return {};
    if (!reader.exact()) {
        // Not UTF-8 after all: Windows-1252, or a marked file with bytes that are not UTF-8.
        text = QString();
        return decodeWholeFile(file);
    }
    DecodedText doc;
    doc.ok = true;
    doc.looksBinary = looksBinary(head);
    if (marked || reader.nonAscii()) {
        doc.format.encoding = marked ? TextEncoding::Utf8 : TextEncoding::Utf8NoMark;
    } else {
        // Plain ASCII reads the same either way; the page's own declaration decides how the
        // characters it gains later are written.
        const QString start = QString::fromLatin1(head.left(charsetDeclarationReach()));
        doc.format.encoding = declaredCharset(start).kind == CharsetKind::Utf8 ? TextEncoding::Utf8NoMark : TextEncoding::Ansi;
    }
    doc.format.lineBreak = lineBreakStyleOf(reader.crLfBreaks(), reader.lfBreaks(), reader.crBreaks(), reader.sawLineSeparator());
    if (doc.format.lineBreak == LineBreakStyle::LineSeparator) {
        // Lines separated by U+2028 only, rare: the commands see them joined by CR LF.
        QString joined;
        joined.reserve(text.size() + text.size() / 8);
        appendWithBreaks(joined, text, u"\r\n", true);
        text = std::move(joined);
    }
    doc.text = std::move(text);
    return doc;
}

bool documentHoldsText(const QString &path, const QString &text, const FileFormat &format, qsizetype chunkBytes)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    // The rare forms loadDocumentText reads whole are compared whole.
    if (format.encoding == TextEncoding::Utf16LE || format.encoding == TextEncoding::Utf16BE
        || format.lineBreak == LineBreakStyle::LineSeparator) {
        const DecodedText again = decodeWholeFile(file);
        return again.ok && again.text == text;
    }
    if (format.encoding == TextEncoding::Utf8 && file.read(3) != QByteArray("\xEF\xBB\xBF"))
        return false;
    // Windows-1252 decodes byte by byte; an ASCII file reads the same as UTF-8.
    CrLfTextReader reader(file, format.encoding == TextEncoding::Ansi ? CrLfTextReader::Encoding::Cp1252
                                                                      : CrLfTextReader::Encoding::Utf8, chunkBytes);
    const QStringView expected(text);
    qsizetype at = 0;
    QStringView piece;
    while (reader.next(piece)) {
        if (piece.size() > expected.size() - at || expected.sliced(at, piece.size()) != piece)
            return false;
        at += piece.size();
    }
    return !reader.readFailed() && reader.exact() && at == expected.size();
}

bool saveDocumentText(const QString &path, const QString &text, const FileFormat &format, qsizetype chunkChars)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!writeInPieces(file, text, format, chunkChars)) {
        file.cancelWriting();
        return false;
    }
    return commitWholly(file);
}

bool saveDocumentFile(const QString &path, const QStringList &lines, const FileFormat &format,
                      const std::vector<LineBreakStyle> &lineBreaks)
{
    return writeFileAtomically(path, encodeDocument(lines, format, lineBreaks));
}

QString backupFileName(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString folder = path.left(path.size() - name.size());
    return folder + base + QStringLiteral(".BAK");
}

bool makeBackupCopy(const QString &path)
{
    const QString backup = backupFileName(path);
    if (QFileInfo::exists(backup))
        return true;
    return QFile::copy(path, backup);
}

QString fileNamePart(const QString &path)
{
    return QFileInfo(path).fileName();
}

QString folderPart(const QString &path)
{
    if (path.isEmpty())
        return {};
    return QFileInfo(path).absolutePath();
}

} // namespace korvel
