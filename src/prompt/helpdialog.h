#pragma once

#include "prompt/prompter.h"

#include <QDialog>

#include <functional>

class QKeyEvent;

namespace korvel {

// What every dialog of the editor shares: the UI-language flag its caller sets before showing
// it, and its help topic, which F1 (or a help button) asks the help viewer for.
class HelpDialog : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HelpDialog)

public:
    int UiLanguage = 0; // 0 German, any other value English; set by the caller before showing

    // Who shows a help topic; without one, F1 and the help button do nothing.
    void setHelpHandler(std::function<void(int)> handler) { m_help = std::move(handler); }
    int helpTopic() const { return m_helpTopic; }
    void showHelp() const;

protected:
    HelpDialog(int helpTopic, QWidget *parent);
    bool english() const { return UiLanguage != 0; }
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_helpTopic = 0;
    std::function<void(int)> m_help;
};

// The one way a dialog with a FormShow is shown: the language set, FormShow run, the dialog
// shown modally through the prompter. Gives QDialog::Accepted or QDialog::Rejected.
template <class Dialog>
int execInLanguage(Dialog &dialog, Prompter &prompter, int uiLanguage)
{
    dialog.UiLanguage = uiLanguage;
    dialog.FormShow();
    return prompter.execDialog(dialog);
}

} // namespace korvel
