#include "generators/formcss.h"

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

namespace {

constexpr int kHelpContext = 140;

// One row of the dialog, in the order of the declarations.
struct Row {
    const char *name;
    const char *label;
    const char *items;  // the choices, "|" between them; nullptr for a plain edit field
    const char *colorButton = nullptr;
};

const Row kRows[] = {
    {"ComboBoxPosition", "position:", "absolute|relative|static|fixed"},
    {"EditTop", "top:", nullptr},
    {"EditLeft", "left:", nullptr},
    {"EditWidth", "width:", nullptr},
    {"EditMargin", "margin:", nullptr},
    {"EditBorder", "border-width:", "thin|medium|thick"},
    {"EditBColor", "border-color:", nullptr, "BitBtn5"},
    {"ComboBStyle", "border-style:",
     "solid|dashed|dotted|double|groove|ridge|inset|outset|none|hidden|"},
    {"EditPadding", "padding:", nullptr},
    {"EditFont", "font-family:", nullptr},
    {"EditFontSize", "font-size:", nullptr},
    {"ComboBoxWeight", "font-weight:", "light|lighter|normal|bold|bolder"},
    {"ComboBoxStyle", "font-style:", "normal|italic|oblique"},
    {"EditFColor", "color", nullptr, "BitBtn4"},
    {"ComboBox1", "text-decoration:", "none|underline|overline|line-through|blink"},
    {"ComboBox2", "text-align:", "left|right|center|justify"},
    {"EditBackUrl", "background-image:url(", nullptr},
    {"ComboRepeat", "background-repeat", "no-repeat|repeat|repeat-x|repeat-y"},
    {"ComboPosition", "background-position", "bottom|center|left|right|top"},
    {"ComboAttach", "background-attachment", "fixed|scroll"},
    {"EditBgColor", "background-color", nullptr, "BitBtn3"},
};

// Where each section starts in kRows: its heading label and its column in the dialog.
struct Section {
    int firstRow;
    const char *heading;
    const char16_t *german;
    const char16_t *english;
    int column;
};

const Section kSections[] = {
    {0, "Label8", u"Verschiedenes/Position", u"Misc/Position", 0},
    {5, "Label25", u"Rahmen", u"Border", 0},
    {9, "Label10", u"Schrift", u"Font", 1},
    {16, "Label16", u"Hintergrund", u"Background", 1},
};

QString textOf(const QWidget *w)
{
    if (auto *combo = qobject_cast<const QComboBox *>(w))
        return combo->currentText();
    return static_cast<const QLineEdit *>(w)->text();
}

void setTextOf(QWidget *w, const QString &text)
{
    if (auto *combo = qobject_cast<QComboBox *>(w)) {
        const int at = text.isEmpty() ? -1 : combo->findText(text);
        combo->setCurrentIndex(at);
        if (at < 0)
            combo->setEditText(text);
        return;
    }
    static_cast<QLineEdit *>(w)->setText(text);
}

} // namespace

TFormCss::TFormCss(Prompter &prompter, QWidget *parent)
    : HelpDialog(kHelpContext, parent)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFormCss"));
    setWindowTitle(QStringLiteral("CSS "));

    auto *layout = new QVBoxLayout(this);
    auto *selectorRow = new QFormLayout;
    EditClass = new QLineEdit(this);
    EditClass->setObjectName(QStringLiteral("EditClass"));
    auto *selectorLabel = new QLabel(QStringLiteral("Class or ID"), this);
    selectorLabel->setBuddy(EditClass);
    selectorRow->addRow(selectorLabel, EditClass);
    layout->addLayout(selectorRow);

    // One form per column, so that the labels of its two sections line up.
    auto *columns = new QHBoxLayout;
    columns->setSpacing(24);
    QFormLayout *column[2] = {new QFormLayout, new QFormLayout};
    for (QFormLayout *form : column) {
        form->setHorizontalSpacing(8);
        form->setVerticalSpacing(6);
        columns->addLayout(form, 1);
    }
    layout->addLayout(columns);

    QList<QWidget *> tabOrder = {EditClass};
    QFormLayout *form = nullptr;
    for (int i = 0; i < int(std::size(kRows)); ++i) {
        for (const Section &s : kSections) {
            if (s.firstRow != i)
                continue;
            auto *heading = new QLabel(this);
            heading->setObjectName(QString::fromLatin1(s.heading));
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            form = column[s.column];
            form->addRow(heading);
        }
        const Row &r = kRows[i];
        QWidget *field = nullptr;
        if (r.items) {
            auto *combo = new QComboBox(this);
            combo->setEditable(true);
            combo->addItems(QString::fromLatin1(r.items).split(QLatin1Char('|')));
            field = combo;
        } else {
            field = new QLineEdit(this);
        }
        field->setObjectName(QString::fromLatin1(r.name));
        field->setMinimumWidth(150);
        tabOrder << field;
        m_valueWidgets << field;
        auto *label = new QLabel(QString::fromLatin1(r.label), this);
        label->setBuddy(field);
        auto *line = new QHBoxLayout;
        line->addWidget(field, 1);
        if (r.colorButton) {
            auto *button = new QPushButton(QStringLiteral("…"), this);
            button->setObjectName(QString::fromLatin1(r.colorButton));
            button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("……")) + 12);
            line->addWidget(button);
            tabOrder << button;
            auto *edit = static_cast<QLineEdit *>(field);
            connect(button, &QPushButton::clicked, this, [this, edit] { chooseColor(edit); });
        }
        if (field->objectName() == QLatin1String("EditBackUrl"))
            line->addWidget(new QLabel(QStringLiteral(")"), this));
        form->addRow(label, line);
    }

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons);
    tabOrder << BitBtn1 << BitBtn2;
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));

    const auto find = [this](auto *&member, const char *name) {
        member = findChild<std::remove_reference_t<decltype(*member)> *>(QString::fromLatin1(name));
    };
    find(ComboBoxPosition, "ComboBoxPosition");
    find(EditTop, "EditTop");
    find(EditLeft, "EditLeft");
    find(EditWidth, "EditWidth");
    find(EditMargin, "EditMargin");
    find(EditBorder, "EditBorder");
    find(EditBColor, "EditBColor");
    find(ComboBStyle, "ComboBStyle");
    find(EditPadding, "EditPadding");
    find(EditFont, "EditFont");
    find(EditFontSize, "EditFontSize");
    find(ComboBoxWeight, "ComboBoxWeight");
    find(ComboBoxStyle, "ComboBoxStyle");
    find(EditFColor, "EditFColor");
    find(ComboBox1, "ComboBox1");
    find(ComboBox2, "ComboBox2");
    find(EditBackUrl, "EditBackUrl");
    find(ComboRepeat, "ComboRepeat");
    find(ComboPosition, "ComboPosition");
    find(ComboAttach, "ComboAttach");
    find(EditBgColor, "EditBgColor");

    connect(BitBtn1, &QPushButton::clicked, this, &TFormCss::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormCss::BitBtn2Click);
    setFields(CssFields{});
    FormShow();
}

CssFields TFormCss::fields() const
{
    CssFields f;
    f.selector = EditClass->text();
    const auto declarations = cssDeclarations();
    for (qsizetype i = 0; i < m_valueWidgets.size(); ++i)
        f.*declarations[i].value = textOf(m_valueWidgets.at(i));
    return f;
}

void TFormCss::setFields(const CssFields &f)
{
    EditClass->setText(f.selector);
    const auto declarations = cssDeclarations();
    for (qsizetype i = 0; i < m_valueWidgets.size(); ++i)
        setTextOf(m_valueWidgets.at(i), f.*declarations[i].value);
}

QString TFormCss::Color2HTML(const QColor &color)
{
    // red(), green() and blue() resolve a colour of any other kind to its RGB value first.
    return ColorToHtml(color.red(), color.green(), color.blue());
}

void TFormCss::FormShow()
{
    Result.clear();
    const bool en = UiLanguage != 0;
    for (const Section &s : kSections)
        findChild<QLabel *>(QString::fromLatin1(s.heading))
            ->setText(QString::fromUtf16(en ? s.english : s.german));
    BitBtn2->setText(en ? QStringLiteral("Cancel") : QStringLiteral("Abbrechen"));
}

void TFormCss::chooseColor(QLineEdit *field)
{
    const QColor start = QColor::fromString(field->text().trimmed());
    if (const std::optional<QColor> chosen = m_prompter.chooseColor(start.isValid() ? start : QColor(Qt::white)))
        field->setText(Color2HTML(*chosen));
}

void TFormCss::BitBtn1Click()
{
    const CssFields f = fields();
    if (const std::optional<CssProblem> problem = findCssProblem(f)) {
        m_prompter.warning(cssProblemText(*problem, UiLanguage));
        (problem->field < 0 ? static_cast<QWidget *>(EditClass) : m_valueWidgets.at(problem->field))->setFocus();
        return;
    }
    Result = MakeCss(f);
    accept();
}

void TFormCss::BitBtn2Click()
{
    Result.clear();
    reject();
}

std::optional<QString> runCssDialog(TFormCss &dialog, Prompter &prompter, int uiLanguage)
{
    if (execInLanguage(dialog, prompter, uiLanguage) != QDialog::Accepted || dialog.Result.trimmed().isEmpty())
        return std::nullopt;
    return dialog.Result;
}

} // namespace korvel
