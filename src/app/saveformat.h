#pragma once

#include "app/filecodec.h"

#include <QString>

namespace korvel {

class MessageCatalogue;
class Prompter;

// The name of an encoding as the questions about it show it.
QString encodingName(TextEncoding encoding);

// Before a save: when `text` written in `format` would contradict the charset the page
// declares, asks whether to write it in the declared charset instead. Yes changes
// format.encoding, No keeps it; false means Cancel.
bool settleDeclaredCharset(const QString &text, FileFormat &format, Prompter &prompter,
                           const MessageCatalogue &catalogue);

} // namespace korvel
