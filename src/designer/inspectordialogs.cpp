#include "designer/inspectordialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace korvel {

namespace {

constexpr int kHelpTopic = 80;
constexpr int kBlockHelpTopic = 140;

QString pick(bool english, const char16_t *german, const char16_t *englishText)
{
    return QString::fromUtf16(english ? englishText : german);
}

void hint(QLabel *label, bool english, const char16_t *german, const char16_t *englishText)
{
    if (label)
        label->setToolTip(pick(english, german, englishText));
}

} // namespace

TFormProperty::TFormProperty(Prompter &prompter, QWidget *parent)
    : InspectorDialog("TFormProperty", kHelpTopic, prompter, parent)
{
    setWindowTitle(QStringLiteral("HTML Info"));
    Edit1 = addEdit("Edit1", "Label1", QString());
    Edit2 = addEdit("Edit2", "Label2", QString());
    Edit1->setReadOnly(true);
    Edit2->setReadOnly(true);
    Edit1->setMinimumWidth(360);
}

void TFormProperty::setLanguageTexts()
{
    label("Label1")->setText(pick(english(), u"Aktives HTML Element", u"Active element"));
    label("Label2")->setText(pick(english(), u"Eltern Element", u"Parent element"));
}

TFormTD::TFormTD(Prompter &prompter, QWidget *parent)
    : InspectorDialog("TFormTD", kHelpTopic, prompter, parent)
{
    setWindowTitle(QStringLiteral("TD"));
    addEdit("EditTDClass", "LabelClass", QStringLiteral("Class"));
    addEdit("Edit1", "LabelWidth", QStringLiteral("Width"));
    addEdit("Edit2", "LabelHeight", QStringLiteral("Height"));
    addEdit("Edit3", "LabelColspan", QStringLiteral("Colspan"));
    addEdit("Edit4", "LabelRowspan", QStringLiteral("Rowspan"));
    addCombo("ComboBox2", "LabelAlign", QStringLiteral("Align"),
             {QStringLiteral("center"), QStringLiteral("left"), QStringLiteral("right")});
    addCombo("ComboBox3", "LabelValign", QStringLiteral("Valign"),
             {QStringLiteral("top"), QStringLiteral("middle"), QStringLiteral("bottom"), QStringLiteral("baseline")});
    addEdit("EditColor", "LabelColor", QStringLiteral("Bgcolor"), "Button1");
    Button1 = findChild<QPushButton *>(QStringLiteral("Button1"));
}

void TFormTD::setLanguageTexts()
{
    const bool en = english();
    hint(label("LabelWidth"), en, u"Breite", u"Width");
    hint(label("LabelHeight"), en, u"Höhe", u"Height");
    hint(label("LabelColspan"), en, u"Spaltenbereich", u"Col span");
    hint(label("LabelAlign"), en, u"Ausrichtung", u"Alignment");
    hint(label("LabelRowspan"), en, u"Zeilenbereich", u"Row span");
    hint(label("LabelColor"), en, u"Hintergrungfarbe", u"Background color");
    hint(label("LabelClass"), en, u"Class Attribut", u"Class attribute");
    hint(label("LabelValign"), en, u"Vertikale Ausrichtung", u"Vertical alignment");
    Button1->setToolTip(pick(en, u"Farbe auswählen", u"Choose color"));
}

TFormDIV::TFormDIV(Prompter &prompter, QWidget *parent)
    : InspectorDialog("TFormDIV", kBlockHelpTopic, prompter, parent)
{
    setWindowTitle(QStringLiteral("Property"));
    TagName = addHeader("TagName");
    TagName->setText(QStringLiteral("<DIV>"));
    addEdit("Edit1", "Label1", QStringLiteral("Class="));
    addEdit("Edit2", "Label2", QStringLiteral("ID="));
    addCombo("ComboBox1", "Label3", QStringLiteral("Align="),
             {QStringLiteral("left"), QStringLiteral("right"), QStringLiteral("center"), QStringLiteral("justify")});
    addEdit("Edit3", "Label4", QStringLiteral("Style="));
}

TFormImgInfo::TFormImgInfo(Prompter &prompter, QWidget *parent)
    : InspectorDialog("TFormImgInfo", kHelpTopic, prompter, parent)
{
    setWindowTitle(QStringLiteral("Image"));
    addHeader("Label10")->setText(QStringLiteral("<IMG>"));
    addEdit("Edit1", "Label1", QStringLiteral("Src"));
    addEdit("Edit2", "Label2", QStringLiteral("Alt"));
    addEdit("EditStyle", "Label9", QStringLiteral("Style"));
    addEdit("Edit3", "Label3", QStringLiteral("Width"));
    addEdit("Edit4", "Label4", QStringLiteral("Height"));
    addEdit("Edit5", "Label5", QStringLiteral("Border"));
    addCombo("ComboBox1", "Label6", QStringLiteral("Align"),
             {QStringLiteral("top"), QStringLiteral("middle"), QStringLiteral("bottom")});
    addEdit("Edit6", "Label7", QStringLiteral("Vspace"));
    addEdit("Edit7", "Label8", QStringLiteral("Hspace"));
}

TFormPropInp::TFormPropInp(Prompter &prompter, QWidget *parent)
    : InspectorDialog("TFormPropInp", kHelpTopic, prompter, parent)
{
    setWindowTitle(QStringLiteral("Properties"));
    Label1 = addHeader("Label1");
    addEdit("Edit1", "Label2", QStringLiteral("Name"));
    addEdit("Edit6", "Label3", QStringLiteral("Type"))->setReadOnly(true);
    addEdit("Edit2", "Label4", QStringLiteral("Size"));
    addEdit("Edit3", "Label5", QStringLiteral("MaxLength"));
    addEdit("Edit4", "Label6", QStringLiteral("Width"));
    addEdit("Edit5", "Label7", QStringLiteral("Value"));
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setMaximumHeight(110);
    addRow(ListBox1, "Label8", QStringLiteral("Options"));
}

void TFormPropInp::prepare(const QString &header, const QString &label4, const QString &label5, const QString &label6)
{
    clearFields();
    ListBox1->clear();
    Label1->setText(header);
    label("Label4")->setText(label4);
    label("Label5")->setText(label5);
    label("Label6")->setText(label6);
}

QStringList TFormPropInp::options() const
{
    QStringList texts;
    for (int i = 0; i < ListBox1->count(); ++i)
        texts.append(ListBox1->item(i)->text());
    return texts;
}

void TFormPropInp::setOptions(const QStringList &texts)
{
    ListBox1->clear();
    for (const QString &t : texts) {
        auto *item = new QListWidgetItem(t, ListBox1);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
}

void TFormPropInp::setLanguageTexts()
{
    const bool en = english();
    hint(label("Label2"), en, u"Name des Feldes", u"Name attribute");
    hint(label("Label3"), en, u"Typ des Feldes", u"Type attribute");
    hint(label("Label4"), en, u"Grösse", u"Size");
    hint(label("Label5"), en, u"Maximale Anzahl Zeichen", u"Max length(number of characters)");
    hint(label("Label6"), en, u"Breite", u"Width");
    hint(label("Label7"), en, u"Wert", u"Value attribute");
    hint(label("Label8"), en, u"Optionen", u"Options");
}

TFormPropFont::TFormPropFont(Prompter &prompter, QWidget *parent)
    : InspectorDialog("TFormPropFont", kHelpTopic, prompter, parent)
{
    setWindowTitle(QStringLiteral("Properties"));
    addHeader("Label4")->setText(QStringLiteral("<FONT>"));
    addEdit("Edit1", "Label1", QStringLiteral("Font"));
    addEdit("Edit2", "Label2", QStringLiteral("Size"));
    addEdit("Edit3", "Label3", QStringLiteral("Color"), "BitBtn3");
    BitBtn3 = findChild<QPushButton *>(QStringLiteral("BitBtn3"));
}

void TFormPropFont::setLanguageTexts()
{
    const bool en = english();
    hint(label("Label1"), en, u"Schriftart", u"Font");
    hint(label("Label2"), en, u"Schriftgrösse", u"Font size");
    hint(label("Label3"), en, u"Schriftfarbe", u"Font color");
    BitBtn3->setToolTip(pick(en, u"Farbe auswählen", u"Choose color"));
}

TFormFInfo::TFormFInfo(Prompter &prompter, QWidget *parent)
    : InspectorDialog("TFormFInfo", kHelpTopic, prompter, parent)
{
    setWindowTitle(QStringLiteral("FrameInfo"));
    Label7 = addHeader("Label7");
    addEdit("Edit6", "Label6", QStringLiteral("Name"));
    addEdit("Edit1", "Label1", QStringLiteral("Border"));
    addEdit("Edit2", "Label2", QStringLiteral("Frameborder"));
    addEdit("Edit3", "Label3", QStringLiteral("Framespacing"));
    addEdit("Edit4", "Label4", QString());
    addEdit("Edit5", "Label5", QString());
    addEdit("Edit8", "Label8", QString(), "BtnColor");
    BtnColor = findChild<QPushButton *>(QStringLiteral("BtnColor"));
    addEdit("Edit9", "Label9", QStringLiteral("Src"));
    addCombo("ComboBox1", "Label10", QStringLiteral("NoResize"), {QStringLiteral("True"), QStringLiteral("False")});
    findChild<QComboBox *>(QStringLiteral("ComboBox1"))->setEditable(false);
}

void TFormFInfo::prepare(Mode mode)
{
    clearFields();
    const auto field = [this](const char *name) { return findChild<QWidget *>(QString::fromLatin1(name)); };
    const bool frame = mode == Mode::Frame;
    const bool frameset = mode == Mode::Frameset;
    const bool iframe = mode == Mode::IFrame;
    Label7->setText(frame ? QStringLiteral("<Frame>") : iframe ? QStringLiteral("<IFrame>") : QStringLiteral("<Frameset>"));
    label("Label4")->setText(frame ? QStringLiteral("MarginHeight") : iframe ? QStringLiteral("Height") : QStringLiteral("Cols"));
    label("Label5")->setText(frame ? QStringLiteral("MarginWidth") : iframe ? QStringLiteral("Width") : QStringLiteral("Rows"));
    label("Label8")->setText(frameset ? QStringLiteral("Bordercolor") : QStringLiteral("Scrolling"));
    // An inline frame edits only its name, source and size: the other fields are not shown.
    for (const char *name : {"Edit1", "Edit2", "Edit3", "Edit8"})
        setRowShown(field(name), !iframe);
    setRowShown(field("Edit9"), !frameset);
    setRowShown(field("ComboBox1"), frame);
    BtnColor->setVisible(frameset);
}

} // namespace korvel
