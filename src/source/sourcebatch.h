#pragma once

#include "source/catalogueline.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace korvel {

struct SourceCommandBytesResult {
    QByteArray text; // the rewritten text, UTF-8 with CR LF line breaks as it came
    QString report;  // what the command tells when it is done; empty for the silent commands
};

// The whole-text commands that can run without the main window, by their command words:
// "check-html", "remove-line-breaks", "insert-line-breaks", "remove-hyphenation", "entities",
// "javascript-string", on a text held as UTF-8 with CR LF line breaks, the form the batch
// program reads a file in without decoding it. They run the same functions as the menu
// commands, in their forms for UTF-8: the result is the menu command's on the decoded text, as
// UTF-8. Nothing for an unknown word. The text is taken by value: handed over with std::move, a
// command that rewrites in place reuses its memory.
std::optional<SourceCommandBytesResult> RunSourceCommandUtf8(const QString &command, QByteArray text,
                                                             const CatalogueLine &line);

// The command words RunSourceCommandUtf8 knows, in menu order.
QStringList SourceCommandWords();

// "3 x hyphenation deleted.": the count followed by its catalogue line.
QString HyphenationReport(int count, const CatalogueLine &line);

} // namespace korvel
