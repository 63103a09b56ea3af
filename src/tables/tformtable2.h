#pragma once

#include "tables/tabledialog.h"

#include <QList>
#include <QString>

#include <optional>

class QComboBox;
class QLineEdit;

namespace korvel {

class Prompter;

// The seven attributes of an existing table, as the property inspector edits them.
struct Table2Fields {
    QString width;   // EditBreite
    QString height;  // EditHoehe
    QString padding; // Editpadding
    QString spacing; // Editspacing
    QString align;   // ComboBoxAlign
    QString border;  // EditBorder
    QString bgColor; // EditBgColor

    bool operator==(const Table2Fields &) const = default;
};

// One attribute of the table to write back: its value, or nothing to remove the attribute.
struct TableAttributeChange {
    QString attribute; // lower case, as in the markup
    std::optional<QString> value;

    bool operator==(const TableAttributeChange &) const = default;
};

// The attributes the fields stand for, in the order align, width, height, border, cellpadding,
// cellspacing, bgcolor. A blank field removes its attribute: an empty border="" would still
// draw a border.
QList<TableAttributeChange> TableAttributeChanges(const Table2Fields &fields);

// The table attributes dialog. Nothing is checked; OK sets the accepted flag.
class TFormTable2 final : public TableDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormTable2)

public:
    explicit TFormTable2(Prompter &prompter, QWidget *parent = nullptr);

    bool Accepted = false;

    Table2Fields fields() const;
    void setFields(const Table2Fields &fields);

    // Captions and hints in the flag's language; the accepted flag is cleared.
    void FormShow() override;
    void Button1Click(); // colour

private:
    Prompter &m_prompter;
    QLineEdit *m_width = nullptr;
    QLineEdit *m_height = nullptr;
    QLineEdit *m_padding = nullptr;
    QLineEdit *m_spacing = nullptr;
    QComboBox *m_align = nullptr;
    QLineEdit *m_border = nullptr;
    QLineEdit *m_bgColor = nullptr;
};

// The property inspector's table command: shows the dialog with the table's current values in
// the given language; the edited values after OK, nothing otherwise.
std::optional<Table2Fields> runTable2Dialog(TFormTable2 &dialog, Prompter &prompter, int uiLanguage,
                                            const Table2Fields &current);

} // namespace korvel
