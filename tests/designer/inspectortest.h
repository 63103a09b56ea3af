#pragma once

#include "../tables/tablecommandstest.h"
#include "designer/inspectorcommands.h"
#include "designer/pagepropertiescommands.h"
#include "designer/tformselect.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

namespace korvel::test {

// What the person types: field names and texts.
using Edits = QList<std::pair<QString, QString>>;

// The main window with the table commands, the inspector and the page properties, on the
// real engine.
class InspectorTest : public TableCommandsTest {
protected:
    void attachCommands() override
    {
        TableCommandsTest::attachCommands();
        inspector = std::make_unique<InspectorCommands>(*form, *designer, tables->elementActions());
        pageProperties = std::make_unique<PagePropertiesCommands>(*form, *designer);
    }

    void TearDown() override
    {
        inspector.reset();
        pageProperties.reset();
        TableCommandsTest::TearDown();
    }

    // The person picks the candidate of the list; the candidates offered are kept.
    void choose(int row, QStringList *offered = nullptr)
    {
        prompter.answerDialog([row, offered](QDialog &dialog) {
            auto &select = static_cast<TFormSelect &>(dialog);
            if (offered) {
                offered->clear();
                for (int i = 0; i < select.ListBox1->count(); ++i)
                    offered->append(select.ListBox1->item(i)->text());
            }
            select.ListBox1->setCurrentRow(row);
            select.BitBtn2->click();
            return dialog.result();
        });
    }

    // The person types into the named fields (line edits or combos) and presses the button;
    // what the fields showed before is kept, and a picture of the dialog when asked for.
    void edit(const Edits &edits, const QString &button = QStringLiteral("BitBtn1"),
              QHash<QString, QString> *shown = nullptr, const QString &shotName = {})
    {
        prompter.answerDialog([=](QDialog &dialog) {
            if (shown)
                *shown = fieldsOf(dialog);
            if (!shotName.isEmpty())
                shoot(dialog, shotName);
            for (const auto &[name, text] : edits) {
                QObject *field = dialog.findChild<QObject *>(name);
                if (auto *line = qobject_cast<QLineEdit *>(field))
                    line->setText(text);
                else if (auto *combo = qobject_cast<QComboBox *>(field); combo && combo->isEditable())
                    combo->setEditText(text);
                else if (combo)
                    combo->setCurrentIndex(combo->findText(text));
                else
                    ADD_FAILURE() << "no field " << name.toStdString();
            }
            dialog.findChild<QAbstractButton *>(button)->click();
            return dialog.result();
        });
    }

    static QHash<QString, QString> fieldsOf(QDialog &dialog)
    {
        QHash<QString, QString> texts;
        for (QLineEdit *line : dialog.findChildren<QLineEdit *>()) {
            if (!qobject_cast<QComboBox *>(line->parent()))
                texts.insert(line->objectName(), line->text());
        }
        for (QComboBox *combo : dialog.findChildren<QComboBox *>())
            texts.insert(combo->objectName(), combo->currentText());
        return texts;
    }

    // Pictures of the dialogs go into the folder KORVEL_SHOT_DIR names, when it is set.
    static void shoot(QDialog &dialog, const QString &name)
    {
        const QString folder = qEnvironmentVariable("KORVEL_SHOT_DIR");
        if (folder.isEmpty())
            return;
        dialog.show();
        QTest::qWait(30);
        dialog.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
        dialog.hide();
    }

    void designMode()
    {
        trigger("BrowserEditmode1");
        ASSERT_TRUE(designer->designModeChecked());
        ASSERT_TRUE(designer->browser().waitUntilReady());
    }

    std::unique_ptr<InspectorCommands> inspector;
    std::unique_ptr<PagePropertiesCommands> pageProperties;
};

} // namespace korvel::test
