#pragma once

#include "teststrings.h"
#include "designerwindowtest.h"
#include "generators/formfieldcommands.h"

#include <QDialog>
#include <QPushButton>

#include <memory>

namespace korvel::test {

// The main window on the real engine with the form commands attached, as the program builds it.
class FormFieldTest : public DesignerWindowTest {
protected:
    void attachCommands() override { forms = std::make_unique<FormFieldCommands>(*form, *designer); }

    void TearDown() override
    {
        EXPECT_TRUE(prompter.unexpected().isEmpty()) << prompter.unexpected().join(u' ').toStdString();
        forms.reset();
        DesignerWindowTest::TearDown();
    }

    // Answers the next dialog by clicking one of its buttons, as a person would.
    void answerWith(const char *button)
    {
        prompter.answerDialog([button](QDialog &d) {
            QPushButton *b = d.findChild<QPushButton *>(QLatin1String(button));
            if (!b) {
                ADD_FAILURE() << "no button " << button << " in " << d.objectName().toStdString();
                return int(QDialog::Rejected);
            }
            b->click();
            return d.result();
        });
    }

    std::unique_ptr<FormFieldCommands> forms;
};

} // namespace korvel::test
