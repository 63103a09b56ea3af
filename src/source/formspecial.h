#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvel {

class SynMemo;

// The special character window: a field of sample characters; "Key code" turns the first
// selected character into its numeric character reference and puts it on the clipboard, to be
// pasted into the source.
class TFormSpecial final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormSpecial)

public:
    explicit TFormSpecial(QWidget *parent = nullptr);

    // Sets the texts of the language; called each time before the window is shown.
    void setLanguage(int uiLanguage);
    // Shows help for a context number (F1).
    void setHelpHandler(std::function<void(int)> handler) { m_help = std::move(handler); }

    void BitBtn3Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QPushButton *BitBtn3 = nullptr;
    SynMemo *SynMemo1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
    std::function<void(int)> m_help;
};

} // namespace korvel
