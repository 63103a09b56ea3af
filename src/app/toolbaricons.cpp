// The tool buttons' icons. Where a freedesktop icon name says what a button does, the desktop
// theme is asked first, so the buttons match the rest of the desktop; every button also has a
// line drawing of its own in the program's resources (resources/icons), which shows on a
// machine without an icon theme and for the buttons no standard name fits. The drawings are
// SVG on a 24 unit grid and go through Qt's SVG icon engine, which renders them afresh for
// each size and device pixel ratio instead of scaling a bitmap.
#include "app/toolbaricons.h"

#include <QIcon>
#include <QString>

namespace korvel {

namespace {

struct IconEntry {
    const char *button;  // objectName of the tool button
    const char *theme;   // freedesktop icon name, or "" when none fits
    const char *file;    // bundled drawing under :/toolbar/, without ".svg"
};

const IconEntry kIcons[] = {
    // Standard tool bar
    {"ToolButton1", "document-new", "document-new"},
    {"OpenButton", "document-open", "document-open"},
    {"SaveButton", "document-save", "document-save"},
    {"PrintButton", "document-print", "document-print"},
    {"CutButton", "edit-cut", "edit-cut"},
    {"CopyButton", "edit-copy", "edit-copy"},
    {"PasteButton", "edit-paste", "edit-paste"},
    {"UndoButton", "edit-undo", "edit-undo"},
    {"ToolButtonFind", "edit-find", "edit-find"},
    {"ToolButton3", "", "wrap-on"},
    {"ToolButtonSource", "", "html-source"},
    {"ToolButtonText", "", "text-extract"},
    {"ToolButtonEdit", "", "design-mode"},
    {"ToolButtonBrowser", "internet-web-browser", "internet-web-browser"},
    {"ButtonZoomPlus", "zoom-in", "zoom-in"},
    {"ButtonZoomMinus", "zoom-out", "zoom-out"},
    {"ToolButtonShowHtml", "", "tag-glyphs"},
    {"ToolButtonBorders", "", "design-borders"},
    {"ToolButtonProperty", "", "element-properties"},
    {"ToolButton20", "document-properties", "document-properties"},
    {"ToolButtonSettings", "preferences-system", "preferences-system"},
    {"ButtonNewWindow", "accessories-text-editor", "accessories-text-editor"},
    {"ToolButtonInfo", "help-about", "help-about"},
    {"ToolButtonHelp", "help-contents", "help-contents"},
    {"ButtonUrl", "go-jump", "go-jump"},
    // Format tool bar
    {"BoldButton", "format-text-bold", "format-text-bold"},
    {"ItalicButton", "format-text-italic", "format-text-italic"},
    {"UnderlineButton", "format-text-underline", "format-text-underline"},
    {"ToolButton7", "format-text-strikethrough", "format-text-strikethrough"},
    {"ToolButtonSup", "", "superscript"},
    {"ToolButtonSub", "", "subscript"},
    {"BulletsButton", "", "list-unordered"},
    {"ToolButton4", "", "list-ordered"},
    {"LeftAlign", "format-justify-left", "format-justify-left"},
    {"CenterAlign", "format-justify-center", "format-justify-center"},
    {"ButtonJustify", "format-justify-fill", "format-justify-fill"},
    {"RightAlign", "format-justify-right", "format-justify-right"},
    {"ToolButtonIndent", "format-indent-more", "format-indent-more"},
    {"ToolButton14", "format-indent-less", "format-indent-less"},
    {"ToolButtonMulti", "", "line-break"},
    {"ToolButtonLine", "", "horizontal-line"},
    {"ToolButtonColor", "", "color-code"},
    {"ToolButtonRemoveF", "", "remove-format"},
    {"ToolButtonNoDiv", "", "remove-blocks"},
    {"ToolButtonLink", "insert-link", "insert-link"},
    {"ToolButtonImage", "insert-image", "insert-image"},
    {"ToolButtonFont", "", "font-attributes"},
    {"ToolButtonStyle", "", "style-define"},
    // Table and form tool bar
    {"ToolButton8", "", "table-select-cell"},
    {"ToolButton11", "", "table-select-row"},
    {"ToolButton12", "", "table-select"},
    {"ToolButton19", "", "form-select"},
    {"ToolButtonInsTable", "", "table-insert"},
    {"ToolButtonDelTable", "", "table-delete"},
    {"ToolButtonInsRow", "", "table-insert-row"},
    {"ToolButtonDelRow", "", "table-delete-row"},
    {"ToolButtonInsTD", "", "table-insert-cell"},
    {"ToolButtonDelTD", "", "table-delete-cell"},
    {"ToolButtonMerge", "", "cell-merge"},
    {"ToolButtonSplit", "", "cell-split"},
    {"ButtonColMerge", "", "cell-merge-down"},
    {"ButtonColSplit", "", "cell-split-down"},
    {"ToolButtonForm", "", "form-insert"},
    {"ToolButtonInput", "", "input-text"},
    {"ToolButtonPassword", "", "input-password"},
    {"ToolButtonUpload", "", "input-file"},
    {"ToolButtonHidden", "", "input-hidden"},
    {"ToolButtonArea", "", "textarea"},
    {"ToolButtonList", "", "select-list"},
    {"ToolButtonDropdown", "", "select-dropdown"},
    {"ToolButtonButton", "", "input-button"},
    {"ToolButtonRadio", "", "input-radio"},
    {"ToolButtonCheck", "", "input-checkbox"},
};

const IconEntry *entryOf(const QString &buttonName)
{
    for (const IconEntry &entry : kIcons) {
        if (buttonName == QLatin1String(entry.button))
            return &entry;
    }
    return nullptr;
}

QIcon bundled(const char *file)
{
    return QIcon(QStringLiteral(":/toolbar/") + QLatin1String(file) + QStringLiteral(".svg"));
}

} // namespace

QIcon toolButtonIcon(const QString &buttonName)
{
    const IconEntry *entry = entryOf(buttonName);
    if (!entry)
        return {};
    if (*entry->theme == '\0')
        return bundled(entry->file);
    return QIcon::fromTheme(QLatin1String(entry->theme), bundled(entry->file));
}

QIcon bundledToolButtonIcon(const QString &buttonName)
{
    const IconEntry *entry = entryOf(buttonName);
    return entry ? bundled(entry->file) : QIcon();
}

QString toolButtonThemeName(const QString &buttonName)
{
    const IconEntry *entry = entryOf(buttonName);
    return entry ? QLatin1String(entry->theme) : QString();
}

QIcon wordWrapIcon(bool on)
{
    return bundled(on ? "wrap-on" : "wrap-off");
}

} // namespace korvel
