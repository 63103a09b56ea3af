#pragma once

#include "generators/cssbuilder.h"
#include "prompt/helpdialog.h"

#include <QList>
#include <optional>

class QColor;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvel {

class Prompter;

// The CSS dialog: a selector and up to twenty-one declarations for one rule in a style block.
// Its fields keep their texts from one showing to the next; OK leaves the block in Result.
class TFormCss final : public HelpDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormCss)

public:
    explicit TFormCss(Prompter &prompter, QWidget *parent = nullptr);

    QString Result;      // the block of the last OK, else empty

    CssFields fields() const;
    void setFields(const CssFields &fields);

    // "#" and the red, green and blue parts as two upper-case hex digits each.
    static QString Color2HTML(const QColor &color);

    void FormShow();     // clears the result, sets the language's texts
    void BitBtn1Click(); // OK
    void BitBtn2Click(); // Cancel

    QLineEdit *EditClass = nullptr;
    QComboBox *ComboBoxPosition = nullptr;
    QLineEdit *EditTop = nullptr;
    QLineEdit *EditLeft = nullptr;
    QLineEdit *EditWidth = nullptr;
    QLineEdit *EditMargin = nullptr;
    QComboBox *EditBorder = nullptr;
    QLineEdit *EditBColor = nullptr;
    QComboBox *ComboBStyle = nullptr;
    QLineEdit *EditPadding = nullptr;
    QLineEdit *EditFont = nullptr;
    QLineEdit *EditFontSize = nullptr;
    QComboBox *ComboBoxWeight = nullptr;
    QComboBox *ComboBoxStyle = nullptr;
    QLineEdit *EditFColor = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QComboBox *ComboBox2 = nullptr;
    QLineEdit *EditBackUrl = nullptr;
    QComboBox *ComboRepeat = nullptr;
    QComboBox *ComboPosition = nullptr;
    QComboBox *ComboAttach = nullptr;
    QLineEdit *EditBgColor = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;

private:
    void chooseColor(QLineEdit *field);

    Prompter &m_prompter;
    QList<QWidget *> m_valueWidgets;  // in the order of cssDeclarations()
};

// The style command in the source view: shows the dialog and gives the style block; nothing
// on Cancel or when there is nothing to insert. placeStyleBlock says where it goes.
std::optional<QString> runCssDialog(TFormCss &dialog, Prompter &prompter, int uiLanguage);

} // namespace korvel
