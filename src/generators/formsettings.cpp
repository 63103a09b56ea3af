#include "generators/formsettings.h"

#include "prompt/prompter.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korvel {

namespace {

constexpr int kHelpContext = 140;

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QString pick(bool english, const char16_t *german, const char16_t *englishText)
{
    return QString::fromUtf16(english ? englishText : german);
}

} // namespace

TFormSettings::TFormSettings(Prompter &prompter, QWidget *parent)
    : HelpDialog(kHelpContext, parent)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFormSettings"));

    GroupBox1 = named(new QGroupBox(this), "GroupBox1");
    RadioButton1 = named(new QRadioButton(QStringLiteral("http"), GroupBox1), "RadioButton1");
    RadioButton2 = named(new QRadioButton(QStringLiteral("mailto"), GroupBox1), "RadioButton2");
    RadioButton3 = named(new QRadioButton(QStringLiteral("anchor"), GroupBox1), "RadioButton3");
    RadioButton4 = named(new QRadioButton(GroupBox1), "RadioButton4");
    RadioButton1->setChecked(true);
    auto *kinds = new QHBoxLayout(GroupBox1);
    for (QRadioButton *b : {RadioButton1, RadioButton2, RadioButton3, RadioButton4})
        kinds->addWidget(b);

    Label1 = named(new QLabel(QStringLiteral("Url"), this), "Label1");
    EditName = named(new QLineEdit(this), "EditName");
    EditColor = named(new QLineEdit(this), "EditColor");
    EditMyTitle = named(new QLineEdit(this), "EditMyTitle");
    ComboBox1 = named(new QComboBox(this), "ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->addItems({QStringLiteral("_blank"), QStringLiteral("_self"), QStringLiteral("_top"),
                         QStringLiteral("_parent")});
    EditName->setMinimumWidth(320);

    auto *form = new QFormLayout;
    const auto row = [&](QLabel *label, QWidget *field) {
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row(Label1, EditName);
    row(named(new QLabel(QStringLiteral("Description"), this), "Label2"), EditColor);
    row(named(new QLabel(QStringLiteral("Title"), this), "Label3"), EditMyTitle);
    row(named(new QLabel(QStringLiteral("Target"), this), "Label4"), ComboBox1);

    BitBtn1 = named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = named(new QPushButton(this), "BitBtn2");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(form);
    layout->addLayout(buttons);

    QWidget *order[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4, EditName,
                        EditColor, EditMyTitle, ComboBox1, BitBtn1, BitBtn2};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(RadioButton1, &QRadioButton::clicked, this, &TFormSettings::RadioButton1Click);
    connect(RadioButton2, &QRadioButton::clicked, this, &TFormSettings::RadioButton2Click);
    connect(RadioButton3, &QRadioButton::clicked, this, &TFormSettings::RadioButton3Click);
    connect(RadioButton4, &QRadioButton::clicked, this, &TFormSettings::RadioButton4Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormSettings::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormSettings::BitBtn2Click);
    setLanguageTexts();
}

void TFormSettings::setLanguageTexts()
{
    const bool en = UiLanguage != 0;
    setWindowTitle(pick(en, u"HTML Link erstellen", u"Create link"));
    GroupBox1->setTitle(pick(en, u"Protokoll", u"Protocol"));
    RadioButton1->setToolTip(pick(en, u"Verlinken auf URL", u"Link to URL"));
    RadioButton2->setToolTip(pick(en, u"Maillink", u"Mail link"));
    RadioButton3->setToolTip(pick(en, u"Kapitel/Abschnitt der aktuellen Seite verlinken",
                                  u"Link to chapter of the current document"));
    RadioButton4->setText(pick(en, u"ohne", u"none"));
    RadioButton4->setToolTip(pick(en, u"Ohne Angaben", u"No specification"));
    BitBtn2->setText(pick(en, u"Abbrechen", u"Cancel"));
}

void TFormSettings::FormShow()
{
    Result.clear();
    setLanguageTexts();
    switch (PresetKind) {
    case LinkKind::Mail:
        RadioButton2->setChecked(true);
        RadioButton2Click();
        break;
    case LinkKind::Anchor:
        RadioButton3->setChecked(true);
        RadioButton3Click();
        break;
    case LinkKind::Url:
    case LinkKind::Plain:
        RadioButton1->setChecked(true);
        RadioButton1Click();
        break;
    }
    EditMyTitle->clear();
    EditName->setFocus();
}

void TFormSettings::emptyTarget()
{
    // The edit text goes with the selection, or a target typed earlier would still be written.
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->clearEditText();
}

void TFormSettings::RadioButton1Click()
{
    Label1->setText(QStringLiteral("Url"));
    ComboBox1->setEnabled(true);
    ComboBox1->setCurrentIndex(0);
}

void TFormSettings::RadioButton2Click()
{
    Label1->setText(QStringLiteral("Mail"));
    emptyTarget();
    ComboBox1->setEnabled(false);
}

void TFormSettings::RadioButton3Click()
{
    Label1->setText(anchorLabel(UiLanguage));
    emptyTarget();
    ComboBox1->setEnabled(false);
}

void TFormSettings::RadioButton4Click()
{
    Label1->setText(QStringLiteral("Url"));
    emptyTarget();
}

LinkFields TFormSettings::fields() const
{
    LinkFields f;
    if (RadioButton2->isChecked())
        f.kind = LinkKind::Mail;
    else if (RadioButton3->isChecked())
        f.kind = LinkKind::Anchor;
    else if (RadioButton4->isChecked())
        f.kind = LinkKind::Plain;
    f.address = EditName->text();
    f.description = EditColor->text();
    f.title = EditMyTitle->text();
    f.target = ComboBox1->currentText();
    return f;
}

void TFormSettings::closeFields()
{
    EditName->clear();
    EditColor->clear();
}

void TFormSettings::BitBtn1Click()
{
    LinkFields f = fields();
    if (EditsExistingLink) {
        m_accepted = f;
        Result.clear();
        closeFields();
        accept();
        return;
    }
    if (f.kind == LinkKind::Anchor && anchorLooksExternal(f.address)
        && m_prompter.message(MessageKind::Confirmation, externalAnchorQuestion(UiLanguage), Buttons::YesNo)
            != Answer::Yes)
        return;
    const LinkOutcome outcome = MakeLink(f, UiLanguage);
    EditName->setText(outcome.address);
    if (outcome.problem != LinkProblem::None) {
        m_prompter.plain(linkProblemText(outcome.problem, UiLanguage));
        return;
    }
    f.address = outcome.address;
    m_accepted = f;
    Result = outcome.html;
    closeFields();
    accept();
}

void TFormSettings::BitBtn2Click()
{
    Result.clear();
    closeFields();
    reject();
}

void TFormSettings::keyPressEvent(QKeyEvent *event)
{
    // Esc is the cancel button, which also empties the address and the description.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        BitBtn2Click();
        return;
    }
    HelpDialog::keyPressEvent(event);
}

std::optional<QString> runLinkDialog(TFormSettings &dialog, Prompter &prompter, int uiLanguage,
                                     const QString &selectedText)
{
    const LinkPreset preset = presetFromSelection(selectedText);
    dialog.PresetKind = LinkKind::Url;
    dialog.EditColor->setText(selectedText);
    if (preset.selectionIsAddress) {
        dialog.PresetKind = preset.kind;
        dialog.EditName->setText(selectedText);
    }
    if (execInLanguage(dialog, prompter, uiLanguage) != QDialog::Accepted || dialog.Result.isEmpty())
        return std::nullopt;
    return dialog.Result;
}

} // namespace korvel
