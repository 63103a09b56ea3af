#pragma once

#include "designer/formattingcommands.h"
#include "designerwindowtest.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

#include <memory>

namespace korvel::test {

// The main window with its designer and the formatting commands.
class FormattingTest : public DesignerWindowTest {
protected:
    void attachCommands() override { formatting = std::make_unique<FormattingCommands>(*form, *designer); }

    void TearDown() override
    {
        formatting.reset();
        DesignerWindowTest::TearDown();
    }

    QComboBox *comboFont() { return form->findChild<QComboBox *>(QStringLiteral("ComboFont1")); }
    QComboBox *comboColor() { return form->findChild<QComboBox *>(QStringLiteral("ComboColor")); }
    QLineEdit *editSize() { return form->findChild<QLineEdit *>(QStringLiteral("EditSize")); }
    QAbstractButton *upDown(const char *name)
    {
        return form->findChild<QAbstractButton *>(QLatin1String(name));
    }

    // The person picks a colour in the colour box.
    void chooseColor(int index)
    {
        comboColor()->setCurrentIndex(index);
        emit comboColor()->activated(index);
    }

    std::unique_ptr<FormattingCommands> formatting;
};

} // namespace korvel::test
