#pragma once

#include "generators/objectbuilder.h"
#include "prompt/helpdialog.h"

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace korvel {

class Prompter;

// The object dialog: an object element from a starting sample (Flash, data, Java applet,
// ActiveX player), its attribute fields and a list of param lines. Everything is text; the
// dialog shows or runs nothing. OK leaves the element in Result.
class TFormObject final : public HelpDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormObject)

public:
    explicit TFormObject(QWidget *parent = nullptr);

    QString Result;      // the element of the last OK, else empty

    ObjectFields fields() const;

    void FormShow();         // language texts, no type chosen, fields reset but for the size
    void ComboBox1Select();  // fills the fields with the chosen type's sample
    void ComboBox2Select();  // the chosen MIME type into type (data) or codetype (Java)
    void ButtonAddClick();   // appends a param line from EditPName and EditPValue
    void Button1Click();     // empties the parameter list
    void BitBtn1Click();     // OK
    void BitBtn2Click();     // Cancel
    void ClearAll();

    QComboBox *ComboBox1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label11 = nullptr;
    QLineEdit *EditClass = nullptr;
    QLineEdit *EditCode = nullptr;
    QLineEdit *EditName = nullptr;
    QLineEdit *EditWidth = nullptr;
    QLineEdit *EditHeight = nullptr;
    QLineEdit *EditBorder = nullptr;
    QLineEdit *EditMap = nullptr;
    QComboBox *ComboBox2 = nullptr;
    QLineEdit *EditPName = nullptr;
    QLineEdit *EditPValue = nullptr;
    QPushButton *ButtonAdd = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;

private:
    void setLanguageTexts();
    void setParams(const QString &params);
};

// The object command in the source view: shows the dialog and gives the element followed by
// the text that was selected, which together replace the selection; nothing on Cancel.
std::optional<QString> runObjectDialog(TFormObject &dialog, Prompter &prompter, int uiLanguage,
                                       const QString &selectedText);

} // namespace korvel
