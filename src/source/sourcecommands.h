#pragma once

#include "source/search.h"

#include <QObject>
#include <QString>


class QAction;

namespace korvel {

class SynMemo;
class TFindDialog;
class TFormSpecial;
class CommandContext;
class TReplaceDialog;

// The commands of the source view: find and replace, go to line, word wrap, select all, the
// comment, doctype and script snippets, the whole-text transformations, letter case, character
// codes, the special character window, Check HTML and the text extraction's refusal on the
// source page. The main window's menu items and tool buttons are connected on construction.
class SourceCommands final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SourceCommands)

public:
    explicit SourceCommands(CommandContext &context);
    ~SourceCommands() override;

    // Search state, the saved head section and the report of the last Check HTML.
    SearchState Search;
    QString SavedHead;
    QString CheckReport;

    TFindDialog &FindDialog1() { return *m_findDialog; }
    TReplaceDialog &ReplaceDialog1() { return *m_replaceDialog; }

    // Edit and HTML menu, tool buttons and the editor's pop-up menu
    void Find1Click();
    void FindDialog1Find();
    void Findnext1Click();
    void Replace1Click();
    void ReplaceDialog1Find();
    void ReplaceDialog1Replace();
    void GoToLine1Click();
    void ToolButton3Click();  // word wrap on and off
    void Selectall1Click();
    void Kommentar1Click();
    void Doctype1Click();
    void Script1Click();

    void NoLineFeed1Click();
    void InsertLineFeeds1Click();
    void RemoveHyphenation1Click();
    void UppertoLower1Click();
    void LowertoUpper1Click();
    void Replace3Click();  // replaces umlauts by their entities
    void MakeEntitie1Click();
    void MakeStringVariable1Click();
    void Sonderzeichen1Click();

    void Paragraph1Click();

    void GetText1Click();

private:
    void connectActions();
    bool onSourcePage() const;
    QString line(int number) const;
    SynMemo &editor() const;
    QAction *action(const QString &name) const;
    QAction *wordWrapAction() const;
    // Shows line 28 with the given kind of box when the designer page is active.
    bool refuseOnDesignerPage(bool warning);
    void selectMatch(const FoundRange &match);
    void caretToSecondPosition();
    void letterCase(bool upper);
    void setWordWrap(bool on, bool writePanel);
    void replaceWholeText(const QString &text);
    void setTextIfChanged(const QString &text);

    CommandContext &m_form;
    TFindDialog *m_findDialog = nullptr;
    TReplaceDialog *m_replaceDialog = nullptr;
    TFormSpecial *m_formSpecial = nullptr;
};

} // namespace korvel
