#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace korvel {

// Htmledit.ini: sixteen lines (0..15), each followed by CR LF, always stored scrambled with a
// four-byte Vigenère key. The key position runs on over the whole file.
QByteArray scrambleSettings(const QByteArray &plain);
QByteArray unscrambleSettings(const QByteArray &scrambled);

// Tells a scrambled file from a plain one by how many of its characters are printable.
bool LooksScrambled(const QByteArray &text);

// The file's lines, unscrambled when it looks scrambled. A final CR LF ends the last line
// and does not start another.
QStringList settingsLinesFromFile(const QByteArray &fileBytes);

// The file's bytes for the given lines: each line followed by CR LF, UTF-8, scrambled.
QByteArray settingsFileBytes(const QStringList &lines);

// The lines after the language was written into them: line 15 replaced when there are 16 or
// more lines, else single blanks up to line 14 and the language as line 15.
QStringList withLanguageLine(QStringList lines, int uiLanguage);

// What reading the settings gives the main window. A value is set only when its step ran;
// `failed` tells that a step failed (the file must then be deleted) and that the steps after
// it did not run.
struct SettingsValues {
    bool fileExists = false;
    bool failed = false;
    std::optional<int> fontSize;
    std::optional<bool> lineNumbers;
    std::optional<QString> ftpUser, ftpPassword, ftpServer, ftpLoginMode;
    std::optional<QString> defaultCharset;
    std::optional<QString> externalBrowser;
    std::optional<int> keywordColor, identifierColor, valueColor;  // 0x00BBGGRR
    std::optional<int> uiLanguage;
    bool askLanguage = false;  // no language stored: the language chooser decides
};

SettingsValues readSettingsValues(const std::optional<QByteArray> &fileBytes);

// Reads a whole decimal integer as the settings do (blanks around it allowed).
std::optional<int> settingsInteger(const QString &text);

// The settings file's path in a data folder.
QString settingsFilePath(const QString &dataFolder);

} // namespace korvel
