#pragma once

#include "app/designerside.h"
#include "designer/selectioncarry.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>

class QAction;
class QLineEdit;
class QTimer;

namespace korvel {

class DesignerFindBox;
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
    // Shows the text window again on the return to the source page after a text extraction
    // that copied the page; shows the simple text window unless replaced.
    std::function<void()> reopenTextWindow;

    // The page change: the leaving step (false refuses the change) and the entering step.
    bool PageControl1Changing(int leavingPage);
    void PageControl1Change(int enteredPage);

    void BrowserEditmode1Click();
    void ToggleDesignMode();
    // The check mark of BrowserEditmode1: design mode was switched on by this program.
    bool designModeChecked() const { return m_designModeOn; }
    void PullDesignerDocument() override;
    void ForgetTextWindow() override { ReopenTextWindow = false; }
    void ShowBlankPage() override;
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

    // The designer's side of the source commands that work on the designer page too.
    void FindInPage();                       // opens the find box
    void FindBoxFind();                      // the find box's Find Next
    void SelectAllOfPage();                  // selects the whole page and copies it
    void CopyPageByKeys();
    void LetterCaseOfSelection(bool upper);  // folds the selected text
    void GetPageText();                      // the page's text into the simple text window

    DesignerFindBox &findBox();
    // The main window's timer that shows the text window once, after a page was copied.
    QTimer &timer1();
    void Timer1Timer();
    // Shows the simple text window, which starts from the clipboard's text, in the current
    // language; a window already open starts afresh as well.
    void ShowTextWindow();

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
    // Both live on the main window, which may go first.
    QPointer<DesignerFindBox> m_findBox;
    QPointer<QTimer> m_timer1;
    int m_page = 0;
    bool m_changingPage = false;
    // What this program set the document's designMode to; the check marks show it.
    bool m_designModeOn = false;
};

} // namespace korvel
