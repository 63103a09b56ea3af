#pragma once

#include "designer/engine.h"

#include <QObject>
#include <QPointer>

class QWebEngineView;
class QWebEngineProfile;

namespace korvel {

class Prompter;
class DesignerPage;

// The designer's browser engine on Qt WebEngine: the only code that talks to the engine. It owns
// the view (objectName "WebBrowser1") that the main window puts on its designer page, installs
// the designer script into every document it shows and answers the engine interface through it.
//
// A call waits for its answer in a local event loop that leaves user input for later and ends
// after a time limit, so that a command can neither hang nor be entered again by the input it
// is waiting through; a call made while another one is waiting fails at once.
class WebEngineBrowser final : public QObject, public Engine {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WebEngineBrowser)

public:
    // The prompter answers the page's message boxes and the engine's own questions (link
    // address, picture source, printer); without one they are left unanswered.
    explicit WebEngineBrowser(Prompter *prompter = nullptr, QObject *parent = nullptr);
    ~WebEngineBrowser() override;

    // Null once the view's new parent has deleted it.
    QWebEngineView *view() const { return m_viewGuard ? m_view : nullptr; }

    // The longest a single call waits for the engine's answer.
    void setCallTimeout(int milliseconds) { m_callTimeoutMs = milliseconds; }
    int callTimeout() const { return m_callTimeoutMs; }
    // Whether the last engine call failed because the page did not answer within the limit.
    bool lastCallTimedOut() const { return m_lastCallTimedOut; }

    // Whether the page's own scripts may run now (they never do in design mode).
    bool pageScriptsEnabled() const;
    // True when the page's own scripts ran in the document shown now. Such a page cannot hold
    // edits of the user (design mode reloads it without scripts first), only the scripts' changes.
    bool scriptsRanInDocument() const { return m_scriptsRanInDocument; }
    // The document shown, loaded completely, came from a source without anything a script
    // could run from (SourceMayRunScripts): it is the page as written, and design mode need not
    // load it again without scripts, which on a large page takes as long as the first load.
    void documentRanNoScripts()
    {
        if (!m_loading && m_loadOk)
            m_scriptsRanInDocument = false;
    }

    bool Navigate(const QString &address) override;
    bool GoBack() override;
    bool GoForward() override;
    bool Refresh() override;
    bool ExecWB(int command, int option = 0) override;
    std::optional<int> findText(const QString &text, bool matchCase, bool backward = false) override;
    void stopFinding() override;
    bool hasDocument() const override;
    QString LocationName() const override;
    QString LocationURL() const override;
    int ReadyState() const override;
    bool waitUntilReady(int timeoutMs = 10000) override;
    bool Silent() const override { return m_silent; }
    void setSilent(bool silent) override { m_silent = silent; }
    bool setDesignMode(bool on) override;
    double zoomFactor() const override;
    bool setZoomFactor(double factor) override;
    bool print(QPrinter &printer) override;
    std::optional<QVariant> call(quint64 &generation, const QString &op, const QVariantList &args) override;
    bool runCommand(const QString &command, bool showUserInterface, const QVariant &value) override;
    quint64 documentGeneration() const override { return m_generation; }

Q_SIGNALS:
    // A document finished loading (never emitted while a call is waiting).
    void documentComplete(const QString &url);
    // A load ended without a document.
    void navigationFailed(const QString &url);

private:
    class BusyScope;
    friend class BusyScope;
    friend class DesignerPage;

    void installDesignerScript();
    void applySafetySettings();
    void setPageScripts(bool enabled);
    void expectLoad();
    void onLoadStarted();
    void onLoadFinished(bool ok);
    void flushPendingSignals();
    // Waits for the current load to end; false when it failed or the time ran out.
    bool waitForLoad(int timeoutMs);
    std::optional<QVariant> evaluate(const QString &code, int timeoutMs);
    bool pageAction(int action);

    Prompter *m_prompter = nullptr;
    QWebEngineProfile *m_profile = nullptr;
    DesignerPage *m_page = nullptr;
    QWebEngineView *m_view = nullptr;
    QPointer<QObject> m_viewGuard;

    quint64 m_generation = 0;
    bool m_loading = false;
    bool m_loadOk = false;
    bool m_scriptsRanInDocument = false;
    bool m_designMode = false;
    bool m_silent = false;
    int m_busy = 0;
    int m_callTimeoutMs = 5000;
    bool m_lastCallTimedOut = false;
    bool m_completePending = false;
    bool m_failurePending = false;
    QString m_pendingUrl;
};

} // namespace korvel
