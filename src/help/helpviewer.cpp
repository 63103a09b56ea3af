#include "help/helpviewer.h"

#include <QAction>
#include <QFile>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace korvel {

HelpViewer::HelpViewer(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpViewer"));
    resize(720, 560);

    auto *tools = new QToolBar(this);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(false);

    QAction *back = tools->addAction(QStringLiteral("◀"));
    back->setObjectName(QStringLiteral("HelpBack"));
    QAction *forward = tools->addAction(QStringLiteral("▶"));
    forward->setObjectName(QStringLiteral("HelpForward"));
    QAction *contents = tools->addAction(QStringLiteral("☰"));
    contents->setObjectName(QStringLiteral("HelpContents"));
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    back->setEnabled(false);
    forward->setEnabled(false);
    // The contents page of the language the current page is written in.
    connect(contents, &QAction::triggered, this, [this] {
        const bool english = m_browser->source().path().contains(QStringLiteral("/en/"));
        showContext(0, english ? 1 : 0);
    });
    connect(m_browser, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(m_browser->documentTitle()); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(m_browser);
}

QString HelpViewer::pagePath(int context, int uiLanguage)
{
    const QString language = uiLanguage != 0 ? QStringLiteral("en") : QStringLiteral("de");
    const QString page = context == 0 ? QStringLiteral("index") : QString::number(context);
    return QStringLiteral(":/help/%1/%2.html").arg(language, page);
}

bool HelpViewer::showContext(int context, int uiLanguage)
{
    const QString path = pagePath(context, uiLanguage);
    if (!QFile::exists(path))
        return false;
    m_browser->setSource(QUrl(QStringLiteral("qrc") + path));
    show();
    raise();
    activateWindow();
    return true;
}

} // namespace korvel
