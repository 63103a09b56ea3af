#pragma once

#include "app/documentfile.h"
#include "app/filecodec.h"

#include <QString>

namespace korvel {

class MessageCatalogue;
class Prompter;

// The name of an encoding as the questions about it show it.
QString encodingName(TextEncoding encoding);

// The question to ask before a file is opened that looks binary or holds bytes its encoding
// cannot keep; empty when there is nothing to ask.
QString openRiskQuestion(const LoadedFile &file, const QString &path, const MessageCatalogue &catalogue);
QString openRiskQuestion(const EditorBytes &file, const QString &path, const MessageCatalogue &catalogue);

// Before a save: when `text` written in `format` would contradict the charset the page
// declares, asks whether to write it in the declared charset instead. Yes changes
// format.encoding, No keeps it; false means Cancel.
bool settleDeclaredCharset(const QString &text, FileFormat &format, Prompter &prompter,
                           const MessageCatalogue &catalogue);
// The same for the editor's UTF-8 bytes (see SynMemo::utf8Text), asking exactly what the
// question about the text would ask; only the page's head is decoded.
bool settleDeclaredCharsetOfUtf8(const QByteArray &utf8, FileFormat &format, Prompter &prompter,
                                 const MessageCatalogue &catalogue);

} // namespace korvel
