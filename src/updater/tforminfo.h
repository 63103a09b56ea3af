#pragma once

#include <QDialog>

class QLabel;

namespace korvel {

// The info window: the updater's name and its own version.
class TFormInfo final : public QDialog {
    Q_OBJECT
public:
    explicit TFormInfo(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TFormInfo)

    void setVersionText(const QString &text);
    QString versionText() const;

private:
    QLabel *m_labelNummer = nullptr;
};

} // namespace korvel
