#include "app/recoverykeeper.h"
#include "app/catalogue.h"
#include "app/commandcontext.h"
#include "app/editordocument.h"
#include "editor/synmemo.h"
#include "prompt/prompter.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace korvel {

namespace {

std::optional<RecoveryRecord> readRecord(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parseRecoveryFile(file.readAll());
}

} // namespace

RecoveryKeeper::RecoveryKeeper(CommandContext &context, QObject *parent)
    : QObject(parent)
    , m_ctx(context)
    , m_idle(new QTimer(this))
{
    m_idle->setSingleShot(true);
    m_idle->setInterval(kIdleMilliseconds);
    connect(m_idle, &QTimer::timeout, this, &RecoveryKeeper::keepNow);
    if (SynMemo *editor = m_ctx.editor()) {
        // Each edit restarts the wait, so the file is written when typing pauses.
        connect(editor, &QsciScintilla::textChanged, m_idle, qOverload<>(&QTimer::start));
        // A save sets the save point: the edits are on disk, the recovery file goes.
        connect(editor, &QsciScintilla::modificationChanged, this, [this](bool modified) {
            if (!modified) {
                m_idle->stop();
                m_store.discard();
            }
        });
    }
}

// The window ends normally (closed, the program quitting): whatever was not saved was given up.
RecoveryKeeper::~RecoveryKeeper() = default;

void RecoveryKeeper::setIdleInterval(int milliseconds)
{
    m_idle->setInterval(milliseconds);
}

void RecoveryKeeper::keepNow()
{
    m_idle->stop();
    SynMemo *editor = m_ctx.editor();
    if (!editor || !editor->modified()) {
        m_store.discard();
        return;
    }
    const EditorDocument &doc = m_ctx.document();
    RecoveryRecord record;
    record.fileName = doc.FileName == m_ctx.line(Msg::Untitled) ? QString() : doc.FileName;
    record.format = doc.format;
    record.lines = editor->lines();
    m_store.write(m_ctx.dataFolder(), record);
}

void RecoveryKeeper::offerRecovery()
{
    for (const QString &path : orphanedRecoveryFiles(m_ctx.dataFolder())) {
        const std::optional<RecoveryRecord> record = readRecord(path);
        if (!record) {
            removeRecoveryFile(path);
            continue;
        }
        const QString name = record->fileName.isEmpty() ? m_ctx.line(Msg::Untitled) : record->fileName;
        const Answer answer = m_ctx.prompter().message(MessageKind::Confirmation,
                                                       m_ctx.catalogue().recoveryQuestion(name), Buttons::YesNo);
        if (answer != Answer::Yes) {
            removeRecoveryFile(path);
            continue;
        }
        SynMemo *editor = m_ctx.editor();
        EditorDocument &doc = m_ctx.document();
        editor->clearAll();
        editor->setLines(record->lines);
        editor->setSelStart(0);
        doc.format = record->format;
        doc.writeOnlyEdits = false;
        m_ctx.SetFileName(name);
        // The file as it is now is what a save of the recovered text will replace.
        doc.diskStamp = record->fileName.isEmpty() ? DiskStamp{} : stampOf(record->fileName);
        editor->setModified(true);
        m_ctx.StatusUpdate();
        // Kept as this editor's own edits from now on.
        keepNow();
        removeRecoveryFile(path);
        return;
    }
}

} // namespace korvel
