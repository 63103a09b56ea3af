#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include "designer/designerfindbox.h"

namespace korvel {

class DesignerContext;


// The designer page's side of the source commands that work there too: find in the page,
// select all, letter case of the selection, and the page's text for the simple text window.
class DesignerSourceTools final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesignerSourceTools)

public:
    explicit DesignerSourceTools(DesignerContext &context, QObject *parent = nullptr);
    ~DesignerSourceTools() override;

    void FindInPage();                       // opens the find box
    void FindBoxFind();                      // the find box's Find Next
    void SelectAllOfPage();                  // selects the whole page and copies it
    void CopyPageByKeys();
    void LetterCaseOfSelection(bool upper);  // folds the selected text
    void GetPageText();                      // the page's text into the simple text window

    DesignerFindBox &findBox() { return *m_findBox; }
    // The main window's timer that shows the text window once, after a page was copied.
    QTimer &timer1() { return *m_timer1; }
    void Timer1Timer();
    // Shows the simple text window, which starts from the clipboard's text, in the current
    // language; a window already open starts afresh as well.
    void ShowTextWindow();

    // The source page was entered: the find box closes, and a text window asked for by a
    // text extraction comes back.
    void sourcePageEntered();

private:
    DesignerContext &m_ctx;
    // Both live on the main window, which may go first.
    QPointer<DesignerFindBox> m_findBox;
    QPointer<QTimer> m_timer1;
};

} // namespace korvel
