#pragma once

#include "prompt/helpdialog.h"

#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

namespace korvel {

class Prompter;

// Lets the person pick one entry of a short list of elements: the inspector offers the element
// at the selection and its ancestors, the block removal the tags it can remove.
class TFormSelect final : public HelpDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormSelect)

public:
    explicit TFormSelect(QWidget *parent = nullptr);

    int Choice = -1;    // the chosen entry's index; -1 when nothing was chosen

    QLabel *Label1 = nullptr;
    QListWidget *ListBox1 = nullptr;
    QPushButton *BitBtn2 = nullptr; // takes the selected entry
    QPushButton *BitBtn3 = nullptr; // cancel

    void setItems(const QStringList &items);

    // A caption of the action button other than the language's "Eigenschaften"/"Properties";
    // an empty text gives the language's caption back. It holds until changed again.
    void setActionCaption(const QString &caption);

    // Runs on every showing: the captions in the flag's language, no choice yet, the first
    // entry selected.
    void FormShow();

    // Shows the dialog modally through the prompter; the chosen index, or -1 when the person
    // cancelled or the list was empty.
    int execute(Prompter &prompter);

    void BitBtn2Click();
    void BitBtn3Click();

private:
    void setCaptions();

    QString m_actionCaption;
};

} // namespace korvel
