#include "scriptedprompter.h"

#include <QDialog>
#include <QPrinter>

namespace korvel::test {

QStringList ScriptedPrompter::texts() const
{
    QStringList out;
    for (const Shown &s : m_messages)
        out << s.text;
    return out;
}

bool ScriptedPrompter::allAnswersUsed() const
{
    return m_answers.empty() && m_inputs.empty() && m_openFiles.empty() && m_saveFiles.empty()
        && m_colors.empty() && m_fonts.empty() && m_printers.empty() && m_dialogs.empty();
}

void ScriptedPrompter::clear()
{
    *this = ScriptedPrompter();
}

Answer ScriptedPrompter::message(MessageKind kind, const QString &text, Buttons buttons)
{
    m_messages.append({kind, text, buttons});
    if (buttons == Buttons::Ok) {
        // A box with one button needs no script; a queued Ok is taken when present.
        if (!m_answers.empty() && m_answers.front() == Answer::Ok)
            m_answers.pop_front();
        return Answer::Ok;
    }
    if (m_answers.empty()) {
        m_unexpected << QStringLiteral("message: ") + text;
        return (buttons == Buttons::YesNo || buttons == Buttons::YesNoAll) ? Answer::No
                                                                           : Answer::Cancel;
    }
    const Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

std::optional<QString> ScriptedPrompter::input(const QString &caption, const QString &prompt,
                                               const QString &initial)
{
    Q_UNUSED(caption);
    Q_UNUSED(initial);
    m_inputPrompts << prompt;
    if (m_inputs.empty()) {
        m_unexpected << QStringLiteral("input: ") + prompt;
        return std::nullopt;
    }
    auto a = m_inputs.front();
    m_inputs.pop_front();
    return a;
}

QString ScriptedPrompter::openFileName(const FileRequest &request)
{
    m_fileRequests << request;
    if (m_openFiles.empty()) {
        m_unexpected << QStringLiteral("open file dialog");
        return {};
    }
    QString a = m_openFiles.front();
    m_openFiles.pop_front();
    return a;
}

QString ScriptedPrompter::saveFileName(const FileRequest &request)
{
    m_fileRequests << request;
    if (m_saveFiles.empty()) {
        m_unexpected << QStringLiteral("save file dialog");
        return {};
    }
    QString a = m_saveFiles.front();
    m_saveFiles.pop_front();
    return a;
}

std::optional<QColor> ScriptedPrompter::chooseColor(const QColor &)
{
    if (m_colors.empty()) {
        m_unexpected << QStringLiteral("colour dialog");
        return std::nullopt;
    }
    auto a = m_colors.front();
    m_colors.pop_front();
    return a;
}

std::optional<QFont> ScriptedPrompter::chooseFont(const QFont &)
{
    if (m_fonts.empty()) {
        m_unexpected << QStringLiteral("font dialog");
        return std::nullopt;
    }
    auto a = m_fonts.front();
    m_fonts.pop_front();
    return a;
}

bool ScriptedPrompter::choosePrinter(QPrinter &printer)
{
    if (m_printers.empty()) {
        m_unexpected << QStringLiteral("print dialog");
        return false;
    }
    const auto [accept, pdfPath] = m_printers.front();
    m_printers.pop_front();
    if (accept && !pdfPath.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
    }
    return accept;
}

int ScriptedPrompter::execDialog(QDialog &dialog)
{
    m_dialogsShown << dialog.objectName();
    if (m_dialogs.empty()) {
        m_unexpected << QStringLiteral("dialog: ") + dialog.objectName();
        return QDialog::Rejected;
    }
    auto handler = std::move(m_dialogs.front());
    m_dialogs.pop_front();
    return handler(dialog);
}

} // namespace korvel::test
