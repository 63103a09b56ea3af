#pragma once

#include <QString>

#include <optional>

namespace korvel {

class DesignerContext;
class DesignerSourceTools;

// Handing the document between the views, and design mode: leaving the source page writes the
// file the designer shows, leaving the designer pulls its page back into the source with the
// selection carried over, and design mode is switched on and off with the check marks showing
// what this program set.
class DesignerPageChange final {
public:
    DesignerPageChange(DesignerContext &context, DesignerSourceTools &sourceTools)
        : m_ctx(context), m_sourceTools(sourceTools) {}

    // A change of the page control's page: the leaving step sees the page it leaves; a refusal
    // keeps it.
    void pageChanged(int page);
    // The leaving step (false refuses the change) and the entering step.
    bool PageControl1Changing(int leavingPage);
    void PageControl1Change(int enteredPage);

    void BrowserEditmode1Click();
    void ToggleDesignMode();
    void PullDesignerDocument();
    void ToolButtonSourceClick();
    void Showsourcecode1Click();
    void ShowPageSource();
    void WebBrowser1DocumentComplete();

    QString CaptureDesignerSelection();
    void PlaceSourceSelection();
    void RevealSourcePosition(qsizetype position);

    void setCurrentPage(int page) { m_page = page; }

    // The source with the designer's edits spliced in, every byte the designer did not change
    // kept (before the generator is marked); empty when the shown page cannot be traced back
    // to the source it was loaded from, and the whole serialization must be taken instead.
    std::optional<QString> SplicedSource(const QString &serialized) const;
    // Puts the shown page (its serialization) into the editor's text as SplicedSource gives it,
    // and later edits are spliced into that text. False when the page cannot be traced back;
    // the editor's text is then unchanged and the caller takes the whole serialization.
    bool SpliceShownPage(const QString &serialized);
    // The shown page's serialization; the one taken last when the page has not changed since.
    std::optional<QString> ShownPageSerialization();

private:
    void setDesignModeChecked(bool on);
    // Makes a local page the designer shows by a link or the address box the document.
    void adoptShownFile();
    // Keeps the serialization of the page just loaded, with the source it came from.
    void takePullBaseline();
    void SpliceShownPage(const QString &serialized, const QString &spliced);
    // The new source now matches the page shown: later edits are spliced into it.
    void rebasePullBaseline(const QString &source, const QString &serialized);
    // The save of the design-mode switch: the shown page written into its source.
    void saveShownPage();

    DesignerContext &m_ctx;
    DesignerSourceTools &m_sourceTools;
    int m_page = 0;
    bool m_changingPage = false;
};

} // namespace korvel
