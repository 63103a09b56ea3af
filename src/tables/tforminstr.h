#pragma once

#include "tables/tablesource.h"
#include "tables/tabledialog.h"

#include <optional>

class QLabel;
class QPushButton;

namespace korvel {

class Prompter;

// Asks where a new table row goes: before or behind the current row, or at the end of the
// table. Every button closes the dialog.
class TFormInsTR final : public TableDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormInsTR)

public:
    explicit TFormInsTR(QWidget *parent = nullptr);

    int Position = -1; // 0 before, 1 behind, -1 end of table
    bool Cancelled = false;

    // Captions in the flag's language; the position becomes -1 and the dialog not cancelled.
    void FormShow() override;

    QPushButton *endOfTableButton() const { return m_end; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void choose(int position);

    QLabel *m_label = nullptr;
    QPushButton *m_before = nullptr;
    QPushButton *m_behind = nullptr;
    QPushButton *m_end = nullptr;
    QPushButton *m_cancel = nullptr;
};

// The designer's row command: the chosen position (-1 also when the window was closed without a
// choice); nothing when cancelled.
std::optional<int> runInsertRowDialog(TFormInsTR &dialog, Prompter &prompter, int uiLanguage);

// The source view's row command: "End of table" is not offered there; before or behind, or
// nothing when the person cancelled or closed the window.
std::optional<InsertPlace> runSourceRowDialog(TFormInsTR &dialog, Prompter &prompter, int uiLanguage);

} // namespace korvel
