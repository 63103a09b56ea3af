#include "prompt/helpdialog.h"

#include <QKeyEvent>

namespace korvel {

HelpDialog::HelpDialog(int helpTopic, QWidget *parent)
    : QDialog(parent)
    , m_helpTopic(helpTopic)
{
}

void HelpDialog::showHelp() const
{
    if (m_help)
        m_help(m_helpTopic);
}

void HelpDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        showHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace korvel
