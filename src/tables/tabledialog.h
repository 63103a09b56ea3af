#pragma once

#include <QDialog>

#include <functional>

class QColor;
class QKeyEvent;

namespace korvel {

// "#" and the colour's red, green and blue values as two upper-case hex digits each.
QString Color2HTML(const QColor &color);

// What the four table dialogs share: the UI-language flag their caller sets before showing
// them, and F1, which asks the help viewer for the dialog's topic.
class TableDialog : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TableDialog)

public:
    int UiLanguage = 0; // 0 German, any other value English

    // Runs before every showing: captions in the flag's language, the results reset.
    virtual void FormShow() = 0;

    void setHelpHandler(std::function<void(int)> handler) { m_help = std::move(handler); }
    int helpTopic() const { return m_helpTopic; }
    void showHelp() const;

protected:
    TableDialog(int helpTopic, QWidget *parent);
    bool english() const { return UiLanguage != 0; }
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_helpTopic = 0;
    std::function<void(int)> m_help;
};

} // namespace korvel
