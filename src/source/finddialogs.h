#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace korvel {

// The modeless find dialog: a search text, match case and whole word. Searches always run
// towards the end of the text, so there is no direction to choose. Find Next emits find().
class TFindDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindDialog)

public:
    explicit TFindDialog(QWidget *parent = nullptr);

    void setLanguage(int uiLanguage);

    QString findText() const;
    void setFindText(const QString &text);
    bool matchCase() const;
    bool wholeWord() const;

signals:
    void find();

private:
    QLineEdit *m_findText = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QCheckBox *m_wholeWord = nullptr;
    QPushButton *m_findNext = nullptr;
    QPushButton *m_cancel = nullptr;
};

// The modeless replace dialog: search and replacement texts and match case. Find Next emits
// find(); Replace and Replace All both emit replace(), and replaceAllPressed() tells which.
class TReplaceDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TReplaceDialog)

public:
    explicit TReplaceDialog(QWidget *parent = nullptr);

    void setLanguage(int uiLanguage);

    QString findText() const;
    void setFindText(const QString &text);
    QString replaceText() const;
    void setReplaceText(const QString &text);
    bool matchCase() const;
    bool replaceAllPressed() const { return m_replaceAllPressed; }

signals:
    void find();
    void replace();

private:
    QLineEdit *m_findText = nullptr;
    QLineEdit *m_replaceText = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QPushButton *m_findNext = nullptr;
    QPushButton *m_replace = nullptr;
    QPushButton *m_replaceAll = nullptr;
    QPushButton *m_cancel = nullptr;
    bool m_replaceAllPressed = false;
};

} // namespace korvel
