#pragma once

#include "generators/formbuilders.h"
#include "prompt/helpdialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvel {

// The form dialog: the attributes of a new form and which sample fields go into it. It is
// created once and keeps what was typed from one showing to the next; OK builds the form.
class TFormFormular final : public HelpDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormFormular)

public:
    explicit TFormFormular(QWidget *parent = nullptr);


    // Run before each showing: empties the result and puts the captions into the language.
    void FormShow();
    // OK: builds the result from the fields and closes the dialog accepted.
    void BitBtn1Click();
    // The upload box switches the method and encoding an upload needs, and back.
    void CheckUploadClick();

    FormFields fields() const;
    void setFields(const FormFields &fields);
    // The fragment OK built; empty until then on each showing.
    const QString &result() const { return m_result; }

    // The property inspector reuses the dialog for an existing form: it hides the onsubmit
    // field and locks the sample-field boxes, and shows them again afterwards.
    void setInsertionControlsShown(bool shown);

private:
    QLineEdit *EditName = nullptr;
    QLineEdit *EditAction = nullptr;
    QComboBox *Method = nullptr;
    QComboBox *EncType = nullptr;
    QLabel *LabelSubmit = nullptr;
    QLineEdit *EditSubmit = nullptr;
    QCheckBox *CheckSubmit = nullptr;
    QCheckBox *CheckReset = nullptr;
    QCheckBox *CheckInput = nullptr;
    QCheckBox *CheckUpload = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QString m_result;
};

} // namespace korvel
