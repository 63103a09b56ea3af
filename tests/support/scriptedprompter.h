#pragma once

#include "prompt/prompter.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <functional>

namespace korvel::test {

// Stands in for the person in front of the screen: records every message and dialog the
// program shows and answers from queues the test fills. A question with no queued answer
// is recorded in unexpected() and answered with Cancel (or the box's only button).
class ScriptedPrompter final : public Prompter {
public:
    struct Shown {
        MessageKind kind;
        QString text;
        Buttons buttons;
    };

    // Queues
    void answer(Answer a) { m_answers.push_back(a); }
    void answerInput(std::optional<QString> text) { m_inputs.push_back(std::move(text)); }
    void answerOpenFile(const QString &path) { m_openFiles.push_back(path); }
    void answerSaveFile(const QString &path) { m_saveFiles.push_back(path); }
    void answerColor(std::optional<QColor> c) { m_colors.push_back(c); }
    void answerFont(std::optional<QFont> f) { m_fonts.push_back(f); }
    // Accepting may direct the job into a PDF file so a test can count its pages.
    void answerPrinter(bool accept, const QString &pdfPath = {}) { m_printers.push_back({accept, pdfPath}); }
    // A dialog handler gets the real dialog, may fill its fields and returns the result code.
    void answerDialog(std::function<int(QDialog &)> handler) { m_dialogs.push_back(std::move(handler)); }

    // What was shown
    const QList<Shown> &messages() const { return m_messages; }
    QStringList texts() const;
    QString lastText() const { return m_messages.isEmpty() ? QString() : m_messages.last().text; }
    const QList<FileRequest> &fileRequests() const { return m_fileRequests; }
    const QStringList &inputPrompts() const { return m_inputPrompts; }
    const QStringList &dialogsShown() const { return m_dialogsShown; }
    const QStringList &unexpected() const { return m_unexpected; }
    bool allAnswersUsed() const;
    void clear();

    Answer message(MessageKind kind, const QString &text, Buttons buttons) override;
    std::optional<QString> input(const QString &caption, const QString &prompt,
                                 const QString &initial) override;
    QString openFileName(const FileRequest &request) override;
    QString saveFileName(const FileRequest &request) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;
    std::optional<QFont> chooseFont(const QFont &initial) override;
    bool choosePrinter(QPrinter &printer) override;
    int execDialog(QDialog &dialog) override;

private:
    std::deque<Answer> m_answers;
    std::deque<std::optional<QString>> m_inputs;
    std::deque<QString> m_openFiles;
    std::deque<QString> m_saveFiles;
    std::deque<std::optional<QColor>> m_colors;
    std::deque<std::optional<QFont>> m_fonts;
    std::deque<std::pair<bool, QString>> m_printers;
    std::deque<std::function<int(QDialog &)>> m_dialogs;

    QList<Shown> m_messages;
    QList<FileRequest> m_fileRequests;
    QStringList m_inputPrompts;
    QStringList m_dialogsShown;
    QStringList m_unexpected;
};

} // namespace korvel::test
