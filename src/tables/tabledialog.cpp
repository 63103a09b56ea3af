#include "tables/tabledialog.h"

#include <QColor>
#include <QKeyEvent>

namespace korvel {

QString Color2HTML(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return QStringLiteral("#%1%2%3")
        .arg(rgb.red(), 2, 16, QLatin1Char('0'))
        .arg(rgb.green(), 2, 16, QLatin1Char('0'))
        .arg(rgb.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

TableDialog::TableDialog(int helpTopic, QWidget *parent)
    : QDialog(parent)
    , m_helpTopic(helpTopic)
{
}

void TableDialog::showHelp() const
{
    if (m_help)
        m_help(m_helpTopic);
}

void TableDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        showHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace korvel
