#include "designer/designerpagechange.h"

#include "app/busyindicator.h"
#include "app/commandids.h"
#include "app/commandregistry.h"
#include "app/declaredcharset.h"
#include "app/documentfile.h"
#include "app/editordocument.h"
#include "app/catalogue.h"
#include "app/filecommands.h"
#include "designer/designercontext.h"
#include "designer/designersourcetools.h"
#include "designer/engine.h"
#include "designer/pagescripts.h"
#include "designer/pulledpage.h"
#include "designer/sourcesplice.h"
#include "designer/webenginebrowser.h"
#include "editor/synmemo.h"
#include "prompt/prompter.h"
#include "source/texthelpers.h"

#include <QFileInfo>
#include <QSignalBlocker>
#include <QTabWidget>

namespace korvel {

namespace {

QTabWidget *pageControl(CommandContext &shell)
{
    return shell.window()->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
}

// The characters a page's file holds as they are: those of its encoding that its declared
// charset reads the same.
CharacterRepertoire RepertoireOf(const QString &text, TextEncoding encoding)
{
    CharacterRepertoire repertoire =
        encoding == TextEncoding::Ansi ? CharacterRepertoire::Windows1252 : CharacterRepertoire::Unicode;
    switch (declaredCharset(text).kind) {
    case CharsetKind::None:
    case CharsetKind::Utf8:
        break;
    case CharsetKind::Windows1252:
        repertoire = CharacterRepertoire::Windows1252;
        break;
    case CharsetKind::Other:
        repertoire = CharacterRepertoire::Ascii;
        break;
    }
    return repertoire;
}

} // namespace

void DesignerPageChange::pageChanged(int page)
{
    if (m_changingPage || page == m_page)
        return;
    const int leaving = m_page;
    QTabWidget *pages = pageControl(m_ctx.shell);
    m_changingPage = true;
    // The leaving step sees the page it leaves, as the commands it runs expect.
    {
        const QSignalBlocker block(pages);
        pages->setCurrentIndex(leaving);
    }
    m_ctx.shell.document().activeView = leaving;
    const bool allowed = PageControl1Changing(leaving);
    if (allowed) {
        const QSignalBlocker block(pages);
        pages->setCurrentIndex(page);
        m_ctx.shell.document().activeView = page;
        m_page = page;
    }
    m_changingPage = false;
    m_ctx.commands().refresh();
    if (allowed)
        PageControl1Change(page);
}

bool DesignerPageChange::PageControl1Changing(int leavingPage)
{
    CommandContext &shell = m_ctx.shell;
    EditorDocument &document = shell.document();
    document.SaveCancelled = false;
    if (leavingPage == int(Page::Source)) {
        if (!document.FileName.isEmpty() && document.FileName != m_ctx.line(Msg::Untitled)) {
            // A save that did not happen keeps the source page: the designer would show the
            // old file and its page would later replace the unsaved text.
            shell.fileCommands().FileSave();
            if (!shell.editor()->text().isEmpty() && shell.editor()->modified())
                document.SaveCancelled = true;
        } else {
            document.SaveCancelled = !shell.fileCommands().AskSaveChanges();
        }
    } else if (m_ctx.documentLoaded() && !m_ctx.onlineLocation()) {
        const BusyIndicator busy;  // the pull of a large page takes a moment
        const auto page = m_ctx.browser.Document();
        const QString designMode = page ? page->designMode().value_or(QString()) : QString();
        if (IsEditableFileType(m_ctx.browser.LocationName())) {
            CaptureDesignerSelection();
            if (designMode == QLatin1String("On")) {
                // A saved text the pull leaves as it is is the document's file already.
                const bool saved = !shell.editor()->modified();
                const QString before = saved ? shell.editor()->text() : QString();
                PullDesignerDocument();
                const bool unchanged = saved && shell.editor()->text() == before;
                // The engine's file gets the page as taken back.
                const QString enginePath = LocalPathOfLocation(m_ctx.browser.LocationURL());
                if (!enginePath.isEmpty() && !(unchanged && SameFile(enginePath, document.FileName)))
                    m_ctx.writeEditorTextTo(enginePath);
                if (IsFramesetDocument(shell.editor()->text()))
                    shell.editor()->setText(FramesetSourceText(shell.editor()->text()));
                ToggleDesignMode();
            }
        }
    }
    return !document.SaveCancelled;
}

void DesignerPageChange::PageControl1Change(int enteredPage)
{
    CommandRegistry &commands = m_ctx.commands();
    DesignerState &state = m_ctx.state;
    if (enteredPage == int(Page::Source)) {
        // These wait for the next document the designer shows.
        for (const char *id : {cmd::PrintPreview, cmd::ZoomIn, cmd::ZoomOut})
            commands.setEnabled(id, false);
        if (!m_ctx.onlineLocation())
            PlaceSourceSelection();
        state.Selection.LastElementText.clear();
        m_sourceTools.sourcePageEntered();
        return;
    }
    commands.setChecked(cmd::TagGlyphs, false);
    commands.setChecked(cmd::BrowserMessages, !m_ctx.browser.Silent());
    state.KeptElementHtml.clear();
    state.CellSelected = false;
    state.Selection.SelText.clear();
    state.ReopenTextWindow = false;
    const QString &fileName = m_ctx.shell.document().FileName;
    // The designer always shows the file as last written; a failed navigation keeps the old page.
    // A large page gets the time its engine calls need (a limit set longer is kept).
    if (!fileName.isEmpty() && fileName != m_ctx.line(Msg::Untitled)) {
        const int limit = DesignerCallTimeout(m_ctx.shell.editor()->text().size());
        m_ctx.browser.setCallTimeout(std::max(m_ctx.browser.callTimeout(), limit));
        m_ctx.browser.Navigate(fileName);
    }
}

// ---- design mode --------------------------------------------------------------------------

void DesignerPageChange::setDesignModeChecked(bool on)
{
    m_ctx.commands().setChecked(cmd::DesignMode, on);
}

void DesignerPageChange::BrowserEditmode1Click()
{
    // The item toggles its own check mark when pressed; it shows the program's state.
    if (!m_ctx.onDesignerPage()) {
        setDesignModeChecked(m_ctx.state.designModeOn);
        m_ctx.commands().requireDesignerPage();
        return;
    }
    if (!m_ctx.documentLoaded() || !m_ctx.shell.state().DesignModeAvailable) {
        setDesignModeChecked(m_ctx.state.designModeOn);
        return;
    }
    const bool wasOn = m_ctx.state.designModeOn;
    ToggleDesignMode();
    // A switch that did not happen has nothing to save.
    if (m_ctx.state.designModeOn != wasOn && !m_ctx.onlineLocation())
        saveShownPage();
    m_ctx.shell.state().DesignModeWasOn = m_ctx.state.designModeOn;
}

void DesignerPageChange::ToggleDesignMode()
{
    CommandRegistry &commands = m_ctx.commands();
    const auto page = m_ctx.browser.Document();
    if (m_ctx.state.designModeOn) {
        commands.setChecked(cmd::Borders, true);
        commands.setChecked(cmd::TagGlyphs, false);
        setDesignModeChecked(false);
        m_ctx.state.designModeOn = false;
        if (page) {
            page->setDesignMode(false);
            page->execCommand(QStringLiteral("2D-Position"), false, false);
        }
        return;
    }
    if (m_ctx.onlineLocation()) {
        setDesignModeChecked(false);
        m_ctx.prompter().information(m_ctx.line(Msg::SaveOnlinePageFirst));
        return;
    }
    // A page that cannot be edited is not shown as being edited; a page that did not answer in
    // time is said so, and nothing was changed.
    bool switched = false;
    if (page) {
        const BusyIndicator busy;
        switched = page->setDesignMode(true);
    }
    if (!switched) {
        setDesignModeChecked(false);
        if (page && m_ctx.browser.lastCallTimedOut())
            m_ctx.prompter().warning(m_ctx.shell.catalogue().designerTimeoutReport());
        return;
    }
    // Switching on may have loaded the page again, without its scripts: the page as written.
    takePullBaseline();
    m_ctx.shell.editor()->setModified(true);
    setDesignModeChecked(true);
    m_ctx.state.designModeOn = true;
    page->execCommand(QStringLiteral("2D-Position"), false, true);
    m_ctx.ExecEditingCommand(EditingCommand::ShowBorders, true);
    commands.setChecked(cmd::Borders, false);
}

// ---- taking the page back -----------------------------------------------------------------

void DesignerPageChange::PullDesignerDocument()
{
    WebEngineBrowser &browser = m_ctx.browser;
    if (!m_ctx.documentLoaded() || !IsEditableFileType(browser.LocationName()) || m_ctx.onlineLocation())
        return;
    // What the page's scripts built is not the user's text: the source stays as written.
    if (browser.scriptsRanInDocument())
        return;
    SynMemo *editor = m_ctx.shell.editor();
    const auto page = browser.Document();
    const auto html = ShownPageSerialization();
    const auto spliced = html ? SplicedSource(*html) : std::nullopt;
    auto text = spliced ? std::optional<QString>(MarkGenerator(*spliced)) : std::nullopt;
    if (!text && html)
        text = PulledPageText(editor->text(), *html);
    if (text)
        m_ctx.shell.editor()->replaceDifferingPart(*text);
    else
        m_ctx.prompter().plain(m_ctx.line(Msg::NoPageLoaded));
    editor->setModified(true);

    // A page other than the document's own file is not saved under the document's name. An
    // engine that does not tell its address leaves the name as it is.
    const auto url = page ? page->URL() : std::nullopt;
    if (!url)
        return;
    const QString local = LocalPathOfLocation(url->left(500).trimmed());
    if (!SameFile(local, m_ctx.shell.document().FileName))
        m_ctx.shell.SetFileName(m_ctx.line(Msg::Untitled));
}

void DesignerPageChange::ToolButtonSourceClick()
{
    if (!m_ctx.commands().requireDesignerPage())
        return;
    if (m_ctx.documentLoaded())
        ShowPageSource();
}

void DesignerPageChange::Showsourcecode1Click()
{
    // The pop-up item belongs to the designer's page: elsewhere there is no page to fetch and
    // nothing to report.
    if (m_ctx.onDesignerPage() && !m_ctx.documentLoaded()) {
        m_ctx.prompter().error(m_ctx.line(Msg::NoPageLoaded));
        return;
    }
    ShowPageSource();
}

void DesignerPageChange::ShowPageSource()
{
    m_ctx.state.ReopenTextWindow = false;
    if (!m_ctx.onDesignerPage())
        return;
    const auto page = m_ctx.browser.Document();
    const auto html = page ? page->serializedPage() : std::nullopt;
    if (!html) {
        m_ctx.prompter().warning(m_ctx.line(Msg::GettingSourceFailed));
        return;
    }
    if (!html->trimmed().isEmpty())
        m_ctx.shell.editor()->setText(*html);
    if (m_ctx.onlineLocation())
        m_ctx.shell.SetFileName(m_ctx.line(Msg::Untitled));
    m_ctx.shell.setActivePage(int(Page::Source));
}

std::optional<QString> DesignerPageChange::SplicedSource(const QString &serialized) const
{
    const PullBaseline &baseline = m_ctx.state.Baseline;
    if (m_ctx.browser.scriptsRanInDocument())
        return std::nullopt;
    const QString source = m_ctx.shell.editor()->text();
    if (baseline.generation != m_ctx.browser.documentGeneration() || baseline.serialized.isEmpty()
        || baseline.source != source || serialized.trimmed().isEmpty())
        return std::nullopt;
    return SplicePulledPage(source, baseline.serialized, serialized,
                            RepertoireOf(source, m_ctx.shell.document().format.encoding));
}

void DesignerPageChange::rebasePullBaseline(const QString &source, const QString &serialized)
{
    m_ctx.state.Baseline.source = source;
    m_ctx.state.Baseline.serialized = serialized;
}

void DesignerPageChange::saveShownPage()
{
    CommandContext &shell = m_ctx.shell;
    SynMemo *editor = shell.editor();
    const QString &fileName = shell.document().FileName;
    const auto html = !m_ctx.browser.scriptsRanInDocument() ? ShownPageSerialization() : std::nullopt;
    const auto spliced = html ? SplicedSource(*html) : std::nullopt;
    if (!spliced || editor->text().isEmpty() || fileName.isEmpty() || fileName == m_ctx.line(Msg::Untitled)) {
        m_ctx.commands().run(cmd::FileSave);
        return;
    }
    // The page as shown, written into the source it came from: the save button's work, with
    // the source's own way of writing kept.
    SpliceShownPage(*html, *spliced);
    shell.fileCommands().SaveSourceText();
}

bool DesignerPageChange::SpliceShownPage(const QString &serialized)
{
    const auto spliced = SplicedSource(serialized);
    if (spliced)
        SpliceShownPage(serialized, *spliced);
    return spliced.has_value();
}

void DesignerPageChange::SpliceShownPage(const QString &serialized, const QString &spliced)
{
    SynMemo *editor = m_ctx.shell.editor();
    if (spliced == editor->text())
        return;
    m_ctx.shell.editor()->replaceDifferingPart(spliced);
    rebasePullBaseline(spliced, serialized);
}

std::optional<QString> DesignerPageChange::ShownPageSerialization()
{
    WebEngineBrowser &browser = m_ctx.browser;
    const auto page = browser.Document();
    if (!page)
        return std::nullopt;
    PullBaseline &baseline = m_ctx.state.Baseline;
    const quint64 generation = browser.documentGeneration();
    if (baseline.watchedGeneration == generation) {
        const auto changed = page->changedSinceWatched();
        if (changed && !*changed && browser.documentGeneration() == generation)
            return baseline.watched;
    }
    const auto html = page->watchedSerializedPage();
    if (html) {
        baseline.watched = *html;
        baseline.watchedGeneration = browser.documentGeneration();
    }
    return html;
}

void DesignerPageChange::takePullBaseline()
{
    PullBaseline &baseline = m_ctx.state.Baseline;
    if (baseline.generation == m_ctx.browser.documentGeneration() && !baseline.serialized.isEmpty())
        return;  // taken when this document completed, before any edit
    baseline = PullBaseline();
    if (m_ctx.onlineLocation() || !IsEditableFileType(m_ctx.browser.LocationName()))
        return;
    const auto html = ShownPageSerialization();
    if (!html)
        return;
    baseline.serialized = *html;
    baseline.source = m_ctx.shell.editor()->text();
    baseline.generation = m_ctx.browser.documentGeneration();
    // A page with nothing a script could run from is the page as written: design mode does not
    // load it again.
    if (!SourceMayRunScripts(baseline.source))
        m_ctx.browser.documentRanNoScripts();
}

void DesignerPageChange::WebBrowser1DocumentComplete()
{
    for (const char *id : {cmd::PrintPreview, cmd::ZoomIn, cmd::ZoomOut, cmd::PageSource})
        m_ctx.commands().setEnabled(id, true);
    adoptShownFile();
    takePullBaseline();
}

void DesignerPageChange::adoptShownFile()
{
    // Another local page shown in the designer (a link, the address box) becomes the document.
    const QString path = LocalPathOfLocation(m_ctx.browser.LocationURL());
    if (path.isEmpty() || !QFileInfo(path).isFile() || SameFile(path, m_ctx.shell.document().FileName))
        return;
    const LoadedFile file = loadDocumentFile(path);
    if (!file.ok)
        return;
    SynMemo *editor = m_ctx.shell.editor();
    m_ctx.shell.SetFileName(path);
    m_ctx.shell.document().diskStamp = stampOf(path);
    editor->setLines(file.lines);
    editor->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    m_ctx.shell.document().format = file.format;
    editor->setModified(false);
}

// ---- selection carry-over -----------------------------------------------------------------

QString DesignerPageChange::CaptureDesignerSelection()
{
    DesignerSelectionSnapshot &selection = m_ctx.state.Selection;
    // The element commands' text stays: it names the element they found last.
    const QString lastElement = selection.LastElementText;
    selection = DesignerSelectionSnapshot();
    selection.LastElementText = lastElement;
    if (!m_ctx.documentLoaded() || IsFramesetDocument(m_ctx.shell.editor()->text()))
        return QString();
    const auto page = m_ctx.browser.Document();
    if (!page)
        return QString();
    const auto count = page->all().length();
    if (!count)
        return selection.SelText;
    selection.ElementCount = *count;
    const auto type = page->selection().type();
    if (!type)
        return selection.SelText;
    if (*type != QLatin1String("Control")) {
        const auto range = page->selection().createTextRange();
        if (!range)
            return selection.SelText;
        const auto text = range->text();
        if (!text)
            return selection.SelText;
        selection.SelText = *text;
        const auto html = range->htmlText();
        if (!html)
            return selection.SelText;
        selection.SelHtml = *html;
        const auto parent = range->parentElement();
        if (!parent)
            return selection.SelText;
        // A caret gives the source nothing to look for, so the HTML of its parent (often the
        // whole body of a large page) is not fetched; the parent's place still serves as the
        // estimate when an element found earlier is looked for.
        if (selection.SelText.isEmpty() && selection.SelHtml.trimmed().isEmpty()) {
            selection.SelSourceIndex = parent->sourceIndex().value_or(0);
            return selection.SelText;
        }
        const auto parentHtml = parent->outerHTML();
        if (!parentHtml)
            return selection.SelText;
        selection.SelParentHtml = *parentHtml;
        selection.SelSourceIndex = parent->sourceIndex().value_or(0);
        return selection.SelText;
    }
    const auto controls = page->selection().createControlRange();
    const auto common = controls ? controls->commonParentElement() : std::nullopt;
    if (!common)
        return selection.SelText;
    selection.SelSourceIndex = common->sourceIndex().value_or(0);
    const auto first = controls->item(0);
    if (const auto html = first ? first->outerHTML() : std::nullopt)
        selection.LastElementText = *html;
    return selection.SelText;
}

void DesignerPageChange::PlaceSourceSelection()
{
    SynMemo *editor = m_ctx.shell.editor();
    const auto placed = PlaceSelectionInSource(editor->text(), m_ctx.state.Selection);
    if (!placed)
        return;
    editor->setFocus();
    RevealSourcePosition(placed->start + 1);
    editor->selectRange(int(placed->start), int(placed->length));
}

void DesignerPageChange::RevealSourcePosition(qsizetype position)
{
    if (position < 1)
        return;
    SynMemo *editor = m_ctx.shell.editor();
    int line = 0, index = 0;
    editor->lineIndexFromPosition(editor->offsetToByte(int(position - 1)), &line, &index);
    line = qMin(line + 10, qMax(0, editor->lineCount() - 1));
    const int onScreen = int(editor->SendScintilla(QsciScintillaBase::SCI_LINESONSCREEN));
    editor->ensureLineVisible(line);
    editor->setFirstVisibleLine(qMax(0, line - onScreen / 2));
}

} // namespace korvel
