#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace korvel {

// The designer's find box: a search text and match case over the page shown. It stays open
// beside the main window; each press of Find Next emits find(), and closing it emits closed().
class DesignerFindBox final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesignerFindBox)

public:
    explicit DesignerFindBox(QWidget *parent = nullptr);

    void setLanguage(int uiLanguage);

    QString findText() const;
    void setFindText(const QString &text);
    bool matchCase() const;
    void setMatchCase(bool on);

signals:
    void find();
    void closed();

protected:
    void hideEvent(QHideEvent *event) override;

private:
    QLineEdit *m_findText = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QPushButton *m_findNext = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace korvel
