#pragma once

// The names of the editor's commands. A command is registered once under its id with the
// menu items and tool buttons that trigger it (see CommandRegistry); code that runs a command
// by itself, as Exit runs Save, names it by the same id.
namespace korvel::cmd {

// File
inline constexpr char FileNew[] = "file.new";
inline constexpr char FileOpen[] = "file.open";
inline constexpr char FileSave[] = "file.save";
inline constexpr char FileSaveAs[] = "file.saveAs";
inline constexpr char SaveAnsiText[] = "file.saveAnsiText";
inline constexpr char SaveUtf8[] = "file.saveUtf8";
inline constexpr char DeleteBackups[] = "file.deleteBackups";
inline constexpr char Print[] = "file.print";
inline constexpr char PrintPreview[] = "file.printPreview";
inline constexpr char Exit[] = "file.exit";

// Edit
inline constexpr char Undo[] = "edit.undo";
inline constexpr char Cut[] = "edit.cut";
inline constexpr char Copy[] = "edit.copy";
inline constexpr char Paste[] = "edit.paste";
inline constexpr char SelectAll[] = "edit.selectAll";
inline constexpr char Find[] = "edit.find";
inline constexpr char FindNext[] = "edit.findNext";
inline constexpr char Replace[] = "edit.replace";
inline constexpr char GoToLine[] = "edit.goToLine";
inline constexpr char WordWrap[] = "edit.wordWrap";
inline constexpr char RemoveLineFeeds[] = "edit.removeLineFeeds";
inline constexpr char InsertLineFeeds[] = "edit.insertLineFeeds";
inline constexpr char RemoveHyphenation[] = "edit.removeHyphenation";
inline constexpr char LowerCase[] = "edit.lowerCase";
inline constexpr char UpperCase[] = "edit.upperCase";

// HTML
inline constexpr char Comment[] = "html.comment";
inline constexpr char Doctype[] = "html.doctype";
inline constexpr char Script[] = "html.script";
inline constexpr char ReplaceUmlauts[] = "html.replaceUmlauts";
inline constexpr char CharacterCode[] = "html.characterCode";
inline constexpr char StringVariable[] = "html.stringVariable";
inline constexpr char SpecialCharacters[] = "html.specialCharacters";
inline constexpr char CheckHtml[] = "html.checkHtml";
inline constexpr char GetText[] = "html.getText";

// Browser / designer
inline constexpr char DesignMode[] = "designer.designMode";
inline constexpr char PageSource[] = "designer.pageSource";
inline constexpr char ShowSourceCode[] = "designer.showSourceCode";
inline constexpr char Borders[] = "designer.borders";
inline constexpr char TagGlyphs[] = "designer.tagGlyphs";
inline constexpr char ZoomIn[] = "designer.zoomIn";
inline constexpr char ZoomOut[] = "designer.zoomOut";
inline constexpr char Navigate[] = "designer.navigate";
inline constexpr char GoBack[] = "designer.goBack";
inline constexpr char GoForward[] = "designer.goForward";
inline constexpr char Reload[] = "designer.reload";
inline constexpr char BrowserMessages[] = "designer.messages";
// Without a menu item: what other commands ask of the designer.
inline constexpr char PullDesignerPage[] = "designer.pullPage";
inline constexpr char ShowBlankPage[] = "designer.showBlankPage";
inline constexpr char ForgetTextWindow[] = "designer.forgetTextWindow";

// Extras and help
inline constexpr char Settings[] = "extras.settings";
inline constexpr char English[] = "extras.english";
inline constexpr char German[] = "extras.german";
inline constexpr char ExternalBrowser[] = "extras.externalBrowser";
inline constexpr char Ftp[] = "extras.ftp";
inline constexpr char FindUpdate[] = "extras.findUpdate";
inline constexpr char TextWindow[] = "extras.textWindow";
inline constexpr char HelpContents[] = "help.contents";
inline constexpr char About[] = "help.about";

// HTML generators: the link, image, style, inline frame, frameset and object dialogs.
inline constexpr char InsertLink[] = "generators.link";
inline constexpr char InsertImage[] = "generators.image";
inline constexpr char StyleBlock[] = "generators.style";
inline constexpr char InsertIFrame[] = "generators.iframe";
inline constexpr char Frameset[] = "generators.frameset";
inline constexpr char InsertObject[] = "generators.object";

// Tables: the table tool bar and the table menu items
inline constexpr char SelectCell[] = "table.selectCell";
inline constexpr char SelectRow[] = "table.selectRow";
inline constexpr char SelectTable[] = "table.selectTable";
inline constexpr char SelectForm[] = "table.selectForm";
inline constexpr char NewTable[] = "table.newTable";
inline constexpr char DeleteTable[] = "table.deleteTable";
inline constexpr char InsertRow[] = "table.insertRow";
inline constexpr char DeleteRow[] = "table.deleteRow";
inline constexpr char InsertCell[] = "table.insertCell";
inline constexpr char DeleteCell[] = "table.deleteCell";
inline constexpr char MergeCells[] = "table.mergeCells";
inline constexpr char SplitCell[] = "table.splitCell";
inline constexpr char MergeCellDown[] = "table.mergeCellDown";
inline constexpr char SplitCellVertically[] = "table.splitCellVertically";

// Forms: the form and each kind of field, from the Forms submenu and the second tool bar. The
// input menu item and the four input buttons preset different types, so each is a command.
inline constexpr char FormInsert[] = "forms.form";
inline constexpr char FormInputBox[] = "forms.inputBox";
inline constexpr char FormInputText[] = "forms.inputText";
inline constexpr char FormPassword[] = "forms.password";
inline constexpr char FormUpload[] = "forms.upload";
inline constexpr char FormHidden[] = "forms.hidden";
inline constexpr char FormButton[] = "forms.button";
inline constexpr char FormRadio[] = "forms.radio";
inline constexpr char FormCheckBox[] = "forms.checkBox";
inline constexpr char FormTextarea[] = "forms.textarea";
inline constexpr char FormSelectBox[] = "forms.selectBox";
inline constexpr char FormDropDown[] = "forms.dropDown";

// Format: the text formatting of the format tool bar and its menus
inline constexpr char FormatBold[] = "format.bold";
inline constexpr char FormatItalic[] = "format.italic";
inline constexpr char FormatUnderline[] = "format.underline";
inline constexpr char FormatStrikeThrough[] = "format.strikeThrough";
inline constexpr char FormatAlignLeft[] = "format.alignLeft";
inline constexpr char FormatAlignRight[] = "format.alignRight";
inline constexpr char FormatJustify[] = "format.justify";
inline constexpr char FormatAlignCenter[] = "format.alignCenter";
inline constexpr char FormatSuperscript[] = "format.superscript";
inline constexpr char FormatSubscript[] = "format.subscript";
inline constexpr char FormatIndent[] = "format.indent";
inline constexpr char FormatOutdent[] = "format.outdent";
inline constexpr char FormatBulletList[] = "format.bulletList";
inline constexpr char FormatOrderedList[] = "format.orderedList";
inline constexpr char FormatRemoveFormat[] = "format.removeFormat";
inline constexpr char FormatLineBreak[] = "format.lineBreak";
inline constexpr char FormatHorizontalLine[] = "format.horizontalLine";
inline constexpr char FormatDivision[] = "format.division";
inline constexpr char FormatSpan[] = "format.span";
inline constexpr char FormatFont[] = "format.font";
inline constexpr char FormatColorCode[] = "format.colorCode";
inline constexpr char FormatRemoveBlock[] = "format.removeBlock";

// The element property inspector and the page properties
inline constexpr char ElementProperties[] = "designer.elementProperties";
inline constexpr char PageProperties[] = "designer.pageProperties";

} // namespace korvel::cmd
