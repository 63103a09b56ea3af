#pragma once

#include "app/filecommands.h"
#include "app/mainform.h"
#include "app/settingsfile.h"
#include "designer/designercontroller.h"
#include "designer/engine.h"
#include "designer/webenginebrowser.h"
#include "editor/synmemo.h"
#include "scriptedprompter.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include <memory>

namespace korvel::test {

// The real main window with its designer on the real engine, shown offscreen. A first start's
// language question is answered with English; tests start with an empty prompter record.
class DesignerWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFile::exists(settingsFilePath(qEnvironmentVariable("KORVEL_DATA_DIR")))) {
            prompter.answerDialog([](QDialog &dialog) {
                dialog.findChild<QComboBox *>(QStringLiteral("ComboBox1"))->setCurrentIndex(1);
                return int(QDialog::Accepted);
            });
        }
        form = std::make_unique<TMainForm>(prompter);
        designer = std::make_unique<DesignerController>(*form);
        attachCommands();
        form->show();
        designer->browser().view()->resize(700, 400);
        prompter.clear();
    }

    void TearDown() override
    {
        form->editor()->setModified(false);
        designer.reset();
        form->closeAsked = true;
        form->close();
        form.reset();
    }

    // More command controllers for the window, before it is shown.
    virtual void attachCommands() {}

    QString writeFile(const QString &name, const QByteArray &content)
    {
        const QString path = work.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(content);
        return path;
    }

    // Opens the file in the source view and switches to the designer, which shows it.
    QString openPageInDesigner(const QByteArray &content, const QString &name)
    {
        const QString path = writeFile(name, content);
        EXPECT_TRUE(form->fileCommands().OpenDocumentFile(path));
        form->setActivePage(1);
        EXPECT_EQ(form->activePage(), 1);
        EXPECT_TRUE(designer->browser().waitUntilReady());
        QTest::qWait(20);
        return path;
    }

    HtmlDocument page() { return designer->browser().Document().value_or(HtmlDocument()); }

    void trigger(const char *name)
    {
        QAction *a = form->action(QLatin1String(name));
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }

    QTemporaryDir work;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<DesignerController> designer;
};

} // namespace korvel::test
