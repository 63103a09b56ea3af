#include "app/documentfile.h"
#include "textio/largebuffer.h"

#include <QFile>
#include <QFileInfo>

namespace korvel {

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

DecodedText loadDocumentText(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    // One read into a buffer of the file's size; whatever a growing file holds beyond it is
    // read on as readAll would.
    QByteArray bytes;
    bytes.resize(file.size());
    adviseHugePages(bytes);
    const qint64 got = file.read(bytes.data(), bytes.size());
    if (got < 0)
        return {};
    bytes.truncate(got);
    bytes.append(file.readAll());
    if (file.error() != QFile::NoError)
        return {};
    return decodeDocumentText(bytes);
}

bool saveDocumentText(const QString &path, const QString &text, const FileFormat &format)
{
    return writeFileAtomically(path, encodeDocumentText(text, format));
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
