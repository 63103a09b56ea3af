#pragma once

#include <QString>

namespace korvel {

// The updater's own message table: 23 lines in English and German. The language number from
// the command line picks the table: 1 is English, every other number German.
namespace UpdaterText {
enum Line : int {
    NotAvailable = 0,
    WillBeTerminated = 1,
    NoUpdateInformation = 2,
    Connected = 3,
    ConnectionFailed = 4,
    LaterVersionAvailable = 5,
    HasToBeTerminated = 6,
    OldBackupFound = 7,
    RestoreOldVersion = 8,
    DeleteOldBackupsFirst = 9,
    LoadingUpdate = 10,
    DownloadFailed = 11,
    UpdateComplete = 12,
    CannotRestart = 13,
    NoOnlineConnection = 14,
    SearchingUpdateInformation = 15,
    NoUpdateAvailable = 16,
    CheckingReleaseInfo = 17,
    NoReleaseInfo = 18,
    UpToDate = 19,
    ConnectionCaption = 20,
    LocalVersionCaption = 21,
    AvailableVersionCaption = 22,
};
inline constexpr int LineCount = 23;
} // namespace UpdaterText

// True when the language number selects English.
bool isEnglish(int languageNumber);

// One line of the table in the language the number selects; an empty text for a line number
// outside the table.
QString updaterMessage(int languageNumber, int line);

// The captions of the update window that are not in the table.
struct UpdaterCaptions {
    QString checkButton;  // BitBtn1
    QString exitButton;   // BitBtn2
    QString whatsNew;     // LabelInfo
};
UpdaterCaptions updaterCaptions(int languageNumber);

} // namespace korvel
