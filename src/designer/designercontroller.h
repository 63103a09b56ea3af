#pragma once

#include "app/designerside.h"
#include "designer/selectioncarry.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>

class QAction;
class QLineEdit;

namespace korvel {

class TMainForm;
class WebEngineBrowser;
class Engine;

// The designer page of the main window: handing the document between the views, design mode,
// the design aids and browser functions, the selection carry-over, and the designer's side of
// the File and Edit commands. It owns the browser engine and puts its view on the page.
class DesignerController final : public QObject, public DesignerSide {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesignerController)

public:
    explicit DesignerController(TMainForm &form, QObject *parent = nullptr);
    ~DesignerController() override;

    WebEngineBrowser &browser() { return *m_browser; }
    Engine &engine();

    // State of the designer page.
    bool BorderSheetPresent = false;
    const QString BorderSheetTitle = QStringLiteral("tmpie8style");
    double ZoomFactor = 1.0;
    DesignerSelectionSnapshot Selection;  // SelText, SelHtml, ... and LastElementText
    QString KeptElementHtml;              // the element commands' kept element, cleared on entering
    bool CellSelected = false;            // the element commands' cell flag, cleared on entering
    bool ReopenTextWindow = false;
    // Shows the text window again (set by the text extraction).
    std::function<void()> reopenTextWindow;

    // The page change: the leaving step (false refuses the change) and the entering step.
    bool PageControl1Changing(int leavingPage);
    void PageControl1Change(int enteredPage);

    void BrowserEditmode1Click();
    void ToggleDesignMode();
    // The check mark of BrowserEditmode1: design mode was switched on by this program.
    bool designModeChecked() const { return m_designModeOn; }
    void PullDesignerDocument() override;
    void ToolButtonSourceClick();
    void Showsourcecode1Click();
    void ShowPageSource();
    void WebBrowser1DocumentComplete();
    void ExecEditingCommand(int command, const QVariant &value);

    QString CaptureDesignerSelection();
    void PlaceSourceSelection();
    void RevealSourcePosition(qsizetype position);

    void ToolButtonBordersClick();
    void ToolButtonShowHtmlClick();
    void ButtonZoomPlusClick();
    void ButtonZoomMinusClick();
    void ButtonUrlClick();
    void Back2Click();
    void Back1Click();
    void Refresh1Click();
    void MessagesClick();
    void CreateBorderStyleSheet();
    void ToggleBorderStyleSheet();
    void RemoveBorderStyleSheet();
    void PopupMenu1Popup(const QPoint &globalPosition);

    // The designer's side of the File and Edit commands.
    void FileSave() override;
    void FileSaveAs() override;
    void FileOpen() override;
    void Print() override;
    void PrintPreview() override;
    void Undo() override;
    void Cut() override;
    void Copy() override;
    void Paste() override;

private:
    bool onDesignerPage() const;
    bool documentLoaded() const;
    bool onlineLocation() const;
    QString line(int number) const;
    QAction *action(const QString &name) const;
    void setChecked(const QString &name, bool checked);
    bool isChecked(const QString &name) const;
    void setBrowserMenuEnabled(bool enabled);
    void pageChanged(int page);
    void connectActions();
    // Sends the command to the designer's handler on the designer page, else to the source's.
    bool writeEditorTextTo(const QString &path);
    QLineEdit *editUrl() const;

    TMainForm &m_form;
    WebEngineBrowser *m_browser = nullptr;
    int m_page = 0;
    bool m_changingPage = false;
    // What this program set the document's designMode to; the check marks show it.
    bool m_designModeOn = false;
};

} // namespace korvel
