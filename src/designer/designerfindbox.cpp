#include "designer/designerfindbox.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel {

namespace {

QString Text(int uiLanguage, const char *german, const char *english)
{
    return QString::fromUtf8(uiLanguage == 0 ? german : english);
}

} // namespace

DesignerFindBox::DesignerFindBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("DesignerFindBox"));
    setModal(false);
    m_findText = new QLineEdit(this);
    m_findText->setObjectName(QStringLiteral("FindText"));
    m_findText->setMinimumWidth(240);
    m_matchCase = new QCheckBox(this);
    m_matchCase->setObjectName(QStringLiteral("MatchCase"));
    m_findNext = new QPushButton(this);
    m_findNext->setObjectName(QStringLiteral("FindNext"));
    m_findNext->setDefault(true);
    m_close = new QPushButton(this);
    m_close->setObjectName(QStringLiteral("Cancel"));

    auto *label = new QLabel(this);
    label->setObjectName(QStringLiteral("FindLabel"));
    label->setBuddy(m_findText);
    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_findText, 1);
    auto *left = new QVBoxLayout;
    left->addLayout(row);
    left->addWidget(m_matchCase);
    left->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(m_findNext);
    right->addWidget(m_close);
    right->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);

    connect(m_findNext, &QPushButton::clicked, this, &DesignerFindBox::find);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    setLanguage(0);
}

void DesignerFindBox::setLanguage(int uiLanguage)
{
    setWindowTitle(Text(uiLanguage, "Suchen", "Find"));
    findChild<QLabel *>(QStringLiteral("FindLabel"))->setText(Text(uiLanguage, "Suchen &nach:", "Fi&nd what:"));
    m_matchCase->setText(Text(uiLanguage, "&Groß-/Kleinschreibung", "Match &case"));
    m_findNext->setText(Text(uiLanguage, "&Weitersuchen", "&Find next"));
    m_close->setText(Text(uiLanguage, "Schließen", "Close"));
}

QString DesignerFindBox::findText() const { return m_findText->text(); }
void DesignerFindBox::setFindText(const QString &text) { m_findText->setText(text); }
bool DesignerFindBox::matchCase() const { return m_matchCase->isChecked(); }
void DesignerFindBox::setMatchCase(bool on) { m_matchCase->setChecked(on); }

void DesignerFindBox::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        emit closed();
}

} // namespace korvel
