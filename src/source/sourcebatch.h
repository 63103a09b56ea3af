#pragma once

#include "source/catalogueline.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace korvel {

struct SourceCommandResult {
    QString text;   // the rewritten text
    QString report; // what the command tells when it is done; empty for the silent commands
};

// The whole-text commands that can run without the main window, by their command words:
// "check-html", "remove-line-breaks", "insert-line-breaks", "remove-hyphenation", "entities",
// "javascript-string". They run the same functions as the menu commands. Nothing for an
// unknown word. The text is taken by value: handed over with std::move, a command that
// rewrites in steps reuses its memory.
std::optional<SourceCommandResult> RunSourceCommand(const QString &command, QString text,
                                                    const CatalogueLine &line);

struct SourceCommandBytesResult {
    QByteArray text; // the rewritten text, UTF-8 with CR LF line breaks as it came
    QString report;
};

// The same commands on a text held as UTF-8 with CR LF line breaks, the form a file is read in
// without decoding it: the result is what RunSourceCommand gives for the decoded text, as UTF-8.
std::optional<SourceCommandBytesResult> RunSourceCommandUtf8(const QString &command, QByteArray text,
                                                             const CatalogueLine &line);

// The command words RunSourceCommand knows, in menu order.
QStringList SourceCommandWords();

// "3 x hyphenation deleted.": the count followed by its catalogue line.
QString HyphenationReport(int count, const CatalogueLine &line);

} // namespace korvel
