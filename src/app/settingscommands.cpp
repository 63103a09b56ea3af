#include "app/settingscommands.h"

#include "app/documentfile.h"
#include "app/formsetup.h"
#include "app/commandcontext.h"
#include "app/commandids.h"
#include "app/commandregistry.h"
#include "app/mainstate.h"
#include "app/settingsfile.h"
#include "editor/synmemo.h"
#include "prompt/prompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace korvel {

namespace {

std::optional<QByteArray> readFile(const QString &path)
{
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace

bool writeSettingsFile(const QString &path, const QStringList &lines)
{
    if (!writeFileAtomically(path, settingsFileBytes(lines)))
        return false;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

void SettingsCommands::connectActions()
{
    CommandRegistry &commands = m_ctx.commands();
    commands.add(cmd::Settings, {QStringLiteral("Settings2"), QStringLiteral("ToolButtonSettings")})
        .handle([this] { ShowSettingsDialog(); });
    // The language items carry a check mark at the active language (set by ApplyLanguage).
    commands.add(cmd::English, {QStringLiteral("Englisch1")}).checkable().handle([this] {
        m_ctx.state().UiLanguage = 1;
        m_ctx.ApplyLanguage();
    });
    commands.add(cmd::German, {QStringLiteral("Deutsch1")}).checkable().handle([this] {
        m_ctx.state().UiLanguage = 0;
        m_ctx.ApplyLanguage();
    });
}

void SettingsCommands::SeedSettings()
{
    const QString target = settingsFilePath(m_ctx.dataFolder());
    const QString seed = settingsFilePath(m_ctx.programFolder());
    if (QDir(m_ctx.dataFolder()).exists() && !QFileInfo::exists(target) && QFileInfo::exists(seed)) {
        if (QFile::copy(seed, target))
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
}

void SettingsCommands::ReadSettings()
{
    MainSettings &s = m_ctx.settings();
    s.FtpUser.clear();
    s.FtpPassword.clear();
    s.FtpServer.clear();
    s.FtpLoginMode = QStringLiteral("Anonymous");

    const QString path = settingsFilePath(m_ctx.dataFolder());
    const QFileInfo info(path);
    const std::optional<QByteArray> bytes = readFile(path);
    if (!bytes && info.exists()) {
        // There but unreadable: dropped, so that the next start begins afresh.
        QFile::remove(path);
        return;
    }
    const SettingsValues v = readSettingsValues(bytes);
    if (!v.fileExists) {
        m_ctx.ChooseLanguage();
        return;
    }
    SynMemo *editor = m_ctx.editor();
    if (v.fontSize)
        editor->setFontSize(*v.fontSize);
    if (v.lineNumbers)
        editor->setLineNumbersVisible(*v.lineNumbers);
    if (v.ftpUser) s.FtpUser = *v.ftpUser;
    if (v.ftpPassword) s.FtpPassword = *v.ftpPassword;
    if (v.ftpServer) s.FtpServer = *v.ftpServer;
    if (v.ftpLoginMode) s.FtpLoginMode = *v.ftpLoginMode;
    if (v.defaultCharset) s.DefaultCharset = *v.defaultCharset;
    if (v.externalBrowser) s.ExternalBrowser = *v.externalBrowser;
    editor->setHtmlColors(v.keywordColor.value_or(editor->keywordColor()),
                          v.identifierColor.value_or(editor->identifierColor()),
                          v.valueColor.value_or(editor->valueColor()));
    if (v.failed) {
        QFile::remove(path);
        return;
    }
    if (v.uiLanguage)
        m_ctx.state().UiLanguage = *v.uiLanguage;
    else if (v.askLanguage)
        m_ctx.ChooseLanguage();
}

void SettingsCommands::WriteLanguage()
{
    const QString path = settingsFilePath(m_ctx.dataFolder());
    QStringList lines;
    if (const auto bytes = readFile(path))
        lines = settingsLinesFromFile(*bytes);
    writeSettingsFile(path, withLanguageLine(lines, m_ctx.state().UiLanguage));
}

void SettingsCommands::ShowSettingsDialog()
{
    SynMemo *editor = m_ctx.editor();
    TFormSetup dialog(m_ctx.prompter(), m_ctx.window());
    dialog.LanguageValue = m_ctx.state().UiLanguage;
    dialog.setEditorValues(editor->fontName(), editor->fontSize(), editor->keywordColor(),
                           editor->identifierColor(), editor->valueColor());
    dialog.DataFolder = m_ctx.dataFolder();
    dialog.FormShow();
    dialog.setHelpHandler([this](int context) { m_ctx.showHelpContext(context); });
    if (m_ctx.prompter().execDialog(dialog) == QDialog::Accepted)
        dialog.writeSettings();
    ReadSettings();
}

} // namespace korvel
