#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace korvel::test {

// A private X server (Xvfb) for whole-program runs of the editor, driven with xdotool. Used by
// the keyboard test and by the start-up benchmark; both give up quietly when either tool is
// missing. Qt Core only: everything goes through child processes.
class XvfbSession final {
    Q_DISABLE_COPY_MOVE(XvfbSession)

public:
    XvfbSession() = default;
    ~XvfbSession();

    // Both Xvfb and xdotool are installed.
    static bool toolsFound();

    // Starts the server on the first free display from :90 on and waits until it takes
    // connections. False (with `error()`) when it does not come up in time.
    bool start();
    QString error() const { return m_error; }
    QString display() const { return m_display; }

    // An environment for a program on this display: DISPLAY, the xcb platform, and a fresh
    // HOME, XDG folders and data folder in a temporary directory, with the settings file
    // already holding the English language, so that no first-start question comes up and
    // the user's own data folder is never touched.
    QProcessEnvironment programEnvironment() const;
    QString workFolder() const;

    // Runs xdotool with the arguments; its standard output, or an empty string (and `error()`)
    // when it fails or takes longer than the time limit.
    QString xdotool(const QStringList &arguments, int timeoutMs = 10000);

    // Waits by polling until a visible window of the process is on the screen whose title
    // contains `titlePart`; its id, or an empty string after `timeoutMs`.
    QString waitForWindow(qint64 pid, const QString &titlePart, int timeoutMs);

    // Gives the window the keyboard focus and waits until X reports it focused (there is no
    // window manager to do it).
    bool focusWindow(const QString &window, int timeoutMs = 5000);

private:
    QProcess m_server;
    QString m_display;
    QString m_error;
    std::unique_ptr<QTemporaryDir> m_work;
};

} // namespace korvel::test
