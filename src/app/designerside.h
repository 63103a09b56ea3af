#pragma once

namespace korvel {

// What the file and clipboard commands ask of the designer when its page is active. The
// designer registers itself with the main window; without it the commands act on the source.
class DesignerSide {
public:
    virtual ~DesignerSide() = default;

    virtual void FileSave() = 0;
    virtual void FileSaveAs() = 0;
    virtual void FileOpen() = 0;
    virtual void Print() = 0;
    virtual void PrintPreview() = 0;
    virtual void Undo() = 0;
    virtual void Cut() = 0;
    virtual void Copy() = 0;
    virtual void Paste() = 0;
    // Takes the designer's page into the source text.
    virtual void PullDesignerDocument() = 0;
    // File New on the designer page: the designer shows an empty page before the source page
    // takes over.
    virtual void ShowBlankPage() = 0;
    // A new or opened document does not bring back a text window asked for by the old one.
    virtual void ForgetTextWindow() = 0;
};

} // namespace korvel
