#include "generators/formcommands.h"

#include "generators/formbuilders.h"
#include "generators/tformformular.h"
#include "generators/tforminput.h"
#include "prompt/prompter.h"

namespace korvel {

namespace {

bool isInputboxCommand(FieldButton button)
{
    switch (button) {
    case FieldButton::Input:
    case FieldButton::Password:
    case FieldButton::Upload:
    case FieldButton::Hidden:
    case FieldButton::InputboxMenu:
        return true;
    default:
        return false;
    }
}

// The type a command opens the dialog with; the menu item keeps the type used last time.
std::optional<int> presetTypeFor(FieldButton button)
{
    switch (button) {
    case FieldButton::Input: return TypeText;
    case FieldButton::Password: return TypePassword;
    case FieldButton::Upload: return TypeFile;
    case FieldButton::Hidden: return TypeHidden;
    case FieldButton::Button: return TypeButton;
    case FieldButton::Radio: return TypeRadio;
    case FieldButton::Check: return TypeCheckbox;
    case FieldButton::Area: return TypeTextarea;
    default: return std::nullopt;
    }
}

std::optional<QString> inFrontOf(const QString &fragment, const QString &selectedText)
{
    if (fragment.isEmpty())
        return std::nullopt;
    return fragment + selectedText;
}

} // namespace

std::optional<QString> runFormDialog(TFormFormular &dialog, Prompter &prompter, int uiLanguage,
                                     const QString &selectedText)
{
    if (execInLanguage(dialog, prompter, uiLanguage) != QDialog::Accepted)
        return std::nullopt;
    return inFrontOf(dialog.result(), selectedText);
}

void noteDesignerFieldCommand(TFormInput &dialog, FieldButton button)
{
    if (isInputboxCommand(button))
        dialog.ButtonElement = false;
}

std::optional<QString> runFieldCommand(TFormInput &dialog, Prompter &prompter, int uiLanguage,
                                       FieldButton button, const QString &selectedText)
{
    if (button == FieldButton::List)
        return listBoxFragment() + selectedText;
    if (button == FieldButton::Dropdown)
        return dropDownFragment() + selectedText;

    if (isInputboxCommand(button))
        dialog.ButtonElement = false;
    if (button == FieldButton::Button)
        dialog.ButtonElement = true;
    if (const std::optional<int> type = presetTypeFor(button))
        dialog.PresetType = *type;
    if (execInLanguage(dialog, prompter, uiLanguage) != QDialog::Accepted)
        return std::nullopt;
    return inFrontOf(dialog.result(), selectedText);
}

} // namespace korvel
