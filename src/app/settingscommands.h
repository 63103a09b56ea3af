#pragma once

#include <QStringList>

namespace korvel {

// Writes the lines scrambled, replacing the file whole. The settings file holds the FTP
// password, so only its owner may read it.
bool writeSettingsFile(const QString &path, const QStringList &lines);

class CommandContext;

// Htmledit.ini as the main window uses it: seeding, reading, writing the language, and the
// settings dialog.
class SettingsCommands final {
public:
    explicit SettingsCommands(CommandContext &context) : m_ctx(context) {}

    void connectActions();

    void SeedSettings();
    void ReadSettings();
    void WriteLanguage();
    void ShowSettingsDialog();

private:
    CommandContext &m_ctx;
};

} // namespace korvel
