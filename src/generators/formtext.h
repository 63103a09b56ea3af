#pragma once

#include <QWidget>
#include <functional>

class QAction;
class QPlainTextEdit;
class QToolBar;

namespace korvel {

class Prompter;

// A small plain-text window beside the main window, used as a scratch pad: each showing
// starts from the clipboard's text. It lives as long as the program and is hidden on close.
class TFormText final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormText)

public:
    explicit TFormText(Prompter &prompter, QWidget *parent = nullptr);

    int UiLanguage = 0;  // set by the caller before showing
    QString FileName;    // the file last opened or saved

    QPlainTextEdit *Memo = nullptr;
    bool wordWrap() const;

    void setHelpHandler(std::function<void(int)> handler) { m_help = std::move(handler); }

    // Runs on every showing: hints in the flag's language, the clipboard's text as content,
    // and the word-wrap switch once.
    void FormShow();

    void ToolButton1Click();   // New
    void ToolButton2Click();   // Open
    void ToolButton3Click();   // Save
    void ToolButton4Click();   // Undo
    void ToolButton5Click();   // Paste
    void ToolButton6Click();   // Copy
    void ToolButton7Click();   // Cut
    void ToolButton10Click();  // Delete
    void ToolButton11Click();  // Close
    void ToolButton12Click();  // Copy entire text
    void ToolButton13Click();  // Word wrap on/off
    void ToolButton14Click();  // Select all

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QAction *addButton(const QString &name, const QString &glyph, const QString &hint,
                       void (TFormText::*handler)());
    void setHints();

    Prompter &m_prompter;
    QToolBar *m_toolBar = nullptr;
    std::function<void(int)> m_help;
};

// The file's text, with one closing line break dropped so that a saved text reads back the
// same; nothing when the file cannot be read.
std::optional<QString> readTextFile(const QString &path);
// Writes the text as lines, each closed by a line break, replacing the file whole.
bool writeTextFile(const QString &path, const QString &text);

} // namespace korvel
