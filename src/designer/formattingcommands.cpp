#include "designer/formattingcommands.h"

#include "app/commandcontext.h"
#include "app/commandids.h"
#include "app/commandregistry.h"
#include "designer/designercontroller.h"
#include "designer/designerformatting.h"
#include "editor/synmemo.h"
#include "prompt/prompter.h"
#include "source/formatcommands.h"
#include "source/formatlists.h"
#include "source/formatrules.h"
#include "source/textmatch.h"

#include <QAbstractButton>
#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

namespace korvel {

namespace {

// The command id of each row of the formatting table this controller runs, by the row's first
// trigger. The rows that open a generator dialog belong to the generators' commands.
struct CommandId {
    const char *trigger;
    const char *id;
};

constexpr CommandId kIds[] = {
    {"BoldButton", cmd::FormatBold},
    {"ItalicButton", cmd::FormatItalic},
    {"UnderlineButton", cmd::FormatUnderline},
    {"ToolButton7", cmd::FormatStrikeThrough},
    {"LeftAlign", cmd::FormatAlignLeft},
    {"RightAlign", cmd::FormatAlignRight},
    {"ButtonJustify", cmd::FormatJustify},
    {"CenterAlign", cmd::FormatAlignCenter},
    {"ToolButtonSup", cmd::FormatSuperscript},
    {"ToolButtonSub", cmd::FormatSubscript},
    {"ToolButtonIndent", cmd::FormatIndent},
    {"ToolButton14", cmd::FormatOutdent},
    {"BulletsButton", cmd::FormatBulletList},
    {"ToolButton4", cmd::FormatOrderedList},
    {"ToolButtonRemoveF", cmd::FormatRemoveFormat},
    {"ToolButtonMulti", cmd::FormatLineBreak},
    {"ToolButtonLine", cmd::FormatHorizontalLine},
    {"Div1", cmd::FormatDivision},
    {"Span1", cmd::FormatSpan},
    {"ToolButtonFont", cmd::FormatFont},
    {"ToolButtonColor", cmd::FormatColorCode},
    {"ToolButtonNoDiv", cmd::FormatRemoveBlock},
};

const char *IdOf(const FormatCommand &command)
{
    const char *trigger = *command.toolButton ? command.toolButton : command.menuItem;
    for (const CommandId &entry : kIds) {
        if (qstrcmp(entry.trigger, trigger) == 0)
            return entry.id;
    }
    return nullptr;
}

MessageKind KindOf(RefusalKind kind)
{
    switch (kind) {
    case RefusalKind::Warning: return MessageKind::Warning;
    case RefusalKind::Information: return MessageKind::Information;
    case RefusalKind::Plain:
    case RefusalKind::None: break;
    }
    return MessageKind::Plain;
}

constexpr int kSmallestFontSize = 1;
constexpr int kLargestFontSize = 8;

// The size field's number one step on, within the stepper's range; a text that is no whole
// number in the range counts from the nearest end.
int SteppedFontSize(const QString &sizeText, int delta)
{
    bool number = false;
    const int size = TrimBlanks(sizeText).toInt(&number);
    const int from = number ? qBound(kSmallestFontSize, size, kLargestFontSize) : kSmallestFontSize;
    return qBound(kSmallestFontSize, from + delta, kLargestFontSize);
}

} // namespace

FormattingCommands::FormattingCommands(CommandContext &context, DesignerController &designer,
                                       QObject *parent)
    : QObject(parent),
      m_shell(context),
      m_designerSide(std::make_unique<DesignerFormatting>(designer.context(), designer.pageChange()))
{
    connectActions();
    connectFontControls();
}

FormattingCommands::~FormattingCommands() = default;

void FormattingCommands::connectActions()
{
    CommandRegistry &commands = m_shell.commands();
    for (const FormatCommand &row : FormatCommands()) {
        const char *id = IdOf(row);
        if (!id)
            continue;
        QStringList triggers;
        for (const char *name : {row.toolButton, row.menuItem}) {
            if (*name)
                triggers.append(QString::fromLatin1(name));
        }
        CommandRegistry::Command &command = commands.add(id, triggers);
        const FormatCommand *step = &row;
        command.onSource([this, step] { runOnSource(*step); })
            .onDesigner([this, step] { m_designerSide->run(*step, fontChoice(step->fontParts)); });
        if (*row.shortcut)
            command.shortcut(QString::fromLatin1(row.shortcut));
    }
}

void FormattingCommands::connectFontControls()
{
    QWidget *window = m_shell.window();
    m_comboFont = window->findChild<QComboBox *>(QStringLiteral("ComboFont1"));
    m_comboColor = window->findChild<QComboBox *>(QStringLiteral("ComboColor"));
    m_editSize = window->findChild<QLineEdit *>(QStringLiteral("EditSize"));
    // Only the person's choices apply; the window presetting a font does not edit the page.
    if (m_comboFont) {
        m_comboFont->setEnabled(true);
        connect(m_comboFont, &QComboBox::activated, this, [this] { fontControlChanged(FontPartFace); });
    }
    if (m_comboColor) {
        m_comboColor->setEnabled(true);
        connect(m_comboColor, &QComboBox::activated, this, [this] { fontControlChanged(FontPartColor); });
    }
    // A typed size applies when it is complete (Enter or leaving the field), not at each digit.
    if (m_editSize) {
        m_editSize->setEnabled(true);
        connect(m_editSize, &QLineEdit::editingFinished, this, [this] {
            if (m_editSize->isModified()) {
                m_editSize->setModified(false);
                fontControlChanged(FontPartSize);
            }
        });
    }
    if (QWidget *upDown = window->findChild<QWidget *>(QStringLiteral("UpDown1"))) {
        upDown->setEnabled(true);
        const auto step = [this, upDown](const char *name, int delta) {
            if (auto *button = upDown->findChild<QAbstractButton *>(QLatin1String(name)))
                connect(button, &QAbstractButton::clicked, this, [this, delta] { stepFontSize(delta); });
        };
        step("UpDown1Up", 1);
        step("UpDown1Down", -1);
    }
}

QString FormattingCommands::fontFace() const
{
    return m_comboFont ? m_comboFont->currentText() : QString();
}

QString FormattingCommands::fontSizeText() const
{
    return m_editSize ? m_editSize->text() : QString();
}

QString FormattingCommands::fontColorHtml() const
{
    const QColor color = m_comboColor ? m_comboColor->currentData().value<QColor>() : QColor();
    const QColor chosen = color.isValid() ? color : QColor(Qt::black);
    return ColorToHtml(chosen.red(), chosen.green(), chosen.blue());
}

FontChoice FormattingCommands::fontChoice(unsigned fontParts) const
{
    return FontChoiceFor(fontParts, fontFace(), fontSizeText(), fontColorHtml());
}

void FormattingCommands::stepFontSize(int delta)
{
    if (!m_editSize)
        return;
    const QString stepped = QString::number(SteppedFontSize(m_editSize->text(), delta));
    if (stepped == m_editSize->text())
        return;
    m_editSize->setText(stepped);
    fontControlChanged(FontPartSize);
}

void FormattingCommands::fontControlChanged(unsigned fontPart)
{
    if (m_shell.onPage(Page::Designer)) {
        m_designerSide->fontControlChanged(fontChoice(fontPart));
        return;
    }
    const QString sel = m_shell.editor()->selText();
    if (IsBlank(sel))
        return;
    replaceSelection(FontSource(sel, fontChoice(fontPart)));
}

void FormattingCommands::run(const FormatCommand &command)
{
    if (m_shell.onPage(Page::Designer))
        m_designerSide->run(command, fontChoice(command.fontParts));
    else
        runOnSource(command);
}

void FormattingCommands::replaceSelection(const QString &text)
{
    m_shell.editor()->replaceSelection(text);
}

void FormattingCommands::runOnSource(const FormatCommand &command)
{
    const QString sel = m_shell.editor()->selText();
    switch (command.source) {
    case SourceStep::Wrap:
        replaceSelection(SourceWrapped(command.wrap, sel));
        return;
    case SourceStep::ListRule:
        replaceSelection(ListSource(sel, command.ordered));
        return;
    case SourceStep::OutdentRule:
        if (const auto outdented = OutdentSource(sel))
            replaceSelection(*outdented);
        return;
    case SourceStep::FontRule:
        replaceSelection(FontSource(sel, fontChoice(command.fontParts)));
        return;
    case SourceStep::ColorCode:
        Color1Click();
        return;
    case SourceStep::Refuse:
        m_shell.commands().requireDesignerPage(KindOf(command.refusalKind));
        return;
    case SourceStep::StyleRule:
    case SourceStep::LinkRule:
    case SourceStep::AppendDialogResult:
    case SourceStep::PrependDialogResult:
        return;
    }
}

void FormattingCommands::Color1Click()
{
    const QColor initial = m_comboColor ? m_comboColor->currentData().value<QColor>() : QColor();
    const auto chosen = m_shell.prompter().chooseColor(initial.isValid() ? initial : QColor(Qt::black));
    if (!chosen || !chosen->isValid())
        return;
    replaceSelection(ColorToHtml(chosen->red(), chosen->green(), chosen->blue()));
}

} // namespace korvel
