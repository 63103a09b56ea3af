#include "app/recentfiles.h"

#include "app/commandcontext.h"
#include "app/editordocument.h"
#include "app/filecommands.h"
#include "app/startoptions.h"
#include "prompt/prompter.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSaveFile>

namespace korvel {

namespace {

bool storable(const QString &path)
{
    return !path.trimmed().isEmpty() && !path.contains(QStringLiteral("://")) && !path.contains(QLatin1Char('\n'))
        && !path.contains(QLatin1Char('\r')) && QDir::isAbsolutePath(path);
}

// A menu caption for the n-th entry: its number as the Alt letter, the home folder as "~".
QString entryCaption(int index, const QString &path)
{
    QString shown = path;
    const QString home = QDir::homePath();
    if (!home.isEmpty() && home != QStringLiteral("/") && shown.startsWith(home + QLatin1Char('/')))
        shown = QLatin1Char('~') + shown.mid(home.size());
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 ").arg((index + 1) % 10) + shown;
}

} // namespace

QStringList withRecentFile(const QStringList &list, const QString &path, int limit)
{
    if (!storable(path))
        return list;
    QStringList out{path};
    for (const QString &entry : list) {
        if (out.size() >= limit)
            break;
        if (entry != path)
            out << entry;
    }
    return out;
}

QByteArray recentFilesBytes(const QStringList &list)
{
    QByteArray bytes;
    for (const QString &path : list)
        bytes += path.toUtf8() + '\n';
    return bytes;
}

QStringList recentFilesFromBytes(const QByteArray &bytes)
{
    QStringList list;
    for (const QByteArray &line : bytes.split('\n')) {
        const QString path = QString::fromUtf8(line).trimmed();
        if (storable(path) && !list.contains(path) && list.size() < 10)
            list << path;
    }
    return list;
}

QString recentFilesPath(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("recentfiles.txt"));
}

RecentFiles::RecentFiles(CommandContext &context, QMenu *fileMenu, QObject *parent)
    : QObject(parent), m_ctx(context)
{
    m_menu = new QMenu(fileMenu);
    m_menu->setObjectName(QStringLiteral("RecentFilesMenu"));
    // Beside Open, where the person looks for it.
    const QList<QAction *> items = fileMenu->actions();
    fileMenu->insertMenu(items.size() > 2 ? items.at(2) : nullptr, m_menu);
    retranslate();
}

void RecentFiles::load()
{
    QFile file(recentFilesPath(m_ctx.dataFolder()));
    m_files = file.open(QIODevice::ReadOnly) ? recentFilesFromBytes(file.readAll()) : QStringList();
    m_loaded = true;
    rebuild();
}

void RecentFiles::remember(const QString &path)
{
    if (!m_loaded)
        return;
    const QStringList updated = withRecentFile(m_files, path);
    if (updated == m_files)
        return;
    m_files = updated;
    store();
    rebuild();
}

void RecentFiles::retranslate()
{
    const bool german = m_ctx.state().UiLanguage == 0;
    m_menu->setTitle(german ? QStringLiteral("Zuletzt geöffnet") : QStringLiteral("Recent files"));
    m_menu->menuAction()->setProperty("korvelPlainCaption", m_menu->title());
    rebuild();
}

void RecentFiles::open(const QString &path)
{
    const StartFileProblem problem = startFileProblem(path);
    if (problem != StartFileProblem::None) {
        m_files.removeAll(path);
        store();
        rebuild();
        m_ctx.prompter().error(m_ctx.line(Msg::CannotOpenFile) + path + QLatin1Char('\n')
                               + startFileReason(problem, m_ctx.state().UiLanguage));
        return;
    }
    // As File Open does: unsaved changes are asked about first, and Cancel keeps the text.
    if (!m_ctx.fileCommands().AskSaveChanges())
        return;
    if (!m_ctx.onPage(Page::Source))
        m_ctx.setActivePage(int(Page::Source));
    if (m_ctx.onPage(Page::Source))
        m_ctx.fileCommands().OpenDocumentFile(path);
}

void RecentFiles::rebuild()
{
    m_menu->clear();
    const bool german = m_ctx.state().UiLanguage == 0;
    for (int i = 0; i < m_files.size(); ++i) {
        const QString path = m_files.at(i);
        QAction *a = m_menu->addAction(entryCaption(i, path));
        a->setStatusTip(path);
        connect(a, &QAction::triggered, this, [this, path] { open(path); });
    }
    if (!m_files.isEmpty())
        m_menu->addSeparator();
    QAction *clear = m_menu->addAction(german ? QStringLiteral("Liste &leeren") : QStringLiteral("&Clear list"));
    clear->setObjectName(QStringLiteral("RecentFilesClear"));
    clear->setEnabled(!m_files.isEmpty());
    connect(clear, &QAction::triggered, this, [this] {
        m_files.clear();
        store();
        rebuild();
    });
}

void RecentFiles::store()
{
    // Written whole or not at all, like the settings file beside it.
    QSaveFile file(recentFilesPath(m_ctx.dataFolder()));
    if (!file.open(QIODevice::WriteOnly) || file.write(recentFilesBytes(m_files)) < 0 || !file.commit())
        qWarning("the list of recent files could not be written");
}

} // namespace korvel
