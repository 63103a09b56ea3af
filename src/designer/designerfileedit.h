#pragma once

namespace korvel {

class DesignerContext;
class DesignerPageChange;

// The File and Edit commands on the designer page: saving the page as the engine holds it,
// opening another page, printing, and the clipboard and undo of the page or the address box.
class DesignerFileEdit final {
public:
    DesignerFileEdit(DesignerContext &context, DesignerPageChange &pageChange)
        : m_ctx(context), m_pageChange(pageChange) {}

    void FileSave();
    void FileSaveAs();
    void FileOpen();
    void Print();
    void PrintPreview();
    void Undo();
    void Cut();
    void Copy();
    void Paste();

private:
    DesignerContext &m_ctx;
    DesignerPageChange &m_pageChange;
};

} // namespace korvel
