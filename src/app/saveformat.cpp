#include "app/saveformat.h"

#include "app/catalogue.h"
#include "app/declaredcharset.h"
#include "prompt/prompter.h"

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

bool settleDeclaredCharset(const QString &text, FileFormat &format, Prompter &prompter,
                           const MessageCatalogue &catalogue)
{
    const CharsetConflict conflict = charsetConflict(text, format.encoding);
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

} // namespace korvel
