#pragma once

#include "generators/generatorcommands.h"

#include "designerwindowtest.h"
#include "dialogtesting.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <functional>

namespace korvel::test {

// The main window with its designer and the generator commands, as the program builds them.
class GeneratorCommandsTest : public DesignerWindowTest {
protected:
    void attachCommands() override { generators = new GeneratorCommands(*form, *designer); }

    // The next dialog is played by the person function; the dialog's own buttons decide how
    // it closes. The dialog is shown, so that what the person sees can be checked.
    void answerDialog(std::function<void(QDialog &)> person)
    {
        prompter.answerDialog([person](QDialog &dialog) {
            dialog.show();
            person(dialog);
            return dialog.result();
        });
    }

    static void click(QDialog &dialog, const char *button) { child<QAbstractButton>(dialog, button)->click(); }
    static void type(QDialog &dialog, const char *field, const QString &text)
    {
        child<QLineEdit>(dialog, field)->setText(text);
    }

    GeneratorCommands *generators = nullptr;  // a child of the window
};

} // namespace korvel::test
