#include "designer/designercontroller.h"

#include "app/commandcontext.h"
#include "app/commandids.h"
#include "app/commandregistry.h"
#include "designer/designaids.h"
#include "designer/designerbrowsing.h"
#include "designer/designercontext.h"
#include "designer/designerfileedit.h"
#include "designer/designerfindbox.h"
#include "designer/designerpagechange.h"
#include "designer/designersourcetools.h"
#include "designer/webenginebrowser.h"

#include <QAction>
#include <QLayout>
#include <QLineEdit>
#include <QShortcut>
#include <QTabWidget>
#include <QWebEngineView>

namespace korvel {

DesignerController::DesignerController(CommandContext &context, QObject *parent)
    : QObject(parent), m_shell(context)
{
    QWidget *window = context.window();
    m_browser = new WebEngineBrowser(&context.prompter(), this);
    if (QWidget *sheet = window->findChild<QWidget *>(QStringLiteral("TabSheet2")); sheet && sheet->layout()) {
        sheet->layout()->addWidget(m_browser->view());
        sheet->setFocusProxy(m_browser->view());  // the keys go to the page when it is shown
    }

    m_context = std::make_unique<DesignerContext>(context, *m_browser, m_state);
    m_sourceTools = std::make_unique<DesignerSourceTools>(*m_context);
    m_pageChange = std::make_unique<DesignerPageChange>(*m_context, *m_sourceTools);
    m_aids = std::make_unique<DesignAids>(*m_context);
    m_browsing = std::make_unique<DesignerBrowsing>(*m_context, *m_pageChange);
    m_fileEdit = std::make_unique<DesignerFileEdit>(*m_context, *m_pageChange);

    connect(m_browser->view(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_aids->PopupMenu1Popup(m_browser->view()->mapToGlobal(pos)); });
    connect(m_browser, &WebEngineBrowser::documentComplete, this, [this] { m_pageChange->WebBrowser1DocumentComplete(); });

    auto *pages = window->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    m_pageChange->setCurrentPage(context.activePage());
    connect(pages, &QTabWidget::currentChanged, this, [this](int page) { m_pageChange->pageChanged(page); });
    connectActions();

    // Ctrl+PgDown and Ctrl+PgUp go to the next and the previous page.
    auto *next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), window);
    connect(next, &QShortcut::activated, this, [this, pages] {
        const int page = m_shell.activePage();
        if (page + 1 < pages->count())
            m_shell.setActivePage(page + 1);
    });
    auto *previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), window);
    connect(previous, &QShortcut::activated, this, [this] {
        const int page = m_shell.activePage();
        if (page > 0)
            m_shell.setActivePage(page - 1);
    });
}

DesignerController::~DesignerController() = default;

Engine &DesignerController::engine()
{
    return *m_browser;
}

void DesignerController::PullDesignerDocument()
{
    m_pageChange->PullDesignerDocument();
}

DesignerFindBox &DesignerController::findBox()
{
    return m_sourceTools->findBox();
}

QTimer &DesignerController::timer1()
{
    return m_sourceTools->timer1();
}

// Every command of the designer page, and the designer's side of the commands that work on both
// pages, in one place.
void DesignerController::connectActions()
{
    CommandRegistry &commands = m_shell.commands();

    commands.add(cmd::DesignMode, {QStringLiteral("BrowserEditmode1"), QStringLiteral("ToolButtonEdit")})
        .handle([this] { m_pageChange->BrowserEditmode1Click(); })
        .checkable();
    commands.add(cmd::PageSource, {QStringLiteral("ToolButtonSource"), QStringLiteral("GetHTMLSource1")})
        .handle([this] { m_pageChange->ToolButtonSourceClick(); })
        .initiallyDisabled();
    commands.add(cmd::ShowSourceCode, {QStringLiteral("Showsourcecode1")}).handle([this] { m_pageChange->Showsourcecode1Click(); });
    commands.add(cmd::Borders, {QStringLiteral("ToolButtonBorders")}).handle([this] { m_aids->ToolButtonBordersClick(); }).checkable();
    commands.add(cmd::TagGlyphs, {QStringLiteral("ToolButtonShowHtml")})
        .handle([this] { m_aids->ToolButtonShowHtmlClick(); })
        .checkable();
    commands.add(cmd::ZoomIn, {QStringLiteral("ButtonZoomPlus"), QStringLiteral("Zoom1"), QStringLiteral("Zoomin1")})
        .handle([this] { m_aids->ButtonZoomPlusClick(); })
        .initiallyDisabled();
    commands.add(cmd::ZoomOut, {QStringLiteral("ButtonZoomMinus"), QStringLiteral("ZoomOut1"), QStringLiteral("Zoomout2")})
        .handle([this] { m_aids->ButtonZoomMinusClick(); })
        .initiallyDisabled();
    commands.add(cmd::Navigate, {QStringLiteral("ButtonUrl"), QStringLiteral("NavigatetoURL1")})
        .handle([this] { m_browsing->ButtonUrlClick(); });
    commands.add(cmd::GoBack, {QStringLiteral("Back2")}).handle([this] { m_browsing->Back2Click(); });
    commands.add(cmd::GoForward, {QStringLiteral("Back1")}).handle([this] { m_browsing->Back1Click(); });
    commands.add(cmd::Reload, {QStringLiteral("Refresh1")}).handle([this] { m_browsing->Refresh1Click(); });
    commands.add(cmd::BrowserMessages, {QStringLiteral("Messages")})
        .handle([this] { m_browsing->MessagesClick(); })
        .checkable();

    // What the other commands ask of the designer.
    commands.add(cmd::PullDesignerPage).onDesigner([this] { m_pageChange->PullDesignerDocument(); });
    commands.add(cmd::ShowBlankPage).onDesigner([this] { m_browsing->ShowBlankPage(); });
    commands.add(cmd::ForgetTextWindow).handle([this] { m_state.ReopenTextWindow = false; });

    // The designer's side of File and Edit.
    commands.add(cmd::FileSave).onDesigner([this] { m_fileEdit->FileSave(); });
    commands.add(cmd::FileSaveAs).onDesigner([this] { m_fileEdit->FileSaveAs(); });
    commands.add(cmd::FileOpen).onDesigner([this] { m_fileEdit->FileOpen(); });
    commands.add(cmd::Print).onDesigner([this] { m_fileEdit->Print(); });
    commands.add(cmd::PrintPreview, {QStringLiteral("Printpreview1")})
        .onDesigner([this] { m_fileEdit->PrintPreview(); })
        .initiallyDisabled();
    commands.add(cmd::Undo).onDesigner([this] { m_fileEdit->Undo(); });
    commands.add(cmd::Cut).onDesigner([this] { m_fileEdit->Cut(); });
    commands.add(cmd::Copy).onDesigner([this] { m_fileEdit->Copy(); });
    commands.add(cmd::Paste).onDesigner([this] { m_fileEdit->Paste(); });

    // The designer's side of the source commands that work on its page too.
    commands.add(cmd::Find).onDesigner([this] { m_sourceTools->FindInPage(); });
    commands.add(cmd::SelectAll).onDesigner([this] { m_sourceTools->SelectAllOfPage(); });
    commands.add(cmd::LowerCase).onDesigner([this] { m_sourceTools->LetterCaseOfSelection(false); });
    commands.add(cmd::UpperCase).onDesigner([this] { m_sourceTools->LetterCaseOfSelection(true); });
    commands.add(cmd::GetText).onDesigner([this] { m_sourceTools->GetPageText(); });

    commands.setDesignModeQuery([this] { return m_state.designModeOn; });
    if (QAction *browserMenu = commands.action(QStringLiteral("Browser1")))
        commands.addPageMenu(browserMenu, Page::Designer);

    for (const char *id : {cmd::DesignMode, cmd::TagGlyphs, cmd::BrowserMessages})
        commands.setChecked(id, false);
    // Marked while the borders are hidden.
    commands.setChecked(cmd::Borders, true);
    if (QLineEdit *url = m_context->editUrl()) {
        url->setEnabled(true);
        connect(url, &QLineEdit::returnPressed, this, [this] { m_shell.commands().run(cmd::Navigate); });
    }
}

} // namespace korvel
