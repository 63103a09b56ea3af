#include "app/saveformat.h"

#include "app/catalogue.h"
#include "app/declaredcharset.h"
#include "app/editorbytes.h"
#include "prompt/prompter.h"

#include <algorithm>

namespace korvel {

QString encodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf16LE: return QStringLiteral("UTF-16LE");
    case TextEncoding::Utf16BE: return QStringLiteral("UTF-16BE");
    case TextEncoding::Utf8:
    case TextEncoding::Utf8NoMark: return QStringLiteral("UTF-8");
    case TextEncoding::Ansi: return QStringLiteral("Windows-1252");
    }
    return {};
}

QString openRiskQuestion(const LoadedFile &file, const QString &path, const MessageCatalogue &catalogue)
{
    if (file.looksBinary)
        return catalogue.binaryFileQuestion(path);
    if (!file.keepsEveryByte)
        return catalogue.unkeptBytesQuestion(path, encodingName(file.format.encoding));
    return {};
}

QString openRiskQuestion(const EditorBytes &file, const QString &path, const MessageCatalogue &catalogue)
{
    LoadedFile flags;
    flags.format = file.format;
    flags.looksBinary = file.looksBinary;
    flags.keepsEveryByte = file.keepsEveryByte;
    return openRiskQuestion(flags, path, catalogue);
}

namespace {

bool settleConflict(const CharsetConflict &conflict, FileFormat &format, Prompter &prompter,
                    const MessageCatalogue &catalogue)
{
    if (conflict.kind == CharsetKind::None)
        return true;
    const QString question = catalogue.charsetConflictQuestion(conflict.label, encodingName(format.encoding));
    switch (prompter.message(MessageKind::Confirmation, question, Buttons::YesNoCancel)) {
    case Answer::Yes:
        format.encoding = conflict.matching;
        return true;
    case Answer::No:
        return true;
    default:
        return false;
    }
}

bool plainAsciiBytes(const QByteArray &bytes)
{
    return std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

bool settleDeclaredCharset(const QString &text, FileFormat &format, Prompter &prompter,
                           const MessageCatalogue &catalogue)
{
    return settleConflict(charsetConflict(text, format.encoding), format, prompter, catalogue);
}

bool settleDeclaredCharsetOfUtf8(const QByteArray &utf8, FileFormat &format, Prompter &prompter,
                                 const MessageCatalogue &catalogue)
{
    if (format.encoding != TextEncoding::Ansi && format.encoding != TextEncoding::Utf8NoMark)
        return true;  // nothing to contradict, as charsetConflict finds
    if (plainAsciiBytes(utf8))
        return true;  // plain ASCII reads the same in both charsets
    // The declaration lies within the head's reach. Enough bytes for it even after CR LF became
    // LF and with three bytes to a character, cut at the start of a character.
    const qsizetype reach = charsetDeclarationReach();
    qsizetype cut = qMin(utf8.size(), 8 * reach);
    while (cut < utf8.size() && cut > 0 && (static_cast<unsigned char>(utf8.at(cut)) & 0xC0) == 0x80)
        --cut;
    QString head = withLineFeeds(editorText(QByteArrayView(utf8.constData(), cut)));
    // The whole text is not plain ASCII; a head that is gets a character that is not, far
    // behind the reach, so the question is the one the whole text asks.
    if (cut < utf8.size())
        head += QChar(0xFF);
    return settleConflict(charsetConflict(head, format.encoding), format, prompter, catalogue);
}

} // namespace korvel
