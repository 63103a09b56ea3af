#pragma once

#include "prompt/helpdialog.h"

class QColor;

namespace korvel {

// "#" and the colour's red, green and blue values as two upper-case hex digits each.
QString Color2HTML(const QColor &color);

// What the four table dialogs share beyond the language flag and F1: a FormShow that every
// caller runs before showing them.
class TableDialog : public HelpDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TableDialog)

public:
    // Runs before every showing: captions in the flag's language, the results reset.
    virtual void FormShow() = 0;

protected:
    TableDialog(int helpTopic, QWidget *parent) : HelpDialog(helpTopic, parent) {}
};

} // namespace korvel
