#pragma once

#include <QString>

class QByteArray;

namespace korvel {

// The release information the update server publishes for a product: five lines, each
// trimmed when read; missing lines read as empty.
struct ReleaseInfo {
    QString version;      // line 0: the available version, dotted decimal
    QString fileName;     // line 1: the new program file in the update folder
    QString newsGerman;   // line 2
    QString newsEnglish;  // line 3
    QString mode;         // line 4: how the release is installed
};

// The file is text in UTF-8 (with or without a byte-order mark) or, when it is not valid
// UTF-8, in Windows-1252; lines end in CR LF, LF or CR.
ReleaseInfo parseReleaseInfo(const QByteArray &bytes);

// The news text shown for a language number: English for any number but 0. A number other
// than 0 and 1 thus gives German messages with English news.
QString newsFor(const ReleaseInfo &info, int languageNumber);

enum class InstallMode {
    Replace,  // empty or "default": the program file is replaced by the new file
    Setup,    // contains "setup" in any letter case: a setup program from the download folder
    Program,  // anything else: a program from the update folder, downloaded and run
};

InstallMode installModeOf(const QString &mode);

} // namespace korvel
