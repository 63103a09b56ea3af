#include "designer/designercontroller.h"

#include "app/documentfile.h"
#include "app/filecommands.h"
#include "app/launchcommands.h"
#include "app/mainform.h"
#include "designer/borderstyle.h"
#include "designer/designerfindbox.h"
#include "designer/engine.h"
#include "designer/glyphtable.h"
#include "designer/pulledpage.h"
#include "designer/webenginebrowser.h"
#include "editor/synmemo.h"
#include "generators/formtext.h"
#include "prompt/prompter.h"
#include "source/textmatch.h"
#include "source/texthelpers.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QFileInfo>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <QWebEngineView>

namespace korvel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Two names of one local file, compared as the file system sees them.
bool SameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QFileInfo first(a), second(b);
    const QString x = first.canonicalFilePath(), y = second.canonicalFilePath();
    return !x.isEmpty() && x == y;
}

} // namespace

DesignerController::DesignerController(TMainForm &form, QObject *parent)
    : QObject(parent), m_form(form)
{
    m_browser = new WebEngineBrowser(&form.prompter(), this);
    if (QWidget *sheet = form.findChild<QWidget *>(QStringLiteral("TabSheet2")); sheet && sheet->layout())
        sheet->layout()->addWidget(m_browser->view());
    connect(m_browser->view(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1Popup(m_browser->view()->mapToGlobal(pos)); });
    connect(m_browser, &WebEngineBrowser::documentComplete, this, [this] { WebBrowser1DocumentComplete(); });

    m_findBox = new DesignerFindBox(&form);
    connect(m_findBox, &DesignerFindBox::find, this, &DesignerController::FindBoxFind);
    connect(m_findBox, &DesignerFindBox::closed, this, [this] { m_browser->stopFinding(); });

    m_timer1 = new QTimer(&form);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(2000);
    connect(m_timer1, &QTimer::timeout, this, &DesignerController::Timer1Timer);
    reopenTextWindow = [this] { ShowTextWindow(); };

    m_page = form.activePage();
    connect(form.pageControl(), &QTabWidget::currentChanged, this, &DesignerController::pageChanged);
    connectActions();

    // Ctrl+PgDown and Ctrl+PgUp go to the next and the previous page.
    auto *next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), &form);
    connect(next, &QShortcut::activated, this, [this] {
        const int page = m_form.activePage();
        if (page + 1 < m_form.pageControl()->count())
            m_form.setActivePage(page + 1);
    });
    auto *previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), &form);
    connect(previous, &QShortcut::activated, this, [this] {
        const int page = m_form.activePage();
        if (page > 0)
            m_form.setActivePage(page - 1);
    });
}

DesignerController::~DesignerController()
{
    delete m_findBox;
    delete m_timer1;
}

DesignerFindBox &DesignerController::findBox() { return *m_findBox; }
QTimer &DesignerController::timer1() { return *m_timer1; }

Engine &DesignerController::engine()
{
    return *m_browser;
}

// ---- small helpers ------------------------------------------------------------------------

bool DesignerController::onDesignerPage() const { return m_form.activePage() == 1; }
bool DesignerController::documentLoaded() const { return m_browser->hasDocument(); }
bool DesignerController::onlineLocation() const { return IsOnlineLocation(m_browser->LocationURL()); }
QString DesignerController::line(int number) const { return m_form.line(number); }
QAction *DesignerController::action(const QString &name) const { return m_form.action(name); }

void DesignerController::setChecked(const QString &name, bool checked)
{
    if (QAction *a = action(name)) {
        a->setCheckable(true);
        a->setChecked(checked);
    }
}

bool DesignerController::isChecked(const QString &name) const
{
    const QAction *a = action(name);
    return a && a->isChecked();
}

void DesignerController::setBrowserMenuEnabled(bool enabled)
{
    if (QAction *menu = action(QStringLiteral("Browser1")))
        menu->setEnabled(enabled);
}

QLineEdit *DesignerController::editUrl() const
{
    return m_form.findChild<QLineEdit *>(QStringLiteral("EditUrl"));
}


// ---- wiring -------------------------------------------------------------------------------

void DesignerController::connectActions()
{
    const auto bind = [this](const QStringList &names, std::function<void()> handler) {
        m_form.bind(names, std::move(handler));
    };
    bind({QStringLiteral("BrowserEditmode1"), QStringLiteral("ToolButtonEdit")}, [this] { BrowserEditmode1Click(); });
    bind({QStringLiteral("ToolButtonSource"), QStringLiteral("GetHTMLSource1")}, [this] { ToolButtonSourceClick(); });
    bind({QStringLiteral("Showsourcecode1")}, [this] { Showsourcecode1Click(); });
    bind({QStringLiteral("ToolButtonBorders")}, [this] { ToolButtonBordersClick(); });
    bind({QStringLiteral("ToolButtonShowHtml")}, [this] { ToolButtonShowHtmlClick(); });
    bind({QStringLiteral("ButtonZoomPlus"), QStringLiteral("Zoom1"), QStringLiteral("Zoomin1")},
         [this] { ButtonZoomPlusClick(); });
    bind({QStringLiteral("ButtonZoomMinus"), QStringLiteral("ZoomOut1"), QStringLiteral("Zoomout2")},
         [this] { ButtonZoomMinusClick(); });
    bind({QStringLiteral("ButtonUrl"), QStringLiteral("NavigatetoURL1")}, [this] { ButtonUrlClick(); });
    bind({QStringLiteral("Back2")}, [this] { Back2Click(); });
    bind({QStringLiteral("Back1")}, [this] { Back1Click(); });
    bind({QStringLiteral("Refresh1")}, [this] { Refresh1Click(); });
    bind({QStringLiteral("Messages")}, [this] { MessagesClick(); });

    m_form.setDesignerSide(this);

    for (const char *name : {"BrowserEditmode1", "ToolButtonEdit", "ToolButtonShowHtml", "Messages"})
        setChecked(QLatin1String(name), false);
    // Marked while the borders are hidden.
    setChecked(QStringLiteral("ToolButtonBorders"), true);
    // These wait for a document.
    for (const char *name : {"Printpreview1", "ButtonZoomPlus", "ButtonZoomMinus", "ToolButtonSource"}) {
        if (QAction *a = action(QLatin1String(name)))
            a->setEnabled(false);
    }
    if (QLineEdit *url = editUrl()) {
        url->setEnabled(true);
        connect(url, &QLineEdit::returnPressed, this, [this] {
            if (QAction *go = action(QStringLiteral("ButtonUrl")))
                go->trigger();
        });
    }
}

// ---- the page change ----------------------------------------------------------------------

void DesignerController::pageChanged(int page)
{
    if (m_changingPage || page == m_page)
        return;
    const int leaving = m_page;
    QTabWidget *pages = m_form.pageControl();
    m_changingPage = true;
    // The leaving step sees the page it leaves, as the commands it runs expect.
    {
        const QSignalBlocker block(pages);
        pages->setCurrentIndex(leaving);
    }
    m_form.document().activeView = leaving;
    const bool allowed = PageControl1Changing(leaving);
    if (allowed) {
        const QSignalBlocker block(pages);
        pages->setCurrentIndex(page);
        m_form.document().activeView = page;
        m_page = page;
    }
    m_changingPage = false;
    if (allowed)
        PageControl1Change(page);
}

bool DesignerController::PageControl1Changing(int leavingPage)
{
    EditorDocument &document = m_form.document();
    document.SaveCancelled = false;
    if (leavingPage == 0) {
        if (!document.FileName.isEmpty() && document.FileName != line(0)) {
            // A save that did not happen keeps the source page: the designer would show the
            // old file and its page would later replace the unsaved text.
            m_form.fileCommands().FileSave();
            if (!m_form.editor()->text().isEmpty() && m_form.editor()->modified())
                document.SaveCancelled = true;
        } else {
            m_form.fileCommands().AskSaveChanges();
        }
    } else if (documentLoaded() && !onlineLocation()) {
        const auto page = m_browser->Document();
        const QString designMode = page ? page->designMode().value_or(QString()) : QString();
        if (IsEditableFileType(m_browser->LocationName())) {
            CaptureDesignerSelection();
            if (designMode == QLatin1String("On")) {
                PullDesignerDocument();
                // The engine's file gets the page as taken back.
                const QString enginePath = LocalPathOfLocation(m_browser->LocationURL());
                if (!enginePath.isEmpty())
                    writeEditorTextTo(enginePath);
                if (IsFramesetDocument(m_form.editor()->text()))
                    m_form.editor()->setText(FramesetSourceText(m_form.editor()->text()));
                ToggleDesignMode();
            }
        }
    }
    return !document.SaveCancelled;
}

void DesignerController::PageControl1Change(int enteredPage)
{
    const auto setEnabled = [this](const QString &name, bool enabled) {
        if (QAction *a = action(name); a && a->property("connected").toBool())
            a->setEnabled(enabled);
    };
    if (enteredPage == 0) {
        setEnabled(QStringLiteral("Printpreview1"), false);
        setEnabled(QStringLiteral("ButtonZoomPlus"), false);
        setEnabled(QStringLiteral("ButtonZoomMinus"), false);
        setBrowserMenuEnabled(false);
        setEnabled(QStringLiteral("Kommentar1"), true);
        if (!onlineLocation())
            PlaceSourceSelection();
        Selection.LastElementText.clear();
        // The find box searches the designer's page, which is not shown any more.
        m_findBox->hide();
        if (ReopenTextWindow && reopenTextWindow)
            reopenTextWindow();
        return;
    }
    setBrowserMenuEnabled(true);
    setChecked(QStringLiteral("ToolButtonShowHtml"), false);
    setEnabled(QStringLiteral("Kommentar1"), false);
    setChecked(QStringLiteral("Messages"), !m_browser->Silent());
    KeptElementHtml.clear();
    CellSelected = false;
    Selection.SelText.clear();
    ReopenTextWindow = false;
    const QString &fileName = m_form.document().FileName;
    // The designer always shows the file as last written; a failed navigation keeps the old page.
    if (!fileName.isEmpty() && fileName != line(0))
        m_browser->Navigate(fileName);
}

// ---- design mode --------------------------------------------------------------------------

void DesignerController::BrowserEditmode1Click()
{
    if (!onDesignerPage()) {
        // The item toggles its own check mark when pressed; it shows the program's state.
        setChecked(QStringLiteral("BrowserEditmode1"), m_designModeOn);
        setChecked(QStringLiteral("ToolButtonEdit"), m_designModeOn);
        m_form.prompter().information(line(36));
        return;
    }
    if (!documentLoaded() || !m_form.DesignModeAvailable) {
        setChecked(QStringLiteral("BrowserEditmode1"), m_designModeOn);
        setChecked(QStringLiteral("ToolButtonEdit"), m_designModeOn);
        return;
    }
    ToggleDesignMode();
    if (!onlineLocation())
        FileSave();
    m_form.DesignModeWasOn = designModeChecked();
}

void DesignerController::ToggleDesignMode()
{
    const auto page = m_browser->Document();
    // The check mark says what this program set; the item's own toggling is undone first.
    const bool wasOn = m_designModeOn;
    if (wasOn) {
        if (BorderSheetPresent)
            RemoveBorderStyleSheet();
        setChecked(QStringLiteral("ToolButtonBorders"), true);
        setChecked(QStringLiteral("ToolButtonShowHtml"), false);
        setChecked(QStringLiteral("BrowserEditmode1"), false);
        setChecked(QStringLiteral("ToolButtonEdit"), false);
        m_designModeOn = false;
        if (page) {
            page->setDesignMode(false);
            page->execCommand(QStringLiteral("2D-Position"), false, false);
        }
        return;
    }
    if (onlineLocation()) {
        setChecked(QStringLiteral("BrowserEditmode1"), false);
        setChecked(QStringLiteral("ToolButtonEdit"), false);
        m_form.prompter().information(line(37));
        return;
    }
    // A page that cannot be edited is not shown as being edited.
    if (!page || !page->setDesignMode(true)) {
        setChecked(QStringLiteral("BrowserEditmode1"), false);
        setChecked(QStringLiteral("ToolButtonEdit"), false);
        return;
    }
    m_form.editor()->setModified(true);
    setChecked(QStringLiteral("BrowserEditmode1"), true);
    setChecked(QStringLiteral("ToolButtonEdit"), true);
    m_designModeOn = true;
    page->execCommand(QStringLiteral("2D-Position"), false, true);
    if (m_form.EngineMajorVersion == 8)
        ToggleBorderStyleSheet();
    else
        ExecEditingCommand(2328, true);
    setChecked(QStringLiteral("ToolButtonBorders"), false);
}

void DesignerController::ExecEditingCommand(int command, const QVariant &value)
{
    if (!documentLoaded() || !m_form.DesignModeAvailable)
        return;
    m_browser->waitUntilReady();
    if (const auto page = m_browser->Document())
        page->Exec(command, value);
}

// ---- taking the page back -----------------------------------------------------------------

bool DesignerController::writeEditorTextTo(const QString &path)
{
    return saveDocumentFile(path, m_form.editor()->lines(), m_form.document().format);
}

void DesignerController::PullDesignerDocument()
{
    if (!documentLoaded() || !IsEditableFileType(m_browser->LocationName()) || onlineLocation())
        return;
    // What the page's scripts built is not the user's text: the source stays as written.
    if (m_browser->scriptsRanInDocument())
        return;
    SynMemo *editor = m_form.editor();
    const auto page = m_browser->Document();
    if (BorderSheetPresent)
        RemoveBorderStyleSheet();
    const auto html = page ? page->serializedPage() : std::nullopt;
    const auto text = html ? PulledPageText(editor->text(), *html) : std::nullopt;
    if (text)
        editor->setText(*text);
    else
        m_form.prompter().plain(line(20));
    editor->setModified(true);

    // A page other than the document's own file is not saved under the document's name. An
    // engine that does not tell its address leaves the name as it is.
    const auto url = page ? page->URL() : std::nullopt;
    if (!url)
        return;
    const QString local = LocalPathOfLocation(url->left(500).trimmed());
    if (!SameFile(local, m_form.document().FileName))
        m_form.SetFileName(line(0));
}

void DesignerController::ToolButtonSourceClick()
{
    if (!onDesignerPage()) {
        m_form.prompter().information(line(36));
        return;
    }
    if (documentLoaded())
        ShowPageSource();
}

void DesignerController::Showsourcecode1Click()
{
    // The pop-up item belongs to the designer's page: elsewhere there is no page to fetch and
    // nothing to report.
    if (onDesignerPage() && !documentLoaded()) {
        m_form.prompter().error(line(20));
        return;
    }
    ShowPageSource();
}

void DesignerController::ShowPageSource()
{
    ReopenTextWindow = false;
    if (!onDesignerPage())
        return;
    const auto page = m_browser->Document();
    const auto html = page ? page->serializedPage() : std::nullopt;
    if (!html) {
        m_form.prompter().warning(line(35));
        return;
    }
    if (!html->trimmed().isEmpty())
        m_form.editor()->setText(*html);
    if (onlineLocation())
        m_form.SetFileName(line(0));
    m_form.setActivePage(0);
    setBrowserMenuEnabled(false);
}

void DesignerController::WebBrowser1DocumentComplete()
{
    for (const char *name : {"Printpreview1", "ButtonZoomPlus", "ButtonZoomMinus", "ToolButtonSource"}) {
        if (QAction *a = action(QLatin1String(name)))
            a->setEnabled(true);
    }
    // Another local page shown in the designer (a link, the address box) becomes the document.
    const QString path = LocalPathOfLocation(m_browser->LocationURL());
    if (path.isEmpty() || !QFileInfo(path).isFile() || SameFile(path, m_form.document().FileName))
        return;
    const LoadedFile file = loadDocumentFile(path);
    if (!file.ok)
        return;
    SynMemo *editor = m_form.editor();
    m_form.SetFileName(path);
    editor->setLines(file.lines);
    editor->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    m_form.document().format = file.format;
    editor->setModified(false);
}

// ---- selection carry-over -----------------------------------------------------------------

QString DesignerController::CaptureDesignerSelection()
{
    // The element commands' text stays: it names the element they found last.
    const QString lastElement = Selection.LastElementText;
    Selection = DesignerSelectionSnapshot();
    Selection.LastElementText = lastElement;
    if (!documentLoaded() || IsFramesetDocument(m_form.editor()->text()))
        return QString();
    const auto page = m_browser->Document();
    if (!page)
        return QString();
    const auto count = page->all().length();
    if (!count)
        return Selection.SelText;
    Selection.ElementCount = *count;
    const auto type = page->selection().type();
    if (!type)
        return Selection.SelText;
    if (*type != QLatin1String("Control")) {
        const auto range = page->selection().createTextRange();
        if (!range)
            return Selection.SelText;
        const auto text = range->text();
        if (!text)
            return Selection.SelText;
        Selection.SelText = *text;
        const auto html = range->htmlText();
        if (!html)
            return Selection.SelText;
        Selection.SelHtml = *html;
        const auto parent = range->parentElement();
        if (!parent)
            return Selection.SelText;
        // A caret gives the source nothing to look for, so the HTML of its parent (often the
        // whole body of a large page) is not fetched; the parent's place still serves as the
        // estimate when an element found earlier is looked for.
        if (Selection.SelText.isEmpty() && Selection.SelHtml.trimmed().isEmpty()) {
            Selection.SelSourceIndex = parent->sourceIndex().value_or(0);
            return Selection.SelText;
        }
        const auto parentHtml = parent->outerHTML();
        if (!parentHtml)
            return Selection.SelText;
        Selection.SelParentHtml = *parentHtml;
        Selection.SelSourceIndex = parent->sourceIndex().value_or(0);
        return Selection.SelText;
    }
    const auto controls = page->selection().createControlRange();
    const auto common = controls ? controls->commonParentElement() : std::nullopt;
    if (!common)
        return Selection.SelText;
    Selection.SelSourceIndex = common->sourceIndex().value_or(0);
    const auto first = controls->item(0);
    if (const auto html = first ? first->outerHTML() : std::nullopt)
        Selection.LastElementText = *html;
    return Selection.SelText;
}

void DesignerController::PlaceSourceSelection()
{
    SynMemo *editor = m_form.editor();
    const auto placed = PlaceSelectionInSource(editor->text(), Selection);
    if (!placed)
        return;
    editor->setFocus();
    RevealSourcePosition(placed->start + 1);
    editor->selectRange(int(placed->start), int(placed->length));
}

void DesignerController::RevealSourcePosition(qsizetype position)
{
    if (position < 1)
        return;
    SynMemo *editor = m_form.editor();
    int line = 0, index = 0;
    editor->lineIndexFromPosition(editor->offsetToByte(int(position - 1)), &line, &index);
    line = qMin(line + 10, qMax(0, editor->lineCount() - 1));
    const int onScreen = int(editor->SendScintilla(QsciScintillaBase::SCI_LINESONSCREEN));
    editor->ensureLineVisible(line);
    editor->setFirstVisibleLine(qMax(0, line - onScreen / 2));
}

// ---- design aids and browsing -------------------------------------------------------------

void DesignerController::ToolButtonBordersClick()
{
    if (!onDesignerPage()) {
        m_form.prompter().information(line(36));
        return;
    }
    if (!documentLoaded())
        return;
    const auto page = m_browser->Document();
    const bool on = page && page->designMode() == QStringLiteral("On");
    // The button toggles itself when pressed; its state is the program's to set.
    const bool marked = !isChecked(QStringLiteral("ToolButtonBorders"));
    setChecked(QStringLiteral("ToolButtonBorders"), marked);
    if (!BorderSheetPresent && !on)
        return;
    if (m_form.EngineMajorVersion == 8) {
        ToggleBorderStyleSheet();
        return;
    }
    ExecEditingCommand(2328, marked);
    setChecked(QStringLiteral("ToolButtonBorders"), !marked);
}

void DesignerController::ToolButtonShowHtmlClick()
{
    if (!onDesignerPage()) {
        setChecked(QStringLiteral("ToolButtonShowHtml"), false);
        m_form.prompter().information(line(36));
        return;
    }
    if (!documentLoaded())
        return;
    const auto page = m_browser->Document();
    if (!page || page->designMode() != QStringLiteral("On")) {
        m_form.prompter().warning(line(51));
        setChecked(QStringLiteral("ToolButtonShowHtml"), false);
        return;
    }
    if (isChecked(QStringLiteral("ToolButtonShowHtml")))
        ExecEditingCommand(2337, GlyphTableText());
    else
        ExecEditingCommand(2336, QString());
}

void DesignerController::ButtonZoomPlusClick()
{
    if (!onDesignerPage())
        return;
    // The engine has a largest factor; the zoom stops there.
    if (m_browser->setZoomFactor(ZoomFactor + 0.5))
        ZoomFactor += 0.5;
}

void DesignerController::ButtonZoomMinusClick()
{
    if (!onDesignerPage() || ZoomFactor <= 0.5)
        return;
    if (m_browser->setZoomFactor(ZoomFactor - 0.5))
        ZoomFactor -= 0.5;
}

void DesignerController::ShowBlankPage()
{
    if (QLineEdit *url = editUrl())
        url->setText(QStringLiteral("about:blank"));
    ButtonUrlClick();
}

void DesignerController::ButtonUrlClick()
{
    if (!onDesignerPage()) {
        m_form.prompter().information(line(36));
        return;
    }
    QLineEdit *url = editUrl();
    const QString address = url ? url->text() : QString();
    if (address.isEmpty() || address.endsWith(QLatin1Char('.')) || address.endsWith(QLatin1Char('w'), Qt::CaseInsensitive)) {
        m_form.prompter().error(line(33));
        return;
    }
    if (designModeChecked())
        BrowserEditmode1Click();
    ReopenTextWindow = false;
    setChecked(QStringLiteral("ToolButtonShowHtml"), false);
    if (!m_browser->Navigate(address))
        m_form.prompter().warning(line(33));
}

void DesignerController::Back2Click()
{
    if (!onDesignerPage())
        return;
    m_browser->GoBack();
    if (QLineEdit *url = editUrl())
        url->setFocus();
}

void DesignerController::Back1Click()
{
    if (!onDesignerPage())
        return;
    m_browser->GoForward();
    if (QLineEdit *url = editUrl())
        url->setFocus();
}

void DesignerController::Refresh1Click()
{
    if (!onDesignerPage())
        return;
    m_browser->Refresh();
    setChecked(QStringLiteral("ToolButtonShowHtml"), false);
}

void DesignerController::MessagesClick()
{
    m_browser->setSilent(!m_browser->Silent());
    setChecked(QStringLiteral("Messages"), !m_browser->Silent());
}

void DesignerController::CreateBorderStyleSheet()
{
    if (!documentLoaded() || !m_form.DesignModeAvailable)
        return;
    m_browser->waitUntilReady();
    BorderSheetPresent = true;
    if (!HasBorderStyleText(m_form.editor()->text())) {
        const auto page = m_browser->Document();
        const auto sheet = page ? page->createStyleSheet(0) : std::nullopt;
        const QString dotted = QStringLiteral("border-width: 1px; border-style:dotted; border-color:gray;");
        const bool made = sheet && sheet->addRule(QStringLiteral("TABLE"), dotted)
                       && sheet->addRule(QStringLiteral("TD"), dotted)
                       && sheet->addRule(QStringLiteral("IMG"),
                                         QStringLiteral("border-width: 1px; border-style:solid; border-color:gray;"))
                       && sheet->addRule(QStringLiteral("FORM"), dotted) && sheet->addRule(QStringLiteral("DIV"), dotted)
                       && sheet->setTitle(BorderSheetTitle);
        if (!made)
            BorderSheetPresent = false;
    }
    m_browser->waitUntilReady();
}

void DesignerController::ToggleBorderStyleSheet()
{
    if (!BorderSheetPresent) {
        CreateBorderStyleSheet();
        return;
    }
    m_browser->waitUntilReady();
    const auto page = m_browser->Document();
    const auto sheet = page ? page->styleSheet(0) : std::nullopt;
    const auto title = sheet ? sheet->title() : std::nullopt;
    const auto disabled = sheet ? sheet->disabled() : std::nullopt;
    if (!title || !disabled) {
        m_form.prompter().warning(QStringLiteral("SwitchBorders: Error temporary style!"));
        return;
    }
    if (*title != BorderSheetTitle)
        return;
    if (!sheet->setDisabled(!*disabled)) {
        m_form.prompter().warning(QStringLiteral("SwitchBorders: Error temporary style!"));
        return;
    }
    setChecked(QStringLiteral("ToolButtonBorders"), !*disabled);
}

void DesignerController::RemoveBorderStyleSheet()
{
    m_browser->waitUntilReady();
    BorderSheetPresent = false;
    setChecked(QStringLiteral("ToolButtonBorders"), true);
    const auto page = m_browser->Document();
    const auto sheet = page ? page->styleSheet(0) : std::nullopt;
    const auto title = sheet ? sheet->title() : std::nullopt;
    if (title && *title != BorderSheetTitle)
        return;
    const auto owner = sheet ? sheet->owningElement() : std::nullopt;
    const auto tag = owner ? owner->tagName() : std::nullopt;
    if (title && tag && *tag != QLatin1String("STYLE"))
        return;
    if (title && tag && owner->setOuterText(QString()))
        return;
    // The page keeps the sheet: the source text is cleaned and saved instead.
    SynMemo *editor = m_form.editor();
    editor->setText(StripBorderStyleText(editor->text()));
    setChecked(QStringLiteral("BrowserEditmode1"), false);
    setChecked(QStringLiteral("ToolButtonEdit"), false);
    m_designModeOn = false;
    const QString &fileName = m_form.document().FileName;
    if (!fileName.isEmpty() && fileName != line(0))
        writeEditorTextTo(fileName);
}

void DesignerController::PopupMenu1Popup(const QPoint &globalPosition)
{
    auto *menu = m_form.findChild<QMenu *>(QStringLiteral("PopupMenu1"));
    if (!menu)
        return;
    const bool editing = designModeChecked();
    for (const char *name : {"Kopieren1", "Einfuegen1"}) {
        if (QAction *a = action(QLatin1String(name)))
            a->setEnabled(editing);
    }
    menu->popup(globalPosition);
}

// ---- source commands on the designer page --------------------------------------------------

void DesignerController::FindInPage()
{
    m_findBox->setLanguage(m_form.UiLanguage);
    m_findBox->show();
    m_findBox->raise();
    m_findBox->activateWindow();
}

void DesignerController::FindBoxFind()
{
    const QString text = m_findBox->findText();
    if (text.isEmpty())
        return;
    // A page that does not answer is not reported as searched.
    const std::optional<int> matches = m_browser->findText(text, m_findBox->matchCase());
    if (matches && *matches == 0)
        m_form.prompter().plain(line(18));
}

void DesignerController::SelectAllOfPage()
{
    if (!IsEditableFileType(m_browser->LocationName())) {
        CopyPageByKeys();
        return;
    }
    m_browser->ExecWB(17, 0);
    m_browser->ExecWB(12, 0);
}

void DesignerController::CopyPageByKeys()
{
    // The page selects and copies only once it is complete.
    m_browser->waitUntilReady();
    m_browser->ExecWB(17, 0);
    m_browser->ExecWB(12, 0);
}

void DesignerController::LetterCaseOfSelection(bool upper)
{
    const auto page = m_browser->Document();
    if (!page)
        return;
    const korvel::Selection selection = page->selection();
    const auto type = selection.type();
    if (type && *type != QLatin1String("Text") && *type != QLatin1String("None"))
        return;
    const auto range = type ? selection.createTextRange() : std::nullopt;
    const auto text = range ? range->text() : std::nullopt;
    if (!text) {
        m_form.prompter().error(line(4));
        return;
    }
    // The folded text goes back as text: a "<" or "&" that the page shows must not turn into
    // markup of the page.
    const QString folded = upper ? AsciiUpperCase(*text) : AsciiLowerCase(*text);
    if (!range->pasteHTML(folded.toHtmlEscaped()))
        m_form.prompter().error(line(4));
}

void DesignerController::GetPageText()
{
    if (!documentLoaded())
        return;
    ReopenTextWindow = false;
    if (IsEditableFileType(m_browser->LocationName())) {
        const auto page = m_browser->Document();
        const auto root = page ? page->documentElement() : std::nullopt;
        const auto text = root ? root->innerText() : std::nullopt;
        if (!text)
            return;
        QGuiApplication::clipboard()->setText(*text);
        ShowTextWindow();
        return;
    }
    // The engine copies in the background; the text window follows when the timer ticks.
    CopyPageByKeys();
    ReopenTextWindow = true;
    m_timer1->start();
}

void DesignerController::Timer1Timer()
{
    m_timer1->stop();
    ShowTextWindow();
}

void DesignerController::ShowTextWindow()
{
    auto *launch = m_form.findChild<LaunchCommands *>(QStringLiteral("LaunchCommands"));
    if (!launch)
        return;
    TFormText &window = launch->textWindow();
    window.UiLanguage = m_form.UiLanguage;
    if (window.isVisible())
        window.FormShow();
    else
        window.show();
    window.raise();
}

// ---- File and Edit on the designer page ---------------------------------------------------

void DesignerController::FileSave()
{
    EditorDocument &document = m_form.document();
    SynMemo *editor = m_form.editor();
    document.SaveCancelled = false;
    if (editor->text().isEmpty())
        return;
    if (document.FileName.isEmpty() || document.FileName == line(0)) {
        FileSaveAs();
        return;
    }
    if (!documentLoaded())
        return;
    if (m_browser->scriptsRanInDocument()) {
        // The page shows what its scripts made of the file; saving that would write their
        // output into the file, and they would add it again on the next load.
        m_form.fileCommands().SaveSourceText();
        return;
    }
    m_browser->waitUntilReady();
    const auto page = m_browser->Document();
    const auto html = page ? page->serializedPage() : std::nullopt;
    if (!html) {
        m_form.prompter().warning(line(35));
        return;
    }
    if (html->trimmed().isEmpty())
        return;
    const QString doctype = DoctypeOf(editor->text());
    editor->setText(StripBorderStyleText(doctype.isEmpty() ? *html : doctype + kCrLf + *html));
    m_form.fileCommands().SaveSourceText();
}

void DesignerController::FileSaveAs()
{
    SynMemo *editor = m_form.editor();
    if (onlineLocation() && documentLoaded()) {
        const auto page = m_browser->Document();
        const auto html = page ? page->serializedPage() : std::nullopt;
        editor->clearAll();
        if (html)
            editor->setText(*html);
    }
    m_form.setActivePage(0);
    if (onDesignerPage())
        return;  // the page change was refused
    m_form.fileCommands().FileSaveAs();
}

void DesignerController::FileOpen()
{
    ReopenTextWindow = false;
    EditorDocument &document = m_form.document();
    if (designModeChecked()) {
        // Edits made in design mode live only in the engine until they are pulled: another
        // page must not replace them without a question.
        document.SaveCancelled = false;
        m_form.fileCommands().AskSaveChanges();
        if (document.SaveCancelled) {
            document.SaveCancelled = false;
            return;
        }
        ToggleDesignMode();
    }
    FileRequest request;
    request.filter = QStringLiteral("All (*.*)|*.*|HTML|*.HTML;*.HTM;*.html;*.htm|TXT|*.TXT;*.txt|RTF|*.RTF;*.rtf");
    request.folder = folderPart(document.FileName);
    request.name = fileNamePart(document.FileName);
    const QString path = m_form.prompter().openFileName(request);
    if (!path.isEmpty()) {
        m_browser->Navigate(path);
        m_form.fileCommands().OpenDocumentFile(path);
    }
    if (QAction *open = action(QStringLiteral("OpenButton")); open && open->isCheckable())
        open->setChecked(false);
    document.SaveCancelled = false;
}

void DesignerController::Print()
{
    if (const auto page = m_browser->Document())
        page->execCommand(QStringLiteral("Print"), true);
}

void DesignerController::PrintPreview()
{
    if (!documentLoaded())
        return;
    QPrintPreviewDialog dialog(&m_form);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *printer) {
        if (printer)
            m_browser->print(*printer);
    });
    m_form.prompter().execDialog(dialog);
}

void DesignerController::Undo()
{
    if (designModeChecked()) {
        if (const auto page = m_browser->Document())
            page->execCommand(QStringLiteral("Undo"));
    } else if (QLineEdit *url = editUrl()) {
        url->undo();
    }
}

void DesignerController::Cut()
{
    QLineEdit *url = editUrl();
    if (url && url->hasFocus()) {
        url->cut();
        return;
    }
    if (const auto page = m_browser->Document())
        page->execCommand(QStringLiteral("Cut"));
}

void DesignerController::Copy()
{
    if (designModeChecked()) {
        if (const auto page = m_browser->Document())
            page->execCommand(QStringLiteral("Copy"));
    } else if (QLineEdit *url = editUrl()) {
        url->copy();
    }
}

void DesignerController::Paste()
{
    if (designModeChecked()) {
        if (const auto page = m_browser->Document())
            page->execCommand(QStringLiteral("Paste"));
    } else if (QLineEdit *url = editUrl()) {
        url->paste();
    }
}

} // namespace korvel
