#include "designer/tformselect.h"

#include "prompt/prompter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel {

namespace {

constexpr int kHelpContext = 80;

} // namespace

TFormSelect::TFormSelect(QWidget *parent)
    : HelpDialog(kHelpContext, parent)
{
    setObjectName(QStringLiteral("TFormSelect"));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    Label1->setBuddy(ListBox1);

    BitBtn2 = new QPushButton(this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setDefault(true);
    BitBtn3 = new QPushButton(this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    connect(BitBtn2, &QPushButton::clicked, this, &TFormSelect::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TFormSelect::BitBtn3Click);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ListBox1);
    layout->addLayout(buttons);

    setCaptions();
    resize(300, 260);
}

void TFormSelect::setItems(const QStringList &items)
{
    ListBox1->clear();
    ListBox1->addItems(items);
}

void TFormSelect::setActionCaption(const QString &caption)
{
    m_actionCaption = caption;
    setCaptions();
}

void TFormSelect::setCaptions()
{
    const bool english = UiLanguage != 0;
    setWindowTitle(english ? QStringLiteral("Select an element") : QStringLiteral("Element wählen"));
    Label1->setText(english ? QStringLiteral("Current elements") : QStringLiteral("Aktuelle HTML Elemente"));
    if (!m_actionCaption.isEmpty())
        BitBtn2->setText(m_actionCaption);
    else
        BitBtn2->setText(english ? QStringLiteral("Properties") : QStringLiteral("Eigenschaften"));
    BitBtn3->setText(english ? QStringLiteral("Cancel") : QStringLiteral("Abbrechen"));
}

void TFormSelect::FormShow()
{
    setCaptions();
    Choice = -1;
    if (ListBox1->count() > 0)
        ListBox1->setCurrentRow(0);
    ListBox1->setFocus();
}

int TFormSelect::execute(Prompter &prompter)
{
    FormShow();
    if (prompter.execDialog(*this) != QDialog::Accepted)
        Choice = -1;
    return Choice;
}

void TFormSelect::BitBtn2Click()
{
    Choice = ListBox1->currentRow();
    accept();
}

void TFormSelect::BitBtn3Click()
{
    Choice = -1;
    reject();
}

} // namespace korvel
