#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QPrinter;

namespace korvel {

class CommandContext;
struct FileFormat;

// The File menu and the clipboard commands of the Edit menu.
class FileCommands final {
public:
    explicit FileCommands(CommandContext &context) : m_ctx(context) {}

    void connectActions();

    // Commands
    void FileNew(const QString &framesetText = {}, bool fromFrameset = false);
    void FileOpen();
    void FileSave();
    void FileSaveAs();
    void SaveAnsiTextExport();
    void SaveUtf8Export();
    void DeleteBackupFiles();
    void Print();
    void FileExit();
    void Undo();
    void Cut();
    void Copy();
    void Paste();

    // Operations used by other commands
    // The source side of Save: writes the editor's text to FileName, or says why it could not.
    void SaveSourceText();
    bool OpenDocumentFile(const QString &path);
    // Asks whether to save unsaved changes; false when the person cancelled, or chose to save
    // and the save did not happen: the caller must not go on and drop the text.
    [[nodiscard]] bool AskSaveChanges();
    bool SaveAnsiText(const QString &path);

    // The text put into the editor by File New.
    static QString newDocumentTemplate(const QString &charset);

    // Prints lines at the left edge, one below the other, starting a new page when the next
    // line would pass the page height. Returns the number of pages.
    static int printLines(QPrinter &printer, const QStringList &lines);

private:
    enum class SaveResult { Saved, Failed, Cancelled };
    // Writes the editor's text in the document's format; asks first when Windows-1252
    // cannot hold the text.
    // The bytes written go to *written, when given.
    SaveResult saveEditorTo(const QString &path, QByteArray *written = nullptr);

    CommandContext &m_ctx;
    QString m_exportFolder;
    QString m_exportName;
};

} // namespace korvel
