#include "source/finddialogs.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel {

namespace {

QString Text(int uiLanguage, const char *german, const char *english)
{
    return QString::fromUtf8(uiLanguage == 0 ? german : english);
}

QLineEdit *NamedEdit(const char *name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMinimumWidth(240);
    return edit;
}

template <typename T>
T *Named(const char *name, QWidget *parent)
{
    auto *widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The label's mnemonic takes the keyboard to its field; without a buddy the "&" would show.
QLabel *LabelFor(const char *name, QWidget *field, QWidget *parent)
{
    auto *label = Named<QLabel>(name, parent);
    label->setBuddy(field);
    return label;
}

// The buttons stand in a column on the right, as in the usual find dialogs.
void Arrange(QDialog *dialog, QFormLayout *fields, QVBoxLayout *options, const QList<QPushButton *> &buttons)
{
    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(options);
    left->addStretch();
    auto *right = new QVBoxLayout;
    for (QPushButton *b : buttons)
        right->addWidget(b);
    right->addStretch();
    auto *layout = new QHBoxLayout(dialog);
    layout->addLayout(left, 1);
    layout->addLayout(right);
}

} // namespace

TFindDialog::TFindDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FindDialog1"));
    setModal(false);
    m_findText = NamedEdit("FindText", this);
    m_matchCase = Named<QCheckBox>("MatchCase", this);
    m_wholeWord = Named<QCheckBox>("WholeWord", this);
    m_findNext = Named<QPushButton>("FindNext", this);
    m_cancel = Named<QPushButton>("Cancel", this);
    m_findNext->setDefault(true);

    auto *fields = new QFormLayout;
    fields->addRow(LabelFor("FindLabel", m_findText, this), m_findText);
    auto *options = new QVBoxLayout;
    options->addWidget(m_wholeWord);
    options->addWidget(m_matchCase);
    Arrange(this, fields, options, {m_findNext, m_cancel});

    connect(m_findNext, &QPushButton::clicked, this, &TFindDialog::find);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    setLanguage(0);
}

void TFindDialog::setLanguage(int uiLanguage)
{
    setWindowTitle(Text(uiLanguage, "Suchen", "Find"));
    findChild<QLabel *>(QStringLiteral("FindLabel"))->setText(Text(uiLanguage, "Suchen &nach:", "Fi&nd what:"));
    m_wholeWord->setText(Text(uiLanguage, "Nur ganzes &Wort suchen", "Match &whole word only"));
    m_matchCase->setText(Text(uiLanguage, "Groß-/Klein&schreibung", "Match &case"));
    m_findNext->setText(Text(uiLanguage, "&Weitersuchen", "&Find Next"));
    m_cancel->setText(Text(uiLanguage, "Abbrechen", "Cancel"));
}

QString TFindDialog::findText() const
{
    return m_findText->text();
}

void TFindDialog::setFindText(const QString &text)
{
    m_findText->setText(text);
}

bool TFindDialog::matchCase() const
{
    return m_matchCase->isChecked();
}

bool TFindDialog::wholeWord() const
{
    return m_wholeWord->isChecked();
}

TReplaceDialog::TReplaceDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ReplaceDialog1"));
    setModal(false);
    m_findText = NamedEdit("FindText", this);
    m_replaceText = NamedEdit("ReplaceText", this);
    m_matchCase = Named<QCheckBox>("MatchCase", this);
    m_findNext = Named<QPushButton>("FindNext", this);
    m_replace = Named<QPushButton>("Replace", this);
    m_replaceAll = Named<QPushButton>("ReplaceAll", this);
    m_cancel = Named<QPushButton>("Cancel", this);
    m_findNext->setDefault(true);

    auto *fields = new QFormLayout;
    fields->addRow(LabelFor("FindLabel", m_findText, this), m_findText);
    fields->addRow(LabelFor("ReplaceLabel", m_replaceText, this), m_replaceText);
    auto *options = new QVBoxLayout;
    options->addWidget(m_matchCase);
    Arrange(this, fields, options, {m_findNext, m_replace, m_replaceAll, m_cancel});

    connect(m_findNext, &QPushButton::clicked, this, &TReplaceDialog::find);
    connect(m_replace, &QPushButton::clicked, this, [this] {
        m_replaceAllPressed = false;
        emit replace();
    });
    connect(m_replaceAll, &QPushButton::clicked, this, [this] {
        m_replaceAllPressed = true;
        emit replace();
    });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    setLanguage(0);
}

void TReplaceDialog::setLanguage(int uiLanguage)
{
    setWindowTitle(Text(uiLanguage, "Ersetzen", "Replace"));
    findChild<QLabel *>(QStringLiteral("FindLabel"))->setText(Text(uiLanguage, "Suchen &nach:", "Fi&nd what:"));
    findChild<QLabel *>(QStringLiteral("ReplaceLabel"))->setText(Text(uiLanguage, "Ersetzen &durch:", "Re&place with:"));
    m_matchCase->setText(Text(uiLanguage, "Groß-/Klein&schreibung", "Match &case"));
    m_findNext->setText(Text(uiLanguage, "&Weitersuchen", "&Find Next"));
    m_replace->setText(Text(uiLanguage, "&Ersetzen", "&Replace"));
    m_replaceAll->setText(Text(uiLanguage, "&Alle ersetzen", "Replace &All"));
    m_cancel->setText(Text(uiLanguage, "Abbrechen", "Cancel"));
}

QString TReplaceDialog::findText() const
{
    return m_findText->text();
}

void TReplaceDialog::setFindText(const QString &text)
{
    m_findText->setText(text);
}

QString TReplaceDialog::replaceText() const
{
    return m_replaceText->text();
}

void TReplaceDialog::setReplaceText(const QString &text)
{
    m_replaceText->setText(text);
}

bool TReplaceDialog::matchCase() const
{
    return m_matchCase->isChecked();
}

} // namespace korvel
