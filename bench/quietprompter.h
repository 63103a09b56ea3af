#pragma once

#include "prompt/prompter.h"

#include <QDialog>

namespace korvel::bench {

// Answers every question without a person: boxes with one button get OK, questions get No,
// dialogs are accepted as they are, file dialogs are cancelled.
class QuietPrompter final : public Prompter {
public:
    Answer message(MessageKind, const QString &, Buttons buttons) override
    {
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return std::nullopt; }
    QString openFileName(const FileRequest &) override { return {}; }
    QString saveFileName(const FileRequest &) override { return {}; }
    std::optional<QColor> chooseColor(const QColor &) override { return std::nullopt; }
    std::optional<QFont> chooseFont(const QFont &) override { return std::nullopt; }
    bool choosePrinter(QPrinter &) override { return false; }
    int execDialog(QDialog &) override { return QDialog::Accepted; }
};

} // namespace korvel::bench
