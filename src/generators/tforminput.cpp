#include "generators/tforminput.h"

#include "prompt/prompter.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel {

namespace {

constexpr int kHelpContext = 150;

// The old dialog listed "*jpg" and "*.*"; here every picture ending matches and "All" also
// shows files without an ending.
const char kPictureFilter[] =
    "Pictures(*.gif,*.jpg,*.png,*.bmp ...)|*.gif;*.jpg;*.jpeg;*.png;*.bmp;*.ico;*.pcx;*.ani;*.wmf;*.cur"
    "|All(*.*)|*";

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

TFormInput::TFormInput(Prompter &prompter, QWidget *parent)
    : HelpDialog(kHelpContext, parent)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFormInput"));
    setWindowTitle(QStringLiteral("Input"));

    EditName = named(new QLineEdit(this), "EditName");
    EditSize = named(new QLineEdit(QStringLiteral("50"), this), "EditSize");
    EditLength = named(new QLineEdit(QStringLiteral("50"), this), "EditLength");
    ComboBoxType = named(new QComboBox(this), "ComboBoxType");
    ComboBoxType->setEditable(true);
    ComboBoxType->setInsertPolicy(QComboBox::NoInsert);
    ComboBoxType->addItems(inputTypeNames());
    EditValue = named(new QLineEdit(QStringLiteral("Default text"), this), "EditValue");
    EditClick = named(new QLineEdit(QStringLiteral("alert('Use JavaScript');"), this), "EditClick");
    EditImage = named(new QLineEdit(this), "EditImage");
    BitBtn1 = named(new QPushButton(QStringLiteral("..."), this), "BitBtn1");
    BitBtn1->setAutoDefault(false);
    BitBtn2 = named(new QPushButton(QStringLiteral("OK"), this), "BitBtn2");
    BitBtn2->setDefault(true);
    BitBtn3 = named(new QPushButton(this), "BitBtn3");
    BitBtn3->setAutoDefault(false);

    auto label = [this](const char *name, const char *text, QWidget *buddy) {
        QLabel *l = named(new QLabel(QLatin1String(text), this), name);
        l->setBuddy(buddy);
        return l;
    };
    LabelName = label("LabelName", "Name", EditName);
    LabelSize = label("LabelSize", "Size", EditSize);
    LabelLength = label("LabelLength", "MaxLength", EditLength);
    LabelType = label("LabelType", "Type", ComboBoxType);
    LabelValue = label("LabelValue", "Value/Alt", EditValue);
    LabelClick = label("LabelClick", "onclick", EditClick);
    LabelImage = label("LabelImage", "", EditImage);

    auto *grid = new QGridLayout;
    int row = 0;
    for (auto [l, field] : {std::pair<QLabel *, QWidget *>{LabelType, ComboBoxType}, {LabelName, EditName},
                            {LabelSize, EditSize}, {LabelLength, EditLength}, {LabelValue, EditValue},
                            {LabelClick, EditClick}}) {
        grid->addWidget(l, row, 0);
        grid->addWidget(field, row, 1, 1, 2);
        ++row;
    }
    grid->addWidget(LabelImage, row, 0);
    grid->addWidget(EditImage, row, 1);
    grid->addWidget(BitBtn1, row, 2);
    grid->setColumnMinimumWidth(1, 220);
    BitBtn1->setFixedWidth(BitBtn1->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The edit text changes with every pick and every typed letter, so the name and the
    // labels always follow the type the box reads.
    connect(ComboBoxType, &QComboBox::editTextChanged, this, &TFormInput::ComboBoxTypeChange);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormInput::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormInput::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TFormInput::BitBtn3Click);
    FormShow();
}

void TFormInput::setLanguageTexts()
{
    const bool german = UiLanguage == 0;
    auto hint = [](QLabel *l, const QString &text) {
        l->setToolTip(text);
        l->buddy()->setToolTip(text);
    };
    hint(LabelName, german ? QStringLiteral("Name des Feldes") : QStringLiteral("Name attribute"));
    hint(LabelSize, german ? QStringLiteral("Grösse") : QStringLiteral("Size"));
    hint(LabelLength, german ? QStringLiteral("Maximale Anzahl Zeichen")
                             : QStringLiteral("Max length(number of characters)"));
    hint(LabelType, german ? QStringLiteral("Typ des Feldes") : QStringLiteral("Type attribute"));
    hint(LabelValue, german ? QStringLiteral("Wert") : QStringLiteral("Value"));
    LabelImage->setText(german ? QStringLiteral("Grafik Schaltfläche") : QStringLiteral("Button graphics"));
    BitBtn3->setText(german ? QStringLiteral("Abbrechen") : QStringLiteral("Cancel"));
}

void TFormInput::FormShow()
{
    setLanguageTexts();
    m_result.clear();
    if (PresetType >= 0 && PresetType < ComboBoxType->count())
        ComboBoxType->setCurrentIndex(PresetType);
    // Picking the index that is already current changes no text, so the step runs here too.
    ComboBoxTypeChange();
}

void TFormInput::ComboBoxTypeChange()
{
    const int type = inputTypeIndex(ComboBoxType->currentText());
    EditName->setText(inputNameForType(type));
    const bool rows = inputTypeTakesRows(type);
    LabelSize->setText(rows ? QStringLiteral("Cols") : QStringLiteral("Size"));
    LabelLength->setText(rows ? QStringLiteral("Rows") : QStringLiteral("MaxLength"));
    EditLength->setText(rows ? QStringLiteral("5") : QStringLiteral("50"));
}

void TFormInput::BitBtn1Click()
{
    FileRequest request;
    request.filter = QLatin1String(kPictureFilter);
    const QString path = m_prompter.openFileName(request);
    if (!path.isEmpty())
        EditImage->setText(QFileInfo(path).fileName());
}

void TFormInput::BitBtn2Click()
{
    m_result = buildInputFragment(fields());
    accept();
}

void TFormInput::BitBtn3Click()
{
    m_result.clear();
    reject();
}

InputFields TFormInput::fields() const
{
    InputFields f;
    f.name = EditName->text();
    f.type = ComboBoxType->currentText();
    f.size = EditSize->text();
    f.maxLength = EditLength->text();
    f.value = EditValue->text();
    f.onClick = EditClick->text();
    f.image = EditImage->text();
    f.buttonElement = ButtonElement;
    return f;
}

} // namespace korvel
