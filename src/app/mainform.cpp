#include "app/mainform.h"
#include "app/diskwatch.h"
#include "app/recoverykeeper.h"

#include "app/busyindicator.h"
#include "app/captions.h"
#include "app/cataloguedata.h"
#include "app/commandids.h"
#include "app/commandregistry.h"
#include "app/documentfile.h"
#include "app/filecommands.h"
#include "app/formsellang.h"
#include "app/launchcommands.h"
#include "app/recentfiles.h"
#include "app/settingscommands.h"
#include "app/startoptions.h"
#include "app/windowtitle.h"
#include "editor/synmemo.h"
#include "prompt/prompter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QTranslator>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QMimeData>
#include <QOpenGLWidget>
#include <QPointer>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <QKeyEvent>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

#include <cstdio>

namespace korvel {

namespace {

// The dynamic property that holds a menu item's caption without its Alt letter.
constexpr char kPlainCaption[] = "korvelPlainCaption";

} // namespace

int engineMajorVersionOf(const QString &version)
{
    qsizetype i = 0;
    while (i < version.size() && version.at(i).isDigit() && version.at(i).unicode() < 128)
        ++i;
    bool ok = false;
    const int value = version.left(qMin<qsizetype>(i, 9)).toInt(&ok);
    return ok ? value : 0;
}

QSize mainWindowSize(const QSize &screen)
{
    QSize size(786, 543);
    if (screen.width() > 1000) {
        size.setWidth(1000);
        if (screen.height() > 700)
            size.setHeight(700);
    }
    return size;
}

TMainForm::TMainForm(Prompter &prompter, QWidget *parent)
    : QMainWindow(parent)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TMainForm"));
    setWindowTitle(QStringLiteral("Korvel"));
    m_engineVersionText = QString::fromLatin1(qWebEngineChromiumVersion());
    m_commands = new CommandRegistry(m_prompter, [this](int number) { return line(number); },
                                     [this] { return Page(activePage()); }, this);
    buildActions();
    buildPages();
    buildStatusBar();
    markLongCommands();
    m_fileCommands = new FileCommands(*this);
    m_settingsCommands = new SettingsCommands(*this);
    new DiskWatch(*this, this);
    new RecoveryKeeper(*this, this);
    connectCommands();
    m_recent = new RecentFiles(*this, findChild<QMenu *>(QStringLiteral("FileMenu")), this);
    qApp->installEventFilter(this);
    // F10 opens the menu bar, as in other desktop programs.
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        if (!menuBar()->actions().isEmpty())
            menuBar()->setActiveAction(menuBar()->actions().first());
    });
    FormCreate();
}

TMainForm::~TMainForm()
{
    delete m_fileCommands;
    delete m_settingsCommands;
}

void TMainForm::buildPages()
{
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->setTabPosition(QTabWidget::South);

    auto *source = new QWidget(m_pages);
    source->setObjectName(QStringLiteral("TabSheet3"));
    m_editor = new SynMemo(source);
    m_document.editor = m_editor;
    auto *layout = new QVBoxLayout(source);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_editor);
    m_pages->addTab(source, QStringLiteral("Quellcode"));

    auto *designer = new QWidget(m_pages);
    designer->setObjectName(QStringLiteral("TabSheet2"));
    auto *designerLayout = new QVBoxLayout(designer);
    designerLayout->setContentsMargins(0, 0, 0, 0);
    m_pages->addTab(designer, QStringLiteral("Browser/Designer"));
    // The web view draws through OpenGL. Were the window first to learn that when the view first
    // shows, X would give it a new native window, and the keyboard focus would be lost with the
    // old one; a hidden OpenGL child tells it before the window is created. The platforms
    // without windows (tests) have no OpenGL for widgets.
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal")) {
        auto *glSurface = new QOpenGLWidget(designer);
        glSurface->setObjectName(QStringLiteral("DesignerSurface"));
        glSurface->hide();
    }
    setCentralWidget(m_pages);

    m_editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_editor, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        if (auto *menu = findChild<QMenu *>(QStringLiteral("PopupMenu2")))
            menu->popup(m_editor->mapToGlobal(pos));
    });
    // The right margin follows the editor's width: the last fully visible column.
    connect(m_editor, &SynMemo::resized, this,
            [this] { m_editor->setRightMarginColumn(m_editor->visibleColumns() - 1); });
    connect(m_editor, &SynMemo::clicked, this, &TMainForm::StatusUpdate);
    connect(m_editor, &SynMemo::keyReleased, this, &TMainForm::StatusUpdate);
    connect(m_editor, &SynMemo::cursorPositionChanged, this, &TMainForm::StatusUpdate);
    connect(m_editor, &SynMemo::modifiedChanged, this, [this] {
        if (!m_fixedCaption)
            setWindowModified(m_editor->modified());
    });
    source->setFocusProxy(m_editor);
    // A click on a tab changes the page right after this signal, in the same event.
    connect(m_pages->tabBar(), &QTabBar::tabBarClicked, this, [](int) { BusyIndicator::untilIdle(); });
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int page) {
        m_document.activeView = page;
        m_commands->refresh();
        // The keys go to the page that is shown, once the change (which may be refused) is over.
        QMetaObject::invokeMethod(this, [this] {
            if (QWidget *shown = m_pages->currentWidget(); shown && isVisible() && !shown->hasFocus())
                shown->setFocus(Qt::OtherFocusReason);
        }, Qt::QueuedConnection);
    });
}

void TMainForm::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    const int widths[4] = {120, 120, 60, 120};
    for (int i = 0; i < 4; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setMinimumWidth(widths[i]);
        panel->setFrameShape(QFrame::StyledPanel);
        if (i == 1)
            panel->setAlignment(Qt::AlignCenter);
        bar->addWidget(panel, i == 3 ? 1 : 0);
        m_panels << panel;
    }
    // Hints arrive as status tips: QStatusBar shows them in place of these panels while they are
    // non-empty and brings the panels back afterwards.
}

void TMainForm::markLongCommands()
{
    BusyIndicator::setStatusBar(statusBar());
    BusyIndicator::setLargeWorkQuery([editor = QPointer<SynMemo>(m_editor)] {
        return editor && editor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH) >= kLargePageLength;
    });
    for (const char *id : {cmd::DesignMode, cmd::PageSource, cmd::ShowSourceCode, cmd::CheckHtml, cmd::RemoveLineFeeds,
                           cmd::InsertLineFeeds, cmd::RemoveHyphenation, cmd::LowerCase, cmd::UpperCase,
                           cmd::ReplaceUmlauts, cmd::GetText})
        m_commands->markLong(id);
}

QLabel *TMainForm::statusPanel(int index) const
{
    return m_panels.value(index);
}

void TMainForm::connectCommands()
{
    m_fileCommands->connectActions();
    m_settingsCommands->connectActions();
    (new LaunchCommands(*this))->connectActions();
}

QAction *TMainForm::action(const QString &name) const
{
    return m_commands->action(name);
}

int TMainForm::activePage() const
{
    return m_pages->currentIndex();
}

void TMainForm::setActivePage(int page)
{
    // Entering the designer loads the page; leaving it takes the page back.
    const BusyIndicator busy;
    m_pages->setCurrentIndex(page);
}

QString TMainForm::programFolder() const
{
    return QCoreApplication::applicationDirPath();
}

void TMainForm::SetFileName(const QString &name)
{
    m_document.FileName = name;
    m_panels[3]->setText(name);
    m_fixedCaption = false;
    updateWindowTitle();
    if (m_recent && QFileInfo(name).isFile())
        m_recent->remember(QFileInfo(name).absoluteFilePath());
}

void TMainForm::updateWindowTitle()
{
    m_ownTitle = documentWindowTitle(m_document.FileName, QStringLiteral("Korvel"));
    setWindowTitle(m_ownTitle);
    setWindowModified(m_editor->modified());
}

void TMainForm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // A caption a command sets itself (the page properties do) is kept as it is.
    if (event->type() == QEvent::WindowTitleChange && windowTitle() != m_ownTitle && !m_fixedCaption) {
        m_fixedCaption = true;
        setWindowModified(false);
    }
}

void TMainForm::setStatusPanelText(int index, const QString &text)
{
    if (QLabel *panel = statusPanel(index))
        panel->setText(text);
}

QString TMainForm::statusPanelText(int index) const
{
    const QLabel *panel = statusPanel(index);
    return panel ? panel->text() : QString();
}

void TMainForm::StatusUpdate()
{
    m_panels[0]->setText(QString::asprintf(line(Msg::StatusRowColumn).toUtf8().constData(), m_editor->caretLine(),
                                           m_editor->caretColumn()));
    m_panels[1]->setText(QString::number(m_editor->selStart()));
}

void TMainForm::FormCreate()
{
    SetFileName(QString());  // the catalogue is not active yet at this moment
    StatusUpdate();
    m_pages->setTabText(1, QStringLiteral("Browser/Designer"));
    m_pages->setTabText(0, QStringLiteral("Quellcode"));
    m_pages->setCurrentIndex(0);

    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                          : QRect(0, 0, 1280, 1024);
    const QSize size = mainWindowSize(screen.size());
    resize(size);
    move(screen.center() - QPoint(size.width() / 2, size.height() / 2));
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        FormShow();
    }
}

void TMainForm::FormShow()
{
    m_shownOnce = true;
    EngineMajorVersion = 0;
    DesignModeAvailable = true;
    DesignModeWasOn = false;

    const QString custom = qEnvironmentVariable("KORVEL_DATA_DIR");
    m_dataFolder = custom.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/htmldata/")
        : QDir(custom).absolutePath() + QLatin1Char('/');
    QDir().mkpath(m_dataFolder);
    m_recent->load();

    m_editor->setHighlighter(Highlighter::Html);
    m_settingsCommands->SeedSettings();
    ReadSettings();
    ApplyLanguage();
    StatusUpdate();
    setAcceptDrops(true);
    m_editor->setFocus();

    if (!m_arguments.isEmpty()) {
        const QString path = m_arguments.first();
        const StartFileProblem problem = startFileProblem(path);
        if (problem == StartFileProblem::None) {
            m_fileCommands->OpenDocumentFile(QFileInfo(path).absoluteFilePath());
        } else {
            // Said on the terminal and in the window, so that a mistyped name is not silence.
            const QString reason = startFileReason(problem, UiLanguage);
            std::fprintf(stderr, "korvel: %s: %s\n", qPrintable(path), qPrintable(startFileReason(problem, 1)));
            m_prompter.error(line(Msg::CannotOpenFile) + path + QLatin1Char('\n') + reason);
        }
    }

    SelectFontByName(QStringLiteral("Arial"));

    EngineMajorVersion = engineMajorVersionOf(m_engineVersionText);
    if (EngineMajorVersion < 5) {
        DesignModeAvailable = false;
        m_prompter.error(line(Msg::NoSupportedEngine) + QString::number(EngineMajorVersion));
    }
    m_commands->refresh();
    if (auto *recovery = findChild<RecoveryKeeper *>())
        recovery->offerRecovery();
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    StatusUpdate();
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    // F1 anywhere in the window asks for the help of the active view.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
        if (auto *w = qobject_cast<QWidget *>(watched); w && w->window() == this) {
            showHelpContext(onPage(Page::Source) ? 60 : 70);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::showHelpContext(int context)
{
    if (helpHandler)
        helpHandler(context);
}

void TMainForm::SelectFontByName(const QString &name)
{
    int exact = -1, contained = -1;
    for (int i = 0; i < m_comboFont->count(); ++i) {
        const QString entry = m_comboFont->itemText(i);
        if (entry == name) {
            exact = i;
            break;
        }
        if (entry.contains(name, Qt::CaseInsensitive))
            contained = i;
    }
    m_comboFont->setCurrentIndex(-1);
    m_comboFont->setCurrentIndex(exact >= 0 ? exact : (contained >= 0 ? contained : 0));
}

void TMainForm::ApplyLanguage()
{
    m_catalogue.setLanguage(UiLanguage);
    // The standard buttons of message boxes and the common dialogs speak the same language.
    if (!m_qtTexts) {
        m_qtTexts = new QTranslator(this);
        if (!m_qtTexts->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            qInfo("Qt's German texts are not installed; standard buttons stay English");
    }
    if (UiLanguage == 0 && !m_qtTexts->isEmpty())
        QCoreApplication::installTranslator(m_qtTexts);
    else
        QCoreApplication::removeTranslator(m_qtTexts);
    for (int i = 0; i < kCatalogueControlCount; ++i) {
        const CatalogueControl &c = kCatalogueControls[i];
        const QString name = QString::fromUtf16(c.control);
        const QString text = m_catalogue.line(c.line);
        if (name == QStringLiteral("TabSheet3")) {
            m_pages->setTabText(0, text);
            continue;
        }
        QAction *a = action(name);
        if (!a)
            continue;
        if (c.hint) {
            a->setToolTip(text);
            a->setStatusTip(text);
        } else {
            const CaptionParts parts = splitCaption(text);
            a->setProperty(kPlainCaption, parts.text);
            // A shortcut written into the caption moves to the menu's shortcut column.
            if (!parts.shortcut.isEmpty() && a->shortcut().isEmpty())
                a->setShortcut(QKeySequence(parts.shortcut));
        }
    }
    m_commands->setChecked(cmd::English, UiLanguage != 0);
    m_commands->setChecked(cmd::German, UiLanguage == 0);
    m_recent->retranslate();
    applyMnemonics();
    StatusUpdate();
}

void TMainForm::applyMnemonics()
{
    // Each menu's captions get their Alt letters together, so that no letter repeats in it;
    // the plain caption is kept on the action for the next language switch.
    const auto apply = [](const QList<QAction *> &actions, const QString &reserved) {
        QStringList plain;
        QList<QAction *> items;
        for (QAction *a : actions) {
            if (a->isSeparator())
                continue;
            if (!a->property(kPlainCaption).isValid())
                a->setProperty(kPlainCaption, a->text());
            plain << a->property(kPlainCaption).toString();
            items << a;
        }
        const QStringList shown = withMnemonics(plain, reserved);
        for (qsizetype i = 0; i < items.size(); ++i) {
            items[i]->setText(shown.at(i));
            if (QMenu *menu = items[i]->menu())
                menu->setTitle(shown.at(i));
        }
    };
    // Alt+X stays Exit: the menu bar leaves the letter to it.
    apply(menuBar()->actions(), QStringLiteral("X"));
    // Named menus only: the menu bar's overflow menu repeats the top menus.
    for (QMenu *menu : findChildren<QMenu *>()) {
        if (!menu->objectName().isEmpty())
            apply(menu->actions(), QString());
    }
}

void TMainForm::ChooseLanguage()
{
    TFormSelLang chooser(this);
    chooser.preset(QLocale::system().language() == QLocale::German ? 0 : 1);
    m_prompter.execDialog(chooser);
    UiLanguage = chooser.selectedLanguage();
}

void TMainForm::ReadSettings()
{
    m_settingsCommands->ReadSettings();
}

void TMainForm::WriteLanguage()
{
    m_settingsCommands->WriteLanguage();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TMainForm::FormCloseQuery()
{
    // A Cancel answered to an earlier question must not keep the window from closing now.
    m_document.SaveCancelled = false;
    if (m_editor->text().trimmed().isEmpty())
        return true;
    if (closeAsked) {
        closeAsked = false;
        WriteLanguage();
        return true;
    }
    if (onPage(Page::Designer)) {
        // The designer hands its page back only when design mode was used; with no designer
        // edits the window closes without a question.
        if (!DesignModeWasOn)
            return true;
        setActivePage(int(Page::Source));
    }
    const bool goOn = m_fileCommands->AskSaveChanges();
    WriteLanguage();
    return goOn;
}

void TMainForm::FormClose()
{
    WriteLanguage();
}

void TMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    FilesDropped(paths);
    event->acceptProposedAction();
}

void TMainForm::FilesDropped(const QStringList &paths)
{
    if (paths.isEmpty() || paths.first().size() > 4096)
        return;
    // Cancel keeps the text the user has; the dropped file is not opened then.
    if (!m_fileCommands->AskSaveChanges())
        return;
    m_fileCommands->OpenDocumentFile(paths.first());
}

} // namespace korvel
