#pragma once

#include <QByteArray>
#include <QString>

namespace korvel {

struct HyphenationResult {
    QString text;
    int count = 0; // hyphens removed
};

// Removes the hyphens of words split at a line end, from the first "<body" on (or from the
// start without one): a hyphen goes when a lower-case letter a-z follows it, it lies outside
// every tag (InsideTag) and none of the set phrases "-to-", "-of-", "Know-how", "the-art" lies
// in the ten characters around it, nor "www." in the 25 characters around it.
HyphenationResult RemoveHyphenation(const QString &text);

struct HyphenationBytesResult {
    QByteArray text;
    int count = 0; // hyphens removed
};

// The same on UTF-8 bytes: the windows around a hyphen count UTF-16 units as the editor's
// text does, so both forms remove the same hyphens.
HyphenationBytesResult RemoveHyphenationUtf8(const QByteArray &text);

} // namespace korvel
