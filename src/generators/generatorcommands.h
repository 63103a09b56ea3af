#pragma once

#include <QObject>

namespace korvel {

class CommandContext;
class DesignerController;
class TFormCss;
class TFormFrames;
class TFormIFrame;
class TFormImage;
class TFormObject;
class TFormSettings;

// The commands of the HTML generator dialogs: link, image, style block, inline frame, frameset
// page and object. Each dialog is created once, with the main window as its parent, and keeps
// its fields from one use to the next. In the source view a command puts the dialog's fragment
// at the editor's selection as one undoable edit; in the designer view it writes to the page,
// and only in design mode, since without it the next pull of the page would drop the change.
class GeneratorCommands final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GeneratorCommands)

public:
    // Registers the commands with the context's registry; a child of the main window.
    GeneratorCommands(CommandContext &context, DesignerController &designer);
    ~GeneratorCommands() override;

    TFormSettings &FormSettings() { return *m_formSettings; }
    TFormImage &FormImage() { return *m_formImage; }
    TFormCss &FormCss() { return *m_formCss; }
    TFormIFrame &FormIFrame() { return *m_formIFrame; }
    TFormFrames &FormFrames() { return *m_formFrames; }
    TFormObject &FormObject() { return *m_formObject; }

private:
    void connectActions();

    // The source view: the selection is replaced by the fragment (link), followed by it
    // (image), preceded by it (inline frame, object); the style block goes in front of the
    // head's end tag; the frameset page becomes a new document.
    void Link1Click();
    void Image1Click();
    void Font2Click();
    void iFrame1Click();
    void Frameset1Click();
    void Object1Click();

    // The designer view (designergenerators.cpp).
    void designerLink();
    void designerImage();
    void designerStyle();
    void designerIFrame();
    void designerObject();
    bool designModeOn();
    int language();
    // Replaces the editor's selection by the text, as one undoable edit.
    void replaceSelection(const QString &text);

    CommandContext &m_ctx;
    DesignerController &m_designer;
    TFormSettings *m_formSettings = nullptr;
    TFormImage *m_formImage = nullptr;
    TFormCss *m_formCss = nullptr;
    TFormIFrame *m_formIFrame = nullptr;
    TFormFrames *m_formFrames = nullptr;
    TFormObject *m_formObject = nullptr;
};

} // namespace korvel
