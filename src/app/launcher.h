#pragma once

#include <QString>
#include <QStringList>

class QProcessEnvironment;

namespace korvel {

// Starts outside programs and opens addresses with the desktop's default handler. Programs
// are started directly with an argument list, never through a shell, so nothing taken from
// the settings or a file name is ever read as a command.
class Launcher {
public:
    virtual ~Launcher() = default;
    // True when the program was started; the caller does not wait for it.
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;
    // Hands a file or network address to the desktop's handler for its kind.
    virtual bool openUrl(const QString &address) = 0;
};

// The production launcher: QProcess::startDetached and QDesktopServices::openUrl.
class DesktopLauncher final : public Launcher {
public:
    bool startProgram(const QString &program, const QStringList &arguments) override;
    bool openUrl(const QString &address) override;
};

// "Not available" unless the text is four decimal numbers joined by ".".
QString programVersionText(const QString &version);

// The address an external browser receives for a saved document: "file:///" and the path,
// with blanks (and every other character an address cannot hold as is) percent-encoded.
QString documentAddress(const QString &fileName);

// "ftp://" followed by the server, or by user:password@server unless the login mode is
// "Anonymous". The values go in as stored.
QString ftpAddress(const QString &user, const QString &password, const QString &server,
                   const QString &loginMode);

// The updater's command words, in the order it reads them by position: the product
// identifier, the version, the editor's file name and the language. Blanks inside a value
// split it into further words, as the updater has always read its command line.
QStringList updaterArguments(const QString &programVersion, const QString &editorFileName,
                             int uiLanguage);

// The command that starts a graphical program with administrator rights: pkexec, then env
// with the display settings and the updater's own settings of `environment`, then the program
// and its arguments. pkexec starts its program with a cleared environment, in which a window
// could not reach the user's display.
QStringList elevatedCommand(const QString &program, const QStringList &arguments,
                            const QProcessEnvironment &environment);

} // namespace korvel
