#include "tables/tformtable2.h"

#include "prompt/prompter.h"
#include "source/textmatch.h"

#include <QColor>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace korvel {

namespace {

constexpr int kHelpTopic = 80;

struct Hint {
    const char *name;
    const char16_t *german;
    const char16_t *english;
};

// Each hint stands on the field and on its label ("Label" + the field's name).
const Hint kHints[] = {
    {"EditBreite", u"Breite", u"Width"},
    {"EditHoehe", u"Höhe", u"Height"},
    {"Editpadding", u"Zellenzwischenraum", u"Cellpadding"},
    {"Editspacing", u"Zellenabstand", u"Cellspacing"},
    {"ComboBoxAlign", u"Ausrichtung", u"Alignment"},
    {"EditBorder", u"Rahmenstärke", u"Table border width"},
    {"EditBgColor", u"Hintergrungfarbe", u"Background color"},
    {"Button1", u"Farbe auswählen", u"Choose color"},
};

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

QList<TableAttributeChange> TableAttributeChanges(const Table2Fields &f)
{
    const auto change = [](const char *attribute, const QString &value) {
        return TableAttributeChange{QLatin1String(attribute),
                                    IsBlank(value) ? std::nullopt : std::optional<QString>(value)};
    };
    return {change("align", f.align),         change("width", f.width),
            change("height", f.height),       change("border", f.border),
            change("cellpadding", f.padding), change("cellspacing", f.spacing),
            change("bgcolor", f.bgColor)};
}

TFormTable2::TFormTable2(Prompter &prompter, QWidget *parent)
    : TableDialog(kHelpTopic, parent)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFormTable2"));
    auto *form = new QFormLayout;
    const auto row = [&](const char *caption, QWidget *field, QWidget *beside = nullptr) {
        auto *label = named(new QLabel(QLatin1String(caption), this),
                            (QByteArray("Label") + field->objectName().toLatin1()).constData());
        label->setBuddy(field);
        if (!beside) {
            form->addRow(label, field);
            return;
        }
        auto *pair = new QHBoxLayout;
        pair->addWidget(field);
        pair->addWidget(beside);
        form->addRow(label, pair);
    };
    m_width = named(new QLineEdit(this), "EditBreite");
    m_height = named(new QLineEdit(this), "EditHoehe");
    m_padding = named(new QLineEdit(this), "Editpadding");
    m_spacing = named(new QLineEdit(this), "Editspacing");
    m_align = named(new QComboBox(this), "ComboBoxAlign");
    m_align->setEditable(true);
    m_align->setInsertPolicy(QComboBox::NoInsert);
    m_align->addItems({QStringLiteral("center"), QStringLiteral("left"), QStringLiteral("right"),
                       QStringLiteral("justify")});
    m_align->setCurrentIndex(-1);
    m_border = named(new QLineEdit(this), "EditBorder");
    m_bgColor = named(new QLineEdit(this), "EditBgColor");
    auto *colorButton = named(new QToolButton(this), "Button1");
    colorButton->setText(QStringLiteral("…"));
    row("Width", m_width);
    row("Height", m_height);
    row("Cellpadding", m_padding);
    row("Cellspacing", m_spacing);
    row("Align", m_align);
    row("Border", m_border);
    row("Bgcolor", m_bgColor, colorButton);

    auto *ok = named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    ok->setDefault(true);
    auto *cancel = named(new QPushButton(this), "BitBtn2");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] {
        Accepted = true;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        Accepted = false;
        reject();
    });
    connect(colorButton, &QToolButton::clicked, this, &TFormTable2::Button1Click);
    FormShow();
}

void TFormTable2::FormShow()
{
    const bool en = english();
    Accepted = false;
    setWindowTitle(en ? QStringLiteral("Table attributes") : QStringLiteral("Tabellen Parameter"));
    for (const Hint &h : kHints) {
        const QString hint = QString::fromUtf16(en ? h.english : h.german);
        findChild<QWidget *>(QLatin1String(h.name))->setToolTip(hint);
        if (auto *label = findChild<QLabel *>(QStringLiteral("Label") + QLatin1String(h.name)))
            label->setToolTip(hint);
    }
    findChild<QPushButton *>(QStringLiteral("BitBtn2"))->setText(en ? QStringLiteral("Cancel")
                                                                    : QStringLiteral("Abbrechen"));
}

Table2Fields TFormTable2::fields() const
{
    return {m_width->text(),        m_height->text(), m_padding->text(), m_spacing->text(),
            m_align->currentText(), m_border->text(), m_bgColor->text()};
}

void TFormTable2::setFields(const Table2Fields &f)
{
    m_width->setText(f.width);
    m_height->setText(f.height);
    m_padding->setText(f.padding);
    m_spacing->setText(f.spacing);
    m_align->setEditText(f.align);
    m_border->setText(f.border);
    m_bgColor->setText(f.bgColor);
}

void TFormTable2::Button1Click()
{
    if (const std::optional<QColor> color = m_prompter.chooseColor(QColor(m_bgColor->text())))
        m_bgColor->setText(Color2HTML(*color));
}

std::optional<Table2Fields> runTable2Dialog(TFormTable2 &dialog, Prompter &prompter, int uiLanguage,
                                            const Table2Fields &current)
{
    dialog.setFields(current);
    execInLanguage(dialog, prompter, uiLanguage);
    if (!dialog.Accepted)
        return std::nullopt;
    return dialog.fields();
}

} // namespace korvel
