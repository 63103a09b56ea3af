#pragma once

#include "generators/formdesigner.h"

#include <QObject>
#include <QPointer>

namespace korvel {

class CommandContext;
class DesignerController;
class TFormFormular;
class TFormInput;

// The Forms submenu and the form-field buttons of the second tool bar, on both pages.
//
// Source page: the form dialog, the field dialog (preset by the command) or a fixed list gives
// a fragment that goes in front of the editor's selection, as one undoable edit; Cancel leaves
// the text as it was.
//
// Designer page: only with design mode on (otherwise the refusal is shown and nothing is
// written, since the way back to the source takes the page only from design mode). Each field
// is created at the start of the selection, which stays, as the engine's own insertion would
// create it, the text, password and upload fields and the hidden field with an id no element of
// the page has yet; the form dialog's form is pasted at the start of the selection.
class FormFieldCommands final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormFieldCommands)

public:
    // Creates both dialogs (children of the window) and registers the commands.
    FormFieldCommands(CommandContext &context, DesignerController &designer, QObject *parent = nullptr);
    ~FormFieldCommands() override;

    // Made once, so that what was typed stays from one showing to the next; the property
    // inspector reuses the form dialog for an existing form.
    TFormFormular &formDialog();
    TFormInput &fieldDialog();

private:
    void connectActions();

    void formOnSource();
    void formOnDesigner();
    void fieldOnSource(FieldButton button);
    void fieldOnDesigner(FieldButton button);

    CommandContext &m_ctx;
    DesignerController &m_designer;
    QPointer<TFormFormular> m_formular;
    QPointer<TFormInput> m_input;
};

} // namespace korvel
