#pragma once

#include "prompt/helpdialog.h"

#include <QHash>
#include <QString>
#include <QStringList>

class QColor;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvel {

// What the inspector's dialogs share: a column of labelled fields found by their object names,
// OK and Cancel, F1 for the dialog's help topic, and texts in the language the caller sets.
class InspectorDialog : public HelpDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InspectorDialog)

public:
    InspectorDialog(const char *objectName, int helpTopic, Prompter &prompter, QWidget *parent);

    // Captions and hints in the flag's language; run before each showing.
    void FormShow();

    // Every field emptied, combos without a choice, every field enabled again.
    void clearFields();
    // The text of a line edit or editable combo by its object name.
    QString fieldText(const QString &field) const;
    void setFieldText(const QString &field, const QString &text);
    QHash<QString, QString> fieldTexts(const QStringList &fields) const;

    QPushButton *ButtonOK = nullptr;     // BitBtn1
    QPushButton *ButtonCancel = nullptr; // BitBtn2

protected:
    virtual void setLanguageTexts() = 0;

    // A field under a label; with a button name, a button beside it writes a chosen colour
    // into it (the button is found by its name).
    QLineEdit *addEdit(const char *name, const char *labelName, const QString &caption,
                       const char *colorButton = nullptr);
    QComboBox *addCombo(const char *name, const char *labelName, const QString &caption, const QStringList &items,
                        const char *colorButton = nullptr);
    QLabel *addHeader(const char *name);
    // Any other field under a label.
    void addRow(QWidget *field, const char *labelName, const QString &caption);
    QLabel *label(const char *name) const;
    // Shows or hides a field with its label.
    void setRowShown(QWidget *field, bool shown);

    Prompter &m_prompter;

private:
    // The field, or the field with its colour button, as the row's widget.
    QWidget *withColorButton(QWidget *field, QLineEdit *edit, const char *colorButton);

    QFormLayout *m_form = nullptr;
};

// A colour as the page writes it: "#" and six upper-case hex digits, as ColorToHtml of its red,
// green and blue values.
QString ColorToHtml(const QColor &color);

} // namespace korvel
