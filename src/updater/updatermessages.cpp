#include "updater/updatermessages.h"

#include <array>

namespace korvel {

namespace {

struct TableLine {
    const char16_t *english;
    const char16_t *german;
};

// The texts are shown as they stand, spelling and blanks included.
constexpr std::array<TableLine, UpdaterText::LineCount> table{{
    {u"Not available", u"Nicht verfügbar"},
    {u"will be terminated", u"wird beendet"},
    {u"No update information available", u"Keine Updateinformationen verfügbar"},
    {u"Connected", u"Verbunden"},
    {u"Connection failed", u"Verbindung fehlgeschlagen"},
    {u"A later version is online available. Download and install updates?",
     u"Eine neuere Version ist verfügbar Update laden und installieren?"},
    {u" has to be terminated. Should Updater shut down the application and continue installation?",
     u" muss beendet werden. Soll Updater das Programm schliessen und das Update installieren?"},
    {u"Old update backup found? Delete old backup?",
     u"Altes Update-Backup gefunden. Soll das alte Backup gelöscht werden?"},
    {u"You selected NO! Should Updater restore the old version?",
     u"Sie haben NEIN gewählt. Soll Updater die alte Version wiederherstellen?"},
    {u"Cannot continue installation. Delete old backups first!",
     u"Installation kann nicht fortgesetzt werden. Löschen Sie zuerst die alten Backups!"},
    {u"Loading update... Pleas wait.", u"Lade Update...bitte warten."},
    {u"Download failed! Check firewall settings.",
     u"Download fehlgeschlagen! Überprüfen Sie Ihre Firewalleinstellungen."},
    {u"Update complete. Restart application now?", u"Update erfolgreich. Anwendung neu starten?"},
    {u"Cannot restart Application automatically! Run file: ",
     u"Kann die Anwendung nicht automatisch starten. Starten Sie manuell: "},
    {u"No online connection!", u"Keine Onlineverbindung!"},
    {u"Searching for update information...", u"Suche nach Updateinformationen..."},
    {u"No update available!", u"Kein Update verfügbar!"},
    {u"Checking release info...", u"Prüfe Versionsinformation..."},
    {u"No release info available!", u"Keine Versionsinformationen verfügbar!"},
    {u"No later version online available. Your version is up to date!",
     u"Keine neuere Version verfügbar. Ihre Version ist aktuell."},
    {u"Connection:", u"Verbindung:"},
    {u"Local version:", u"Lokale Version:"},
    {u"Available version:", u"Verfügbare Version:"},
}};

} // namespace

bool isEnglish(int languageNumber)
{
    return languageNumber == 1;
}

QString updaterMessage(int languageNumber, int line)
{
    if (line < 0 || line >= UpdaterText::LineCount)
        return {};
    const TableLine &entry = table[static_cast<std::size_t>(line)];
    return QString::fromUtf16(isEnglish(languageNumber) ? entry.english : entry.german);
}

UpdaterCaptions updaterCaptions(int languageNumber)
{
    if (isEnglish(languageNumber))
        return {QStringLiteral("Check for updates"), QStringLiteral("Exit"), QStringLiteral("Whats new")};
    return {QStringLiteral("Nach Updates suchen"), QStringLiteral("Ende"), QStringLiteral("Was ist neu")};
}

} // namespace korvel
