#pragma once

#include "app/mainform.h"
#include "app/settingsfile.h"
#include "editor/synmemo.h"
#include "scriptedprompter.h"

#include <QComboBox>
#include <QDialog>
#include <QFile>

#include <memory>

namespace korvel::test {

// The main window as on a first start in the test's data folder: no settings file, the language
// question answered with English; shown, with the prompter's record cleared.
inline std::unique_ptr<TMainForm> showEnglishWindow(ScriptedPrompter &prompter)
{
    QFile::remove(settingsFilePath(qEnvironmentVariable("KORVEL_DATA_DIR")));
    prompter.answerDialog([](QDialog &d) {
        d.findChild<QComboBox *>(QStringLiteral("ComboBox1"))->setCurrentIndex(1);
        return int(QDialog::Accepted);
    });
    auto form = std::make_unique<TMainForm>(prompter);
    form->setEngineVersionText(QStringLiteral("102.0.5005.177"));
    form->show();
    return form;
}

// Closes the window without the question about unsaved changes.
inline void closeWithoutQuestion(TMainForm &form)
{
    form.editor()->setModified(false);
    form.editor()->clearAll();
    form.close();
}

} // namespace korvel::test
