#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

class QWidget;

namespace korvel {

class CommandContext;
class DesignerController;
class ElementActions;
class HtmlElement;
class InspectorDialog;
class TFormDIV;
class TFormFInfo;
class TFormFormular;
class TFormImgInfo;
class TFormProperty;
class TFormPropFont;
class TFormPropInp;
class TFormSelect;
class TFormSettings;
class TFormTable2;
class TFormTD;
struct FieldBinding;

// The element property inspector: the element at the designer selection and its ancestors are
// offered in TFormSelect, the chosen one is shown in the dialog for its tag, and OK writes the
// changed fields back into the page as the element's attributes. A field that must hold a
// number and does not stops the whole write: the element stays as it was.
class InspectorCommands final {
    Q_DISABLE_COPY_MOVE(InspectorCommands)

public:
    // The element actions are the table commands' (their Properties action is set here); the
    // link and form dialogs are those of the link and form commands when given, otherwise the
    // inspector's own.
    InspectorCommands(CommandContext &context, DesignerController &designer, ElementActions &actions,
                      TFormSettings *linkDialog = nullptr, TFormFormular *formDialog = nullptr);
    ~InspectorCommands();

    void ToolButtonPropertyClick();
    void DescribeElement(const HtmlElement &element);
    void InspectElement(const HtmlElement &element);

    QString ElementTagText;
    QString ParentTagText;

    TFormSelect &selectDialog() { return *m_select; }

private:
    void makeBorrowedDialogs(QWidget *parent);
    int language() const;
    void fail();
    QList<HtmlElement> candidates(const HtmlElement &element, QStringList &items);
    void inspectWith(InspectorDialog &dialog, const HtmlElement &element, const QList<FieldBinding> &bindings);
    void inspectTable(const HtmlElement &element);
    void inspectLink(const HtmlElement &element);
    void inspectForm(const HtmlElement &element);
    void inspectSelect(const HtmlElement &element);
    void inspectOther(const HtmlElement &element);
    // Writes an attribute, or removes it for nothing.
    bool writeAttribute(const HtmlElement &element, const QString &name, const std::optional<QString> &value);

    CommandContext &m_ctx;
    DesignerController &m_designer;
    ElementActions &m_actions;
    TFormSelect *m_select = nullptr;
    TFormProperty *m_property = nullptr;
    TFormTD *m_td = nullptr;
    TFormDIV *m_div = nullptr;
    TFormImgInfo *m_img = nullptr;
    TFormPropInp *m_inp = nullptr;
    TFormPropFont *m_font = nullptr;
    TFormFInfo *m_frame = nullptr;
    TFormTable2 *m_table = nullptr;
    TFormFormular *m_form = nullptr;
    TFormSettings *m_link = nullptr;
};

} // namespace korvel
