#pragma once

#include "generators/formdesigner.h"

#include <QString>
#include <optional>

namespace korvel {

class Prompter;
class TFormFormular;
class TFormInput;

// What the form and field commands put into the source view. Each returns the text that
// replaces the editor's selection: the fragment followed by the selected text, so the
// fragment lands in front of it. Nothing when the dialog is cancelled or builds nothing.

// The form command: shows the form dialog in the language. The designer pastes the same
// fragment at its selection; it passes an empty selected text.
std::optional<QString> runFormDialog(TFormFormular &dialog, Prompter &prompter, int uiLanguage,
                                     const QString &selectedText);

// A field button or menu item in the source view: presets the field dialog's type (and the
// button-element flag) as the command does, shows it in the language and returns its field.
// The list box and drop-down commands show no dialog and give their fixed lists.
std::optional<QString> runFieldCommand(TFormInput &dialog, Prompter &prompter, int uiLanguage,
                                       FieldButton button, const QString &selectedText);

// A field button or menu item in the designer: the input commands clear the button-element
// flag here as well, so that a later field in the source view is an input again. The caller
// then inserts designerInsertionFor(button, ids).
void noteDesignerFieldCommand(TFormInput &dialog, FieldButton button);

} // namespace korvel
