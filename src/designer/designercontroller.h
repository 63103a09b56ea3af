#pragma once

#include "designer/designerstate.h"

#include <QObject>

#include <memory>

class QTimer;

namespace korvel {

class CommandContext;
class DesignAids;
class DesignerBrowsing;
class DesignerContext;
class DesignerFileEdit;
class DesignerFindBox;
class DesignerPageChange;
class DesignerSourceTools;
class Engine;
class WebEngineBrowser;

// The designer page of the main window. It owns the browser engine, puts its view on the page,
// holds the designer state, and registers the designer's commands and its side of the commands
// that work on both pages; the work is done by its parts: the page change and design mode, the
// design aids, browsing, File and Edit, and the source tools on the page.
class DesignerController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesignerController)

public:
    explicit DesignerController(CommandContext &context, QObject *parent = nullptr);
    ~DesignerController() override;

    WebEngineBrowser &browser() { return *m_browser; }
    Engine &engine();
    DesignerState &state() { return m_state; }
    DesignerContext &context() { return *m_context; }

    DesignerPageChange &pageChange() { return *m_pageChange; }
    DesignAids &aids() { return *m_aids; }
    DesignerBrowsing &browsing() { return *m_browsing; }
    DesignerFileEdit &fileEdit() { return *m_fileEdit; }
    DesignerSourceTools &sourceTools() { return *m_sourceTools; }

    // The check mark of BrowserEditmode1: design mode was switched on by this program.
    bool designModeChecked() const { return m_state.designModeOn; }
    void PullDesignerDocument();
    DesignerFindBox &findBox();
    QTimer &timer1();

private:
    void connectActions();

    CommandContext &m_shell;
    DesignerState m_state;
    WebEngineBrowser *m_browser = nullptr;
    std::unique_ptr<DesignerContext> m_context;
    std::unique_ptr<DesignerSourceTools> m_sourceTools;
    std::unique_ptr<DesignerPageChange> m_pageChange;
    std::unique_ptr<DesignAids> m_aids;
    std::unique_ptr<DesignerBrowsing> m_browsing;
    std::unique_ptr<DesignerFileEdit> m_fileEdit;
};

} // namespace korvel
