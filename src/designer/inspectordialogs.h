#pragma once

#include "designer/inspectordialog.h"

class QListWidget;

namespace korvel {

// The inspector's own dialogs. Each is made once and filled afresh by the inspector before it
// is shown; the fields carry the names the inspector fills them by.

// Any element without a dialog of its own: its first tag and its parent's, read only.
class TFormProperty final : public InspectorDialog {
    Q_OBJECT
public:
    TFormProperty(Prompter &prompter, QWidget *parent = nullptr);
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
protected:
    void setLanguageTexts() override;
};

// A table cell.
class TFormTD final : public InspectorDialog {
    Q_OBJECT
public:
    TFormTD(Prompter &prompter, QWidget *parent = nullptr);
    QPushButton *Button1 = nullptr;
protected:
    void setLanguageTexts() override;
};

// A DIV, P or SPAN; TagName shows which.
class TFormDIV final : public InspectorDialog {
    Q_OBJECT
public:
    TFormDIV(Prompter &prompter, QWidget *parent = nullptr);
    QLabel *TagName = nullptr;
protected:
    void setLanguageTexts() override {}
};

class TFormImgInfo final : public InspectorDialog {
    Q_OBJECT
public:
    TFormImgInfo(Prompter &prompter, QWidget *parent = nullptr);
protected:
    void setLanguageTexts() override {}
};

// Input fields, buttons, text areas and selection lists; Label1 shows the tag, Label4 to
// Label6 name the three middle fields for it.
class TFormPropInp final : public InspectorDialog {
    Q_OBJECT
public:
    TFormPropInp(Prompter &prompter, QWidget *parent = nullptr);
    QLabel *Label1 = nullptr;
    QListWidget *ListBox1 = nullptr;
    // The header and the three middle labels for a tag; the list is emptied with the fields.
    void prepare(const QString &header, const QString &label4, const QString &label5, const QString &label6);
    QStringList options() const;
    void setOptions(const QStringList &texts);
protected:
    void setLanguageTexts() override;
};

class TFormPropFont final : public InspectorDialog {
    Q_OBJECT
public:
    TFormPropFont(Prompter &prompter, QWidget *parent = nullptr);
    QPushButton *BitBtn3 = nullptr;
protected:
    void setLanguageTexts() override;
};

// Frames, inline frames and framesets; Label7 shows the tag.
class TFormFInfo final : public InspectorDialog {
    Q_OBJECT
public:
    TFormFInfo(Prompter &prompter, QWidget *parent = nullptr);
    QLabel *Label7 = nullptr;
    QPushButton *BtnColor = nullptr;
    enum class Mode { Frame, IFrame, Frameset };
    // Header, labels and which fields show for the element; the fields it does not edit
    // are hidden.
    void prepare(Mode mode);
protected:
    void setLanguageTexts() override {}
};

} // namespace korvel
