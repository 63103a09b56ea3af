#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QLabel;
class QListWidget;
class QPushButton;

namespace korvel {

class Prompter;

// Lets the person pick one entry of a short list of elements: the inspector offers the element
// at the selection and its ancestors, the block removal the tags it can remove.
class TFormSelect final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormSelect)

public:
    explicit TFormSelect(QWidget *parent = nullptr);

    int UiLanguage = 0; // 0 German, any other value English; set by the caller before showing
    int Choice = -1;    // the chosen entry's index; -1 when nothing was chosen

    QLabel *Label1 = nullptr;
    QListWidget *ListBox1 = nullptr;
    QPushButton *BitBtn2 = nullptr; // takes the selected entry
    QPushButton *BitBtn3 = nullptr; // cancel

    void setItems(const QStringList &items);

    // A caption of the action button other than the language's "Eigenschaften"/"Properties";
    // an empty text gives the language's caption back. It holds until changed again.
    void setActionCaption(const QString &caption);

    void setHelpHandler(std::function<void(int)> handler) { m_help = std::move(handler); }

    // Runs on every showing: the captions in the flag's language, no choice yet, the first
    // entry selected.
    void FormShow();

    // Shows the dialog modally through the prompter; the chosen index, or -1 when the person
    // cancelled or the list was empty.
    int execute(Prompter &prompter);

    void BitBtn2Click();
    void BitBtn3Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setCaptions();

    QString m_actionCaption;
    std::function<void(int)> m_help;
};

} // namespace korvel
