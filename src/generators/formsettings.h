#pragma once

#include "generators/linkbuilder.h"
#include "prompt/helpdialog.h"

#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korvel {

class Prompter;

// The link dialog: a link to a URL, a mail link, or an anchor link with its anchor. It only
// collects the fields; MakeLink writes the fragment, which OK leaves in Result.
class TFormSettings final : public HelpDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormSettings)

public:
    explicit TFormSettings(Prompter &prompter, QWidget *parent = nullptr);

    LinkKind PresetKind = LinkKind::Url; // the kind button checked when shown
    QString Result;                      // the fragment of the last OK, else empty
    // Set while the property inspector edits an existing link: OK then takes the fields as
    // they stand (a link without a name is fine) and builds no fragment.
    bool EditsExistingLink = false;

    // The fields as they stand, and as they stood when OK last produced a link (OK empties
    // the address and the description afterwards, so a caller that wants the values reads
    // these).
    LinkFields fields() const;
    const LinkFields &acceptedFields() const { return m_accepted; }

    // Runs before each showing: language texts, the preset kind, an empty title.
    void FormShow();
    void RadioButton1Click();  // URL
    void RadioButton2Click();  // mail
    void RadioButton3Click();  // anchor
    void RadioButton4Click();  // plain
    void BitBtn1Click();       // OK
    void BitBtn2Click();       // Cancel

    QGroupBox *GroupBox1 = nullptr;
    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QRadioButton *RadioButton3 = nullptr;
    QRadioButton *RadioButton4 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *EditName = nullptr;
    QLineEdit *EditColor = nullptr;
    QLineEdit *EditMyTitle = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setLanguageTexts();
    void closeFields();
    void emptyTarget();

    Prompter &m_prompter;
    LinkFields m_accepted;
};

// The link command in the source view: presets the dialog from the selected source text,
// shows it, and gives the fragment that replaces the selection; nothing on Cancel.
std::optional<QString> runLinkDialog(TFormSettings &dialog, Prompter &prompter, int uiLanguage,
                                     const QString &selectedText);

} // namespace korvel
