#pragma once

#include <QString>
#include <QStringList>

namespace korvel {

// A menu caption split into what the menu shows as text and the shortcut some captions carry
// written out at their end ("Undo      CTRL+Z"); the shortcut goes to the menu's shortcut
// column instead, in the portable form QKeySequence reads ("Ctrl+Z").
struct CaptionParts {
    QString text;
    QString shortcut;
};

CaptionParts splitCaption(const QString &caption);

// The caption without its mnemonic marker: "&&" becomes "&", a single "&" goes.
QString withoutMnemonic(const QString &caption);

// Gives every caption of one menu an Alt mnemonic, each letter once where the captions allow:
// first the initial of a word, then any other letter or digit. A caption that has a mnemonic
// already keeps it; ampersands of the text are doubled; letters in `reserved` (upper case) are
// not used. An empty caption stays empty.
QStringList withMnemonics(const QStringList &captions, const QString &reserved = {});

} // namespace korvel
