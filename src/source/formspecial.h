#pragma once

#include "prompt/helpdialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvel {

class SynMemo;

// The special character window: a field of sample characters; "Key code" turns the first
// selected character into its numeric character reference and puts it on the clipboard, to be
// pasted into the source.
class TFormSpecial final : public HelpDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormSpecial)

public:
    explicit TFormSpecial(QWidget *parent = nullptr);

    // Sets the language flag and its texts; called each time before the window is shown.
    void setLanguage(int uiLanguage);

    void BitBtn3Click();

private:
    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QPushButton *BitBtn3 = nullptr;
    SynMemo *SynMemo1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
};

} // namespace korvel
