#pragma once

#include <QDialog>

class QComboBox;

namespace korvel {

// The language chooser shown on the first start.
class TFormSelLang final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormSelLang)

public:
    explicit TFormSelLang(QWidget *parent = nullptr);
    void preset(int index);
    // The index of the chosen entry: 0 German, 1 English, -1 when none is chosen.
    int selectedLanguage() const;

private:
    QComboBox *m_combo = nullptr;
};

} // namespace korvel
