#pragma once

#include "tables/maketable.h"
#include "tables/tabledialog.h"

#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace korvel {

class Prompter;

// The table generator: the fields of a new table and of its cells. OK corrects the fields,
// refuses a table beyond the size limits and builds the table HTML; the fields keep their
// texts from one showing to the next.
class TFormTable final : public TableDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormTable)

public:
    explicit TFormTable(Prompter &prompter, QWidget *parent = nullptr);

    TableFields fields() const;
    void setFields(const TableFields &fields);
    // The table HTML; empty unless OK built it.
    const QString &result() const { return m_result; }

    // Captions and hints in the flag's language; the result is emptied.
    void FormShow() override;
    void BitBtn1Click(); // OK
    void Button1Click(); // cell colour
    void Button2Click(); // table colour

private:
    struct Hinted {
        QWidget *widget;
        const char16_t *german;
        const char16_t *english;
    };
    QLineEdit *addEdit(QGridLayout *grid, const char *name, const char *caption, const char16_t *german,
                       const char16_t *english, const QString &text);
    QComboBox *addCombo(QGridLayout *grid, const char *name, const char *caption, const char16_t *german,
                        const char16_t *english, const QStringList &items, const QString &text);
    void addHint(QWidget *widget, const char16_t *german, const char16_t *english);
    void chooseColor(QLineEdit *field);

    Prompter &m_prompter;
    QString m_result;
    std::vector<Hinted> m_hinted;

    QLineEdit *m_rows = nullptr;
    QLineEdit *m_cols = nullptr;
    QLineEdit *m_width = nullptr;
    QLineEdit *m_height = nullptr;
    QLineEdit *m_border = nullptr;
    QLineEdit *m_padding = nullptr;
    QLineEdit *m_spacing = nullptr;
    QComboBox *m_align = nullptr;
    QLineEdit *m_color = nullptr;
    QLineEdit *m_cellWidth = nullptr;
    QLineEdit *m_cellHeight = nullptr;
    QComboBox *m_cellAlign = nullptr;
    QComboBox *m_cellValign = nullptr;
    QLineEdit *m_cellColor = nullptr;
    QLineEdit *m_colspan = nullptr;
    QLineEdit *m_rowspan = nullptr;
    QCheckBox *m_behind = nullptr;
};

// The source view's table command: shows the dialog in the given language and gives the text
// to put in place of the editor's selection (the table HTML with A-Z lowered); nothing after
// Cancel.
std::optional<QString> runTableDialog(TFormTable &dialog, Prompter &prompter, int uiLanguage);

} // namespace korvel
