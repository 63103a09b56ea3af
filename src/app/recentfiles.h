#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QMenu;

namespace korvel {

class CommandContext;

// The list of recently used files, newest first: `path` moves to the front, a name without a
// file (empty, an online address, or one holding a line break) leaves the list as it is, and
// at most `limit` names stay.
QStringList withRecentFile(const QStringList &list, const QString &path, int limit = 10);
// The list file's contents, one name a line in UTF-8, and back; blank lines are dropped.
QByteArray recentFilesBytes(const QStringList &list);
QStringList recentFilesFromBytes(const QByteArray &bytes);
// The list file beside the settings file.
QString recentFilesPath(const QString &dataFolder);

// The File menu's "Recent files" submenu: the last ten documents, kept in the data folder.
// Choosing one opens it as File Open would; one that is gone is named and dropped.
class RecentFiles final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RecentFiles)

public:
    RecentFiles(CommandContext &context, QMenu *fileMenu, QObject *parent = nullptr);

    // Reads the list once the data folder is known.
    void load();
    // A document was opened or saved under this name.
    void remember(const QString &path);
    void retranslate();
    QStringList files() const { return m_files; }
    QMenu *menu() const { return m_menu; }
    void open(const QString &path);

private:
    void rebuild();
    void store();

    CommandContext &m_ctx;
    QMenu *m_menu = nullptr;
    QStringList m_files;
    bool m_loaded = false;
};

} // namespace korvel
