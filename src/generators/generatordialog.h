#pragma once

#include "prompt/helpdialog.h"

#include <QString>
#include <optional>

namespace korvel {

// Shows a generator dialog that names chosen files relative to the open document: the
// language and the document's file set, FormShow run, the dialog shown. Gives the fragment OK
// left in Result; nothing on Cancel or when OK built nothing.
template <class Dialog>
std::optional<QString> runGeneratorDialog(Dialog &dialog, Prompter &prompter, int uiLanguage,
                                          const QString &documentFile)
{
    dialog.DocumentFile = documentFile;
    if (execInLanguage(dialog, prompter, uiLanguage) != QDialog::Accepted || dialog.Result.isEmpty())
        return std::nullopt;
    return dialog.Result;
}

} // namespace korvel
