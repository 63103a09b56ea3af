#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace korvel {

// The field commands of the menu and the tool bar, one value per way in: the four input
// buttons and the input menu item share one handler but differ in what they preset.
enum class FieldButton {
    Input,         // ToolButtonInput
    Password,      // ToolButtonPassword
    Upload,        // ToolButtonUpload
    Hidden,        // ToolButtonHidden
    InputboxMenu,  // menu Inputbox1
    Button,        // ToolButtonButton, menu Button1
    Radio,         // ToolButtonRadio, menu Radiobutton1
    Check,         // ToolButtonCheck, menu CheckBox1
    Area,          // ToolButtonArea, menu Textarea1
    List,          // ToolButtonList, menu Selectbox1
    Dropdown,      // ToolButtonDropdown, menu Dropdownlist1
};

// The editing command a field button sends to the designer, and the id its field is meant to
// have; an empty id means the field gets none.
struct DesignerFieldCommand {
    QString identifier;
    QString fixedId;
};

// Nothing for the input menu item, which does nothing in the designer.
std::optional<DesignerFieldCommand> designerCommandFor(FieldButton button);

// The id to give a new field: the fixed id when no element on the page has it yet, else the
// next free one counting on from it ("Hidden", "Hidden2", "Hidden3"...; "Text1", "Text2"...).
// Ids are compared without regard to A-Z case, since scripts reach fields by name either way.
// An empty fixed id stays empty.
QString nextFreeId(const QStringList &idsOnPage, const QString &fixedId);

// The HTML an insertion of the command's element puts in, with the id when there is one;
// nothing for an identifier that inserts no form field. Identifiers are compared without
// regard to case. Known: InsertInputText, InsertInputPassword, InsertInputFileUpload,
// InsertInputHidden, InsertInputRadio, InsertInputCheckbox, InsertInputButton, InsertTextArea,
// InsertSelectListbox, InsertSelectDropdown, InsertButton, InsertFieldset.
std::optional<QString> designerFieldHtml(const QString &identifier, const QString &id);

// What a field button inserts in the designer: the command and its HTML with a free id.
struct DesignerInsertion {
    QString identifier;
    QString id;
    QString html;
};
std::optional<DesignerInsertion> designerInsertionFor(FieldButton button, const QStringList &idsOnPage);

} // namespace korvel
