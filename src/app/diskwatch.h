#pragma once

#include "app/diskstamp.h"

#include <QObject>

namespace korvel {

class CommandContext;

// Before a save writes the document's file: true to go on, when the file did not change since
// it was read or written, or when the person chose to overwrite the change.
[[nodiscard]] bool mayOverwriteOnDisk(CommandContext &context);

// Watches the open file for changes made by other programs: a save asks before it overwrites
// such a change, and when the window becomes active again it offers to reload the file. The
// document's stamp is kept in EditorDocument by the file commands that read and write it.
class DiskWatch final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DiskWatch)

public:
    // Watches the context's window for activation; a child of `parent`.
    DiskWatch(CommandContext &context, QObject *parent);

    // Offers to reload the file when another program changed it; asks once for each change.
    void checkForOutsideChange();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CommandContext &m_ctx;
    DiskStamp m_declined;  // the change the person chose not to reload
    bool m_asking = false;  // a question is open: activation events it causes do not ask again
};

} // namespace korvel
