#pragma once

#include <QStringList>

namespace korvel {

// Writes the lines scrambled, replacing the file whole. The settings file holds the FTP
// password, so only its owner may read it.
bool writeSettingsFile(const QString &path, const QStringList &lines);

class TMainForm;

// Htmledit.ini as the main window uses it: seeding, reading, writing the language, and the
// settings dialog.
class SettingsCommands final {
public:
    explicit SettingsCommands(TMainForm &form) : m_form(form) {}

    void connectActions();

    void SeedSettings();
    void ReadSettings();
    void WriteLanguage();
    void ShowSettingsDialog();

private:
    TMainForm &m_form;
};

} // namespace korvel
