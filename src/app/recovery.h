#pragma once

#include "app/filecodec.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QLockFile;

namespace korvel {

// Unsaved edits kept in the data folder, so that a crash loses at most the last few seconds of
// work. Each running editor writes its own recovery file and holds a lock beside it while it
// runs; a recovery file whose lock nobody holds was left behind by an editor that ended without
// closing.
struct RecoveryRecord {
    QString fileName;  // the document's file; empty for a document never saved
    FileFormat format;
    QStringList lines;
    bool operator==(const RecoveryRecord &) const = default;
};

QByteArray recoveryFileBytes(const RecoveryRecord &record);
// Nothing when the bytes are not a recovery file (another file, or one cut off).
std::optional<RecoveryRecord> parseRecoveryFile(const QByteArray &bytes);

// The recovery files in the data folder whose editor is no longer running, newest first.
QStringList orphanedRecoveryFiles(const QString &dataFolder);
// Removes a recovery file and its lock.
void removeRecoveryFile(const QString &path);

// One editor's recovery file: written whole or not at all, removed on discard and when the
// store goes away with a clean end of the program.
class RecoveryStore final {
    Q_DISABLE_COPY_MOVE(RecoveryStore)

public:
    RecoveryStore();
    ~RecoveryStore();

    // Writes the record into the data folder; false when it could not be written.
    bool write(const QString &dataFolder, const RecoveryRecord &record);
    void discard();
    // The file written last; empty when there is none.
    QString path() const { return m_written ? m_path : QString(); }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_written = false;
};

} // namespace korvel
