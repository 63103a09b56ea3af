#pragma once

#include "app/recovery.h"

#include <QObject>

class QTimer;

namespace korvel {

class CommandContext;

// Keeps the editor's unsaved edits in a recovery file once typing has paused for a moment, drops
// it when the edits are saved or the window ends normally, and offers at start-up the edits an
// editor left behind when it crashed.
class RecoveryKeeper final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RecoveryKeeper)

public:
    // How long the text must rest after an edit before it is written, in milliseconds.
    static constexpr int kIdleMilliseconds = 3000;

    // Follows the context's editor; a child of `parent`.
    RecoveryKeeper(CommandContext &context, QObject *parent);
    ~RecoveryKeeper() override;

    void setIdleInterval(int milliseconds);
    // Writes the recovery file now when there are unsaved edits, and drops it when there are none.
    void keepNow();
    // The recovery file this editor keeps; empty when it keeps none.
    QString recoveryFile() const { return m_store.path(); }

    // Asks about the edits left by an editor that did not close, newest first, and puts the
    // first the person takes into the editor. Those declined are removed; those not asked
    // about wait for the next start.
    void offerRecovery();

private:
    CommandContext &m_ctx;
    QTimer *m_idle = nullptr;
    RecoveryStore m_store;
};

} // namespace korvel
