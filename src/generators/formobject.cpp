#include "generators/formobject.h"

#include "prompt/prompter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
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

// A label's hint in both languages; the label's field shows it too.
struct Hint {
    const char *label;
    const char16_t *german;
    const char16_t *english;
};

const Hint kHints[] = {
    {"Label1", u"Eindeutige ID der Objektklasse", u"Unique ID of the object class"},
    {"Label2", u"Codebasis", u"Code base"},
    {"Label11", u"Name", u"Name"},
    {"Label3", u"Breite", u"Width"},
    {"Label4", u"Höhe", u"Height"},
    {"Label10", u"Rahmen", u"Border"},
    {"Label8", u"Imagemap Name", u"Image map name"},
    {"Label5", u"Parametername", u"Parameter name"},
    {"Label6", u"Wert", u"Value"},
    {"Label9", u"Liste Parameter", u"List of parameters"},
};

QString pick(bool english, const char16_t *german, const char16_t *englishText)
{
    return QString::fromUtf16(english ? englishText : german);
}

} // namespace

TFormObject::TFormObject(QWidget *parent)
    : HelpDialog(kHelpContext, parent)
{
    setObjectName(QStringLiteral("TFormObject"));
    setWindowTitle(QStringLiteral("Object"));

    ComboBox1 = named(new QComboBox(this), "ComboBox1");
    ComboBox1->addItems({QStringLiteral("Flash"), QStringLiteral("Data"), QStringLiteral("Java"),
                         QStringLiteral("ActiveX")});
    ComboBox2 = named(new QComboBox(this), "ComboBox2");
    ComboBox2->addItems(objectMimeTypes());
    EditClass = named(new QLineEdit(this), "EditClass");
    EditCode = named(new QLineEdit(this), "EditCode");
    EditName = named(new QLineEdit(this), "EditName");
    EditWidth = named(new QLineEdit(QStringLiteral("300"), this), "EditWidth");
    EditHeight = named(new QLineEdit(QStringLiteral("300"), this), "EditHeight");
    EditBorder = named(new QLineEdit(this), "EditBorder");
    EditMap = named(new QLineEdit(QStringLiteral("#"), this), "EditMap");
    EditPName = named(new QLineEdit(this), "EditPName");
    EditPValue = named(new QLineEdit(this), "EditPValue");
    ButtonAdd = named(new QPushButton(this), "ButtonAdd");
    Memo1 = named(new QPlainTextEdit(this), "Memo1");
    Memo1->setTabChangesFocus(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Wide enough for the longest line of the samples, the embed tag of the Flash movie.
    Memo1->setMinimumSize(Memo1->fontMetrics().horizontalAdvance(
                              QStringLiteral("    <embed src=\"MyFlash.swf\" quality=\"high\" scale=\"exactfit\" menu=\"false\""))
                              + 40,
                          220);
    Button1 = named(new QPushButton(this), "Button1");
    BitBtn1 = named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = named(new QPushButton(this), "BitBtn2");
    // The class ids and the Flash player's address are read whole.
    EditClass->setMinimumWidth(EditClass->fontMetrics().horizontalAdvance(
                                   QStringLiteral("CLSID:D27CDB6E-AE6D-11cf-96B8-444553540000"))
                               + 16);

    Label1 = named(new QLabel(QStringLiteral("classid"), this), "Label1");
    Label2 = named(new QLabel(QStringLiteral("codebase"), this), "Label2");
    Label11 = named(new QLabel(QStringLiteral("name"), this), "Label11");

    auto *left = new QGridLayout;
    int row = 0;
    const auto add = [&](QGridLayout *grid, QLabel *label, QWidget *field) {
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
    };
    add(left, named(new QLabel(this), "Label7"), ComboBox1);
    add(left, Label1, EditClass);
    add(left, Label2, EditCode);
    add(left, Label11, EditName);
    add(left, named(new QLabel(QStringLiteral("width"), this), "Label3"), EditWidth);
    add(left, named(new QLabel(QStringLiteral("height"), this), "Label4"), EditHeight);
    add(left, named(new QLabel(QStringLiteral("border"), this), "Label10"), EditBorder);
    add(left, named(new QLabel(QStringLiteral("usemap"), this), "Label8"), EditMap);
    add(left, named(new QLabel(QStringLiteral("MIME types"), this), "Label12"), ComboBox2);
    left->setRowStretch(row, 1);

    auto *right = new QGridLayout;
    row = 0;
    add(right, named(new QLabel(QStringLiteral("param name"), this), "Label5"), EditPName);
    add(right, named(new QLabel(QStringLiteral("value"), this), "Label6"), EditPValue);
    right->addWidget(ButtonAdd, row++, 1, Qt::AlignLeft);
    auto *memoLabel = named(new QLabel(QStringLiteral("Parameter"), this), "Label9");
    memoLabel->setBuddy(Memo1);
    right->addWidget(memoLabel, row++, 0, 1, 2);
    right->addWidget(Memo1, row++, 0, 1, 2);
    right->addWidget(Button1, row++, 1, Qt::AlignLeft);

    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addSpacing(16);
    columns->addLayout(right, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget *order[] = {ComboBox1, EditClass, EditCode, EditName, EditWidth, EditHeight, EditBorder,
                        EditMap, ComboBox2, EditPName, EditPValue, ButtonAdd, Memo1, Button1,
                        BitBtn1, BitBtn2};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(ComboBox1, &QComboBox::activated, this, &TFormObject::ComboBox1Select);
    connect(ComboBox2, &QComboBox::activated, this, &TFormObject::ComboBox2Select);
    connect(ButtonAdd, &QPushButton::clicked, this, &TFormObject::ButtonAddClick);
    connect(Button1, &QPushButton::clicked, this, &TFormObject::Button1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormObject::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormObject::BitBtn2Click);
    FormShow();
}

void TFormObject::setLanguageTexts()
{
    const bool en = UiLanguage != 0;
    for (const Hint &h : kHints) {
        auto *label = findChild<QLabel *>(QString::fromLatin1(h.label));
        const QString hint = pick(en, h.german, h.english);
        label->setToolTip(hint);
        if (label->buddy())
            label->buddy()->setToolTip(hint);
    }
    findChild<QLabel *>(QStringLiteral("Label7"))->setText(pick(en, u"Objecttyp auswählen", u"Select object type"));
    ButtonAdd->setText(pick(en, u"Hinzufügen", u"Add"));
    Button1->setText(pick(en, u"Löschen", u"Delete"));
    BitBtn2->setText(pick(en, u"Abbrechen", u"Cancel"));
}

void TFormObject::FormShow()
{
    setLanguageTexts();
    ComboBox1->setCurrentIndex(-1);
    ComboBox2->setCurrentIndex(-1);
    Result.clear();
    Label1->setText(QStringLiteral("classid"));
    Label2->setText(QStringLiteral("codebase"));
    // A name typed after an earlier Java object must not come out as a codetype.
    Label11->setText(QStringLiteral("name"));
    EditMap->setEnabled(false);
    ClearAll();
}

void TFormObject::ClearAll()
{
    for (QLineEdit *field : {EditClass, EditCode, EditName, EditBorder, EditPName, EditPValue})
        field->clear();
    Memo1->clear();
    EditMap->setText(QStringLiteral("#"));
}

void TFormObject::setParams(const QString &params)
{
    QString text = params;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    Memo1->setPlainText(text);
}

void TFormObject::ComboBox1Select()
{
    const ObjectType type = objectTypeFromName(ComboBox1->currentText());
    if (type == ObjectType::None)
        return;
    ClearAll();
    const ObjectFields sample = objectSample(type, EditWidth->text(), EditHeight->text());
    Label1->setText(sample.classAttribute);
    Label2->setText(sample.codeAttribute);
    Label11->setText(sample.nameAttribute);
    EditClass->setText(sample.classId);
    EditCode->setText(sample.code);
    EditName->setText(sample.name);
    // Long addresses show their start.
    for (QLineEdit *field : {EditClass, EditCode, EditName})
        field->setCursorPosition(0);
    EditMap->setEnabled(sample.mapEnabled);
    setParams(sample.params);
}

void TFormObject::ComboBox2Select()
{
    const QString mime = ComboBox2->currentText();
    switch (objectTypeFromName(ComboBox1->currentText())) {
    case ObjectType::Data: EditCode->setText(mime); break;
    case ObjectType::Java: EditName->setText(mime); break;
    default: break;
    }
}

void TFormObject::ButtonAddClick()
{
    setParams(appendLine(fields().params, paramLine(EditPName->text(), EditPValue->text())));
}

void TFormObject::Button1Click()
{
    Memo1->clear();
}

ObjectFields TFormObject::fields() const
{
    ObjectFields f;
    f.name = EditName->text();
    f.nameAttribute = Label11->text();
    f.classId = EditClass->text();
    f.classAttribute = Label1->text();
    f.code = EditCode->text();
    f.codeAttribute = Label2->text();
    f.width = EditWidth->text();
    f.height = EditHeight->text();
    f.border = EditBorder->text();
    f.map = EditMap->text();
    f.mapEnabled = EditMap->isEnabled();
    f.params = Memo1->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return f;
}

void TFormObject::BitBtn1Click()
{
    Result = MakeTag(fields());
    accept();
}

void TFormObject::BitBtn2Click()
{
    Result.clear();
    reject();
}

std::optional<QString> runObjectDialog(TFormObject &dialog, Prompter &prompter, int uiLanguage,
                                       const QString &selectedText)
{
    if (execInLanguage(dialog, prompter, uiLanguage) != QDialog::Accepted || dialog.Result.trimmed().isEmpty())
        return std::nullopt;
    return dialog.Result + selectedText;
}

} // namespace korvel
