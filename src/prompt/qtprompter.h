#pragma once

#include "prompt/prompter.h"

class QWidget;

namespace korvel {

// The Prompter that shows real Qt dialogs, parented to the given window.
class QtPrompter final : public Prompter {
public:
    explicit QtPrompter(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

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
    QWidget *m_parent = nullptr;
};

} // namespace korvel
