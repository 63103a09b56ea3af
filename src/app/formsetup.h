#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace korvel {

class Prompter;

// The settings dialog: edits the lines of Htmledit.ini.
class TFormSetup final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormSetup)

public:
    TFormSetup(Prompter &prompter, QWidget *parent = nullptr);

    int LanguageValue = 0;
    QString DataFolder;

    void setEditorValues(const QString &fontName, int fontSize, int keyword, int identifier, int value);
    void setHelpHandler(std::function<void(int)> handler) { m_help = std::move(handler); }

    // Sets the captions and loads the settings file into the fields.
    void FormShow();
    // The sixteen lines the fields stand for.
    QStringList settingsLines() const;
    // Writes them to the settings file, replacing it.
    bool writeSettings() const;

    static const QStringList &charsets();
    static const QStringList &charsetDescriptions();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setCaptions();
    void updateLoginFields();
    void updateCharsetLabel();
    void chooseColor(QLineEdit *field);

    Prompter &m_prompter;
    std::function<void(int)> m_help;
    QStringList m_kept = {QString(), QString(), QString()};  // lines 12 to 14

    QLineEdit *m_fontName = nullptr;
    QComboBox *m_fontSize = nullptr;
    QRadioButton *m_numbersOn = nullptr;
    QRadioButton *m_numbersOff = nullptr;
    QLineEdit *m_user = nullptr;
    QLineEdit *m_password = nullptr;
    QLineEdit *m_server = nullptr;
    QCheckBox *m_anonymous = nullptr;
    QComboBox *m_charset = nullptr;
    QLabel *m_charsetLabel = nullptr;
    QLineEdit *m_browser = nullptr;
    QLineEdit *m_keyword = nullptr;
    QLineEdit *m_parameter = nullptr;
    QLineEdit *m_value = nullptr;
};

} // namespace korvel
