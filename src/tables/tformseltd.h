#pragma once

#include "tables/tabledialog.h"

#include <optional>

class QLabel;
class QPushButton;
class QToolButton;

namespace korvel {

class Prompter;

// Asks whether a new cell goes before or behind the current cell: two picture buttons and
// Cancel.
class TFormSelTd final : public TableDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormSelTd)

public:
    explicit TFormSelTd(QWidget *parent = nullptr);

    int Offset = 0; // -1 before, 1 behind

    // Captions and hints in the flag's language; the offset becomes 0.
    void FormShow() override;

private:
    void choose(int offset);

    QLabel *m_label = nullptr;
    QToolButton *m_before = nullptr;
    QToolButton *m_behind = nullptr;
    QPushButton *m_cancel = nullptr;
};

// The designer's cell command: -1 before or 1 behind; nothing after Cancel or a closed window.
std::optional<int> runSelTdDialog(TFormSelTd &dialog, Prompter &prompter, int uiLanguage);

} // namespace korvel
