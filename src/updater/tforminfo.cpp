#include "updater/tforminfo.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace korvel {

TFormInfo::TFormInfo(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormInfo"));
    setWindowTitle(QStringLiteral("Info"));

    auto *title = new QLabel(QStringLiteral("Online Updater"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto *caption = new QLabel(QStringLiteral("Version"), this);
    m_labelNummer = new QLabel(this);
    m_labelNummer->setObjectName(QStringLiteral("LabelNummer"));

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->addWidget(title, 0, 0, 1, 2);
    layout->addWidget(caption, 1, 0);
    layout->addWidget(m_labelNummer, 1, 1);
    layout->addWidget(ok, 2, 0, 1, 2, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFormInfo::setVersionText(const QString &text)
{
    m_labelNummer->setText(text);
}

QString TFormInfo::versionText() const
{
    return m_labelNummer->text();
}

} // namespace korvel
