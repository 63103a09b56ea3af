#include "app/filecommands.h"

#include "app/documentfile.h"
#include "app/diskwatch.h"
#include "app/commandcontext.h"
#include "app/commandids.h"
#include "app/commandregistry.h"
#include "app/filecodec.h"
#include "app/catalogue.h"
#include "app/editordocument.h"
#include "app/mainstate.h"
#include "app/saveformat.h"
#include "editor/synmemo.h"
#include "textio/textlines.h"
#include "prompt/prompter.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QTabWidget>

namespace korvel {

namespace {

// "All" lists every file: a name without a dot does not match "*.*" here.
const QString kOpenFilter = QStringLiteral("All (*.*)|*|HTML|*.HTML;*.HTM;*.html;*.htm|TXT|*.TXT;*.txt|RTF|*.RTF;*.rtf");
const QString kSaveFilter = QStringLiteral("All (*.*)|*|HTML Files (*.HTM)|*.HTM;*HTML;*.htm;*html|Ascii Text (*.TXT)|*.TXT;*.txt");
const QString kBackupFilter = QStringLiteral("Backupfiles (*.bak)|*.bak;*.BAK");

Highlighter highlighterFor(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("css"))
        return Highlighter::Css;
    if (suffix == QStringLiteral("js"))
        return Highlighter::JavaScript;
    return Highlighter::Html;
}

bool isUntitled(const QString &name)
{
    return name.toLower() == QStringLiteral("untitled");
}

// The editor's line-end kinds (see SynMemo::setLineEndKinds) for the breaks of a file that mixes
// them: kind 0 for the document's own break, else the style's number plus one.
std::vector<int> lineEndKindsOf(const std::vector<LineBreakStyle> &breaks, LineBreakStyle own)
{
    std::vector<int> kinds;
    kinds.reserve(breaks.size());
    for (LineBreakStyle style : breaks)
        kinds.push_back(style == own ? 0 : int(style) + 1);
    return kinds;
}

// The break after each line but the last, as the editor's marks keep them; empty when no line
// is marked, so every break is the document's own.
std::vector<LineBreakStyle> lineBreaksOf(const std::vector<int> &kinds, LineBreakStyle own)
{
    std::vector<LineBreakStyle> breaks;
    if (kinds.empty())
        return breaks;
    breaks.reserve(kinds.size() - 1);
    for (size_t line = 0; line + 1 < kinds.size(); ++line)
        breaks.push_back(kinds[line] == 0 ? own : LineBreakStyle(kinds[line] - 1));
    return breaks;
}

// A file its owner has marked read-only is kept, as the user protected it on purpose.
bool removeUnlessReadOnly(const QString &path)
{
    if (!(QFile::permissions(path) & QFile::WriteOwner))
        return false;
    return QFile::remove(path);
}

} // namespace

void FileCommands::connectActions()
{
    CommandRegistry &commands = m_ctx.commands();
    commands.add(cmd::FileNew, {QStringLiteral("FileNewItem"), QStringLiteral("ToolButton1")}).handle([this] { FileNew(); });
    commands.add(cmd::FileOpen, {QStringLiteral("FileOpenItem"), QStringLiteral("OpenButton")}).handle([this] { FileOpen(); });
    commands.add(cmd::FileSave, {QStringLiteral("FileSaveItem"), QStringLiteral("SaveButton")}).handle([this] { FileSave(); });
    commands.add(cmd::FileSaveAs, {QStringLiteral("FileSaveAsItem")}).handle([this] { FileSaveAs(); });
    commands.add(cmd::SaveAnsiText, {QStringLiteral("ASCIITextspeichern1")}).handle([this] { SaveAnsiTextExport(); });
    commands.add(cmd::SaveUtf8, {QStringLiteral("Utf8speichern1")}).handle([this] { SaveUtf8Export(); });
    commands.add(cmd::DeleteBackups, {QStringLiteral("Deletebackupfiles1")}).handle([this] { DeleteBackupFiles(); });
    commands.add(cmd::Print, {QStringLiteral("FilePrintItem"), QStringLiteral("PrintButton"), QStringLiteral("Print1")})
        .handle([this] { Print(); });
    commands.add(cmd::Exit, {QStringLiteral("FileExitItem")}).handle([this] { FileExit(); });
    commands.add(cmd::Undo, {QStringLiteral("EditUndoItem"), QStringLiteral("UndoButton"), QStringLiteral("Rckgngig1")})
        .handle([this] { Undo(); });
    commands.add(cmd::Cut, {QStringLiteral("EditCutItem"), QStringLiteral("CutButton"), QStringLiteral("Ausschneiden1")})
        .handle([this] { Cut(); });
    commands.add(cmd::Copy, {QStringLiteral("EditCopyItem"), QStringLiteral("CopyButton"), QStringLiteral("Kopieren1"),
                             QStringLiteral("Kopieren2")})
        .handle([this] { Copy(); });
    commands.add(cmd::Paste, {QStringLiteral("EditPasteItem"), QStringLiteral("PasteButton"), QStringLiteral("Einfuegen1"),
                              QStringLiteral("Einfgen1")})
        .handle([this] { Paste(); });
}

QString FileCommands::newDocumentTemplate(const QString &charset)
{
    const QString cs = charset.trimmed().isEmpty() ? QStringLiteral("ISO-8859-1") : charset;
    const QStringList lines = {
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"),
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<meta http-equiv=\"content-type\" content=\"text/html; charset=") + cs + QStringLiteral("\">"),
        QStringLiteral("<meta name=\"generator\" content=\"Korvel\">"),
        QStringLiteral("<meta name=\"keywords\" content=\"MyKeyword1, MyKeyword2, MyKeyword3\">"),
        QStringLiteral("<title>Untitled</title>"),
        QStringLiteral("</head>"),
        QStringLiteral("<body background=\"background.jpg\" bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#FF9966\" vlink=\"#FF9900\" alink=\"#800080\">"),
        QString(),
        QStringLiteral("</body>"),
        QStringLiteral("</html>"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

void FileCommands::FileNew(const QString &framesetText, bool fromFrameset)
{
    SynMemo *editor = m_ctx.editor();
    EditorDocument &doc = m_ctx.document();
    m_ctx.commands().run(cmd::ForgetTextWindow);
    // The designer's page comes back into the source first; then unsaved work is asked
    // about, and Cancel keeps it.
    if (m_ctx.onPage(Page::Designer)) {
        m_ctx.commands().run(cmd::ShowBlankPage);
        m_ctx.setActivePage(int(Page::Source));
        if (m_ctx.onPage(Page::Designer))
            return;
    }
    if (!AskSaveChanges())
        return;
    editor->setHighlighter(Highlighter::Html);
    m_ctx.SetFileName(m_ctx.line(Msg::Untitled));
    doc.diskStamp = {};
    editor->clearAll();
    doc.format.lineBreak = LineBreakStyle::CrLf;
    if (fromFrameset) {
        editor->setText(framesetText);
        editor->setModified(true);
        return;
    }
    if (m_ctx.prompter().message(MessageKind::Confirmation, m_ctx.line(198), Buttons::YesNo) == Answer::Yes) {
        editor->setText(newDocumentTemplate(m_ctx.settings().DefaultCharset));
        editor->setModified(true);
    }
}

bool FileCommands::OpenDocumentFile(const QString &path)
{
    SynMemo *editor = m_ctx.editor();
    EditorDocument &doc = m_ctx.document();
    editor->setHighlighter(highlighterFor(path));
    EditorFile file = loadFileForEditor(path);
    if (!file.doc.ok) {
        m_ctx.prompter().error(m_ctx.line(Msg::CannotOpenFile) + path);
        return false;
    }
    if (const QString risk = openRiskQuestion(file.doc, path, m_ctx.catalogue());
        !risk.isEmpty() && m_ctx.prompter().message(MessageKind::Confirmation, risk, Buttons::YesNo) != Answer::Yes)
        return false;
    doc.writeOnlyEdits = file.doc.looksBinary || !file.doc.keepsEveryByte;
    editor->setUtf8Text(file.doc.utf8);
    file.doc.utf8 = {};  // the editor holds its own copy
    editor->setLineEndKinds(lineEndKindsOf(file.doc.lineBreaks, file.doc.format.lineBreak));
    editor->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    editor->setSelStart(0);
    doc.format = file.doc.format;
    m_ctx.SetFileName(path);
    doc.diskStamp = file.stamp;
    editor->setModified(false);
    m_ctx.StatusUpdate();
    if (doc.FileName != QStringLiteral("untitled") && !makeBackupCopy(path))
        return false;  // the file stays loaded; the calling command ends here
    return true;
}

void FileCommands::FileOpen()
{
    SynMemo *editor = m_ctx.editor();
    EditorDocument &doc = m_ctx.document();
    {
        if (editor->length() > 0 && editor->modified() && !AskSaveChanges()) {
            doc.SaveCancelled = false;
            return;
        }
        FileRequest request;
        request.filter = kOpenFilter;
        if (!editor->text().trimmed().isEmpty() && !isUntitled(doc.FileName) && !doc.FileName.isEmpty())
            request.folder = folderPart(doc.FileName);
        else
            request.folder = QDir::homePath();
        const QString path = m_ctx.prompter().openFileName(request);
        if (!path.isEmpty())
            OpenDocumentFile(path);
    }
    doc.SaveCancelled = false;
}

FileCommands::SaveResult FileCommands::saveEditorTo(const QString &path, QByteArray *written)
{
    EditorDocument &doc = m_ctx.document();
    const QByteArray utf8 = m_ctx.editor()->utf8Text();
    FileFormat format = doc.format;
    // The file is written from the editor's bytes; the charset question reads only their head.
    if (!settleDeclaredCharsetOfUtf8(utf8, format, m_ctx.prompter(), m_ctx.catalogue()))
        return SaveResult::Cancelled;
    // Only a file bound for Windows-1252 needs the text itself.
    if (format.encoding == TextEncoding::Ansi) {
        const QString text = withLineFeeds(editorText(utf8));  // the lines joined by LF
        if (!ansiCanHold(text)) {
            switch (m_ctx.prompter().message(MessageKind::Confirmation, m_ctx.catalogue().ansiLossQuestion(),
                                              Buttons::YesNoCancel)) {
            case Answer::Yes:
                format.encoding = TextEncoding::Utf8;
                break;
            case Answer::No:
                break;
            default:
                return SaveResult::Cancelled;
            }
        }
        if (format.encoding == TextEncoding::Ansi)
            format = formatThatLoadsBack(splitAtLineBreaks(text), format);
    }
    // A file that mixes line breaks is written line by line, each with its own break.
    const std::vector<LineBreakStyle> breaks = lineBreaksOf(m_ctx.editor()->lineEndKinds(), format.lineBreak);
    QByteArray bytes;
    if (breaks.empty()) {
        bytes = encodeEditorBytes(utf8, format);
    } else {
        const QStringList lines = splitAtLineBreaks(editorText(utf8));
        format = formatThatLoadsBack(lines, format);
        bytes = encodeDocument(lines, format, breaks);
    }
    if (!writeFileAtomically(path, bytes))
        return SaveResult::Failed;
    doc.format = format;
    if (written)
        *written = std::move(bytes);
    return SaveResult::Saved;
}

void FileCommands::FileSave()
{
    SynMemo *editor = m_ctx.editor();
    EditorDocument &doc = m_ctx.document();
    doc.SaveCancelled = false;
    if (editor->length() == 0)
        return;
    if (doc.FileName.isEmpty() || doc.FileName == m_ctx.line(Msg::Untitled)) {
        FileSaveAs();
        return;
    }
    SaveSourceText();
}

void FileCommands::SaveSourceText()
{
    SynMemo *editor = m_ctx.editor();
    EditorDocument &doc = m_ctx.document();
    if (doc.writeOnlyEdits && !editor->modified())
        return;  // nothing to write, and such a file is not rewritten on the way to the designer
    if (!mayOverwriteOnDisk(m_ctx))
        return;  // the other program's version stays; the editor keeps its text as modified
    QByteArray written;
    switch (saveEditorTo(doc.FileName, &written)) {
    case SaveResult::Saved:
        doc.diskStamp = stampOf(doc.FileName, written);
        editor->setModified(false);
        break;
    case SaveResult::Failed:
        m_ctx.prompter().error(m_ctx.line(Msg::CannotSaveFile) + doc.FileName);
        break;
    case SaveResult::Cancelled:
        break;
    }
}

void FileCommands::FileSaveAs()
{
    SynMemo *editor = m_ctx.editor();
    EditorDocument &doc = m_ctx.document();
    doc.SaveCancelled = false;

    FileRequest request;
    request.filter = kSaveFilter;
    request.folder = folderPart(doc.FileName);
    request.name = fileNamePart(doc.FileName);
    if (QAction *browser = m_ctx.commands().action(QStringLiteral("Browser1")))
        browser->setEnabled(false);
    const QString path = m_ctx.prompter().saveFileName(request);
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path)
        && m_ctx.prompter().message(MessageKind::Confirmation, m_ctx.line(Msg::OkToOverwrite) + fileNamePart(path),
                                     Buttons::OkCancel) != Answer::Ok)
        return;

    SaveResult result = SaveResult::Failed;
    if (path.right(3).toLower() == QStringLiteral("txt")) {
        const QStringList lines = editor->lines();
        bool asUtf8 = false;
        if (!ansiCanHold(lines.join(QLatin1Char('\n')))) {
            const Answer a = m_ctx.prompter().message(MessageKind::Confirmation,
                                                       m_ctx.catalogue().ansiLossQuestion(), Buttons::YesNoCancel);
            if (a != Answer::Yes && a != Answer::No)
                return;
            asUtf8 = a == Answer::Yes;
        }
        const QByteArray bytes = asUtf8
            ? encodeDocument(lines, {TextEncoding::Utf8, LineBreakStyle::CrLf}) + QByteArrayLiteral("\r\n")
            : ansiTextExport(lines);
        result = writeFileAtomically(path, bytes) ? SaveResult::Saved : SaveResult::Failed;
    } else {
        result = saveEditorTo(path);
    }
    if (result == SaveResult::Cancelled)
        return;
    if (result == SaveResult::Saved) {
        // The editor takes the file as written, so what it shows is what is on disk.
        const EditorFile file = loadFileForEditor(path);
        if (file.doc.ok) {
            m_ctx.SetFileName(path);
            doc.diskStamp = file.stamp;
            editor->clearAll();
            editor->setUtf8Text(file.doc.utf8);
            editor->setSelStart(0);
            doc.format = file.doc.format;
            doc.writeOnlyEdits = file.doc.looksBinary || !file.doc.keepsEveryByte;
            editor->setModified(false);
            return;
        }
    }
    m_ctx.prompter().error(m_ctx.line(Msg::CannotSaveFile) + path);
}

namespace {

QString exportTarget(CommandContext &form, QString &lastFolder, QString &lastName)
{
    const QString fileName = form.document().FileName;
    if (!fileName.trimmed().isEmpty() && !isUntitled(fileName)) {
        lastFolder = folderPart(fileName);
        lastName = fileNamePart(fileName);
    }
    FileRequest request;
    request.filter = kSaveFilter;
    request.folder = lastFolder;
    request.name = lastName;
    const QString path = form.prompter().saveFileName(request);
    if (!path.isEmpty()) {
        lastFolder = folderPart(path);
        lastName = fileNamePart(path);
    }
    return path;
}

} // namespace

bool FileCommands::SaveAnsiText(const QString &path)
{
    int replaced = 0;
    const QByteArray bytes = ansiTextExport(m_ctx.editor()->lines(), &replaced);
    if (!writeFileAtomically(path, bytes))
        return false;
    if (replaced > 0)
        m_ctx.prompter().information(m_ctx.catalogue().ansiReplacedReport(replaced));
    return true;
}

void FileCommands::SaveAnsiTextExport()
{
    if (m_ctx.editor()->text().trimmed().isEmpty())
        return;
    const QString path = exportTarget(m_ctx, m_exportFolder, m_exportName);
    if (!path.isEmpty() && !SaveAnsiText(path))
        m_ctx.prompter().error(m_ctx.line(Msg::CannotSaveFile) + path);
}

void FileCommands::SaveUtf8Export()
{
    if (m_ctx.editor()->text().trimmed().isEmpty())
        return;
    const QString path = exportTarget(m_ctx, m_exportFolder, m_exportName);
    if (!path.isEmpty() && !writeFileAtomically(path, utf8TextExport(m_ctx.editor()->lines())))
        m_ctx.prompter().error(m_ctx.line(Msg::CannotSaveFile) + path);
}

void FileCommands::DeleteBackupFiles()
{
    FileRequest request;
    request.filter = kBackupFilter;
    const QString chosen = m_ctx.prompter().openFileName(request);
    if (chosen.isEmpty())
        return;
    const Answer a = m_ctx.prompter().message(MessageKind::Confirmation, m_ctx.line(Msg::DeleteBackups), Buttons::YesNoAll);
    if (a == Answer::Yes) {
        removeUnlessReadOnly(chosen);
    } else if (a == Answer::All) {
        QDir folder = QFileInfo(chosen).absoluteDir();
        const QStringList names = folder.entryList({QStringLiteral("*.bak")},
                                                   QDir::Files | QDir::Hidden | QDir::System);
        int deleted = 0;
        for (const QString &name : names) {
            if (removeUnlessReadOnly(folder.filePath(name)))
                ++deleted;
        }
        m_ctx.prompter().information(QString::number(deleted) + m_ctx.line(Msg::FilesDeleted));
    }
}

int FileCommands::printLines(QPrinter &printer, const QStringList &lines)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    const int lineHeight = qAbs(painter.fontMetrics().boundingRect(QStringLiteral("I")).height());
    const int pageHeight = painter.viewport().height();
    const int step = qMax(1, lineHeight);
    int pages = 1;
    int y = 0;
    for (const QString &text : lines) {
        // A line that would not fit whole goes to the next page instead of being cut at the
        // bottom; the page is started only when a line is there to go on it, so a job never
        // ends with an empty sheet.
        if (y > 0 && y + step > pageHeight) {
            printer.newPage();
            ++pages;
            y = 0;
        }
        painter.drawText(0, y + painter.fontMetrics().ascent(), text);
        y += step;
    }
    painter.end();
    return pages;
}

void FileCommands::Print()
{
    QPrinter printer;
    if (!m_ctx.prompter().choosePrinter(printer))
        return;
    printLines(printer, m_ctx.editor()->lines());
}

void FileCommands::FileExit()
{
    m_ctx.commands().run(cmd::PullDesignerPage);
    if (!AskSaveChanges())
        return;
    m_ctx.state().closeAsked = true;
    if (!m_ctx.closeWindow())
        m_ctx.state().closeAsked = false;
}

void FileCommands::Undo()
{
    m_ctx.editor()->undo();
}

void FileCommands::Cut()
{
    m_ctx.editor()->cut();
}

void FileCommands::Copy()
{
    m_ctx.editor()->copy();
}

void FileCommands::Paste()
{
    m_ctx.editor()->paste();
}

bool FileCommands::AskSaveChanges()
{
    SynMemo *editor = m_ctx.editor();
    EditorDocument &doc = m_ctx.document();
    doc.SaveCancelled = false;
    if (m_ctx.onPage(Page::Source) && (!editor->modified() || editor->text().trimmed().isEmpty()))
        return true;
    QString name = fileNamePart(doc.FileName).trimmed();
    if (name.isEmpty())
        name = QStringLiteral("untitled.html");
    switch (m_ctx.prompter().message(MessageKind::Confirmation, m_ctx.line(Msg::SaveChangesTo) + name, Buttons::YesNoCancel)) {
    case Answer::Yes:
        m_ctx.commands().run(cmd::FileSave);
        // A save that did not happen (dialog cancelled, write failed) must not let the
        // caller go on and drop the text.
        doc.SaveCancelled = editor->modified();
        break;
    case Answer::No:
        doc.SaveCancelled = false;
        break;
    default:
        doc.SaveCancelled = true;
        break;
    }
    return !doc.SaveCancelled;
}

} // namespace korvel
