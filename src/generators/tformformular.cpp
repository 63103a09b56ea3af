#include "generators/tformformular.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel {

namespace {

constexpr int kHelpContext = 150;

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

void selectItem(QComboBox *box, const QString &text)
{
    const int index = box->findText(text);
    if (index >= 0)
        box->setCurrentIndex(index);
    else
        box->setEditText(text);
}

} // namespace

TFormFormular::TFormFormular(QWidget *parent)
    : HelpDialog(kHelpContext, parent)
{
    setObjectName(QStringLiteral("TFormFormular"));
    setWindowTitle(QStringLiteral("Forms"));

    EditName = named(new QLineEdit(QStringLiteral("MyForm"), this), "EditName");
    EditAction = named(new QLineEdit(QStringLiteral("mailto:info@example.com"), this), "EditAction");
    Method = named(new QComboBox(this), "Method");
    Method->setEditable(true);
    Method->addItems({QStringLiteral("get"), QStringLiteral("post"), QString()});
    Method->setCurrentIndex(0);
    EncType = named(new QComboBox(this), "EncType");
    EncType->setEditable(true);
    EncType->addItems({QStringLiteral("application/x-www-form-urlencoded"),
                       QStringLiteral("multipart/form-data"), QStringLiteral("text/plain")});
    EncType->setCurrentIndex(0);
    EditSubmit = named(new QLineEdit(this), "EditSubmit");
    LabelSubmit = named(new QLabel(QStringLiteral("onSubmit (optional)"), this), "LabelSubmit");
    LabelSubmit->setBuddy(EditSubmit);

    CheckSubmit = named(new QCheckBox(this), "CheckSubmit");
    CheckSubmit->setChecked(true);
    CheckReset = named(new QCheckBox(this), "CheckReset");
    CheckReset->setChecked(true);
    CheckInput = named(new QCheckBox(this), "CheckInput");
    CheckInput->setChecked(true);
    CheckUpload = named(new QCheckBox(this), "CheckUpload");

    BitBtn1 = named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = named(new QPushButton(this), "BitBtn2");

    auto *fieldsLayout = new QFormLayout;
    auto label = [this](const char *name, const QString &text, QWidget *buddy) {
        QLabel *l = named(new QLabel(text, this), name);
        l->setBuddy(buddy);
        return l;
    };
    fieldsLayout->addRow(label("LabelName", QStringLiteral("Name"), EditName), EditName);
    fieldsLayout->addRow(label("LabelAction", QStringLiteral("Action (Mail/URL)"), EditAction), EditAction);
    fieldsLayout->addRow(label("LabelMethod", QStringLiteral("Method"), Method), Method);
    fieldsLayout->addRow(label("LabelEncType", QStringLiteral("Enctype"), EncType), EncType);
    fieldsLayout->addRow(LabelSubmit, EditSubmit);
    EditAction->setMinimumWidth(260);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fieldsLayout);
    layout->addWidget(CheckSubmit);
    layout->addWidget(CheckReset);
    layout->addWidget(CheckInput);
    layout->addWidget(CheckUpload);
    layout->addLayout(buttons);
    // Fixed size, as large as the captions of the current language need.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtn1, &QPushButton::clicked, this, &TFormFormular::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(CheckUpload, &QCheckBox::toggled, this, &TFormFormular::CheckUploadClick);
    FormShow();
}

void TFormFormular::FormShow()
{
    m_result.clear();
    const bool german = UiLanguage == 0;
    CheckSubmit->setText(german ? QStringLiteral("Submit Button einfügen") : QStringLiteral("Insert submit button"));
    CheckReset->setText(german ? QStringLiteral("Reset Button einfügen") : QStringLiteral("Insert reset button"));
    CheckInput->setText(german ? QStringLiteral("Eingabefeld einfügen") : QStringLiteral("Insert input"));
    CheckUpload->setText(german ? QStringLiteral("Datei Upload einfügen") : QStringLiteral("Insert file upload"));
    BitBtn2->setText(german ? QStringLiteral("Abbrechen") : QStringLiteral("Cancel"));
}

void TFormFormular::BitBtn1Click()
{
    m_result = buildFormFragment(fields());
    accept();
}

void TFormFormular::CheckUploadClick()
{
    if (CheckUpload->isChecked()) {
        selectItem(Method, QStringLiteral("post"));
        selectItem(EncType, QStringLiteral("multipart/form-data"));
    } else {
        selectItem(EncType, QStringLiteral("application/x-www-form-urlencoded"));
    }
}

FormFields TFormFormular::fields() const
{
    FormFields f;
    f.name = EditName->text();
    f.action = EditAction->text();
    f.method = Method->currentText();
    f.encType = EncType->currentText();
    f.onSubmit = EditSubmit->text();
    f.submitButton = CheckSubmit->isChecked();
    f.resetButton = CheckReset->isChecked();
    f.inputField = CheckInput->isChecked();
    f.fileUpload = CheckUpload->isChecked();
    return f;
}

void TFormFormular::setFields(const FormFields &f)
{
    EditName->setText(f.name);
    EditAction->setText(f.action);
    selectItem(Method, f.method);
    selectItem(EncType, f.encType);
    EditSubmit->setText(f.onSubmit);
    CheckSubmit->setChecked(f.submitButton);
    CheckReset->setChecked(f.resetButton);
    CheckInput->setChecked(f.inputField);
    // Setting the box should not switch the method and encoding just given.
    const QSignalBlocker blocker(CheckUpload);
    CheckUpload->setChecked(f.fileUpload);
}

void TFormFormular::setInsertionControlsShown(bool shown)
{
    LabelSubmit->setVisible(shown);
    EditSubmit->setVisible(shown);
    for (QCheckBox *box : {CheckSubmit, CheckReset, CheckInput, CheckUpload})
        box->setEnabled(shown);
}

} // namespace korvel
