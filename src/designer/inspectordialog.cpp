#include "designer/inspectordialog.h"

#include "prompt/prompter.h"
#include "source/formatrules.h"

#include <QColor>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel {

QString ColorToHtml(const QColor &color)
{
    // red(), green() and blue() resolve a colour of any other kind to its RGB value first.
    return ColorToHtml(color.red(), color.green(), color.blue());
}

InspectorDialog::InspectorDialog(const char *objectName, int helpTopic, Prompter &prompter, QWidget *parent)
    : HelpDialog(helpTopic, parent), m_prompter(prompter)
{
    setObjectName(QString::fromLatin1(objectName));
    m_form = new QFormLayout;
    ButtonOK = new QPushButton(QStringLiteral("OK"), this);
    ButtonOK->setObjectName(QStringLiteral("BitBtn1"));
    ButtonOK->setDefault(true);
    ButtonCancel = new QPushButton(this);
    ButtonCancel->setObjectName(QStringLiteral("BitBtn2"));
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    layout->addStretch();
    layout->addLayout(buttons);
}

void InspectorDialog::FormShow()
{
    ButtonCancel->setText(english() ? QStringLiteral("Cancel") : QStringLiteral("Abbrechen"));
    setLanguageTexts();
}

void InspectorDialog::clearFields()
{
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
        if (qobject_cast<QComboBox *>(edit->parent()))
            continue;
        edit->clear();
        edit->setEnabled(true);
    }
    for (QComboBox *combo : findChildren<QComboBox *>()) {
        combo->setCurrentIndex(-1);
        combo->clearEditText();
        combo->setEnabled(true);
    }
}

QString InspectorDialog::fieldText(const QString &field) const
{
    QObject *child = findChild<QObject *>(field);
    if (auto *edit = qobject_cast<QLineEdit *>(child))
        return edit->text();
    if (auto *combo = qobject_cast<QComboBox *>(child))
        return combo->currentText();
    return {};
}

void InspectorDialog::setFieldText(const QString &field, const QString &text)
{
    QObject *child = findChild<QObject *>(field);
    if (auto *edit = qobject_cast<QLineEdit *>(child)) {
        edit->setText(text);
    } else if (auto *combo = qobject_cast<QComboBox *>(child)) {
        const int at = combo->findText(text, Qt::MatchFixedString);
        combo->setCurrentIndex(at);
        if (at < 0)
            combo->setEditText(text);
    }
}

QHash<QString, QString> InspectorDialog::fieldTexts(const QStringList &fields) const
{
    QHash<QString, QString> texts;
    for (const QString &f : fields)
        texts.insert(f, fieldText(f));
    return texts;
}

QWidget *InspectorDialog::withColorButton(QWidget *field, QLineEdit *edit, const char *colorButton)
{
    if (!colorButton)
        return field;
    auto *row = new QWidget(this);
    auto *box = new QHBoxLayout(row);
    box->setContentsMargins(0, 0, 0, 0);
    field->setParent(row);
    box->addWidget(field, 1);
    auto *button = new QPushButton(QStringLiteral("…"), row);
    button->setObjectName(QString::fromLatin1(colorButton));
    button->setMaximumWidth(32);
    box->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, edit] {
        const QColor start(edit->text().trimmed());
        if (const auto chosen = m_prompter.chooseColor(start.isValid() ? start : QColor(Qt::white)))
            edit->setText(ColorToHtml(*chosen));
    });
    return row;
}

QLineEdit *InspectorDialog::addEdit(const char *name, const char *labelName, const QString &caption,
                                    const char *colorButton)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMinimumWidth(220);
    addRow(withColorButton(edit, edit, colorButton), labelName, caption);
    return edit;
}

QComboBox *InspectorDialog::addCombo(const char *name, const char *labelName, const QString &caption,
                                     const QStringList &items, const char *colorButton)
{
    auto *combo = new QComboBox(this);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    combo->addItems(items);
    addRow(withColorButton(combo, combo->lineEdit(), colorButton), labelName, caption);
    return combo;
}

QLabel *InspectorDialog::addHeader(const char *name)
{
    auto *header = new QLabel(this);
    header->setObjectName(QString::fromLatin1(name));
    // A header shows a tag such as "<IMG>", which must not be taken as markup.
    header->setTextFormat(Qt::PlainText);
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    m_form->addRow(header);
    return header;
}

void InspectorDialog::addRow(QWidget *field, const char *labelName, const QString &caption)
{
    auto *l = new QLabel(caption, this);
    l->setObjectName(QString::fromLatin1(labelName));
    l->setBuddy(field);
    m_form->addRow(l, field);
}

QLabel *InspectorDialog::label(const char *name) const
{
    return findChild<QLabel *>(QString::fromLatin1(name));
}

void InspectorDialog::setRowShown(QWidget *field, bool shown)
{
    // A field with a colour button sits in a row widget of its own.
    m_form->setRowVisible(field->parentWidget() == this ? field : field->parentWidget(), shown);
}

} // namespace korvel
