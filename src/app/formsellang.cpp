#include "app/formsellang.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel {

TFormSelLang::TFormSelLang(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormSelLang"));
    setWindowTitle(QStringLiteral("Setup"));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(QStringLiteral("Select your language"), this);
    label->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(label);
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("ComboBox1"));
    m_combo->addItems({QStringLiteral("German"), QStringLiteral("English")});
    layout->addWidget(m_combo);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    layout->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    setMinimumWidth(260);
}

void TFormSelLang::preset(int index)
{
    m_combo->setCurrentIndex(index);
}

int TFormSelLang::selectedLanguage() const
{
    return m_combo->currentIndex();
}

} // namespace korvel
