#pragma once

#include "generators/formbuilders.h"
#include "prompt/helpdialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvel {

class Prompter;

// The field dialog: one form field of a chosen type. It is created once and keeps what was
// typed from one showing to the next; only the name (and, by type, the length) start afresh.
class TFormInput final : public HelpDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormInput)

public:
    explicit TFormInput(Prompter &prompter, QWidget *parent = nullptr);

    int PresetType = 0;     // the type index the dialog opens with; set by the caller
    bool ButtonElement = false;  // type "button" builds a button element, not an input

    // Run before each showing: captions and hints in the language, the preset type, its name.
    void FormShow();
    // Whenever the type changes: the name, the labels and the length that suit it.
    void ComboBoxTypeChange();
    // Browse for the button picture; keeps the file's name without its folder.
    void BitBtn1Click();
    // OK: builds the result and closes accepted. Cancel: empties it and closes rejected.
    void BitBtn2Click();
    void BitBtn3Click();

    InputFields fields() const;
    // The fragment OK built; empty when the type names none.
    const QString &result() const { return m_result; }

private:
    void setLanguageTexts();

    Prompter &m_prompter;
    QLabel *LabelName = nullptr;
    QLabel *LabelSize = nullptr;
    QLabel *LabelLength = nullptr;
    QLabel *LabelType = nullptr;
    QLabel *LabelValue = nullptr;
    QLabel *LabelClick = nullptr;
    QLabel *LabelImage = nullptr;
    QLineEdit *EditName = nullptr;
    QLineEdit *EditSize = nullptr;
    QLineEdit *EditLength = nullptr;
    QComboBox *ComboBoxType = nullptr;
    QLineEdit *EditValue = nullptr;
    QLineEdit *EditClick = nullptr;
    QLineEdit *EditImage = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QPushButton *BitBtn3 = nullptr;
    QString m_result;
};

} // namespace korvel
