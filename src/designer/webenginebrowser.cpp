#include "designer/webenginebrowser.h"

#include "designer/designerscript.h"
#include "prompt/prompter.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPrinter>
#include <QLoggingCategory>
#include <QTimer>
#include <QUrl>
#include <QWebEngineFindTextResult>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <memory>

static void initDesignerResources()
{
    Q_INIT_RESOURCE(designer);
}

namespace korvel {

Q_LOGGING_CATEGORY(lcEngine, "korvel.engine")

namespace {

QString jsonArgument(const QString &op, const QVariantList &args)
{
    QJsonArray call;
    call.append(op);
    call.append(QJsonArray::fromVariantList(args));
    return QString::fromUtf8(QJsonDocument(call).toJson(QJsonDocument::Compact));
}

} // namespace

// Answers the page's message boxes through the prompter, unless the browser is silent, and
// keeps the page from opening windows of its own.
class DesignerPage final : public QWebEnginePage {
public:
    DesignerPage(QWebEngineProfile *profile, WebEngineBrowser *browser)
        : QWebEnginePage(profile, browser), m_browser(browser)
    {
    }

protected:
    void javaScriptAlert(const QUrl &, const QString &msg) override
    {
        if (Prompter *prompter = visiblePrompter())
            prompter->information(msg);
    }

    bool javaScriptConfirm(const QUrl &, const QString &msg) override
    {
        Prompter *prompter = visiblePrompter();
        return prompter && prompter->message(MessageKind::Confirmation, msg, Buttons::OkCancel) == Answer::Ok;
    }

    bool javaScriptPrompt(const QUrl &, const QString &msg, const QString &defaultValue, QString *result) override
    {
        Prompter *prompter = visiblePrompter();
        if (!prompter)
            return false;
        const std::optional<QString> answer = prompter->input(QString(), msg, defaultValue);
        if (!answer)
            return false;
        *result = *answer;
        return true;
    }

    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                  const QString &) override
    {
        if (level != ErrorMessageLevel)
            return;
        if (Prompter *prompter = visiblePrompter())
            prompter->warning(QStringLiteral("%1 (%2)").arg(message).arg(lineNumber));
    }

    QWebEnginePage *createWindow(WebWindowType) override { return nullptr; }

private:
    Prompter *visiblePrompter() const { return m_browser->m_silent ? nullptr : m_browser->m_prompter; }

    WebEngineBrowser *m_browser = nullptr;
};

// Marks the browser busy while a call waits, and hands on the signals held back meanwhile.
class WebEngineBrowser::BusyScope {
public:
    explicit BusyScope(WebEngineBrowser *browser) : m_browser(browser) { ++m_browser->m_busy; }
    ~BusyScope()
    {
        if (--m_browser->m_busy == 0 && (m_browser->m_completePending || m_browser->m_failurePending))
            QTimer::singleShot(0, m_browser, [browser = QPointer<WebEngineBrowser>(m_browser)] {
                if (browser)
                    browser->flushPendingSignals();
            });
    }
    Q_DISABLE_COPY_MOVE(BusyScope)

private:
    WebEngineBrowser *m_browser = nullptr;
};

WebEngineBrowser::WebEngineBrowser(Prompter *prompter, QObject *parent)
    : QObject(parent), m_prompter(prompter)
{
    initDesignerResources();
    // An off-the-record profile: the designer keeps no cookies, cache or storage on disk.
    m_profile = new QWebEngineProfile(this);
    m_page = new DesignerPage(m_profile, this);
    m_view = new QWebEngineView();
    m_viewGuard = m_view;
    m_view->setObjectName(QStringLiteral("WebBrowser1"));
    m_view->setPage(m_page);
    // The main window shows its own pop-up menu instead of the engine's.
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);

    applySafetySettings();
    installDesignerScript();

    connect(m_page, &QWebEnginePage::loadStarted, this, &WebEngineBrowser::onLoadStarted);
    connect(m_page, &QWebEnginePage::loadFinished, this, &WebEngineBrowser::onLoadFinished);
}

WebEngineBrowser::~WebEngineBrowser()
{
    // The page must go before its profile, and the view (unless its new parent took it
    // already) before the page.
    delete view();
    delete m_page;
    m_page = nullptr;
    delete m_profile;
    m_profile = nullptr;
}

void WebEngineBrowser::applySafetySettings()
{
    QWebEngineSettings *settings = m_page->settings();
    // A page shown in the designer reads no other local file and reaches no remote address
    // through script, opens no windows and leaves the clipboard alone.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalStorageEnabled, false);
    // A file dropped on the designer is the main window's business, not a navigation away
    // from the page being edited.
    settings->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
}

void WebEngineBrowser::installDesignerScript()
{
    QWebEngineScript script;
    script.setName(QStringLiteral("korvel-designer"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(designerScriptSource());
    m_page->scripts().insert(script);
}

bool WebEngineBrowser::pageScriptsEnabled() const
{
    return m_page->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled);
}

void WebEngineBrowser::setPageScripts(bool enabled)
{
    m_page->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, enabled);
}

void WebEngineBrowser::expectLoad()
{
    // The engine reports the start of a load a little later; until then the old document
    // must not be taken for the new one.
    if (!m_loading)
        onLoadStarted();
}

void WebEngineBrowser::onLoadStarted()
{
    ++m_generation;
    m_loading = true;
    m_loadOk = false;
    m_designMode = false;
    m_scriptsRanInDocument = pageScriptsEnabled();
}

void WebEngineBrowser::onLoadFinished(bool ok)
{
    m_loading = false;
    m_loadOk = ok;
    m_pendingUrl = LocationURL();
    if (ok)
        m_completePending = true;
    else
        m_failurePending = true;
    if (m_busy == 0)
        flushPendingSignals();
}

void WebEngineBrowser::flushPendingSignals()
{
    if (m_busy > 0)
        return; // the end of the current wait hands them on
    const bool complete = std::exchange(m_completePending, false);
    const bool failure = std::exchange(m_failurePending, false);
    if (complete)
        Q_EMIT documentComplete(m_pendingUrl);
    if (failure)
        Q_EMIT navigationFailed(m_pendingUrl);
}

bool WebEngineBrowser::waitForLoad(int timeoutMs)
{
    if (m_loading) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(m_page, &QWebEnginePage::loadFinished, &loop, &QEventLoop::quit);
        timer.start(timeoutMs);
        while (m_loading && timer.isActive())
            loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return !m_loading && m_loadOk;
}

namespace {

// Starts an asynchronous engine request and waits for its answer in a local event loop that
// holds user input back, at most timeoutMs. Nothing when the answer did not come in time; a late
// answer then finds the loop gone and is dropped.
template <typename T, typename Start>
std::optional<T> awaitAnswer(int timeoutMs, Start start)
{
    struct Answer {
        bool done = false;
        T value{};
        QPointer<QEventLoop> loop;
    };
    auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    answer->loop = &loop;
    start([answer](T value) {
        answer->done = true;
        answer->value = std::move(value);
        if (answer->loop)
            answer->loop->quit();
    });
    if (!answer->done) {
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(timeoutMs);
        while (!answer->done && timer.isActive())
            loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    answer->loop = nullptr;
    if (!answer->done)
        return std::nullopt;
    return answer->value;
}

} // namespace

std::optional<QVariant> WebEngineBrowser::evaluate(const QString &code, int timeoutMs)
{
    return awaitAnswer<QVariant>(timeoutMs, [&](auto reply) {
        m_page->runJavaScript(code, QWebEngineScript::ApplicationWorld, [reply](const QVariant &value) { reply(value); });
    });
}

std::optional<QVariant> WebEngineBrowser::call(quint64 &generation, const QString &op, const QVariantList &args)
{
    if (m_busy > 0 || !m_page) {
        qCDebug(lcEngine, "%s: refused, %s", qPrintable(op), m_page ? "another call is waiting" : "no page");
        return std::nullopt;
    }
    BusyScope busy(this);
    m_lastCallTimedOut = false;
    if (!waitForLoad(m_callTimeoutMs)) {
        qCWarning(lcEngine, "%s: the page did not finish loading in %d ms", qPrintable(op), m_callTimeoutMs);
        m_lastCallTimedOut = true;
        return std::nullopt;
    }
    const quint64 asked = m_generation;
    if (generation != 0 && generation != asked) {
        qCDebug(lcEngine, "%s: the handle belongs to an earlier page", qPrintable(op));
        return std::nullopt;
    }
    const QString code = QStringLiteral("(function (a) { var d = window.__korvelDesigner;"
                                        " return d ? d.call(a[0], a[1]) : null; })(")
                       + jsonArgument(op, args) + QStringLiteral(")");
    const std::optional<QVariant> result = evaluate(code, m_callTimeoutMs);
    if (!result) {
        qCWarning(lcEngine, "%s: no answer within %d ms", qPrintable(op), m_callTimeoutMs);
        m_lastCallTimedOut = true;
        return std::nullopt;
    }
    if (m_generation != asked || m_loading) {
        qCDebug(lcEngine, "%s: another page was loaded meanwhile", qPrintable(op));
        return std::nullopt;
    }
    const QVariantMap answer = result->toMap();
    if (!answer.value(QStringLiteral("ok")).toBool()) {
        const QString error = answer.value(QStringLiteral("error")).toString();
        qCWarning(lcEngine, "%s: %s", qPrintable(op), error.isEmpty() ? "the designer script is not there" : qPrintable(error));
        return std::nullopt;
    }
    generation = asked;
    return answer.value(QStringLiteral("value"));
}

bool WebEngineBrowser::pageAction(int action)
{
    if (m_busy > 0 || !hasDocument())
        return false;
    // The engine edits in the frame that has the focus; a command from a menu or a tool bar
    // must reach the page all the same.
    if (QWebEngineView *shown = view(); shown && !shown->hasFocus())
        shown->setFocus(Qt::OtherFocusReason);
    m_page->triggerAction(static_cast<QWebEnginePage::WebAction>(action));
    return true;
}

bool WebEngineBrowser::runCommand(const QString &command, bool showUserInterface, const QVariant &value)
{
    const QString name = command.toLower();
    // Editing the clipboard and the undo history are the page's own actions.
    if (name == QLatin1String("undo"))
        return pageAction(QWebEnginePage::Undo);
    if (name == QLatin1String("redo"))
        return pageAction(QWebEnginePage::Redo);
    if (name == QLatin1String("cut"))
        return pageAction(QWebEnginePage::Cut);
    if (name == QLatin1String("copy"))
        return pageAction(QWebEnginePage::Copy);
    if (name == QLatin1String("paste"))
        return pageAction(QWebEnginePage::Paste);
    if (name == QLatin1String("selectall"))
        return pageAction(QWebEnginePage::SelectAll);
    // Absolute positioning by dragging has no counterpart here: the command is taken without
    // asking the page, which may still be busy drawing itself after a change of design mode.
    if (name == QLatin1String("2d-position"))
        return m_busy == 0 && hasDocument() && waitUntilReady(m_callTimeoutMs);
    if (name == QLatin1String("print")) {
        if (m_busy > 0 || !m_prompter || !hasDocument())
            return false;
        QPrinter printer;
        if (!m_prompter->choosePrinter(printer))
            return false;
        return print(printer);
    }

    QVariant argument = value;
    if (showUserInterface && (name == QLatin1String("createlink") || name == QLatin1String("insertimage"))) {
        if (m_busy > 0 || !m_prompter || !hasDocument())
            return false;
        const bool link = name == QLatin1String("createlink");
        const QString initial = value.typeId() == QMetaType::QString ? value.toString()
                                : link                               ? QStringLiteral("http://")
                                                                     : QString();
        const std::optional<QString> answer =
            m_prompter->input(link ? QStringLiteral("Hyperlink") : QStringLiteral("Image"),
                              link ? QStringLiteral("URL:") : QStringLiteral("Picture source:"), initial);
        if (!answer || answer->trimmed().isEmpty())
            return false;
        argument = *answer;
    }
    quint64 generation = 0;
    return call(generation, QStringLiteral("execCommand"), {0, command, argument}).has_value();
}

bool WebEngineBrowser::Navigate(const QString &address)
{
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty() || !m_page)
        return false;
    QUrl url;
    const QFileInfo file(trimmed);
    if (file.isAbsolute() && file.exists())
        url = QUrl::fromLocalFile(file.absoluteFilePath());
    else
        url = QUrl::fromUserInput(trimmed, QDir::currentPath(), QUrl::AssumeLocalFile);
    if (!url.isValid() || url.isEmpty())
        return false;
    expectLoad();
    m_page->load(url);
    return true;
}

bool WebEngineBrowser::GoBack()
{
    if (!m_page || !m_page->history()->canGoBack())
        return false;
    expectLoad();
    m_page->triggerAction(QWebEnginePage::Back);
    return true;
}

bool WebEngineBrowser::GoForward()
{
    if (!m_page || !m_page->history()->canGoForward())
        return false;
    expectLoad();
    m_page->triggerAction(QWebEnginePage::Forward);
    return true;
}

bool WebEngineBrowser::Refresh()
{
    if (!m_page || m_page->url().isEmpty())
        return false;
    expectLoad();
    m_page->triggerAction(QWebEnginePage::Reload);
    return true;
}

bool WebEngineBrowser::ExecWB(int command, int)
{
    switch (command) {
    case 17:
        return pageAction(QWebEnginePage::SelectAll);
    case 12:
        return pageAction(QWebEnginePage::Copy);
    default:
        return false;
    }
}

std::optional<int> WebEngineBrowser::findText(const QString &text, bool matchCase, bool backward)
{
    if (m_busy > 0 || !hasDocument() || text.isEmpty())
        return std::nullopt;
    BusyScope busy(this);
    if (!waitForLoad(m_callTimeoutMs))
        return std::nullopt;
    QWebEnginePage::FindFlags flags;
    if (matchCase)
        flags |= QWebEnginePage::FindCaseSensitively;
    if (backward)
        flags |= QWebEnginePage::FindBackward;
    return awaitAnswer<int>(m_callTimeoutMs, [&](auto reply) {
        m_page->findText(text, flags,
                         [reply](const QWebEngineFindTextResult &result) { reply(result.numberOfMatches()); });
    });
}

void WebEngineBrowser::stopFinding()
{
    // An empty search text ends the engine's search and keeps its last match as the selection.
    if (m_page)
        m_page->findText(QString());
}

bool WebEngineBrowser::hasDocument() const
{
    return m_page && (m_loading || m_loadOk);
}

QString WebEngineBrowser::LocationName() const
{
    if (!m_page)
        return QString();
    const QUrl url = m_page->url();
    if (url.isLocalFile())
        return QFileInfo(url.toLocalFile()).fileName();
    const QString title = m_page->title();
    return title.isEmpty() ? url.toString() : title;
}

QString WebEngineBrowser::LocationURL() const
{
    return m_page ? m_page->url().toString() : QString();
}

int WebEngineBrowser::ReadyState() const
{
    if (m_loading)
        return 1;
    return m_loadOk ? 4 : 0;
}

bool WebEngineBrowser::waitUntilReady(int timeoutMs)
{
    if (m_busy > 0)
        return !m_loading && m_loadOk;
    BusyScope busy(this);
    return waitForLoad(timeoutMs);
}

bool WebEngineBrowser::setDesignMode(bool on)
{
    if (m_busy > 0 || !hasDocument())
        return false;
    m_lastCallTimedOut = false;
    if (on) {
        // A load that ended while a call waited is handed on first, as the event loop would have
        // a moment later: what its completion learns of the page (that nothing in its source can
        // run a script) decides whether the page must be loaded again.
        flushPendingSignals();
        setPageScripts(false);
        // Scripts that ran while the page loaded may have changed it; the page is loaded again
        // without them, so that what is edited (and later saved) is the page as written.
        if (m_scriptsRanInDocument || m_loading) {
            expectLoad();
            m_page->triggerAction(QWebEnginePage::ReloadAndBypassCache);
            if (!waitUntilReady(qMax(m_callTimeoutMs, 10000))) {
                // A load still going on is a time-out, which the caller reports.
                m_lastCallTimedOut = m_loading;
                return false;
            }
        }
    }
    quint64 generation = 0;
    if (!call(generation, QStringLiteral("setDesignMode"), {0, on}))
        return false;
    m_designMode = on;
    if (!on)
        setPageScripts(true);
    return true;
}

double WebEngineBrowser::zoomFactor() const
{
    return view() ? m_view->zoomFactor() : 1.0;
}

bool WebEngineBrowser::setZoomFactor(double factor)
{
    // The range the engine accepts.
    if (!view() || factor < 0.25 || factor > 5.0)
        return false;
    m_view->setZoomFactor(factor);
    return true;
}

bool WebEngineBrowser::print(QPrinter &printer)
{
    if (!view() || m_busy > 0 || !hasDocument())
        return false;
    BusyScope busy(this);
    if (!waitForLoad(m_callTimeoutMs))
        return false;
    auto result = std::make_shared<std::optional<bool>>();
    QEventLoop loop;
    QMetaObject::Connection finished = connect(m_view, &QWebEngineView::printFinished, &loop,
                                               [result, &loop](bool ok) {
                                                   *result = ok;
                                                   loop.quit();
                                               });
    m_view->print(&printer);
    if (!result->has_value()) {
        QTimer timer;
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(qMax(m_callTimeoutMs, 60000));
        while (!result->has_value() && timer.isActive())
            loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    disconnect(finished);
    return result->value_or(false);
}

} // namespace korvel
