#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QComboBox;
class QLineEdit;

namespace korvel {

class CommandContext;
class DesignerController;
class DesignerFormatting;
struct FontChoice;
struct FormatCommand;

// The formatting commands of the format tool bar, the HTML menu and its Format submenu, and the
// font controls, on both pages. In the source view a command rewrites the selected text as one
// undoable edit; in the designer it goes to the engine (see DesignerFormatting). Each command is
// registered under its id with its tool button and menu item; the font controls apply at once
// when they change.
class FormattingCommands final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormattingCommands)

public:
    FormattingCommands(CommandContext &context, DesignerController &designer, QObject *parent = nullptr);
    ~FormattingCommands() override;

    // The command's step on the active page, as its tool button or menu item runs it.
    void run(const FormatCommand &command);

    // The source view's colour code: the colour dialog's choice as "#RRGGBB" in place of the
    // selection; Cancel changes nothing.
    void Color1Click();

    // A step of UpDown1: the size field's number one up (+1) or down (-1), within 1 to 8; a
    // change then applies the size.
    void stepFontSize(int delta);
    // A change of a font control (a FontPart): the font rule for that attribute alone, when the
    // selection holds text.
    void fontControlChanged(unsigned fontPart);

    // The font controls' values as the font rule reads them.
    QString fontFace() const;
    QString fontSizeText() const;
    QString fontColorHtml() const;
    FontChoice fontChoice(unsigned fontParts) const;

    DesignerFormatting &designerSide() { return *m_designerSide; }

private:
    void connectActions();
    void connectFontControls();
    void runOnSource(const FormatCommand &command);
    void replaceSelection(const QString &text);

    CommandContext &m_shell;
    std::unique_ptr<DesignerFormatting> m_designerSide;
    QComboBox *m_comboFont = nullptr;
    QComboBox *m_comboColor = nullptr;
    QLineEdit *m_editSize = nullptr;
};

} // namespace korvel
