#include "tables/tformtable.h"

#include "prompt/prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace korvel {

namespace {

constexpr int kHelpTopic = 150;

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QString text(const char16_t *german, const char16_t *english, bool inEnglish)
{
    return QString::fromUtf16(inEnglish ? english : german);
}

QToolButton *colorButton(QWidget *parent, const char *name)
{
    auto *button = named(new QToolButton(parent), name);
    button->setText(QStringLiteral("…"));
    return button;
}

} // namespace

TFormTable::TFormTable(Prompter &prompter, QWidget *parent)
    : TableDialog(kHelpTopic, parent)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFormTable"));

    auto *table = named(new QGroupBox(QStringLiteral("Table"), this), "GroupBox1");
    auto *tableGrid = new QGridLayout(table);
    m_rows = addEdit(tableGrid, "EditZeile", "Rows", u"Tabellenzeilen (TR)", u"Table rows (TR)", QStringLiteral("1"));
    m_cols = addEdit(tableGrid, "EditSpalte", "Cols", u"Tabellenzellen (TD)", u"Table data/cells (TD)",
                     QStringLiteral("1"));
    m_width = addEdit(tableGrid, "EditBreite", "Width", u"Tabellenbreite", u"Table width", QString());
    m_height = addEdit(tableGrid, "EditHoehe", "Height", u"Tabellenhöhe", u"Table height", QString());
    m_border = addEdit(tableGrid, "EditBorder", "Border", u"Rahmenstärke", u"Table border width", QStringLiteral("0"));
    m_padding = addEdit(tableGrid, "EditPadding", "Cellpadding", u"Zellenzwischenraum", u"Cellpadding",
                        QStringLiteral("0"));
    m_spacing = addEdit(tableGrid, "EditSpacing", "Cellspacing", u"Zellenabstand", u"Cellspacing",
                        QStringLiteral("0"));
    m_align = addCombo(tableGrid, "ComboBox1", "Align", nullptr, nullptr,
                       {QStringLiteral("center"), QStringLiteral("left"), QStringLiteral("right"),
                        QStringLiteral("bleedleft"), QStringLiteral("bleedright")},
                       QString());
    m_color = addEdit(tableGrid, "EditFarbe", "Bgcolor", nullptr, nullptr, QString());
    auto *tableColor = colorButton(table, "Button2");
    addHint(tableColor, u"Hintergrungfarbe wählen", u"Choose background color");
    tableGrid->addWidget(tableColor, tableGrid->rowCount() - 1, 2);

    auto *cells = named(new QGroupBox(QStringLiteral("TR/TD"), this), "GroupBox2");
    auto *cellGrid = new QGridLayout(cells);
    m_cellWidth = addEdit(cellGrid, "EditWidth", "Width", u"Breite", u"Width", QString());
    m_cellHeight = addEdit(cellGrid, "EditHeight", "Height", u"Höhe", u"Height", QString());
    m_cellAlign = addCombo(cellGrid, "ComboBox2", "Align", u"Ausrichtung", u"Alignment",
                           {QStringLiteral("center"), QStringLiteral("left"), QStringLiteral("right"),
                            QStringLiteral("justify")},
                           QStringLiteral("left"));
    m_cellValign = addCombo(cellGrid, "ComboBox3", "Valign", u"Vertikale Ausrichtung", u"Vertical Alignment",
                            {QStringLiteral("top"), QStringLiteral("middle"), QStringLiteral("bottom"),
                             QStringLiteral("baseline")},
                            QStringLiteral("top"));
    m_cellColor = addEdit(cellGrid, "EditColor", "Bgcolor", nullptr, nullptr, QString());
    auto *cellColor = colorButton(cells, "Button1");
    addHint(cellColor, u"Hintergrungfarbe wählen", u"Choose background color");
    cellGrid->addWidget(cellColor, cellGrid->rowCount() - 1, 2);
    m_colspan = addEdit(cellGrid, "EditColspan", "Colspan", u"Spaltenbereich", u"Colspan", QString());
    m_rowspan = addEdit(cellGrid, "EditRowspan", "Rowspan", u"Zeilenbereich", u"Rowspan", QString());
    // Spans and the place of insertion belong to inserting into an existing table, which this
    // dialog does not do: they are shown but cannot be changed.
    m_colspan->setEnabled(false);
    m_rowspan->setEnabled(false);
    m_behind = named(new QCheckBox(cells), "CheckBoxBehind");
    m_behind->setChecked(true);
    m_behind->setEnabled(false);
    cellGrid->addWidget(m_behind, cellGrid->rowCount(), 0, 1, 3);

    auto *groups = new QHBoxLayout;
    groups->addWidget(table);
    groups->addWidget(cells);

    auto *help = named(new QToolButton(this), "SpeedButton1");
    help->setText(QStringLiteral("?"));
    auto *ok = named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    ok->setDefault(true);
    auto *cancel = named(new QPushButton(this), "BitBtn2");
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &TFormTable::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QToolButton::clicked, this, &TFormTable::showHelp);
    connect(cellColor, &QToolButton::clicked, this, &TFormTable::Button1Click);
    connect(tableColor, &QToolButton::clicked, this, &TFormTable::Button2Click);
    FormShow();
}

QLineEdit *TFormTable::addEdit(QGridLayout *grid, const char *name, const char *caption, const char16_t *german,
                               const char16_t *english, const QString &initial)
{
    auto *parent = grid->parentWidget();
    auto *label = named(new QLabel(QLatin1String(caption), parent), (QByteArray("Label") + name).constData());
    auto *edit = named(new QLineEdit(initial, parent), name);
    label->setBuddy(edit);
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    if (german) {
        addHint(label, german, english);
        addHint(edit, german, english);
    }
    return edit;
}

QComboBox *TFormTable::addCombo(QGridLayout *grid, const char *name, const char *caption, const char16_t *german,
                                const char16_t *english, const QStringList &items, const QString &initial)
{
    auto *parent = grid->parentWidget();
    auto *label = named(new QLabel(QLatin1String(caption), parent), (QByteArray("Label") + name).constData());
    auto *combo = named(new QComboBox(parent), name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setCurrentIndex(items.indexOf(initial));
    combo->setEditText(initial);
    label->setBuddy(combo);
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(combo, row, 1);
    if (german) {
        addHint(label, german, english);
        addHint(combo, german, english);
    }
    return combo;
}

void TFormTable::addHint(QWidget *widget, const char16_t *german, const char16_t *english)
{
    m_hinted.push_back({widget, german, english});
}

void TFormTable::FormShow()
{
    const bool en = english();
    setWindowTitle(en ? QStringLiteral("Table") : QStringLiteral("Tabelle"));
    for (const Hinted &h : m_hinted)
        h.widget->setToolTip(text(h.german, h.english, en));
    m_behind->setText(en ? QStringLiteral("Insert behind selection") : QStringLiteral("Hinter Auswahl einfügen"));
    findChild<QPushButton *>(QStringLiteral("BitBtn2"))->setText(en ? QStringLiteral("Cancel")
                                                                    : QStringLiteral("Abbrechen"));
    m_result.clear();
}

TableFields TFormTable::fields() const
{
    TableFields f;
    f.rows = m_rows->text();
    f.cols = m_cols->text();
    f.width = m_width->text();
    f.height = m_height->text();
    f.border = m_border->text();
    f.padding = m_padding->text();
    f.spacing = m_spacing->text();
    f.align = m_align->currentText();
    f.color = m_color->text();
    f.cellWidth = m_cellWidth->text();
    f.cellHeight = m_cellHeight->text();
    f.cellAlign = m_cellAlign->currentText();
    f.cellValign = m_cellValign->currentText();
    f.cellColor = m_cellColor->text();
    f.colspan = m_colspan->text();
    f.rowspan = m_rowspan->text();
    return f;
}

void TFormTable::setFields(const TableFields &f)
{
    m_rows->setText(f.rows);
    m_cols->setText(f.cols);
    m_width->setText(f.width);
    m_height->setText(f.height);
    m_border->setText(f.border);
    m_padding->setText(f.padding);
    m_spacing->setText(f.spacing);
    m_align->setEditText(f.align);
    m_color->setText(f.color);
    m_cellWidth->setText(f.cellWidth);
    m_cellHeight->setText(f.cellHeight);
    m_cellAlign->setEditText(f.cellAlign);
    m_cellValign->setEditText(f.cellValign);
    m_cellColor->setText(f.cellColor);
    m_colspan->setText(f.colspan);
    m_rowspan->setText(f.rowspan);
}

void TFormTable::BitBtn1Click()
{
    const TableFields corrected = CorrectedTableFields(fields());
    setFields(corrected);
    const std::optional<QString> html = MakeTableVar(corrected);
    if (!html) {
        // A table this large would take the editor down; the person can lower the numbers.
        m_prompter.warning(english()
                               ? QStringLiteral("The table is too large: at most %1 rows and %2 cells.")
                                     .arg(kMaxTableRows)
                                     .arg(kMaxTableCells)
                               : QStringLiteral("Die Tabelle ist zu groß: höchstens %1 Zeilen und %2 Zellen.")
                                     .arg(kMaxTableRows)
                                     .arg(kMaxTableCells));
        return;
    }
    m_result = *html;
    accept();
}

void TFormTable::chooseColor(QLineEdit *field)
{
    if (const std::optional<QColor> color = m_prompter.chooseColor(QColor(field->text())))
        field->setText(Color2HTML(*color));
}

void TFormTable::Button1Click()
{
    chooseColor(m_cellColor);
}

void TFormTable::Button2Click()
{
    chooseColor(m_color);
}

std::optional<QString> runTableDialog(TFormTable &dialog, Prompter &prompter, int uiLanguage)
{
    if (execInLanguage(dialog, prompter, uiLanguage) != QDialog::Accepted)
        return std::nullopt;
    return TableSourceInsertion(dialog.result());
}

} // namespace korvel
